// Pictures of the dialogs of the processor operations: the preset grids and the preset-name
// dialog, the two lock dialogs with their padlock sign, and the network setup.
//
// They open in the same flows as the session's dialogs (the progress window follows a store,
// the scan dialog leads to the network setup, the unlock dialog comes during a connect), so they
// share the session's deep blue with its fine diagonal lines, and sunken panels where the
// controls sit.

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

constexpr TColor kKey = clTeal;

constexpr TColor kBlueTop = Rgb(16, 34, 78);
constexpr TColor kBlueBottom = Rgb(54, 96, 160);
constexpr TColor kBlueLines = Rgb(40, 66, 120);
constexpr TColor kPanelTop = Rgb(14, 28, 64);
constexpr TColor kPanelBottom = Rgb(30, 54, 104);
constexpr TColor kPanelShadow = Rgb(8, 16, 40);
constexpr TColor kPanelLight = Rgb(120, 156, 214);

// The blue plate of a dialog, width x height, with sunken panels: darker inside, a dark frame,
// lit along the bottom and the right.
std::unique_ptr<TBitmap> BluePlate(int width, int height, std::initializer_list<TRect> panels) {
    auto picture = NewPicture(width, height, kBlueTop);
    TCanvas& c = *picture->Canvas();
    VerticalGradient(*picture, Rect(0, 0, width, height), kBlueTop, kBlueBottom);
    c.Pen()->SetColor(kBlueLines);
    for (int x = -height; x < width; x += 12) {
        c.MoveTo(x, height);
        c.LineTo(x + height, 0);
    }
    for (const TRect& panel : panels) {
        VerticalGradient(*picture, panel, kPanelTop, kPanelBottom);
        c.Brush()->SetStyle(bsClear);
        c.Pen()->SetColor(kPanelShadow);
        c.Rectangle(panel.Left, panel.Top, panel.Right, panel.Bottom);
        c.Pen()->SetColor(kPanelLight);
        c.MoveTo(panel.Left, panel.Bottom);
        c.LineTo(panel.Right, panel.Bottom);
        c.LineTo(panel.Right, panel.Top - 1);
        c.Brush()->SetStyle(bsSolid);
    }
    return picture;
}

// Behind the store and recall dialogs, 262 x 380: the heading, the grid's panel, the Cancel
// button below.
std::unique_ptr<TBitmap> PresetBackground() {
    return BluePlate(262, 380, {Rect(10, 10, 252, 42), Rect(10, 50, 252, 326)});
}

// Behind the preset-name dialog, 330 x 140: the code and the name box in a panel, the two
// buttons below.
std::unique_ptr<TBitmap> PresetNameBackground() {
    return BluePlate(330, 140, {Rect(12, 12, 318, 88)});
}

// Behind both lock dialogs, 300 x 150: the sign, the label and the password box in a panel,
// the two buttons below.
std::unique_ptr<TBitmap> LockBackground() { return BluePlate(300, 150, {Rect(12, 12, 288, 98)}); }

// A padlock 40 x 40 on the key colour: a brass body with a keyhole under a steel shackle.
std::unique_ptr<TBitmap> LockSign() {
    auto picture = NewPicture(40, 40, kKey);
    TCanvas& c = *picture->Canvas();
    // The shackle: two rings, the outer steel, the inner the key colour again.
    c.Pen()->SetColor(Rgb(8, 9, 11));
    c.Brush()->SetColor(Rgb(176, 184, 196));
    c.RoundRect(9, 2, 31, 30, 20, 20);
    c.Brush()->SetColor(kKey);
    c.RoundRect(14, 7, 26, 30, 12, 12);
    // The body.
    const TRect body = Rect(5, 17, 35, 39);
    VerticalGradient(*picture, body, Rgb(236, 190, 84), Rgb(160, 104, 22));
    c.Brush()->SetStyle(bsClear);
    c.Pen()->SetColor(Rgb(8, 9, 11));
    c.RoundRect(body.Left, body.Top, body.Right, body.Bottom, 6, 6);
    c.Brush()->SetStyle(bsSolid);
    c.Pen()->SetColor(Rgb(255, 228, 150));
    c.MoveTo(body.Left + 3, body.Top + 1);
    c.LineTo(body.Right - 3, body.Top + 1);
    KeyOutside(*picture, body, Rgb(8, 9, 11), kKey);
    // The keyhole.
    c.Pen()->SetColor(Rgb(40, 26, 6));
    c.Brush()->SetColor(Rgb(40, 26, 6));
    c.Ellipse(17, 23, 23, 29);
    c.FillRect(Rect(19, 27, 21, 34));
    return picture;
}

// Behind the network setup, 280 x 220: a panel behind each of the two group boxes, the two
// buttons below.
std::unique_ptr<TBitmap> NetworkSetupBackground() {
    return BluePlate(280, 220, {Rect(10, 6, 270, 66), Rect(10, 74, 270, 166)});
}

}  // namespace

std::vector<TPictureDef> OperationPictures() {
    return {
        {"PRESET_BACKGROUND", TFileKind::Jpeg, PresetBackground, 92},
        {"PRESET_NAME_BACKGROUND", TFileKind::Jpeg, PresetNameBackground, 92},
        {"LOCK_BACKGROUND", TFileKind::Jpeg, LockBackground, 92},
        {"SIGN_LOCK", TFileKind::Bitmap, LockSign},
        {"NETSETUP_BACKGROUND", TFileKind::Jpeg, NetworkSetupBackground, 92},
    };
}

}  // namespace dsp::artwork
