#include "link/forms/FHidData.h"

#include <atomic>
#include <mutex>
#include <vector>

#include "framework/controls/Button.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/ListBox.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/Thread.h"

namespace dsp {

TfmHidData* fmHidData = nullptr;

// What worker threads hand over: lines waiting for the UI thread, and the form they go to (null
// once it is gone, so that a hand-over still queued touches nothing freed).
struct TfmHidData::THandOver {
    std::mutex lock;
    std::vector<std::string> lines;
    bool flushQueued = false;
    TfmHidData* form = nullptr;
    std::atomic<bool> visible{false};
};

TfmHidData::TfmHidData(TComponent* owner) : TForm(owner), handOver_(std::make_shared<THandOver>()) {
    handOver_->form = this;
    SetCaption("Hid Data");
    SetPosition(poMainFormCenter);
    SetClientSize(1022, 541);

    TFormBuilder build(*this);
    hbHidData = build.Add<TListBox>("hbHidData", this, 4, 3, 1014, 505);
    hbHidData->Font()->SetName("Courier New");
    bnClear = build.Add<TButton>("bnClear", this, 456, 511, 75, 25);
    bnClear->SetCaption("Clear");
    build.Handle(bnClear->OnClick, [this](TObject* sender) { bnClearClick(sender); });
    build.Finish();
}

TfmHidData::~TfmHidData() {
    {
        std::lock_guard<std::mutex> guard(handOver_->lock);
        handOver_->form = nullptr;
        handOver_->visible = false;
    }
    if (fmHidData == this) fmHidData = nullptr;
}

bool TfmHidData::Monitoring() const { return handOver_->visible; }

void TfmHidData::DoShow() {
    handOver_->visible = true;
    TForm::DoShow();
}

void TfmHidData::DoHide() {
    handOver_->visible = false;
    TForm::DoHide();
}

void TfmHidData::AddLine(std::string line) {
    if (IsMainThread()) {
        // Lines handed over before this one go first.
        AppendHandedOver();
        Append(line);
        return;
    }
    std::lock_guard<std::mutex> guard(handOver_->lock);
    handOver_->lines.push_back(std::move(line));
    if (handOver_->flushQueued) return;
    handOver_->flushQueued = true;
    PostToMainThread([handOver = std::weak_ptr<THandOver>(handOver_)] {
        std::shared_ptr<THandOver> h = handOver.lock();
        if (!h) return;
        TfmHidData* form = nullptr;
        {
            std::lock_guard<std::mutex> formGuard(h->lock);
            form = h->form;
        }
        if (form) form->AppendHandedOver();
    });
}

void TfmHidData::AppendHandedOver() {
    std::vector<std::string> lines;
    {
        std::lock_guard<std::mutex> guard(handOver_->lock);
        lines.swap(handOver_->lines);
        handOver_->flushQueued = false;
    }
    for (const std::string& line : lines) Append(line);
}

void TfmHidData::Append(const std::string& line) {
    hbHidData->Items()->Add(line);
    hbHidData->SetItemIndex(hbHidData->Items()->Count() - 1);
}

void TfmHidData::bnClearClick(TObject*) {
    AppendHandedOver();
    hbHidData->Items()->Clear();
}

}  // namespace dsp
