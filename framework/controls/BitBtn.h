#pragma once
// TBitBtn: a push button with a glyph beside its caption. A Kind other than bkCustom gives the
// button its standard caption, glyph and modal result (and makes OK and Yes buttons default,
// Cancel and No buttons cancel buttons); a Close button closes its form.

#include <memory>

#include "framework/controls/Button.h"
#include "framework/controls/ButtonGlyph.h"

namespace dsp {

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
DSP_ENUM_NAMES(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
               "bkAbort", "bkRetry", "bkIgnore", "bkAll")

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
DSP_ENUM_NAMES(TButtonStyle, "bsAutoDetect", "bsWin31", "bsNew")

class TBitBtn : public TButton {
    DSP_PUBLISHED(TBitBtn, TButton) {
        using P = Published<TBitBtn>;
        return {
            P::Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph),
            P::Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom),
            P::Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft),
            P::Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1),
            P::Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Default(1),
            P::Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4),
            P::Property("Style", &TBitBtn::Style, &TBitBtn::SetStyle).Default(bsAutoDetect),
        };
    }

public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* value);
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind value);
    TButtonLayout Layout() const { return settings_.Layout(); }
    void SetLayout(TButtonLayout value) { Changed(settings_.SetLayout(value)); }
    int Margin() const { return settings_.Margin(); }
    void SetMargin(int value) { Changed(settings_.SetMargin(value)); }
    int NumGlyphs() const { return settings_.NumGlyphs(); }
    void SetNumGlyphs(int value) { Changed(settings_.SetNumGlyphs(value)); }
    int Spacing() const { return settings_.Spacing(); }
    void SetSpacing(int value) { Changed(settings_.SetSpacing(value)); }
    // Kept for the forms; every style draws in the classic look.
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle value) { style_ = value; }

    // A Close button closes its form; the others act as push buttons.
    void Click() override;

protected:
    void PaintContent(TCanvas& canvas, const TRect& content) override;

private:
    void Changed(bool repaint) {
        if (repaint) Invalidate();
    }

    std::unique_ptr<TBitmap> glyph_;
    TBitBtnKind kind_ = bkCustom;
    TGlyphSettings settings_;
    TButtonStyle style_ = bsAutoDetect;
};

// The picture of a standard kind, drawn in the classic look (18 x 18, transparent background).
void DrawKindGlyph(TBitmap& target, TBitBtnKind kind);

}  // namespace dsp
