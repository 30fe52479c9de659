// Pictures of the main window's own dialogs (test signal, about, link selection, copy, channel
// names): the graphite plate they stand on and the about dialog's background with the product's
// emblem. They share the main window's palette: dark plates lit from above, light text.

#include <cmath>
#include <vector>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

constexpr TColor kPlateTop = Rgb(50, 56, 67);
constexpr TColor kPlateBottom = Rgb(25, 28, 34);
constexpr TColor kRidge = Rgb(72, 80, 95);
constexpr TColor kGroove = Rgb(11, 12, 15);

// The plate behind a dialog: it is stretched to the dialog's client area, so it holds only a
// gradient from top to bottom and the lit line along its top.
std::unique_ptr<TBitmap> DialogPlate() {
    constexpr int kW = 64;
    constexpr int kH = 320;
    auto picture = NewPicture(kW, kH, kPlateBottom);
    VerticalGradient(*picture, Rect(0, 0, kW, kH), kPlateTop, kPlateBottom);
    TCanvas& c = *picture->Canvas();
    c.Pen()->SetColor(kRidge);
    c.MoveTo(0, 0);
    c.LineTo(kW, 0);
    return picture;
}

// A grid button of the link-selection dialog that cannot be chosen (its column's channel
// follows another): the buttons' face sunk into the field, flat and dark, 52 x 24 on the key
// colour.
std::unique_ptr<TBitmap> LinkCellDisabled() {
    constexpr int kW = 52;
    constexpr int kH = 24;
    auto picture = NewPicture(kW, kH, clTeal);
    VerticalGradient(*picture, Rect(0, 1, kW, kH - 1), Rgb(30, 33, 40), Rgb(34, 38, 46));
    TCanvas& c = *picture->Canvas();
    c.Pen()->SetColor(Rgb(44, 49, 58));
    c.Brush()->SetStyle(bsClear);
    c.RoundRect(0, 0, kW, kH, 6, 6);
    c.Brush()->SetStyle(bsSolid);
    KeyOutside(*picture, Rect(0, 0, kW, kH), Rgb(44, 49, 58), clTeal);
    return picture;
}

// Behind the about dialog (399 x 119): the plate with a groove under the two lines of text,
// and in the foot at its left the emblem: a recessed square holding a sine wave over a row of
// level bars, the editor's two trades.
std::unique_ptr<TBitmap> AboutBackground() {
    constexpr int kW = 399;
    constexpr int kH = 119;
    auto picture = NewPicture(kW, kH, kPlateBottom);
    VerticalGradient(*picture, Rect(0, 0, kW, kH), kPlateTop, kPlateBottom);
    TCanvas& c = *picture->Canvas();
    c.Pen()->SetColor(kGroove);
    c.MoveTo(12, 68);
    c.LineTo(kW - 12, 68);
    c.Pen()->SetColor(kRidge);
    c.MoveTo(12, 69);
    c.LineTo(kW - 12, 69);
    const TRect emblem = Rect(14, 77, 48, 111);
    VerticalGradient(*picture, emblem, Rgb(18, 21, 27), Rgb(30, 34, 42));
    c.Pen()->SetColor(kGroove);
    c.MoveTo(emblem.Left, emblem.Bottom - 1);
    c.LineTo(emblem.Left, emblem.Top);
    c.LineTo(emblem.Right, emblem.Top);
    c.Pen()->SetColor(kRidge);
    c.MoveTo(emblem.Right - 1, emblem.Top + 1);
    c.LineTo(emblem.Right - 1, emblem.Bottom - 1);
    c.LineTo(emblem.Left, emblem.Bottom - 1);
    // Level bars, green to amber, rising to the right.
    const TColor bars[] = {Rgb(52, 176, 92), Rgb(76, 200, 100), Rgb(150, 210, 80),
                           Rgb(226, 190, 60), Rgb(236, 140, 48)};
    for (int i = 0; i < 5; ++i) {
        const int left = emblem.Left + 4 + i * 5;
        const int top = emblem.Bottom - 8 - (i + 1) * 2;
        c.Pen()->SetColor(bars[i]);
        c.Brush()->SetColor(bars[i]);
        c.Rectangle(left, top, left + 4, emblem.Bottom - 4);
    }
    // The sine wave, two periods across the square.
    c.Pen()->SetColor(Rgb(120, 200, 255));
    std::vector<TPoint> wave;
    for (int x = emblem.Left + 3; x <= emblem.Right - 4; ++x) {
        const double t = (x - emblem.Left - 3) / 27.0 * 2 * 2 * 3.14159265358979;
        wave.push_back(Point(x, emblem.Top + 10 + static_cast<int>(std::lround(5 * std::sin(t)))));
    }
    c.Polyline(wave);
    return picture;
}

}  // namespace

std::vector<TPictureDef> ChannelDialogPictures() {
    return {
        {"DIALOG_PLATE", TFileKind::Jpeg, DialogPlate, 92},
        {"ABOUT_BACKGROUND", TFileKind::Jpeg, AboutBackground, 92},
        {"BTN_ROUTE_DISABLED", TFileKind::Bitmap, LinkCellDisabled},
    };
}

}  // namespace dsp::artwork
