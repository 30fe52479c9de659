#pragma once
// The settings objects of the LED and demo buttons: TVrPersistent (change notice with update
// batching), the two-colour palette of an LED (TVrPalette) and 3-D text (TVrFont3D).

#include <string>

#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"

namespace dsp {

class TVrPersistent : public TPersistent {
public:
    // Raised after each change, unless an update is running.
    TNotifyEvent OnChange;

    void BeginUpdate() { ++updateCount_; }
    // Ends one update (never below none) and raises the change.
    void EndUpdate();

protected:
    void Changed();

private:
    int updateCount_ = 0;
};

class TVrPalette : public TVrPersistent {
    DSP_PUBLISHED(TVrPalette, TPersistent) {
        using P = Published<TVrPalette>;
        return {
            P::Property("Low", &TVrPalette::Low, &TVrPalette::SetLow).Default(clGreen),
            P::Property("High", &TVrPalette::High, &TVrPalette::SetHigh).Default(clLime),
        };
    }

public:
    TColor Low() const { return low_; }
    void SetLow(TColor value);
    TColor High() const { return high_; }
    void SetHigh(TColor value);
    // Low for a state of 0 or less, High otherwise.
    TColor Colors(int state) const { return state <= 0 ? low_ : high_; }

    // Recolours a two-colour picture in place: dark pixels become Low, light ones High.
    void ToBMP(TBitmap& picture, TColor darkColor, TColor lightColor) const;

    void Assign(TPersistent* source) override;

private:
    TColor low_ = clGreen;
    TColor high_ = clLime;
};

enum TVrFont3DStyle { f3dNone, f3dRaised, f3dSunken, f3dShadow };
DSP_ENUM_NAMES(TVrFont3DStyle, "f3dNone", "f3dRaised", "f3dSunken", "f3dShadow")

class TVrFont3D : public TVrPersistent {
    DSP_PUBLISHED(TVrFont3D, TPersistent) {
        using P = Published<TVrFont3D>;
        using C = TVrFont3D;
        return {
            P::Property("Style", &C::Style, &C::SetStyle).Default(f3dNone),
            P::Property("HighlightColor", &C::HighlightColor, &C::SetHighlightColor)
                .Default(clBtnHighlight),
            P::Property("ShadowColor", &C::ShadowColor, &C::SetShadowColor).Default(clBtnShadow),
            P::Property("HighlightDepth", &C::HighlightDepth, &C::SetHighlightDepth).Default(1),
            P::Property("ShadowDepth", &C::ShadowDepth, &C::SetShadowDepth).Default(1),
        };
    }

public:
    TVrFont3DStyle Style() const { return style_; }
    void SetStyle(TVrFont3DStyle value);
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor value);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value);
    int HighlightDepth() const { return highlightDepth_; }
    void SetHighlightDepth(int value);
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int value);

    // The text with its 3-D copies, in the canvas font (clear brush); the text itself last, in
    // the font's own colour.
    void Paint(TCanvas& canvas, TRect r, unsigned format, const std::string& text) const;

    void Assign(TPersistent* source) override;

private:
    TVrFont3DStyle style_ = f3dNone;
    TColor highlightColor_ = clBtnHighlight;
    TColor shadowColor_ = clBtnShadow;
    int highlightDepth_ = 1;
    int shadowDepth_ = 1;
};

}  // namespace dsp
