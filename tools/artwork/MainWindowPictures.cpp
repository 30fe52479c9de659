// Pictures of the main window: the backgrounds behind its pages, the button strips of its
// function strip and channel strips, the delay marker, and the pictures of its confirmation
// dialogs.
//
// One palette runs through all of them: dark graphite plates lit from above, light text, and a
// colour for each kind of state a button keeps (green selected, red muted, amber inverted or
// bypassed, blue for units). Button strips hold four frames side by side, up, hot, down and
// stay-down, with the key colour clTeal outside the rounded face; their faces carry no text, the
// buttons write their captions over them.

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

constexpr TColor kKey = clTeal;

// ---- palette
// The plates behind the pages: the graph area above, the parameter plate below.
constexpr TColor kGraphTop = Rgb(38, 43, 52);
constexpr TColor kGraphBottom = Rgb(25, 28, 34);
constexpr TColor kPlateTop = Rgb(50, 56, 67);
constexpr TColor kPlateBottom = Rgb(40, 45, 54);
constexpr TColor kFootTop = Rgb(30, 33, 40);
constexpr TColor kFootBottom = Rgb(21, 23, 28);
constexpr TColor kGroove = Rgb(11, 12, 15);
constexpr TColor kRidge = Rgb(72, 80, 95);
constexpr TColor kStripTop = Rgb(58, 64, 76);
constexpr TColor kStripBottom = Rgb(30, 34, 41);

// The lower background: the rows where the plate and the foot begin (its own coordinates;
// the parameter panels sit on the plate, the preset strip on the foot).
constexpr int kPlateRow = 34;
constexpr int kFootRow = 323;

struct TFace {
    TColor top;
    TColor bottom;
    TColor outline;
    TColor shine;  // a light line under the top edge; clNone for none
};

// Up, hot and down are shared by every button; stay-down says what the button keeps.
constexpr TFace kUp{Rgb(74, 82, 96), Rgb(44, 49, 59), Rgb(12, 14, 18), Rgb(108, 118, 136)};
constexpr TFace kHot{Rgb(90, 100, 118), Rgb(54, 61, 74), Rgb(92, 148, 220), Rgb(136, 148, 168)};
constexpr TFace kDown{Rgb(28, 31, 38), Rgb(50, 56, 67), Rgb(8, 9, 11), clNone};
// The function pages' up face: the same graphite with a cool cast.
constexpr TFace kUpFunction{Rgb(68, 82, 104), Rgb(38, 47, 62), Rgb(12, 14, 18), Rgb(104, 122, 150)};

constexpr TFace kSelected{Rgb(34, 88, 56), Rgb(16, 50, 30), Rgb(76, 214, 116), Rgb(64, 136, 92)};
constexpr TFace kMuted{Rgb(196, 54, 44), Rgb(118, 24, 20), Rgb(255, 118, 100), Rgb(232, 116, 104)};
constexpr TFace kInverted{Rgb(206, 136, 30), Rgb(132, 78, 10), Rgb(255, 198, 96),
                          Rgb(236, 186, 108)};
constexpr TFace kBypassed{Rgb(188, 150, 28), Rgb(118, 88, 8), Rgb(255, 220, 90),
                          Rgb(226, 200, 110)};
constexpr TFace kBand{Rgb(40, 122, 72), Rgb(18, 70, 38), Rgb(112, 232, 142), Rgb(86, 170, 116)};
constexpr TFace kUnit{Rgb(46, 96, 172), Rgb(24, 52, 106), Rgb(124, 174, 244), Rgb(98, 144, 210)};

void DrawFace(TBitmap& picture, const TRect& frame, const TFace& face, int radius) {
    TCanvas& c = *picture.Canvas();
    VerticalGradient(picture, InflateRect(frame, 0, -1), face.top, face.bottom);
    if (face.shine != clNone) {
        c.Pen()->SetColor(face.shine);
        c.MoveTo(frame.Left + radius / 2 + 1, frame.Top + 1);
        c.LineTo(frame.Right - radius / 2 - 1, frame.Top + 1);
    }
    c.Pen()->SetColor(face.outline);
    c.Brush()->SetStyle(bsClear);
    c.RoundRect(frame.Left, frame.Top, frame.Right, frame.Bottom, radius, radius);
    c.Brush()->SetStyle(bsSolid);
    KeyOutside(picture, frame, face.outline, kKey);
}

// A strip of the four frames: up, hot, down and stay-down.
std::unique_ptr<TBitmap> Strip(int width, int height, const TFace& up, const TFace& stayDown,
                               int radius = 6) {
    auto picture = NewPicture(width * 4, height, kKey);
    const TFace faces[] = {up, kHot, kDown, stayDown};
    for (int i = 0; i < 4; ++i)
        DrawFace(*picture, Bounds(i * width, 0, width, height), faces[i], radius);
    return picture;
}

// The link button: a state lamp at the left of the face, dim red while offline (up, hot,
// down) and bright green while online (stay-down).
std::unique_ptr<TBitmap> LinkStrip() {
    constexpr int kW = 68;
    constexpr int kH = 24;
    auto picture = Strip(kW, kH, kUp, kSelected);
    TCanvas& c = *picture->Canvas();
    for (int i = 0; i < 4; ++i) {
        const bool online = i == 3;
        const int x = i * kW + 4;
        const int y = kH / 2 - 4;
        c.Pen()->SetColor(Rgb(8, 9, 11));
        c.Brush()->SetColor(online ? Rgb(40, 255, 90) : Rgb(150, 36, 30));
        c.Ellipse(x, y, x + 8, y + 8);
        c.Pen()->SetColor(online ? Rgb(200, 255, 210) : Rgb(214, 110, 100));
        c.MoveTo(x + 2, y + 2);
        c.LineTo(x + 4, y + 2);
    }
    return picture;
}

// The upper background behind the graph panels: a plate darkening downwards with a ridge
// along its top. It stretches with the window in both directions, so it holds only gradients
// and lines along its edges.
std::unique_ptr<TBitmap> UpperLeft(int width, int height) {
    auto picture = NewPicture(width, height, kGraphBottom);
    VerticalGradient(*picture, Rect(0, 0, width, height), kGraphTop, kGraphBottom);
    TCanvas& c = *picture->Canvas();
    c.Pen()->SetColor(kRidge);
    c.MoveTo(0, 0);
    c.LineTo(width, 0);
    c.MoveTo(0, 0);
    c.LineTo(0, height);
    return picture;
}

// The lower background: the graph area's last rows, a groove, the parameter plate (lighter,
// where the faders and tables sit), another groove and the darker foot under the preset strip.
std::unique_ptr<TBitmap> LowerLeft(int width, int height) {
    auto picture = NewPicture(width, height, kGraphBottom);
    TCanvas& c = *picture->Canvas();
    VerticalGradient(*picture, Rect(0, kPlateRow, width, kFootRow), kPlateTop, kPlateBottom);
    VerticalGradient(*picture, Rect(0, kFootRow, width, height), kFootTop, kFootBottom);
    for (int row : {kPlateRow, kFootRow}) {
        c.Pen()->SetColor(kGroove);
        c.MoveTo(0, row);
        c.LineTo(width, row);
        c.Pen()->SetColor(kRidge);
        c.MoveTo(0, row + 1);
        c.LineTo(width, row + 1);
    }
    c.Pen()->SetColor(kRidge);
    c.MoveTo(0, 0);
    c.LineTo(0, height);
    return picture;
}

// A right-hand end piece: the left picture's rows continued, then a bevel down the panel's
// right edge (lit inner edge, dark outer one). It is drawn over the last columns of the left
// picture, so its first columns match it.
std::unique_ptr<TBitmap> RightEnd(std::unique_ptr<TBitmap> rows) {
    TBitmap& picture = *rows;
    TCanvas& c = *picture.Canvas();
    const int w = picture.Width();
    const int h = picture.Height();
    // The left picture's own left edge line has no place here.
    for (int y = 0; y < h; ++y) c.SetPixels(0, y, static_cast<TColor>(picture.PixelAt(1, y)));
    c.Pen()->SetColor(kRidge);
    c.MoveTo(w - 6, 0);
    c.LineTo(w - 6, h);
    c.Pen()->SetColor(kGroove);
    for (int x = w - 5; x < w; ++x) {
        c.MoveTo(x, 0);
        c.LineTo(x, h);
    }
    return rows;
}

// Behind the function strip (the page buttons): a raised bar, lit on top, with a dark line
// under it where the pages begin.
std::unique_ptr<TBitmap> FunctionStrip() {
    constexpr int kW = 1115;
    constexpr int kH = 45;
    auto picture = NewPicture(kW, kH, kStripBottom);
    VerticalGradient(*picture, Rect(0, 0, kW, kH - 2), kStripTop, kStripBottom);
    TCanvas& c = *picture->Canvas();
    c.Pen()->SetColor(Rgb(96, 106, 124));
    c.MoveTo(0, 0);
    c.LineTo(kW, 0);
    c.Pen()->SetColor(kGroove);
    c.MoveTo(0, kH - 2);
    c.LineTo(kW, kH - 2);
    c.MoveTo(0, kH - 1);
    c.LineTo(kW, kH - 1);
    return picture;
}

// The delay marker, 30 x 24: a loudspeaker seen from the side, facing right, where the delay
// line ends. Outside it the key colour, which the marker leaves out (its bottom-left pixel).
std::unique_ptr<TBitmap> DelayMarker() {
    auto picture = NewPicture(30, 24, kKey);
    TCanvas& c = *picture->Canvas();
    // The magnet and the basket.
    c.Pen()->SetColor(Rgb(10, 12, 16));
    c.Brush()->SetColor(Rgb(150, 160, 176));
    c.Rectangle(3, 8, 10, 16);
    c.Brush()->SetColor(Rgb(206, 214, 226));
    c.Polygon({Point(9, 8), Point(18, 2), Point(18, 21), Point(9, 15)});
    // The cone's edge, lit.
    c.Pen()->SetColor(Rgb(120, 255, 140));
    c.MoveTo(19, 2);
    c.LineTo(19, 22);
    // Sound leaving it: two arcs.
    for (int radius : {4, 8}) {
        std::vector<TPoint> arc;
        for (int a = -50; a <= 50; a += 10) {
            const double t = a * 3.14159265 / 180;
            arc.push_back(Point(20 + static_cast<int>(std::lround(radius * std::cos(t))),
                                12 + static_cast<int>(std::lround(radius * std::sin(t)))));
        }
        c.Polyline(arc);
    }
    return picture;
}

// ---- the confirmation dialogs

// Behind a confirmation dialog's client area, 330 x 150: the graphite plate with a recessed
// field for the sign and the question, and a foot for the two buttons.
std::unique_ptr<TBitmap> ConfirmBackground() {
    constexpr int kW = 330;
    constexpr int kH = 150;
    auto picture = NewPicture(kW, kH, kPlateBottom);
    VerticalGradient(*picture, Rect(0, 0, kW, kH), kPlateTop, kFootBottom);
    TCanvas& c = *picture->Canvas();
    // The field.
    const TRect field = Rect(10, 10, kW - 10, 96);
    VerticalGradient(*picture, field, Rgb(22, 25, 31), Rgb(30, 34, 41));
    c.Pen()->SetColor(kGroove);
    c.MoveTo(field.Left, field.Bottom - 1);
    c.LineTo(field.Left, field.Top);
    c.LineTo(field.Right, field.Top);
    c.Pen()->SetColor(kRidge);
    c.MoveTo(field.Right - 1, field.Top + 1);
    c.LineTo(field.Right - 1, field.Bottom - 1);
    c.LineTo(field.Left, field.Bottom - 1);
    return picture;
}

// A round sign 40 x 40 on the key colour: a question mark (quit) or an exclamation mark
// (factory default) on a coloured disc with a light rim.
std::unique_ptr<TBitmap> Sign(TColor disc, TColor rim, const char* mark) {
    auto picture = NewPicture(40, 40, kKey);
    TCanvas& c = *picture->Canvas();
    c.Pen()->SetColor(Rgb(8, 9, 11));
    c.Brush()->SetColor(rim);
    c.Ellipse(1, 1, 39, 39);
    c.Brush()->SetColor(disc);
    c.Ellipse(4, 4, 36, 36);
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(-26);
    c.Font()->SetStyle({fsBold});
    c.Font()->SetColor(clWhite);
    c.Brush()->SetStyle(bsClear);
    TRect r = Rect(4, 4, 36, 37);
    c.DrawText(mark, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    c.Brush()->SetStyle(bsSolid);
    return picture;
}

}  // namespace

std::vector<TPictureDef> MainWindowPictures() {
    return {
        // The page buttons, 64 x 24: the channel pages' and the function pages'.
        {"BTN_PAGE", TFileKind::Bitmap, [] { return Strip(64, 24, kUp, kSelected); }},
        {"BTN_PAGE_FUNCTION", TFileKind::Bitmap,
         [] { return Strip(64, 24, kUpFunction, kSelected); }},
        // The link button at the right of the function strip: 68 x 24 with its state lamp.
        {"BTN_LINK_STATE", TFileKind::Bitmap, LinkStrip},
        // Strip buttons that keep a state: mute (red), polarity (amber), crossover bypass
        // (yellow), 56 x 22; EQ band buttons (green), 24 x 20; delay units (blue), 80 x 24, and
        // routing switches (green), 52 x 24; store and recall, 84 x 24, which keep no state.
        {"BTN_MUTE_STATE", TFileKind::Bitmap, [] { return Strip(56, 22, kUp, kMuted); }},
        {"BTN_PHASE_STATE", TFileKind::Bitmap, [] { return Strip(56, 22, kUp, kInverted); }},
        {"BTN_BYPASS_STATE", TFileKind::Bitmap, [] { return Strip(76, 22, kUp, kBypassed); }},
        {"BTN_BAND", TFileKind::Bitmap, [] { return Strip(24, 20, kUp, kBand, 4); }},
        {"BTN_UNIT", TFileKind::Bitmap, [] { return Strip(80, 24, kUp, kUnit); }},
        {"BTN_ROUTE", TFileKind::Bitmap, [] { return Strip(52, 24, kUp, kSelected); }},
        {"BTN_ACTION", TFileKind::Bitmap, [] { return Strip(84, 24, kUp, kDown); }},
        // The backgrounds of the page area: upper and lower, each a stretching left part and a
        // right end 35 wide; and the function strip's bar.
        {"MAIN_UPPER_LEFT", TFileKind::Jpeg, [] { return UpperLeft(1082, 256); }, 92},
        {"MAIN_UPPER_RIGHT", TFileKind::Jpeg, [] { return RightEnd(UpperLeft(35, 256)); }, 92},
        {"MAIN_LOWER_LEFT", TFileKind::Jpeg, [] { return LowerLeft(1082, 373); }, 92},
        {"MAIN_LOWER_RIGHT", TFileKind::Jpeg, [] { return RightEnd(LowerLeft(35, 373)); }, 92},
        {"FUNCTION_STRIP", TFileKind::Jpeg, FunctionStrip, 92},
        {"DELAY_MARKER", TFileKind::Bitmap, DelayMarker},
        // The confirmation dialogs: background, signs and buttons (80 x 26).
        {"CONFIRM_BACKGROUND", TFileKind::Jpeg, ConfirmBackground, 92},
        {"SIGN_QUESTION", TFileKind::Bitmap,
         [] { return Sign(Rgb(40, 98, 180), Rgb(150, 190, 240), "?"); }},
        {"SIGN_WARNING", TFileKind::Bitmap,
         [] { return Sign(Rgb(196, 120, 16), Rgb(255, 210, 120), "!"); }},
        {"BTN_DIALOG", TFileKind::Bitmap, [] { return Strip(80, 26, kUp, kDown); }},
    };
}

}  // namespace dsp::artwork
