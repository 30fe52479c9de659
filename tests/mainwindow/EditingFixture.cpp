#include "tests/mainwindow/EditingFixture.h"

#include <stdexcept>

#include "framework/os/ClientSocket.h"
#include "framework/runtime/Timer.h"
#include "model/Lcmd.h"
#include "tests/support/RunLoop.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {

void TEditingWindow::SendCommand(const LCmd& record, bool noCoalesce, bool framed) {
    sent.push_back({record.GetCode(), record.GetData(), noCoalesce});
    TfmMain::SendCommand(record, noCoalesce, framed);
}

void TEditingWindow::ApplyUnitImage() {
    ++imagesShown;
    TfmMain::ApplyUnitImage();
}

void TEditingWindow::StopStartUpTimer() { tmStartConnect->SetEnabled(false); }

void TEditingWindow::StartConnecting() { tmStartConnect->SetEnabled(true); }

void TEditingWindow::SetDeviceAddress(std::uint32_t address, const std::string& dotted) {
    FDeviceIp = address;
    ClientSocket->SetAddress(dotted);
}

TEditingFixture::TEditingFixture() {
    window_ = new TEditingWindow(nullptr);
    fmMain = window_;
    window_->AfterConstruction();
    window_->StopStartUpTimer();
    window_->sent.clear();
}

TEditingFixture::~TEditingFixture() { delete window_; }

void TEditingFixture::Tick() {
    // The 1 ms one-shots fire at the event loop's next turn.
    clock_.Advance(std::chrono::milliseconds(1));
    RunPendingEvents();
}

void TEditingFixture::OpenPage(int page) {
    auto& button = Get<TRzBmpButton>("rzbMenu" + TfmMain::PageName(page));
    button.SetDown(true);
    button.Click();
}

std::vector<TSentRecord> TEditingFixture::SentWithCode(std::uint8_t code) const {
    std::vector<TSentRecord> found;
    for (const TSentRecord& r : window_->sent) {
        if (r.code == code) found.push_back(r);
    }
    return found;
}

void TEditingFixture::Missing(const std::string& name) {
    throw std::logic_error("the main window has no control " + name);
}

}  // namespace dsp::test
