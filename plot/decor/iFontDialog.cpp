#include "plot/decor/iFontDialog.h"

#include "framework/controls/WinControl.h"
#include "framework/core/Exceptions.h"
#include "framework/desktop/FontDialog.h"
#include "framework/text/StrUtils.h"

namespace dsp {

TiFontDialog::TiFontDialog(TComponent* owner)
    : TComponent(owner), FFont(std::make_unique<TFont>()) {}

TiFontDialog::~TiFontDialog() = default;

bool TiFontDialog::Execute() {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (owner == nullptr) throw EInvalidCast();
    const std::string oldFace = FFont->Name();
    TFontDialog dialog(nullptr);
    dialog.SetFont(FFont.get());
    dialog.SetOptions(TFontDialogOptions{fdEffects});
    if (!dialog.Execute(owner->HandleAllocated() ? owner->Handle() : HWND{})) return false;
    const TLogFont chosen = dialog.Font()->LogFont();
    FFont->SetColor(dialog.Font()->Color());
    FFont->SetName(chosen.lfFaceName);
    FFont->SetHeight(chosen.lfHeight);
    // A script chosen for the same face is not taken: the face decides the character set.
    if (!SameText(chosen.lfFaceName, oldFace)) FFont->SetCharset(chosen.lfCharSet);
    TFontStyles style;
    if (chosen.lfWeight > FW_NORMAL) style.Include(fsBold);
    if (chosen.lfItalic) style.Include(fsItalic);
    if (chosen.lfUnderline) style.Include(fsUnderline);
    if (chosen.lfStrikeOut) style.Include(fsStrikeOut);
    FFont->SetStyle(style);
    return true;
}

}  // namespace dsp
