// Bitmap-button pictures. A button's states come as one strip of equal frames side by side,
// left to right: up, hot (the pointer over it), down (pressed) and stay-down (down in its
// group); the widget cuts the frames apart. Outside the rounded face every pixel is the key
// colour clTeal, which the buttons leave out when they draw.

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor kKey = clTeal;

struct TFaceColours {
    TColor top;
    TColor bottom;
    TColor outline;
    bool shine;  // a light line under the top edge
};

// Up, hot, down, stay-down.
const TFaceColours kPageFaces[] = {
    {static_cast<TColor>(RGB(242, 244, 248)), static_cast<TColor>(RGB(190, 198, 212)),
     static_cast<TColor>(RGB(88, 98, 118)), true},
    {static_cast<TColor>(RGB(255, 255, 255)), static_cast<TColor>(RGB(208, 222, 240)),
     static_cast<TColor>(RGB(52, 88, 140)), true},
    {static_cast<TColor>(RGB(166, 176, 192)), static_cast<TColor>(RGB(214, 220, 230)),
     static_cast<TColor>(RGB(58, 68, 88)), false},
    {static_cast<TColor>(RGB(255, 216, 140)), static_cast<TColor>(RGB(238, 156, 44)),
     static_cast<TColor>(RGB(146, 88, 18)), false},
};

void DrawFace(TBitmap& picture, const TRect& frame, const TFaceColours& face) {
    TCanvas& c = *picture.Canvas();
    VerticalGradient(picture, frame, face.top, face.bottom);
    if (face.shine) {
        c.Pen()->SetColor(clWhite);
        c.MoveTo(frame.Left + 3, frame.Top + 1);
        c.LineTo(frame.Right - 3, frame.Top + 1);
    }
    c.Pen()->SetColor(face.outline);
    c.Brush()->SetStyle(bsClear);
    c.RoundRect(frame.Left, frame.Top, frame.Right, frame.Bottom, 8, 8);
    c.Brush()->SetStyle(bsSolid);
    KeyOutside(picture, frame, face.outline, kKey);
}

std::unique_ptr<TBitmap> StateStrip(int frameWidth, int frameHeight, const TFaceColours* faces) {
    auto picture = NewPicture(frameWidth * 4, frameHeight, kKey);
    for (int i = 0; i < 4; ++i) {
        DrawFace(*picture, Bounds(i * frameWidth, 0, frameWidth, frameHeight), faces[i]);
    }
    return picture;
}

}  // namespace

std::vector<TPictureDef> ButtonPictures() {
    return {
        // The main window's page buttons (InA ... Out6, and the function pages): 64 x 24.
        {"BTN_PAGE", TFileKind::Bitmap, [] { return StateStrip(64, 24, kPageFaces); }},
    };
}

}  // namespace dsp::artwork
