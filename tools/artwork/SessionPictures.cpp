// Pictures of the link session's dialogs: their buttons, and the information dialog's
// background and sign. They share the scan dialog's deep blue.

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor kKey = clTeal;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 28;

TColor Rgb(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

struct TDialogFace {
    TColor top;
    TColor bottom;
    TColor outline;
    TColor shine;  // clNone: no light line under the top edge
};

// Up, hot, down, stay-down, disabled.
const TDialogFace kDialogFaces[] = {
    {Rgb(92, 138, 206), Rgb(34, 66, 132), Rgb(10, 22, 54), Rgb(170, 200, 240)},
    {Rgb(124, 170, 234), Rgb(50, 92, 166), Rgb(10, 22, 54), Rgb(210, 228, 252)},
    {Rgb(28, 54, 110), Rgb(70, 110, 178), Rgb(8, 16, 40), clNone},
    {Rgb(28, 54, 110), Rgb(70, 110, 178), Rgb(8, 16, 40), clNone},
    {Rgb(104, 114, 134), Rgb(70, 78, 96), Rgb(36, 42, 54), clNone},
};

void DrawDialogFace(TBitmap& picture, const TRect& frame, const TDialogFace& face) {
    TCanvas& c = *picture.Canvas();
    VerticalGradient(picture, frame, face.top, face.bottom);
    if (face.shine != clNone) {
        c.Pen()->SetColor(face.shine);
        c.MoveTo(frame.Left + 4, frame.Top + 1);
        c.LineTo(frame.Right - 4, frame.Top + 1);
    }
    c.Pen()->SetColor(face.outline);
    c.Brush()->SetStyle(bsClear);
    c.RoundRect(frame.Left, frame.Top, frame.Right, frame.Bottom, 10, 10);
    c.Brush()->SetStyle(bsSolid);
    KeyOutside(picture, frame, face.outline, kKey);
}

std::unique_ptr<TBitmap> DialogButtonStrip() {
    auto picture = NewPicture(kButtonWidth * 4, kButtonHeight, kKey);
    for (int i = 0; i < 4; ++i) {
        DrawDialogFace(*picture, Bounds(i * kButtonWidth, 0, kButtonWidth, kButtonHeight),
                       kDialogFaces[i]);
    }
    return picture;
}

std::unique_ptr<TBitmap> DialogButtonDisabled() {
    auto picture = NewPicture(kButtonWidth, kButtonHeight, kKey);
    DrawDialogFace(*picture, Bounds(0, 0, kButtonWidth, kButtonHeight), kDialogFaces[4]);
    return picture;
}

// Behind the information dialog (360 x 150): the scan dialog's blue with its diagonal lines,
// and a sunken panel across the upper part where the sign and the message sit.
std::unique_ptr<TBitmap> InfoBackground() {
    constexpr int kWidth = 360;
    constexpr int kHeight = 150;
    auto picture = NewPicture(kWidth, kHeight, clNavy);
    TCanvas& c = *picture->Canvas();
    VerticalGradient(*picture, Rect(0, 0, kWidth, kHeight), Rgb(16, 34, 78), Rgb(54, 96, 160));
    c.Pen()->SetColor(Rgb(40, 66, 120));
    for (int x = -kHeight; x < kWidth; x += 12) {
        c.MoveTo(x, kHeight);
        c.LineTo(x + kHeight, 0);
    }
    const TRect panel = Rect(14, 16, kWidth - 14, 92);
    VerticalGradient(*picture, panel, Rgb(14, 28, 64), Rgb(30, 54, 104));
    c.Brush()->SetStyle(bsClear);
    c.Pen()->SetColor(Rgb(8, 16, 40));
    c.Rectangle(panel.Left, panel.Top, panel.Right, panel.Bottom);
    c.Pen()->SetColor(Rgb(120, 156, 214));
    c.MoveTo(panel.Left, panel.Bottom);
    c.LineTo(panel.Right, panel.Bottom);
    c.LineTo(panel.Right, panel.Top - 1);
    c.Brush()->SetStyle(bsSolid);
    return picture;
}

// The information sign, 48 x 48 on the key colour clFuchsia (the image leaves it out): an amber
// warning triangle with a dark exclamation mark.
std::unique_ptr<TBitmap> InfoSign() {
    auto picture = NewPicture(48, 48, clFuchsia);
    TCanvas& c = *picture->Canvas();
    c.Pen()->SetColor(Rgb(92, 56, 0));
    c.Brush()->SetColor(Rgb(255, 196, 40));
    c.Polygon({Point(24, 3), Point(45, 43), Point(3, 43)});
    c.Pen()->SetColor(Rgb(255, 232, 150));
    c.MoveTo(24, 7);
    c.LineTo(8, 40);
    c.Brush()->SetColor(Rgb(36, 24, 0));
    c.Pen()->SetColor(Rgb(36, 24, 0));
    c.Polygon({Point(21, 16), Point(27, 16), Point(26, 31), Point(22, 31)});
    c.Ellipse(21, 34, 28, 41);
    return picture;
}

}  // namespace

std::vector<TPictureDef> SessionPictures() {
    return {
        {"BTN_SESSION", TFileKind::Bitmap, DialogButtonStrip},
        {"BTN_SESSION_DISABLED", TFileKind::Bitmap, DialogButtonDisabled},
        {"INFO_BACKGROUND", TFileKind::Jpeg, InfoBackground},
        {"INFO_SIGN", TFileKind::Bitmap, InfoSign},
    };
}

}  // namespace dsp::artwork
