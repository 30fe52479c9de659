#include "framework/controls/ButtonGlyph.h"

#include <algorithm>

#include "framework/controls/ClassicDraw.h"

namespace dsp {

TGlyphPlacement PlaceGlyphAndText(const TRect& client, TSize glyphSize, TSize textSize,
                                  TButtonLayout layout, int margin, int spacing) {
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const TPoint extent{client.Width(), client.Height()};
    const bool hasGlyph = glyphSize.cx > 0 && glyphSize.cy > 0;
    const bool hasText = textSize.cx > 0;
    if (!hasGlyph || !hasText) spacing = 0;
    const int glyphLength = horizontal ? glyphSize.cx : glyphSize.cy;
    const int textLength = horizontal ? textSize.cx : textSize.cy;
    const int room = horizontal ? extent.X : extent.Y;
    int total = glyphLength + textLength;
    if (margin == -1) {
        if (spacing == -1) {
            // Equal gaps before, between and after.
            const int gap = (room - total) / 3;
            margin = gap;
            spacing = gap;
        } else {
            total += spacing;
            margin = (room - total) / 2;
        }
    } else if (spacing == -1) {
        spacing = (room - margin - total) / 2;
    }
    TPoint glyph;
    TPoint text;
    // Across the layout both are centred.
    const int acrossRoom = horizontal ? extent.Y : extent.X;
    const int glyphAcross = (acrossRoom - (horizontal ? glyphSize.cy : glyphSize.cx)) / 2;
    const int textAcross = (acrossRoom - (horizontal ? textSize.cy : textSize.cx)) / 2;
    switch (layout) {
        case blGlyphLeft:
            glyph = {margin, glyphAcross};
            text = {margin + glyphLength + spacing, textAcross};
            break;
        case blGlyphRight:
            glyph = {room - margin - glyphLength, glyphAcross};
            text = {glyph.X - spacing - textLength, textAcross};
            break;
        case blGlyphTop:
            glyph = {glyphAcross, margin};
            text = {textAcross, margin + glyphLength + spacing};
            break;
        case blGlyphBottom:
            glyph = {glyphAcross, room - margin - glyphLength};
            text = {textAcross, glyph.Y - spacing - textLength};
            break;
    }
    TGlyphPlacement placement;
    placement.glyph = {client.Left + glyph.X, client.Top + glyph.Y};
    placement.text = Bounds(client.Left + text.X, client.Top + text.Y, textSize.cx, textSize.cy);
    return placement;
}

TSize GlyphSize(const TBitmap* glyph, int numGlyphs) {
    if (glyph == nullptr || glyph->Empty()) return {};
    numGlyphs = std::clamp(numGlyphs, 1, 4);
    return {glyph->Width() / numGlyphs, glyph->Height()};
}

void DrawButtonGlyph(TCanvas& canvas, const TBitmap* glyph, int numGlyphs, TButtonState state,
                     int x, int y) {
    const TSize size = GlyphSize(glyph, numGlyphs);
    if (size.cx <= 0 || size.cy <= 0) return;
    numGlyphs = std::clamp(numGlyphs, 1, 4);
    int index = 0;
    switch (state) {
        case bsDisabled: index = numGlyphs > 1 ? 1 : -1; break;
        case bsDown: index = numGlyphs > 2 ? 2 : 0; break;
        case bsExclusive: index = numGlyphs > 3 ? 3 : 0; break;
        default: index = 0; break;
    }
    const TColorRef key = glyph->PixelAt(0, glyph->Height() - 1);
    if (index >= 0) {
        TBitmap part(size.cx, size.cy);
        part.Canvas()->CopyRect(Rect(0, 0, size.cx, size.cy), glyph->Canvas(),
                                Bounds(index * size.cx, 0, size.cx, size.cy));
        part.SetTransparentColor(static_cast<TColor>(key));
        part.SetTransparent(true);
        canvas.Draw(x, y, &part);
        return;
    }
    // Made disabled look: the picture's dark pixels embossed.
    for (int pass = 0; pass < 2; ++pass) {
        const TColor color = pass == 0 ? clBtnHighlight : clBtnShadow;
        const int d = pass == 0 ? 1 : 0;
        for (int py = 0; py < size.cy; ++py)
            for (int px = 0; px < size.cx; ++px) {
                const TColorRef c = glyph->PixelAt(px, py);
                if (c == key) continue;
                const int luminance =
                    (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
                if (luminance < 192) canvas.SetPixels(x + px + d, y + py + d, color);
            }
    }
}

void DrawButtonCaption(TCanvas& canvas, const std::string& caption, TRect rect, bool enabled) {
    if (caption.empty()) return;
    const TBrushStyle style = canvas.Brush()->Style();
    DrawCaptionText(canvas, caption, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE, enabled);
    canvas.Brush()->SetStyle(style);
}

bool TGlyphSettings::SetLayout(TButtonLayout value) {
    if (layout_ == value) return false;
    layout_ = value;
    return true;
}

bool TGlyphSettings::SetMargin(int value) {
    if (margin_ == value || value < -1) return false;
    margin_ = value;
    return true;
}

bool TGlyphSettings::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (numGlyphs_ == value) return false;
    numGlyphs_ = value;
    return true;
}

bool TGlyphSettings::SetSpacing(int value) {
    if (spacing_ == value) return false;
    spacing_ = value;
    return true;
}

void TGlyphSettings::Draw(TCanvas& canvas, const TRect& client, const TBitmap* glyph,
                          TButtonState state, const std::string& caption, bool enabled,
                          int shift) const {
    const TSize text = caption.empty() ? TSize{} : canvas.TextExtent(caption);
    const TGlyphPlacement place =
        PlaceGlyphAndText(client, GlyphSize(glyph, numGlyphs_), text, layout_, margin_, spacing_);
    DrawButtonGlyph(canvas, glyph, numGlyphs_, state, place.glyph.X + shift, place.glyph.Y + shift);
    DrawButtonCaption(canvas, caption, OffsetRect(place.text, shift, shift), enabled);
}

}  // namespace dsp
