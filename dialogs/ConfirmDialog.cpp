#include "dialogs/ConfirmDialog.h"

#include "dialogs/DialogLook.h"
#include "dialogs/MainWindowServices.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 150;

}  // namespace

TConfirmDialog::TConfirmDialog(TComponent* owner, const TConfirmDialogParts& parts)
    : TForm(owner), parts_(parts) {
    TFormBuilder build(*this);
    SetName(parts.formName);
    SetBorderStyle(bsDialog);
    SetBorderIcons({});
    SetPosition(poScreenCenter);
    SetClientSize(kWidth, kHeight);
    auto* background = build.Add<TImage>("imBackground", this, 0, 0, kWidth, kHeight);
    background->Picture()->LoadFromResourceName(HInstance, "CONFIRM_BACKGROUND");
    const bool signed_ = parts.sign != nullptr;
    if (signed_) {
        auto* sign = build.Add<TImage>("imSign", this, 26, 33, 40, 40);
        sign->Picture()->LoadFromResourceName(HInstance, parts.sign);
        sign->SetTransparent(true);
    }
    message_ =
        build.Add<TLabel>(parts.messageName, this, signed_ ? 78 : 20, 12, signed_ ? 234 : 290, 82);
    message_->SetAutoSize(false);
    message_->SetTransparent(true);
    message_->SetWordWrap(true);
    message_->SetLayout(tlCenter);
    message_->SetAlignment(signed_ ? taLeftJustify : taCenter);
    message_->SetParentFont(false);
    message_->Font()->SetName("Tahoma");
    message_->Font()->SetHeight(-14);
    message_->Font()->SetStyle({fsBold});
    message_->Font()->SetColor(static_cast<TColor>(RGB(236, 240, 246)));
    ok_ = dialoglook::AddButton(build, "btnOK", this, 74, 110, "OK");
    cancel_ = dialoglook::AddButton(build, parts.cancelName, this, 176, 110, "Cancel");
    build.Handle(OnShow, this, &TConfirmDialog::FormShow);
    build.Handle(ok_->OnClick, [this](TObject* sender) { btnOKClick(sender); });
    build.Handle(cancel_->OnClick, [this](TObject* sender) { btnCancelClick(sender); });
    build.Finish();
}

TConfirmDialog::~TConfirmDialog() = default;

void TConfirmDialog::FormShow(TObject*) {
    IMainWindowServices* main = MainWindowServices();
    if (main == nullptr) return;
    SetCaption(main->GetText(parts_.captionKey));
    message_->SetCaption(main->GetText(parts_.messageKey));
    ok_->SetCaption(main->GetText(parts_.okKey));
    cancel_->SetCaption(main->GetText(parts_.cancelKey));
}

}  // namespace dsp
