// The plot toolbar's glyphs: 16-colour bitmaps of 24 x 24 pixels (large buttons) and 16 x 16
// pixels (small buttons, named with "SMALL" in front), on the transparent colour clTeal.

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor kKey = clTeal;

std::unique_ptr<TBitmap> GlyphPicture(int size) {
    auto picture = NewPicture(size, size, kKey);
    picture->SetPixelFormat(pf4bit);
    return picture;
}

// Scrolling the axes: a cross of two shafts, two pixels thick, with an arrow head at each of
// the four ends. Each head is drawn row by row, so that it stays pixel-exact at both sizes.
std::unique_ptr<TBitmap> ScrollGlyph(int size) {
    auto picture = GlyphPicture(size);
    TCanvas& c = *picture->Canvas();
    const int mid = size / 2;
    const int edge = size <= 16 ? 1 : 2;   // from the picture's edge to a tip
    const int depth = size <= 16 ? 3 : 4;  // rows of a head, the tip's included
    const int near = edge;
    const int far = size - 1 - edge;
    c.Brush()->SetColor(clNavy);
    c.FillRect(Rect(near + depth, mid - 1, far - depth + 1, mid + 1));
    c.FillRect(Rect(mid - 1, near + depth, mid + 1, far - depth + 1));
    for (int i = 0; i < depth; ++i) {
        // Row i of a head spans the shaft's two pixels and i more on each side.
        c.FillRect(Rect(near + i, mid - 1 - i, near + i + 1, mid + 1 + i));  // left
        c.FillRect(Rect(far - i, mid - 1 - i, far - i + 1, mid + 1 + i));    // right
        c.FillRect(Rect(mid - 1 - i, near + i, mid + 1 + i, near + i + 1));  // up
        c.FillRect(Rect(mid - 1 - i, far - i, mid + 1 + i, far - i + 1));    // down
    }
    return picture;
}

}  // namespace

std::vector<TPictureDef> PlotToolbarPictures() {
    return {
        {"SCROLL", TFileKind::Bitmap, [] { return ScrollGlyph(24); }},
        {"SMALLSCROLL", TFileKind::Bitmap, [] { return ScrollGlyph(16); }},
    };
}

}  // namespace dsp::artwork
