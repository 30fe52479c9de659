#include "dialogs/FInformation.h"

#include "framework/controls/FormBuilder.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "link/forms/SessionForms.h"
#include "link/forms/SessionWindow.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

TfmInformation* fmInformation = nullptr;

namespace {
constexpr int kWidth = 360;
constexpr int kHeight = 150;
}  // namespace

TfmInformation::TfmInformation(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsDialog);
    SetBorderIcons({});
    SetPosition(poScreenCenter);
    SetClientSize(kWidth, kHeight);

    TFormBuilder build(*this);
    imBackground = build.Add<TImage>("imBackground", this, 0, 0, kWidth, kHeight);
    LoadPicture(*imBackground, "INFO_BACKGROUND");
    imSign = build.Add<TImage>("imSign", this, 26, 30, 48, 48);
    imSign->SetTransparent(true);
    LoadPicture(*imSign, "INFO_SIGN");
    lbMessage = build.Add<TLabel>("lbMessage", this, 88, 30, 252, 48);
    StyleDialogText(*lbMessage, true);
    lbMessage->SetAutoSize(false);
    lbMessage->SetWordWrap(true);
    lbMessage->SetAlignment(taCenter);
    lbMessage->SetLayout(tlCenter);
    lbMessage->SetCaption("You Must Connect First !!");
    btnOK = build.Add<TRzBmpButton>("btnOK", this, 132, 106, 96, 28);
    StyleDialogButton(*btnOK);
    btnOK->SetModalResult(mrOk);
    build.Handle(OnShow, [this](TObject* sender) { FormShow(sender); });
    build.Handle(btnOK->OnClick, [this](TObject* sender) { btnOKClick(sender); });
    build.Finish();
}

TfmInformation::~TfmInformation() {
    if (fmInformation == this) fmInformation = nullptr;
}

void TfmInformation::FormShow(TObject*) {
    ISessionWindow* window = SessionWindow();
    if (window == nullptr) return;
    SetCaption(window->GetText("SID_INFO_TITLE"));
    btnOK->SetCaption(window->GetText("SID_EXIT_OK"));
}

void TfmInformation::btnOKClick(TObject*) {
    if (!FormState().Contains(fsModal)) Close();
}

}  // namespace dsp
