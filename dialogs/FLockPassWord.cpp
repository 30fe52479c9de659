#include "dialogs/FLockPassWord.h"

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

TfmLockPassWord* fmLockPassWord = nullptr;

namespace {

constexpr TKeyCode kEnter = 13;
constexpr char kMask[] = "****";
constexpr std::uint8_t kRefused = 0;
constexpr std::uint8_t kAccepted = 1;

TTimer* NewTimer(TFormBuilder& build, const std::string& name) {
    auto* timer = build.Create<TTimer>(name);
    timer->SetEnabled(false);
    timer->SetInterval(TfmLockPassWord::kTickMs);
    return timer;
}

}  // namespace

TfmLockPassWord::TfmLockPassWord(TComponent* owner) : TForm(owner) {
    TFormBuilder build(*this);
    SetName("fmLockPassWord");
    const dialogkit::TLockControls parts = dialogkit::AddLockControls(build, *this, "bnCancel");
    SetCaption("UnLock Setting");
    imBackground = parts.background;
    imSign = parts.sign;
    lblLockPassword = parts.label;
    lblLockPassword->SetCaption("UnLock Password");
    edName = parts.edit;
    edName->SetPasswordChar(u'*');
    edName->SetImeMode(imClose);
    edName->SetText(kMask);
    btnOK = parts.ok;
    bnCancel = parts.cancel;
    tmCheck = NewTimer(build, "tmCheck");
    tmCmd = NewTimer(build, "tmCmd");

    build.Handle(OnShow, this, &TfmLockPassWord::FormShow);
    build.Handle(OnHide, this, &TfmLockPassWord::FormHide);
    build.Handle(btnOK->OnClick, this, &TfmLockPassWord::RzBmpButton1Click);
    build.Handle(bnCancel->OnClick, this, &TfmLockPassWord::bnCancelClick);
    build.Handle(edName->OnKeyDown, this, &TfmLockPassWord::edNameKeyDown);
    build.Finish();
    tmCheck->SetOnTimer([this](TObject* sender) { tmCheckTimer(sender); });
    tmCmd->SetOnTimer([this](TObject* sender) { tmCmdTimer(sender); });
}

TfmLockPassWord::~TfmLockPassWord() {
    if (fmLockPassWord == this) fmLockPassWord = nullptr;
}

void TfmLockPassWord::StopChecking() {
    tmCheck->SetEnabled(false);
    tmCmd->SetEnabled(false);
    FCheckPending = false;
}

void TfmLockPassWord::ClearPassword() {
    edName->SetText(kMask);
    if (Visible() && edName->CanFocus()) SetActiveControl(edName);
    edName->SelectAll();
}

void TfmLockPassWord::FormShow(TObject*) {
    StopChecking();
    FCheckResult = kWaiting;
    if (IOperationsWindow* main = OperationsWindow()) {
        SetCaption(main->GetText("SID_UNLOCK_TITLE"));
        lblLockPassword->SetCaption(main->GetText("SID_UNLOCK_PASSWORD"));
        btnOK->SetCaption(main->GetText("SID_EXIT_OK"));
        bnCancel->SetCaption(main->GetText("SID_EXIT_CANCEL"));
    }
    ClearPassword();
}

void TfmLockPassWord::FormHide(TObject*) { StopChecking(); }

void TfmLockPassWord::SetCheckResult(std::uint8_t result) {
    if (FCheckPending) FCheckResult = result;
}

void TfmLockPassWord::LinkLost() {
    StopChecking();
    if (Visible()) Close();
}

void TfmLockPassWord::RzBmpButton1Click(TObject*) {
    IOperationsWindow* main = OperationsWindow();
    if (main == nullptr || tmCmd->Enabled()) return;
    const auto id = static_cast<std::uint8_t>(main->GetDeviceId());
    main->SendCommand(CM_MCS_PASS_SUBMIT(id, Utf8ToGbk(edName->Text())), true, true);
    FCheckTicks = 0;
    FCheckResult = kWaiting;
    FCheckPending = true;
    tmCheck->SetEnabled(false);
    tmCheck->SetEnabled(true);
}

void TfmLockPassWord::tmCheckTimer(TObject*) {
    ++FCheckTicks;
    tmCheck->SetEnabled(false);
    if (!FCheckPending) return;
    switch (FCheckResult) {
        case kRefused:
            FCheckPending = false;
            MessageDlg("Password Error!!", mtInformation, {mbOK});
            ClearPassword();
            break;
        case kAccepted:
            FCheckPending = false;
            tmCmd->SetEnabled(true);
            break;
        case kWaiting:
            if (FCheckTicks > kCheckTicks) {
                FCheckPending = false;
                MessageDlg("Check Time Out!", mtInformation, {mbOK});
                // The link may have gone while the message was up: then the dialog is closed
                // already and there is nothing left to cancel.
                if (Visible()) bnCancelClick(bnCancel);
            } else {
                tmCheck->SetEnabled(true);
            }
            break;
        default: FCheckPending = false; break;
    }
}

void TfmLockPassWord::tmCmdTimer(TObject*) {
    tmCmd->SetEnabled(false);
    if (IOperationsWindow* main = OperationsWindow()) main->ContinueAfterUnlock();
    Close();
}

void TfmLockPassWord::bnCancelClick(TObject*) {
    StopChecking();
    if (IOperationsWindow* main = OperationsWindow()) main->Disconnect();
    Close();
}

void TfmLockPassWord::edNameKeyDown(TObject*, TKeyCode& key, TShiftState) {
    if (key != kEnter) return;
    key = 0;
    RzBmpButton1Click(btnOK);
}

}  // namespace dsp
