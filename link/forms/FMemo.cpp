#include "link/forms/FMemo.h"

#include "framework/controls/Button.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Memo.h"

namespace dsp {

TfmMemo* fmMemo = nullptr;

TfmMemo::TfmMemo(TComponent* owner) : TForm(owner) {
    SetCaption("Message List");
    SetPosition(poMainFormCenter);
    SetClientSize(250, 453);

    TFormBuilder build(*this);
    Memo = build.Add<TMemo>("Memo", this, 8, 8, 233, 406);
    Memo->SetScrollBars(ssVertical);
    Memo->Lines()->Add("Memo");
    bnClearMemo = build.Add<TButton>("bnClearMemo", this, 80, 422, 75, 25);
    bnClearMemo->SetCaption("Clear");
    build.Handle(bnClearMemo->OnClick, [this](TObject* sender) { bnClearMemoClick(sender); });
    build.Finish();
}

TfmMemo::~TfmMemo() {
    if (fmMemo == this) fmMemo = nullptr;
}

void TfmMemo::bnClearMemoClick(TObject*) { Memo->Lines()->Clear(); }

}  // namespace dsp
