#pragma once
// TiColorDialog: the colour dialog for one pick, over the window of its owner (which must be a
// windowed control). It opens on Color (a system colour as its RGB value) with sixteen white
// custom colours, so custom colours do not carry over from one pick to the next.

#include "framework/core/Component.h"
#include "framework/graphics/Colors.h"

namespace dsp {

class TiColorDialog : public TComponent {
public:
    using TComponent::TComponent;
    TColor Color() const { return FColor; }
    void SetColor(TColor value) {
        if (value != FColor) FColor = value;
    }
    // True when the user confirmed; Color then holds the chosen RGB value. EInvalidCast when
    // the owner is no windowed control.
    bool Execute();

private:
    TColor FColor = clBlack;
};

}  // namespace dsp
