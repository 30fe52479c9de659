// Pictures of the dialogs of the processor operations: the preset grids and the preset-name
// dialog, the two lock dialogs with their padlock sign, and the network setup.
//
// The preset and lock dialogs belong to the main window and share its graphite: a plate lit
// from above, recessed fields where the controls sit, light text. The network setup opens from
// the scan dialog and shares its deep blue with the fine diagonal lines.

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

constexpr TColor kKey = clTeal;

// ---- graphite
constexpr TColor kPlateTop = Rgb(50, 56, 67);
constexpr TColor kFootBottom = Rgb(21, 23, 28);
constexpr TColor kFieldTop = Rgb(22, 25, 31);
constexpr TColor kFieldBottom = Rgb(30, 34, 41);
constexpr TColor kGroove = Rgb(11, 12, 15);
constexpr TColor kRidge = Rgb(72, 80, 95);

// ---- blue
constexpr TColor kBlueTop = Rgb(16, 34, 78);
constexpr TColor kBlueBottom = Rgb(54, 96, 160);
constexpr TColor kBlueLines = Rgb(40, 66, 120);
constexpr TColor kBlueLight = Rgb(150, 180, 226);
constexpr TColor kBlueDark = Rgb(12, 24, 56);

// A field sunk into the plate: darker inside, its top and left edges in shadow, its bottom and
// right edges lit.
void SunkenField(TBitmap& picture, const TRect& field, TColor top, TColor bottom, TColor shadow,
                 TColor light) {
    VerticalGradient(picture, field, top, bottom);
    TCanvas& c = *picture.Canvas();
    c.Pen()->SetColor(shadow);
    c.MoveTo(field.Left, field.Bottom - 1);
    c.LineTo(field.Left, field.Top);
    c.LineTo(field.Right, field.Top);
    c.Pen()->SetColor(light);
    c.MoveTo(field.Right - 1, field.Top + 1);
    c.LineTo(field.Right - 1, field.Bottom - 1);
    c.LineTo(field.Left, field.Bottom - 1);
}

// The graphite plate of a dialog, width x height, with sunken fields.
std::unique_ptr<TBitmap> GraphitePlate(int width, int height, std::initializer_list<TRect> fields) {
    auto picture = NewPicture(width, height, kPlateTop);
    VerticalGradient(*picture, Rect(0, 0, width, height), kPlateTop, kFootBottom);
    for (const TRect& field : fields) {
        SunkenField(*picture, field, kFieldTop, kFieldBottom, kGroove, kRidge);
    }
    return picture;
}

// Behind the store and recall dialogs, 262 x 372: the heading at the top, the preset grid in
// the sunken field below it, the Cancel button on the foot.
std::unique_ptr<TBitmap> PresetBackground() {
    constexpr int kW = 262;
    constexpr int kH = 372;
    auto picture = GraphitePlate(kW, kH, {Rect(14, 46, kW - 14, 318)});
    TCanvas& c = *picture->Canvas();
    // A lit rule under the heading.
    c.Pen()->SetColor(kGroove);
    c.MoveTo(14, 36);
    c.LineTo(kW - 14, 36);
    c.Pen()->SetColor(kRidge);
    c.MoveTo(14, 37);
    c.LineTo(kW - 14, 37);
    return picture;
}

// Behind the preset-name dialog, 330 x 136: the preset code and the name box in a sunken field,
// the two buttons on the foot.
std::unique_ptr<TBitmap> PresetNameBackground() {
    return GraphitePlate(330, 136, {Rect(10, 10, 320, 86)});
}

// Behind both lock dialogs, 300 x 150: the sign, the label and the password box in a sunken
// field, the two buttons on the foot.
std::unique_ptr<TBitmap> LockBackground() {
    return GraphitePlate(300, 150, {Rect(10, 10, 290, 96)});
}

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

// Behind the network setup, 280 x 220: the scan dialog's blue with its diagonal lines, a lit
// band behind each of the two group boxes and a dark foot for the buttons.
std::unique_ptr<TBitmap> NetworkSetupBackground() {
    constexpr int kW = 280;
    constexpr int kH = 220;
    auto picture = NewPicture(kW, kH, kBlueTop);
    VerticalGradient(*picture, Rect(0, 0, kW, kH), kBlueTop, kBlueBottom);
    TCanvas& c = *picture->Canvas();
    c.Pen()->SetColor(kBlueLines);
    for (int x = -kH; x < kW; x += 12) {
        c.MoveTo(x, kH);
        c.LineTo(x + kH, 0);
    }
    for (const TRect band : {Rect(8, 4, kW - 8, 66), Rect(8, 72, kW - 8, 164)}) {
        VerticalGradient(*picture, band, Rgb(72, 112, 176), Rgb(36, 64, 118));
        c.Pen()->SetColor(kBlueLight);
        c.MoveTo(band.Left, band.Bottom - 1);
        c.LineTo(band.Left, band.Top);
        c.LineTo(band.Right, band.Top);
        c.Pen()->SetColor(kBlueDark);
        c.MoveTo(band.Right - 1, band.Top + 1);
        c.LineTo(band.Right - 1, band.Bottom - 1);
        c.LineTo(band.Left, band.Bottom - 1);
    }
    VerticalGradient(*picture, Rect(0, 170, kW, kH), Rgb(20, 40, 88), kBlueDark);
    c.Pen()->SetColor(kBlueLight);
    c.MoveTo(0, 170);
    c.LineTo(kW, 170);
    return picture;
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
