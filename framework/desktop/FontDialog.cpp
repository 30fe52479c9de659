#include "framework/desktop/FontDialog.h"

#include "framework/desktop/DialogService.h"

namespace dsp {

TFontDialog::TFontDialog(TComponent* owner)
    : TCommonDialog(owner), font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute(HWND owner) {
    TFontDialogRequest request;
    request.owner = owner;
    request.font = font_->LogFont();
    request.color = font_->Color() == clNone ? 0 : ResolveColor(font_->Color());
    request.effects = options_.Contains(fdEffects);
    DoShow();
    const TFontDialogAnswer answer = DialogService().RunFontDialog(request);
    if (answer.accepted) {
        TLogFont chosen = answer.font;
        if (!request.effects) {
            chosen.lfUnderline = request.font.lfUnderline;
            chosen.lfStrikeOut = request.font.lfStrikeOut;
        }
        font_->SetLogFont(chosen);
        if (request.effects) font_->SetColor(static_cast<TColor>(answer.color & 0xFFFFFFu));
    }
    DoClose();
    return answer.accepted;
}

}  // namespace dsp
