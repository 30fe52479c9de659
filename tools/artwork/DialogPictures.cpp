// Pictures of the dialogs and of the program as a whole: backgrounds behind a dialog's
// controls, and the program's icon.

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

// Behind the connect and scan dialog (its client area, 359 x 150): a deep blue that lightens
// downwards, fine diagonal lines, and a lighter band where the scan text and the progress bar
// sit.
std::unique_ptr<TBitmap> ScanBackground() {
    constexpr int kWidth = 359;
    constexpr int kHeight = 150;
    auto picture = NewPicture(kWidth, kHeight, clNavy);
    TCanvas& c = *picture->Canvas();
    VerticalGradient(*picture, Rect(0, 0, kWidth, kHeight), static_cast<TColor>(RGB(16, 34, 78)),
                     static_cast<TColor>(RGB(54, 96, 160)));
    c.Pen()->SetColor(static_cast<TColor>(RGB(40, 66, 120)));
    for (int x = -kHeight; x < kWidth; x += 12) {
        c.MoveTo(x, kHeight);
        c.LineTo(x + kHeight, 0);
    }
    VerticalGradient(*picture, Rect(0, 18, kWidth, 74), static_cast<TColor>(RGB(72, 112, 176)),
                     static_cast<TColor>(RGB(36, 64, 118)));
    c.Pen()->SetColor(static_cast<TColor>(RGB(150, 180, 226)));
    c.MoveTo(0, 18);
    c.LineTo(kWidth, 18);
    c.Pen()->SetColor(static_cast<TColor>(RGB(12, 24, 56)));
    c.MoveTo(0, 74);
    c.LineTo(kWidth, 74);
    return picture;
}

// The program's icon, 32 x 32: a dark rounded square with the letters "DSP" and a row of three
// and a row of six level bars, the processor's inputs and outputs.
std::unique_ptr<TBitmap> MainIcon() {
    const TColor frame = static_cast<TColor>(RGB(10, 20, 40));
    auto picture = NewPicture(32, 32, frame);
    TCanvas& c = *picture->Canvas();
    c.Pen()->SetColor(frame);
    c.Brush()->SetColor(static_cast<TColor>(RGB(28, 52, 96)));
    c.RoundRect(0, 0, 32, 32, 8, 8);
    c.Brush()->SetColor(clLime);
    for (int i = 0; i < 3; ++i) c.FillRect(Rect(5 + i * 3, 22 - i * 2, 7 + i * 3, 27));
    c.Brush()->SetColor(clYellow);
    for (int i = 0; i < 6; ++i) c.FillRect(Rect(15 + i * 2, 20 + (i % 3), 16 + i * 2, 27));
    c.Font()->SetName("Arial");
    c.Font()->SetSize(8);
    c.Font()->SetStyle({fsBold});
    c.Font()->SetColor(clWhite);
    c.Brush()->SetStyle(bsClear);
    TRect text = Rect(0, 3, 32, 17);
    c.DrawText("DSP", text, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    c.Brush()->SetStyle(bsSolid);
    return picture;
}

}  // namespace

std::vector<TPictureDef> DialogPictures() {
    return {
        {"SCAN_BACKGROUND", TFileKind::Jpeg, ScanBackground},
        {"MAINICON", TFileKind::Png, MainIcon},
    };
}

}  // namespace dsp::artwork
