#include "plot/decor/iColorDialog.h"

#include <vector>

#include "framework/controls/WinControl.h"
#include "framework/core/Exceptions.h"
#include "framework/desktop/ColorDialog.h"

namespace dsp {

bool TiColorDialog::Execute() {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (owner == nullptr) throw EInvalidCast();
    TColorDialog dialog(nullptr);
    dialog.SetCustomColors(std::vector<TColorRef>(16, 0xFFFFFF));
    dialog.SetColor(ColorToRGB(FColor));
    if (!dialog.Execute(owner->HandleAllocated() ? owner->Handle() : HWND{})) return false;
    FColor = dialog.Color();
    return true;
}

}  // namespace dsp
