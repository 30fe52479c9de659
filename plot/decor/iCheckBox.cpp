#include "plot/decor/iCheckBox.h"

#include <algorithm>

#include "framework/controls/ControlMessages.h"
#include "framework/controls/KeyMap.h"
#include "framework/graphics/Bitmap.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

// Left aligned, centred vertically, "&" shown as it stands.
constexpr TiTextFlags kCaptionFlags = kTextLeft | kTextVCenter;

// Sets a flag for one scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag), was_(flag) { flag = true; }
    ~TFlagScope() { flag_ = was_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
    bool was_;
};

}  // namespace

TiCheckBox::TiCheckBox(TComponent* owner)
    : TiCustomComponent(owner), FFont(std::make_unique<TFont>()) {
    SetBounds(Left(), Top(), 97, 17);
    SetTabStop(true);
    {
        // Creation itself does not size the control.
        TFlagScope creating(FDoingAutoSize);
        SetText("Caption");
    }
    FFont->OnChange = [this](TObject*) { FontChange(); };
}

TiCheckBox::~TiCheckBox() { FFont->OnChange = nullptr; }

void TiCheckBox::SetCaption(const std::string& value) {
    if (value != Text()) SetText(value);
}

void TiCheckBox::Dispatch(TMessage& message) {
    TiCustomComponent::Dispatch(message);
    if (message.Msg == CM_TEXTCHANGED) {
        DoAutoSize();
        RequestRepaint();
    }
}

void TiCheckBox::SetChecked(bool value) {
    if (value == FChecked) return;
    bool canEdit = true;
    if (OnRequestEdit) OnRequestEdit(this, "Checked", canEdit);
    if (!canEdit) return;
    FChecked = value;
    RequestRepaint();
    DoChange();
    OPCPropertyChanged("Checked", TVariant(value));
}

void TiCheckBox::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    RequestRepaint();
}

void TiCheckBox::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    DoAutoSize();
    RequestRepaint();
}

void TiCheckBox::FontChange() {
    DoAutoSize();
    RequestRepaint();
}

void TiCheckBox::DoChange() {
    if (IsLoading()) return;
    if (OnChangeProtected) OnChangeProtected(this, "Checked");
    if (OnChange) OnChange(this);
    if (OnChangeUser && FUserGenerated) OnChangeUser(this);
}

void TiCheckBox::DoAutoSize() {
    if (!FAutoSize || ComponentState().Contains(csLoading) || FDoingAutoSize) return;
    TFlagScope guard(FDoingAutoSize);
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(FFont.get());
    const int w = scratch.Canvas()->TextWidth(Caption()) + 20;
    const int h = scratch.Canvas()->TextHeight(Caption()) + 4;
    int left = Left();
    if (FAlignment == taLeftJustify) left += Width() - w;  // the right edge (the box) stays
    SetBounds(left, Top(), w, h);
}

void TiCheckBox::PaintToCanvas(TCanvas* canvas) {
    SetTransparent(true);
    DrawBackGround(canvas, GetBackGroundColor());

    const int h = Height() / 2;
    canvas->Font()->Assign(FFont.get());
    canvas->Brush()->SetStyle(bsSolid);
    const int tw = canvas->TextWidth(Caption());
    const int th = canvas->TextHeight(Caption());
    const int t = h - th / 2 - 1;
    TRect box;
    TRect text;
    if (FAlignment == taLeftJustify) {
        box = {Width() - 13, h - 7, Width(), h + 6};
        text = {1, t, tw + 1, t + th};
    } else {
        box = {0, h - 7, 13, h + 6};
        text = {18, t, tw + 18, t + th};
    }

    canvas->Brush()->SetColor(Pressed() || !Enabled() ? GetBackGroundColor() : clWhite);
    canvas->FillRect(box);
    DrawFrameEdge(canvas, box, 0);

    canvas->Brush()->SetStyle(bsClear);
    TRect captionRect = text;
    DrawTextFormatted(canvas, Caption(), captionRect, kCaptionFlags, Enabled(),
                      GetBackGroundColor());

    if (FChecked) {
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetColor(clBlack);
        canvas->Pen()->SetWidth(1);
        const int l = box.Left;
        for (int d = 0; d >= -2; --d) {
            canvas->Polyline({{l + 3, h + d}, {l + 5, h + 2 + d}, {l + 10, h - 3 + d}});
        }
    }

    if (GetHasFocus()) {
        TRect focus{text.Left - 1, text.Top - 1, text.Right + 1, text.Bottom + 2};
        focus = {std::max(focus.Left, 0), std::max(focus.Top, 0),
                 std::min(focus.Right, Width() - 1), std::min(focus.Bottom, Height() - 1)};
        canvas->Font()->SetColor(clWhite);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(clBlack);
        DrawFocusRectangle(canvas, focus);
    }
}

void TiCheckBox::Toggle() {
    TFlagScope user(FUserGenerated);
    SetChecked(!FChecked);
}

void TiCheckBox::iMouseDown(TMouseButton button, TShiftState, int, int) {
    if (button != mbLeft) return;
    FocusComponent(this);
    FMouseDown = true;
    RequestRepaint();
}

void TiCheckBox::iMouseUp(TMouseButton, TShiftState, int x, int y) {
    if (!FMouseDown) return;
    RequestRepaint();
    FMouseDown = false;
    if (x >= 0 && y >= 0 && x < Width() && y < Height()) Toggle();
}

void TiCheckBox::iKeyDown(TKeyCode& key, TShiftState) {
    if (key != VK_SPACE) return;
    FMouseDown = false;
    FKeyDown = true;
    RequestRepaint();
}

void TiCheckBox::iKeyUp(TKeyCode& key, TShiftState) {
    if (key == VK_SPACE && FKeyDown) {
        RequestRepaint();
        Toggle();
    }
    FKeyDown = false;
}

void TiCheckBox::LoseFocus() {
    FMouseDown = false;
    FKeyDown = false;
    RequestRepaint();
    TiCustomComponent::LoseFocus();
}

void TiCheckBox::GainFocus() {
    TiCustomComponent::GainFocus();
    RepaintNow();
}

}  // namespace dsp
