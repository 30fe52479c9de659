#include "framework/desktop/FontDialog.h"

#include "framework/desktop/DialogService.h"

namespace dsp {

TFontDialog::TFontDialog(TComponent* owner)
    : TCommonDialog(owner), font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute(HWND owner) {
    TFontDialogRequest request;
    request.Owner = owner;
    request.Font = font_->LogFont();
    request.Color = font_->Color() == clNone ? 0 : ResolveColor(font_->Color());
    request.Effects = options_.Contains(fdEffects);
    DoShow();
    const TFontDialogAnswer answer = DialogService().RunFontDialog(request);
    if (answer.Accepted) {
        TLogFont chosen = answer.Font;
        if (!request.Effects) {
            chosen.lfUnderline = request.Font.lfUnderline;
            chosen.lfStrikeOut = request.Font.lfStrikeOut;
        }
        font_->SetLogFont(chosen);
        if (request.Effects) font_->SetColor(static_cast<TColor>(answer.Color & 0xFFFFFFu));
    }
    DoClose();
    return answer.Accepted;
}

}  // namespace dsp
