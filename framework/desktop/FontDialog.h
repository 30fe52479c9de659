#pragma once
// The font dialog: opens on Font and, when the user confirms, copies the chosen face, height,
// style, character set and (with fdEffects) colour, underline and strike-out into Font.

#include <memory>

#include "framework/core/Set.h"
#include "framework/desktop/CommonDialog.h"
#include "framework/graphics/Font.h"

namespace dsp {

enum TFontDialogOption { fdEffects };
using TFontDialogOptions = Set<TFontDialogOption>;

class TFontDialog : public TCommonDialog {
public:
    explicit TFontDialog(TComponent* owner);
    ~TFontDialog() override;

    TFont* Font() const { return font_.get(); }
    // Copies value.
    void SetFont(TFont* value) { font_->Assign(value); }
    TFontDialogOptions Options() const { return options_; }
    void SetOptions(TFontDialogOptions value) { options_ = value; }

    bool Execute(HWND owner = HWND{}) override;

private:
    std::unique_ptr<TFont> font_;
    TFontDialogOptions options_{fdEffects};
};

}  // namespace dsp
