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
    request.owner = owner;
    // clNone and clDefault have no colour to show; the dialog opens on black for them.
    request.color = color_ == clNone || color_ == clDefault ? 0 : ResolveColor(color_);
    request.customColors = customColors_;
    DoShow();
    const TColorDialogAnswer answer = DialogService().RunColorDialog(request);
    if (answer.accepted) {
        color_ = static_cast<TColor>(answer.color & 0xFFFFFFu);
        if (!answer.customColors.empty()) SetCustomColors(answer.customColors);
    }
    DoClose();
    return answer.accepted;
}

}  // namespace dsp
