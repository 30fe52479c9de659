#pragma once
// The colour dialog: opens on Color (system colours shown as their RGB value) and, when the
// user confirms, holds the chosen colour as a plain RGB value. The sixteen custom colours
// carry over from one Execute to the next.

#include <vector>

#include "framework/desktop/CommonDialog.h"
#include "framework/graphics/Colors.h"

namespace dsp {

class TColorDialog : public TCommonDialog {
public:
    explicit TColorDialog(TComponent* owner);

    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    // Sixteen entries, white at first.
    const std::vector<TColorRef>& CustomColors() const { return customColors_; }
    void SetCustomColors(const std::vector<TColorRef>& value);

    bool Execute(HWND owner = HWND{}) override;

private:
    TColor color_ = clBlack;
    std::vector<TColorRef> customColors_;
};

}  // namespace dsp
