#include "dialogs/FLockSetup.h"

#include "dialogs/OperationsWindow.h"
#include "framework/controls/Edit.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Label.h"
#include "framework/desktop/MessageBox.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Gbk.h"
#include "link/forms/DialogKit.h"
#include "model/Lcmd.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

TfmLockSetup* fmLockSetup = nullptr;

namespace {

constexpr TKeyCode kEnter = 13;
constexpr char kDefaultPassword[] = "7305";

}  // namespace

TfmLockSetup::TfmLockSetup(TComponent* owner) : TForm(owner) {
    TFormBuilder build(*this);
    SetName("fmLockSetup");
    const dialogkit::TLockControls parts = dialogkit::AddLockControls(build, *this, "btnExit");
    SetCaption("Lock Setting");
    imBackground = parts.background;
    imSign = parts.sign;
    lblLockPassword = parts.label;
    lblLockPassword->SetCaption("Lock Password");
    edName = parts.edit;
    edName->SetImeMode(imDisable);
    edName->SetTabStop(false);
    edName->SetText(kDefaultPassword);
    btnOK = parts.ok;
    btnExit = parts.cancel;
    tmClose = build.Create<TTimer>("tmClose");
    tmClose->SetEnabled(false);
    tmClose->SetInterval(kCloseTickMs);

    build.Handle(OnShow, this, &TfmLockSetup::FormShow);
    build.Handle(OnHide, this, &TfmLockSetup::FormHide);
    build.Handle(btnOK->OnClick, this, &TfmLockSetup::RzBmpButton1Click);
    build.Handle(btnExit->OnClick, this, &TfmLockSetup::btnExitClick);
    build.Handle(edName->OnKeyDown, this, &TfmLockSetup::edNameKeyDown);
    build.Finish();
    tmClose->SetOnTimer([this](TObject* sender) { tmCloseTimer(sender); });
}

TfmLockSetup::~TfmLockSetup() {
    if (fmLockSetup == this) fmLockSetup = nullptr;
}

void TfmLockSetup::FormShow(TObject*) {
    tmClose->SetEnabled(false);
    FClosing = false;
    btnOK->SetEnabled(true);
    btnExit->SetEnabled(true);
    if (IOperationsWindow* main = OperationsWindow()) {
        SetCaption(main->GetText("SID_LOCK_TITLE"));
        lblLockPassword->SetCaption(main->GetText("SID_LOCK_PASSWORD"));
        btnOK->SetCaption(main->GetText("SID_EXIT_OK"));
        btnExit->SetCaption(main->GetText("SID_EXIT_CANCEL"));
    }
    edName->SetText(kDefaultPassword);
    SetActiveControl(edName);
    edName->SelectAll();
}

void TfmLockSetup::FormHide(TObject*) {
    tmClose->SetEnabled(false);
    FClosing = false;
}

void TfmLockSetup::RzBmpButton1Click(TObject*) {
    IOperationsWindow* main = OperationsWindow();
    if (FClosing || main == nullptr) return;
    FClosing = true;
    FCloseTicks = 0;
    // The wait is short and ends in the disconnect either way: nothing else to do meanwhile.
    btnOK->SetEnabled(false);
    btnExit->SetEnabled(false);
    main->WatchReply(CommandCode::CM_MCS_SET_LOCK);
    const auto id = static_cast<std::uint8_t>(main->GetDeviceId());
    main->SendCommand(CM_MCS_SET_LOCK(id, Utf8ToGbk(edName->Text())), true, true);
    tmClose->SetEnabled(true);
}

void TfmLockSetup::tmCloseTimer(TObject*) {
    IOperationsWindow* main = OperationsWindow();
    ++FCloseTicks;
    const TReplyWait wait = main != nullptr ? main->AwaitedReply() : TReplyWait::LinkClosed;
    if (wait == TReplyWait::Answered) {
        Finish(true);
    } else if (wait == TReplyWait::LinkClosed || FCloseTicks >= kCloseTicks) {
        Finish(false);
    }
}

void TfmLockSetup::Finish(bool answered) {
    tmClose->SetEnabled(false);
    IOperationsWindow* main = OperationsWindow();
    if (!answered && main != nullptr) {
        MessageDlg(main->GetText("SID_LOCK_SET_FAILED"), mtError, {mbOK});
    }
    if (main != nullptr) main->Disconnect();
    Close();
}

void TfmLockSetup::btnExitClick(TObject*) {
    if (FClosing) return;
    Close();
}

void TfmLockSetup::edNameKeyDown(TObject*, TKeyCode& key, TShiftState) {
    if (key != kEnter) return;
    key = 0;
    RzBmpButton1Click(btnOK);
}

}  // namespace dsp
