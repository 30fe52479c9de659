#include "framework/desktop/ColorDialog.h"

#include "framework/desktop/DialogService.h"

namespace dsp {

namespace {
constexpr std::size_t kCustomColorCount = 16;
}  // namespace

TColorDialog::TColorDialog(TComponent* owner)
    : TCommonDialog(owner), customColors_(kCustomColorCount, 0xFFFFFF) {}

void TColorDialog::SetCustomColors(const std::vector<TColorRef>& value) {
    customColors_ = value;
    customColors_.resize(kCustomColorCount, 0xFFFFFF);
}

bool TColorDialog::Execute(HWND owner) {
    TColorDialogRequest request;
    request.Owner = owner;
    // clNone and clDefault have no colour to show; the dialog opens on black for them.
    request.Color = color_ == clNone || color_ == clDefault ? 0 : ResolveColor(color_);
    request.CustomColors = customColors_;
    DoShow();
    const TColorDialogAnswer answer = DialogService().RunColorDialog(request);
    if (answer.Accepted) {
        color_ = static_cast<TColor>(answer.Color & 0xFFFFFFu);
        if (!answer.CustomColors.empty()) SetCustomColors(answer.CustomColors);
    }
    DoClose();
    return answer.Accepted;
}

}  // namespace dsp
