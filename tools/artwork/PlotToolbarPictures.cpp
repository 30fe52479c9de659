// The plot toolbar's glyphs: 16-colour bitmaps of 24 x 24 pixels (large buttons) and 16 x 16
// pixels (small buttons, named with "SMALL" in front), on the transparent colour clTeal.
//
// Every glyph is drawn from one design on a 24-pixel grid: coordinates are scaled to the
// picture's size and rounded, and the strokes keep their width in whole pixels (two on the large
// glyphs, one or two on the small ones), so both sizes stay crisp. One palette for all: dark
// outlines in black and navy, paper in white, accents in blue, green, red and yellow.

#include <cmath>
#include <vector>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor kKey = clTeal;

// Drawing on one glyph with the 24-pixel design grid.
class TGlyph {
public:
    explicit TGlyph(int size) : picture_(NewPicture(size, size, kKey)), size_(size) {
        picture_->SetPixelFormat(pf4bit);
        c().Pen()->SetWidth(1);
    }
    std::unique_ptr<TBitmap> Take() { return std::move(picture_); }

    bool Small() const { return size_ < 24; }
    // A design coordinate (0..24) on this picture.
    int P(double v) const { return static_cast<int>(std::lround(v * size_ / 24.0)); }
    TPoint Pt(double x, double y) const { return {P(x), P(y)}; }

    // A filled rectangle, right and bottom exclusive, in design coordinates.
    void Fill(double l, double t, double r, double b, TColor color) {
        c().Brush()->SetStyle(bsSolid);
        c().Brush()->SetColor(color);
        c().FillRect(Rect(P(l), P(t), P(r), P(b)));
    }
    // A one-pixel frame around the rectangle, with the inside filled (clNone: not filled).
    void Box(double l, double t, double r, double b, TColor outline, TColor inside) {
        const TRect box = Rect(P(l), P(t), P(r), P(b));
        if (inside != clNone) {
            c().Brush()->SetStyle(bsSolid);
            c().Brush()->SetColor(inside);
            c().FillRect(box);
        }
        c().Brush()->SetStyle(bsSolid);
        c().Brush()->SetColor(outline);
        c().FrameRect(box);
    }
    // A filled polygon with a one-pixel outline.
    void Shape(const std::vector<TPoint>& points, TColor outline, TColor inside) {
        c().Pen()->SetStyle(psSolid);
        c().Pen()->SetWidth(1);
        c().Pen()->SetColor(outline);
        c().Brush()->SetStyle(bsSolid);
        c().Brush()->SetColor(inside);
        c().Polygon(points);
    }
    // A line of whole pixels between two design points; width in pixels.
    void Line(double x1, double y1, double x2, double y2, TColor color, int width = 1) {
        c().Pen()->SetStyle(psSolid);
        c().Pen()->SetColor(color);
        c().Pen()->SetWidth(width);
        c().MoveTo(P(x1), P(y1));
        c().LineTo(P(x2), P(y2));
        c().Pen()->SetWidth(1);
    }
    // A ring or disc in the design box.
    void Ellipse(double l, double t, double r, double b, TColor outline, TColor inside,
                 int width = 1) {
        c().Pen()->SetStyle(psSolid);
        c().Pen()->SetColor(outline);
        c().Pen()->SetWidth(width);
        c().Brush()->SetStyle(inside == clNone ? bsClear : bsSolid);
        c().Brush()->SetColor(inside == clNone ? clWhite : inside);
        c().Ellipse(P(l), P(t), P(r), P(b));
        c().Pen()->SetWidth(1);
        c().Brush()->SetStyle(bsSolid);
    }
    void Pixel(int x, int y, TColor color) { c().SetPixels(x, y, color); }
    TCanvas& c() { return *picture_->Canvas(); }

private:
    std::unique_ptr<TBitmap> picture_;
    int size_;
};

// A stroke width of about two design pixels: 2 on the large glyph, 1 on the small one.
int Stroke(const TGlyph& g) { return g.Small() ? 1 : 2; }

// ---- tracking

// Resume: a green "play" triangle.
std::unique_ptr<TBitmap> Resume(int size) {
    TGlyph g(size);
    g.Shape({g.Pt(7, 4), g.Pt(19, 12), g.Pt(7, 20)}, clGreen, clLime);
    return g.Take();
}

// Pause: two upright bars.
std::unique_ptr<TBitmap> Pause(int size) {
    TGlyph g(size);
    g.Box(6, 5, 11, 19, clNavy, clBlue);
    g.Box(13, 5, 18, 19, clNavy, clBlue);
    return g.Take();
}

// ---- axes mode

// Scroll: a cross of shafts with an arrow head at each of the four ends.
std::unique_ptr<TBitmap> Scroll(int size) {
    TGlyph g(size);
    TCanvas& c = g.c();
    const int mid = size / 2;
    const int edge = g.Small() ? 1 : 2;   // from the picture's edge to a tip
    const int depth = g.Small() ? 3 : 4;  // rows of a head, the tip's included
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
    return g.Take();
}

// The magnifier the zoom glyphs share: a lens at (l, t, r, b) with its handle to the lower right.
void Magnifier(TGlyph& g, double l, double t, double r, double b) {
    g.Line(r - 1.5, b - 1.5, 21, 21, clMaroon, g.Small() ? 2 : 3);
    g.Ellipse(l, t, r, b, clBlack, clWhite, Stroke(g));
}

// Zoom (axes mode): the magnifier alone, its glass tinted.
std::unique_ptr<TBitmap> Zoom(int size) {
    TGlyph g(size);
    g.Line(14.5, 14.5, 21, 21, clMaroon, g.Small() ? 2 : 3);
    g.Ellipse(2, 2, 16, 16, clBlack, clAqua, Stroke(g));
    return g.Take();
}

// Zoom in and out: the magnifier with a plus or a minus in the glass.
std::unique_ptr<TBitmap> ZoomInOut(int size, bool in) {
    TGlyph g(size);
    Magnifier(g, 2, 2, 16, 16);
    const double reach = 3.5;
    g.Line(9 - reach, 9, 9 + reach, 9, clBlue, 2);
    if (in) g.Line(9, 9 - reach, 9, 9 + reach, clBlue, 2);
    return g.Take();
}

// ---- select, zoom box, cursor

// Draws a pixel mask: 'B' black, 'W' white, anything else left as it is.
void Mask(TGlyph& g, int left, int top, const std::vector<const char*>& rows) {
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (int x = 0; rows[y][x] != 0; ++x) {
            const char c = rows[y][x];
            if (c == 'B') g.Pixel(left + x, top + static_cast<int>(y), clBlack);
            if (c == 'W') g.Pixel(left + x, top + static_cast<int>(y), clWhite);
        }
    }
}

// Select: the arrow pointer, drawn pixel by pixel at each size.
std::unique_ptr<TBitmap> Select(int size) {
    TGlyph g(size);
    if (!g.Small()) {
        Mask(g, 7, 2,
             {"B", "BB", "BWB", "BWWB", "BWWWB", "BWWWWB", "BWWWWWB", "BWWWWWWB", "BWWWWWWWB",
              "BWWWWWWWWB", "BWWWWWWWWWB", "BWWWWWWBBBBB", "BWWWBWWB", "BWWB BWWB", "BWB  BWWB",
              "BB    BWWB", "B     BWWB", "       BWWB", "       BBB"});
    } else {
        Mask(g, 4, 1,
             {"B", "BB", "BWB", "BWWB", "BWWWB", "BWWWWB", "BWWWWWB", "BWWWWWWB", "BWWWBBBB",
              "BWBBWB", "BB BWWB", "B   BWB", "    BB"});
    }
    return g.Take();
}

// Zoom box: a dotted frame with a small magnifier at its corner.
std::unique_ptr<TBitmap> ZoomBox(int size) {
    TGlyph g(size);
    TCanvas& c = g.c();
    const TRect frame = Rect(g.P(2), g.P(3), g.P(19), g.P(17));
    // A frame of alternate pixels, black on white.
    c.Brush()->SetColor(clWhite);
    c.FrameRect(frame);
    for (int x = frame.Left; x < frame.Right; x += 2) {
        g.Pixel(x, frame.Top, clBlack);
        g.Pixel(x, frame.Bottom - 1, clBlack);
    }
    for (int y = frame.Top; y < frame.Bottom; y += 2) {
        g.Pixel(frame.Left, y, clBlack);
        g.Pixel(frame.Right - 1, y, clBlack);
    }
    g.Line(17.5, 17.5, 22, 22, clMaroon, g.Small() ? 2 : 3);
    g.Ellipse(10, 10, 19, 19, clBlack, clWhite, Stroke(g));
    return g.Take();
}

// Cursor: cross hairs with a value box, as a data cursor stands on a curve.
std::unique_ptr<TBitmap> Cursor(int size) {
    TGlyph g(size);
    // A curve passing under the cross (one rising stroke on the small glyph).
    if (g.Small()) {
        g.Line(2, 21, 21, 6, clGreen, 2);
    } else {
        g.Line(2, 19, 8, 13, clGreen, 2);
        g.Line(8, 13, 14, 15, clGreen, 2);
        g.Line(14, 15, 22, 6, clGreen, 2);
    }
    g.Line(11, 2, 11, 22, clRed);
    g.Line(2, 14, 22, 14, clRed);
    g.Box(13, 3, 22, 9, clBlack, clYellow);
    return g.Take();
}

// ---- edit, copy, save, print, preview

// A sheet of paper with a folded corner and lines of text.
void Sheet(TGlyph& g, double l, double t, double r, double b, bool lines) {
    const double fold = 4.5;
    g.Shape({g.Pt(l, t), g.Pt(r - fold, t), g.Pt(r, t + fold), g.Pt(r, b), g.Pt(l, b)}, clBlack,
            clWhite);
    g.Shape({g.Pt(r - fold, t), g.Pt(r - fold, t + fold), g.Pt(r, t + fold)}, clBlack, clSilver);
    if (!lines) return;
    const double step = g.Small() ? 3 : 2.5;
    for (double y = t + fold + 2; y < b - 2; y += step) g.Line(l + 2.5, y, r - 2.5, y, clGray);
}

// Properties: a dialog sheet with a title bar and three settings, two of them ticked.
std::unique_ptr<TBitmap> Properties(int size) {
    TGlyph g(size);
    g.Box(2, 3, 22, 21, clBlack, clWhite);
    g.Fill(3, 4, 21, 7.5, clNavy);
    g.Fill(18, 5, 20, 6.5, clWhite);  // the close box
    for (int row = 0; row < 3; ++row) {
        const double y = 9 + row * 4;
        g.Box(4, y, 7.5, y + 3, clBlack, row == 1 ? clWhite : clLime);
        g.Line(9.5, y + 1.5, row == 2 ? 16 : 19, y + 1.5, clGray);
    }
    return g.Take();
}

// Copy: two sheets, one over the other.
std::unique_ptr<TBitmap> Copy(int size) {
    TGlyph g(size);
    Sheet(g, 2, 2, 14, 17, true);
    Sheet(g, 9, 7, 21, 22, true);
    return g.Take();
}

// Save: a floppy disk.
std::unique_ptr<TBitmap> Save(int size) {
    TGlyph g(size);
    g.Shape({g.Pt(3, 3), g.Pt(19, 3), g.Pt(21, 5), g.Pt(21, 21), g.Pt(3, 21)}, clBlack, clNavy);
    g.Box(6, 3, 17, 10, clBlack, clSilver);  // the shutter
    g.Fill(13, 4, 15.5, 9, clNavy);          // its window
    g.Box(6, 13, 18, 21, clBlack, clWhite);  // the label
    g.Line(8, 16, 16, 16, clGray);
    g.Line(8, 18.5, 16, 18.5, clGray);
    return g.Take();
}

// Print: a printer with a sheet coming out.
std::unique_ptr<TBitmap> Printer(int size) {
    TGlyph g(size);
    g.Box(6, 2, 18, 10, clBlack, clWhite);  // the paper fed in
    g.Shape({g.Pt(2, 9), g.Pt(22, 9), g.Pt(22, 18), g.Pt(2, 18)}, clBlack, clSilver);
    g.Fill(3, 10, 21, 12, clWhite);          // the body's light top
    g.Fill(17, 13.5, 20, 15, clLime);        // the lamp
    g.Box(6, 15, 18, 22, clBlack, clWhite);  // the printed sheet
    g.Line(8, 18, 16, 18, clGray);
    g.Line(8, 20, 14, 20, clGray);
    return g.Take();
}

// Preview: a sheet with a magnifier over it.
std::unique_ptr<TBitmap> Preview(int size) {
    TGlyph g(size);
    Sheet(g, 2, 2, 16, 21, true);
    g.Line(16.5, 16.5, 22, 22, clMaroon, g.Small() ? 2 : 3);
    g.Ellipse(8, 8, 18, 18, clBlack, clAqua, Stroke(g));
    return g.Take();
}

// Both sizes of one glyph.
void AddBoth(std::vector<TPictureDef>& list, const std::string& name,
             std::unique_ptr<TBitmap> (*draw)(int)) {
    list.push_back({name, TFileKind::Bitmap, [draw] { return draw(24); }});
    list.push_back({"SMALL" + name, TFileKind::Bitmap, [draw] { return draw(16); }});
}

}  // namespace

std::vector<TPictureDef> PlotToolbarPictures() {
    std::vector<TPictureDef> list;
    AddBoth(list, "AUTO", Resume);
    AddBoth(list, "PAUSE", Pause);
    AddBoth(list, "SCROLL", Scroll);
    AddBoth(list, "ZOOM", Zoom);
    AddBoth(list, "ZOOMOUT", [](int size) { return ZoomInOut(size, false); });
    AddBoth(list, "ZOOMIN", [](int size) { return ZoomInOut(size, true); });
    AddBoth(list, "SELECT", Select);
    AddBoth(list, "SCROLLBOX", ZoomBox);
    AddBoth(list, "CURSOR", Cursor);
    AddBoth(list, "PROPERTIES", Properties);
    AddBoth(list, "COPY", Copy);
    AddBoth(list, "SAVE", Save);
    AddBoth(list, "PRINTER", Printer);
    AddBoth(list, "PREVIEW", Preview);
    return list;
}

}  // namespace dsp::artwork
