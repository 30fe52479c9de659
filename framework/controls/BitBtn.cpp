#include "framework/controls/BitBtn.h"

#include <array>

#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

struct TKindInfo {
    const char* caption;
    TModalResult result;
};

TKindInfo KindInfo(TBitBtnKind kind) {
    switch (kind) {
        case bkOK: return {"OK", mrOk};
        case bkCancel: return {"Cancel", mrCancel};
        case bkHelp: return {"&Help", mrNone};
        case bkYes: return {"&Yes", mrYes};
        case bkNo: return {"&No", mrNo};
        case bkClose: return {"&Close", mrNone};
        case bkAbort: return {"Abort", mrAbort};
        case bkRetry: return {"&Retry", mrRetry};
        case bkIgnore: return {"&Ignore", mrIgnore};
        case bkAll: return {"&All", mrAll};
        default: return {"", mrNone};
    }
}

// The glyphs are small line drawings on an olive transparent ground.
constexpr TColor kGlyphGround = clOlive;

void Line(TCanvas& c, TColor color, int width, std::initializer_list<TPoint> points) {
    c.Pen()->SetColor(color);
    c.Pen()->SetWidth(width);
    auto it = points.begin();
    c.MoveTo(it->X, it->Y);
    for (++it; it != points.end(); ++it) c.LineTo(it->X, it->Y);
}

}  // namespace

void DrawKindGlyph(TBitmap& target, TBitBtnKind kind) {
    target.SetSize(18, 18);
    TCanvas& c = *target.Canvas();
    c.Brush()->SetColor(kGlyphGround);
    c.FillRect(Rect(0, 0, 18, 18));
    switch (kind) {
        case bkOK:
        case bkYes: Line(c, clGreen, 3, {{3, 9}, {7, 13}, {15, 4}}); break;
        case bkCancel:
        case bkNo:
        case bkAbort:
            Line(c, clRed, 3, {{4, 4}, {14, 14}});
            Line(c, clRed, 3, {{14, 4}, {4, 14}});
            break;
        case bkHelp:
            c.Font()->SetColor(clNavy);
            c.Font()->SetStyle({fsBold});
            c.Font()->SetHeight(-15);
            c.Brush()->SetStyle(bsClear);
            c.TextOut(5, 0, "?");
            break;
        case bkClose:
            c.Brush()->SetColor(clNavy);
            c.FrameRect(Rect(3, 2, 13, 16));
            c.Brush()->SetColor(clYellow);
            c.FillRect(Rect(9, 8, 11, 10));
            break;
        case bkRetry:
            Line(c, clGreen, 2, {{13, 5}, {8, 3}, {4, 6}, {4, 12}, {8, 15}, {13, 13}});
            Line(c, clGreen, 2, {{13, 2}, {13, 6}, {9, 6}});
            break;
        case bkIgnore:
            Line(c, clNavy, 2, {{3, 9}, {15, 9}});
            Line(c, clNavy, 2, {{11, 5}, {15, 9}, {11, 13}});
            break;
        case bkAll:
            Line(c, clGreen, 2, {{2, 9}, {5, 12}, {10, 5}});
            Line(c, clGreen, 2, {{8, 9}, {11, 12}, {16, 5}});
            break;
        default: break;
    }
    // The bottom-left pixel names the transparent colour.
    c.SetPixels(0, 17, kGlyphGround);
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>()) {
    glyph_->OnChange = [this](TObject*) { Invalidate(); };
}

TBitBtn::~TBitBtn() { glyph_->OnChange = nullptr; }

void TBitBtn::SetGlyph(TBitmap* value) {
    glyph_->Assign(value);
    if (kind_ != bkCustom) kind_ = bkCustom;
}

void TBitBtn::SetKind(TBitBtnKind value) {
    if (kind_ == value) return;
    kind_ = value;
    if (value == bkCustom) return;
    const TKindInfo info = KindInfo(value);
    SetCaption(info.caption);
    SetModalResult(info.result);
    SetDefault(value == bkOK || value == bkYes);
    SetCancel(value == bkCancel || value == bkNo);
    DrawKindGlyph(*glyph_, value);
    SetNumGlyphs(1);
    Invalidate();
}

void TBitBtn::Click() {
    if (kind_ == bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            TWinControl::Click();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::PaintContent(TCanvas& canvas, const TRect& content) {
    const TButtonState state = !Enabled() ? bsDisabled : Pressed() ? bsDown : bsUp;
    canvas.Font()->SetColor(Font()->Color());
    settings_.Draw(canvas, content, glyph_.get(), state, Caption(), Enabled());
}

}  // namespace dsp
