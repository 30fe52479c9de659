// Pictures of the panel widgets' buttons. Bitmap buttons come as strips of four equal frames side
// by side, up, hot, down and stay-down (TRzButtonBitmaps::AssignStrip cuts them apart), with the
// key colour outside the face: clTeal for the mute button, clOlive for the link button. The link
// button's glyph is pure black (0, 0, 0), the pixels a bitmap button without a disabled picture
// keeps, embossed, when it is disabled; every other line of both pictures avoids pure black. The
// knob is a shape button's picture on white, its transparent colour.

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

struct TFace {
    TColor top;
    TColor bottom;
    TColor outline;
    TColor glyph;
};

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

// A rounded face in a frame of the strip, its outside in the key colour.
void DrawFace(TBitmap& picture, const TRect& frame, const TFace& face, TColor key) {
    TCanvas& c = *picture.Canvas();
    VerticalGradient(picture, frame, face.top, face.bottom);
    c.Pen()->SetColor(face.outline);
    c.Brush()->SetStyle(bsClear);
    c.RoundRect(frame.Left, frame.Top, frame.Right, frame.Bottom, 6, 6);
    c.Brush()->SetStyle(bsSolid);
    KeyOutside(picture, frame, face.outline, key);
}

// A loudspeaker: a box and its cone, centred at (cx, cy).
void DrawSpeaker(TCanvas& c, int cx, int cy, TColor color) {
    c.Brush()->SetColor(color);
    c.FillRect(Rect(cx - 6, cy - 2, cx - 3, cy + 3));
    for (int i = 0; i < 4; ++i) c.FillRect(Rect(cx - 3 + i, cy - 3 - i, cx - 2 + i, cy + 4 + i));
}

// The mute button, 48 x 20 a frame: a speaker; down in red with the sound struck through.
std::unique_ptr<TBitmap> MuteStrip() {
    constexpr int kW = 48;
    constexpr int kH = 20;
    const TFace faces[] = {
        {Rgb(236, 238, 242), Rgb(188, 194, 206), Rgb(84, 92, 110), Rgb(40, 44, 52)},
        {Rgb(250, 252, 255), Rgb(206, 220, 238), Rgb(52, 88, 140), Rgb(30, 56, 100)},
        {Rgb(170, 178, 192), Rgb(214, 220, 230), Rgb(58, 68, 88), Rgb(40, 44, 52)},
        {Rgb(250, 120, 110), Rgb(196, 40, 34), Rgb(110, 20, 16), Rgb(255, 255, 255)},
    };
    auto picture = NewPicture(4 * kW, kH, clTeal);
    TCanvas& c = *picture->Canvas();
    for (int i = 0; i < 4; ++i) {
        const TRect frame = Bounds(i * kW, 0, kW, kH);
        DrawFace(*picture, frame, faces[i], clTeal);
        const int cx = frame.Left + kW / 2 - 2;
        const int cy = kH / 2 - 1;
        DrawSpeaker(c, cx, cy, faces[i].glyph);
        c.Pen()->SetColor(faces[i].glyph);
        if (i == 3) {
            // Struck through: the sound is off.
            c.MoveTo(cx + 4, cy - 3);
            c.LineTo(cx + 11, cy + 4);
            c.MoveTo(cx + 10, cy - 3);
            c.LineTo(cx + 3, cy + 4);
        } else {
            c.MoveTo(cx + 4, cy - 2);
            c.LineTo(cx + 4, cy + 3);
            c.MoveTo(cx + 7, cy - 4);
            c.LineTo(cx + 7, cy + 5);
        }
    }
    return picture;
}

// Two chain links, in pure black.
void DrawLinks(TCanvas& c, int cx, int cy, int dx) {
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetStyle(bsClear);
    c.RoundRect(cx - 10 + dx, cy - 4, cx + 2 + dx, cy + 5, 6, 6);
    c.RoundRect(cx - 2 + dx, cy - 4, cx + 10 + dx, cy + 5, 6, 6);
    c.Brush()->SetStyle(bsSolid);
}

// The link button, 40 x 20 a frame, on silver faces; the stay-down face is green.
std::unique_ptr<TBitmap> LinkStrip() {
    constexpr int kW = 40;
    constexpr int kH = 20;
    const TFace faces[] = {
        {Rgb(232, 232, 228), Rgb(196, 196, 190), Rgb(96, 96, 90), clBlack},
        {Rgb(248, 248, 244), Rgb(214, 214, 206), Rgb(60, 90, 140), clBlack},
        {Rgb(176, 176, 170), Rgb(214, 214, 208), Rgb(70, 70, 66), clBlack},
        {Rgb(170, 230, 150), Rgb(80, 170, 60), Rgb(30, 90, 20), clBlack},
    };
    auto picture = NewPicture(4 * kW, kH, clOlive);
    for (int i = 0; i < 4; ++i) {
        const TRect frame = Bounds(i * kW, 0, kW, kH);
        DrawFace(*picture, frame, faces[i], clOlive);
        const int offset = i >= 2 ? 1 : 0;
        DrawLinks(*picture->Canvas(), frame.Left + kW / 2, kH / 2 - 1 + offset, offset);
    }
    return picture;
}

// A round knob, 28 x 28, on white: a shape button's picture.
std::unique_ptr<TBitmap> Knob() {
    auto picture = NewPicture(28, 28, clWhite);
    TCanvas& c = *picture->Canvas();
    c.Pen()->SetColor(Rgb(40, 52, 80));
    c.Brush()->SetColor(Rgb(92, 120, 176));
    c.Ellipse(3, 3, 25, 25);
    c.Brush()->SetColor(Rgb(150, 176, 224));
    c.Ellipse(8, 7, 17, 15);
    return picture;
}

}  // namespace

std::vector<TPictureDef> PanelButtonPictures() {
    return {
        {"BTN_MUTE", TFileKind::Bitmap, MuteStrip},
        {"BTN_LINK", TFileKind::Bitmap, LinkStrip},
        {"SHP_KNOB", TFileKind::Bitmap, Knob},
    };
}

}  // namespace dsp::artwork
