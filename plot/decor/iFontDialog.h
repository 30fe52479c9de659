#pragma once
// TiFontDialog: the font dialog for one pick, over the window of its owner (which must be a
// windowed control). It opens on Font with its colour and effects; on OK the font takes the
// chosen face, height, style (bold above normal weight, italic, underline, strike-out) and
// colour, and the chosen character set only when the face changed.

#include <memory>

#include "framework/core/Component.h"
#include "framework/graphics/Font.h"

namespace dsp {

class TiFontDialog : public TComponent {
public:
    explicit TiFontDialog(TComponent* owner);
    ~TiFontDialog() override;
    TFont* Font() const { return FFont.get(); }
    // Copies value.
    void SetFont(TFont* value) { FFont->Assign(value); }
    // True when the user confirmed. EInvalidCast when the owner is no windowed control.
    bool Execute();

private:
    std::unique_ptr<TFont> FFont;
};

}  // namespace dsp
