#include "plot/decor/iRadioGroup.h"

#include <algorithm>

#include "framework/controls/ControlMessages.h"
#include "framework/controls/KeyMap.h"
#include "framework/text/Numbers.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

constexpr TiTextFlags kCaptionFlags = kTextLeft | kTextVCenter;
constexpr TiTextFlags kItemFlags = kTextLeft | kTextVCenter | kTextNoClip;

struct TStroke {
    int x1, y1, x2, y2;
};

// The round glyph of an item, stroke by stroke around its centre.
// clang-format off
constexpr TStroke kDarkShadow[] = {
    {-4, -2, -4, 2}, {-3, 2, -3, 3}, {-3, -3, -3, -5}, {-3, -4, -1, -4}, {-1, -5, 3, -5},
    {3, -4, 5, -4}};
constexpr TStroke kShadow[] = {
    {-5, -2, -5, 2}, {-4, 2, -4, 4}, {-4, -3, -4, -5}, {-3, -5, -1, -5}, {-1, -6, 3, -6},
    {3, -5, 5, -5}};
constexpr TStroke kFace[] = {
    {6, -3, 6, -5}, {6, 2, 6, 6}, {5, -2, 5, 2}, {4, -3, 4, -2}, {4, 2, 4, 4}, {5, 4, 5, 6},
    {-5, 5, -1, 5}, {3, 5, 5, 5}, {-1, 4, 3, 4}, {3, 3, 4, 3}, {-3, 3, -1, 3}};
constexpr TStroke kHighlight[] = {
    {5, -3, 5, -5}, {6, -2, 6, 2}, {5, 2, 5, 4}, {3, 4, 5, 4}, {-1, 5, 3, 5}, {-3, 4, -1, 4}};
// clang-format on

template <std::size_t N>
void DrawStrokes(TCanvas* canvas, TColor color, const TStroke (&strokes)[N], int x, int y) {
    canvas->Pen()->SetColor(color);
    for (const TStroke& s : strokes) {
        canvas->Polyline({{x + s.x1, y + s.y1}, {x + s.x2, y + s.y2}});
    }
}

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

TiRadioGroup::TiRadioGroup(TComponent* owner)
    : TiCustomComponent(owner),
      FFont(std::make_unique<TFont>()),
      FItems(std::make_unique<TStringList>()) {
    SetBounds(Left(), Top(), 97, 17);
    SetTabStop(true);
    SetText("Radio Group");
    FFont->OnChange = [this](TObject*) { ItemsChange(); };
    FItems->OnChange = [this](TObject*) { ItemsChange(); };
}

TiRadioGroup::~TiRadioGroup() {
    FFont->OnChange = nullptr;
    FItems->OnChange = nullptr;
}

void TiRadioGroup::SetCaption(const std::string& value) {
    if (value != Text()) SetText(value);
}

void TiRadioGroup::Dispatch(TMessage& message) {
    TiCustomComponent::Dispatch(message);
    if (message.Msg == CM_TEXTCHANGED) RequestRepaint();
}

void TiRadioGroup::SetItemIndex(int value) {
    value = std::max(value, -1);
    value = std::min(value, FItems->Count() - 1);
    if (value == FItemIndex) return;
    FItemIndex = value;
    FMouseDownIndex = value;
    RequestRepaint();
    DoChange();
}

void TiRadioGroup::SetColumns(int value) {
    if (value < 1 || value == FColumns) return;
    FColumns = value;
    RequestRepaint();
}

void TiRadioGroup::ItemsChange() {
    FItemIndex = std::min(std::max(FItemIndex, -1), FItems->Count() - 1);
    RequestRepaint();
}

void TiRadioGroup::DoChange() {
    if (IsLoading()) return;
    if (OnChangeProtected) OnChangeProtected(this, "ItemIndex");
    if (OnChange) OnChange(this);
    if (OnChangeUser && FUserGenerated) OnChangeUser(this);
}

int TiRadioGroup::GetItemAt(int x, int y) const {
    const int row = static_cast<int>(Round((y - FItemsRowStart) / FItemsRowSpacing));
    if (FColumns == 1) return row;
    return row + static_cast<int>(Trunc((x - FItemsColStart + 6) / FItemsColSpacing)) * FMaxRows;
}

void TiRadioGroup::PaintToCanvas(TCanvas* canvas) {
    SetTransparent(true);
    DrawBackGround(canvas, GetBackGroundColor());
    canvas->Font()->Assign(FFont.get());
    canvas->Brush()->SetStyle(bsSolid);
    const int cw = canvas->TextWidth("A");
    const int ch = canvas->TextHeight("ABC");
    const int hh = ch / 2;
    const int w = Width();
    const int h = Height();

    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->Polyline({{1, hh + 1}, {w - 2, hh + 1}});
    canvas->Polyline({{1, hh + 1}, {1, h - 1}});
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Polyline({{0, hh}, {w - 2, hh}, {w - 2, h - 2}, {0, h - 2}, {0, hh}});
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->Polyline({{w - 1, hh + 1}, {w - 1, h - 1}});
    canvas->Polyline({{w - 1, h - 1}, {0, h - 1}});

    TRect captionRect{cw, 0, cw + canvas->TextWidth(Caption()), canvas->TextHeight(Caption())};
    canvas->Brush()->SetColor(clWindow);
    canvas->FillRect(captionRect);
    DrawTextFormatted(canvas, Caption(), captionRect, kCaptionFlags, Enabled(),
                      GetBackGroundColor());

    const int count = FItems->Count();
    if (count == 0) return;
    FMaxRows = count / FColumns + (count % FColumns != 0 ? 1 : 0);
    FItemsRowSpacing = static_cast<double>((h - ch - ch / 4) / FMaxRows);
    FItemsRowStart = static_cast<int>(Round(ch + FItemsRowSpacing / 2));
    FItemsColStart = 14;
    FItemsColSpacing = static_cast<double>((w - 14) / FColumns);
    if (FItemsRowSpacing == 0) FItemsRowSpacing = 1;  // a control too low for its rows
    if (FItemsColSpacing == 0) FItemsColSpacing = 1;

    const bool pressed = FMouseDown || FKeyDown;
    for (int i = 0; i < count; ++i) {
        const int x = static_cast<int>(Round((i / FMaxRows) * FItemsColSpacing)) + 14;
        const int y = static_cast<int>(Round((i % FMaxRows) * FItemsRowSpacing)) + FItemsRowStart;
        const TColor face = pressed && FMouseDownIndex == i ? clBtnFace : clWhite;
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetColor(face);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(face);
        canvas->Rectangle(x - 3, y - 4, x + 5, y + 4);
        DrawStrokes(canvas, cl3DDkShadow, kDarkShadow, x, y);
        DrawStrokes(canvas, clBtnShadow, kShadow, x, y);
        DrawStrokes(canvas, clBtnFace, kFace, x, y);
        DrawStrokes(canvas, clBtnHighlight, kHighlight, x, y);

        const std::string text = FItems->Strings(i);
        const int tw = canvas->TextWidth(text);
        const int th = canvas->TextHeight(text);
        TRect textRect{x + 12, y - th / 2, x + 12 + tw, y + th / 2};
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(FFont->Color());
        DrawTextFormatted(canvas, text, textRect, kItemFlags, Enabled(), GetBackGroundColor());

        if (FItemIndex == i) {
            canvas->Pen()->SetColor(clBlack);
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(clBlack);
            canvas->Ellipse(x - 1, y - 2, x + 3, y + 2);
        }
        const bool marked =
            (FMouseDown && FMouseDownIndex == i) || (FItemIndex == i && !FMouseDown);
        if (GetHasFocus() && marked) {
            const TRect focus{x + 12 - 1, y - th / 2 - 1, x + 12 + tw + 1, y + th / 2 + 3};
            canvas->Font()->SetColor(clWhite);
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(clBlack);
            DrawFocusRectangle(canvas, focus);
        }
    }
}

void TiRadioGroup::iWantSpecialKey(TKeyCode& charCode, LRESULT& result) {
    if (charCode >= VK_LEFT && charCode <= VK_LEFT + 3) result = 1;
}

void TiRadioGroup::iKeyDown(TKeyCode& key, TShiftState) {
    FKeyDown = true;
    const int count = FItems->Count();
    if (key == VK_RIGHT || key == VK_DOWN) {
        key = 0;
        SetItemIndex(FItemIndex == count - 1 ? 0 : FItemIndex + 1);
    } else if (key == VK_LEFT || key == VK_UP) {
        key = 0;
        SetItemIndex(FItemIndex == 0 ? count - 1 : FItemIndex - 1);
    }
    RequestRepaint();
}

void TiRadioGroup::iKeyUp(TKeyCode&, TShiftState) {
    FKeyDown = false;
    RequestRepaint();
}

void TiRadioGroup::iMouseDown(TMouseButton button, TShiftState, int x, int y) {
    if (button != mbLeft) return;
    FocusComponent(this);
    FMouseDown = true;
    FMouseDownIndex = GetItemAt(x, y);
    RequestRepaint();
}

void TiRadioGroup::iMouseMove(TShiftState, int x, int y) {
    if (!FMouseDown) return;
    FMouseDownIndex = GetItemAt(x, y);
    RequestRepaint();
}

void TiRadioGroup::iMouseUp(TMouseButton, TShiftState, int x, int y) {
    if (!FMouseDown) return;
    RequestRepaint();
    FMouseDown = false;
    TFlagScope user(FUserGenerated);
    if (FMouseDownIndex >= 0 && FMouseDownIndex < FItems->Count() &&
        GetItemAt(x, y) == FMouseDownIndex) {
        SetItemIndex(FMouseDownIndex);
    }
}

void TiRadioGroup::LoseFocus() {
    FMouseDown = false;
    FKeyDown = false;
    RequestRepaint();
    TiCustomComponent::LoseFocus();
}

void TiRadioGroup::GainFocus() {
    TiCustomComponent::GainFocus();
    RepaintNow();
}

}  // namespace dsp
