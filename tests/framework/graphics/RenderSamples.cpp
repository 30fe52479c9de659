// Renders a sheet of primitives to PNG files for people to look at (not a test):
//   graphics_render_samples <folder>

#include <QGuiApplication>

#include <iostream>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/FontSet.h"
#include "framework/graphics/PngImage.h"

namespace dsp {
namespace {

void Save(TBitmap& b, const std::string& file) {
    TPngImage png;
    png.Assign(&b);
    png.SaveToFile(file);
}

void Shapes(const std::string& folder) {
    TBitmap b(420, 300);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, 420, 300));
    c->Pen()->SetColor(clNavy);
    c->Brush()->SetColor(clYellow);
    c->Rectangle(10, 10, 60, 50);
    c->RoundRect(70, 10, 130, 50, 14, 14);
    c->Ellipse(140, 10, 200, 50);
    c->Pen()->SetWidth(5);
    c->Ellipse(210, 10, 270, 50);
    c->Pen()->SetStyle(psInsideFrame);
    c->Rectangle(280, 10, 340, 50);
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    const TBrushStyle hatches[] = {bsHorizontal, bsVertical, bsFDiagonal,
                                   bsBDiagonal,  bsCross,    bsDiagCross};
    for (int i = 0; i < 6; ++i) {
        c->Brush()->SetStyle(hatches[i]);
        c->Brush()->SetColor(clMaroon);
        c->Rectangle(10 + i * 55, 60, 60 + i * 55, 100);
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clLime);
    c->Polygon({{40, 110}, {70, 200}, {0, 140}, {80, 140}, {10, 200}});
    c->SetPolyFillMode(WINDING);
    c->Polygon({{130, 110}, {160, 200}, {90, 140}, {170, 140}, {100, 200}});
    const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psAlternate};
    c->Brush()->SetStyle(bsClear);
    for (int i = 0; i < 6; ++i) {
        c->Pen()->SetStyle(styles[i]);
        c->MoveTo(190, 115 + i * 8);
        c->LineTo(410, 115 + i * 8);
    }
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(3);
    c->Pen()->SetColor(clRed);
    c->Polyline({{190, 170}, {240, 200}, {290, 165}, {340, 200}, {400, 170}});
    c->GradientFill(Rect(10, 210, 200, 240), clNavy, clAqua, GRADIENT_FILL_RECT_H);
    c->GradientFill(Rect(210, 210, 400, 290), clWhite, clRed, GRADIENT_FILL_RECT_V);
    c->DrawFocusRect(Rect(10, 250, 200, 290));
    TRect edge = Rect(20, 256, 90, 284);
    c->DrawEdge(edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    edge = Rect(110, 256, 190, 284);
    c->DrawEdge(edge, EDGE_SUNKEN, BF_RECT);
    Save(b, folder + "/shapes.png");
}

void Text(const std::string& folder) {
    TBitmap b(420, 320);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clWindow);
    c->FillRect(Rect(0, 0, 420, 320));
    c->Brush()->SetStyle(bsClear);
    const char* faces[] = {"Tahoma",  "Arial",         "Times New Roman",
                           "Verdana", "MS Sans Serif", "Courier New"};
    int y = 4;
    for (const char* face : faces) {
        c->Font()->SetName(face);
        c->Font()->SetHeight(-13);
        c->TextOut(4, y, std::string(face) + ": The quick brown fox 0123456789");
        y += c->TextHeight("Yy") + 2;
    }
    c->Font()->SetName("Tahoma");
    c->Font()->SetHeight(-11);
    c->Font()->SetStyle({fsBold});
    c->TextOut(4, y, "Bold");
    c->Font()->SetStyle({fsItalic, fsUnderline});
    c->TextOut(60, y, "Italic underlined");
    c->Font()->SetStyle({});
    c->Font()->SetName("\xe5\xae\x8b\xe4\xbd\x93");
    c->TextOut(200, y, "\xe4\xb8\xad\xe6\x96\x87\xe6\xb5\x8b\xe8\xaf\x95 Chinese");
    y += 20;
    c->Font()->SetName("Tahoma");
    c->Pen()->SetColor(clSilver);
    c->Brush()->SetStyle(bsClear);
    TRect r = Rect(4, y, 204, y + 60);
    c->Rectangle(r);
    c->DrawText("Word break: the caption is broken between words when it is too wide for its box.",
                r, DT_WORDBREAK | DT_CENTER);
    TRect s = Rect(214, y, 414, y + 20);
    c->Rectangle(s);
    c->DrawText("&File with prefix, vertically centred", s, DT_SINGLELINE | DT_VCENTER);
    s = Rect(214, y + 24, 414, y + 44);
    c->Rectangle(s);
    c->DrawText("C:\\Program Files\\Editor\\presets\\very long preset name.prs", s,
                DT_SINGLELINE | DT_PATH_ELLIPSIS);
    s = Rect(214, y + 48, 414, y + 68);
    c->Rectangle(s);
    c->DrawText("End ellipsis cuts this text at its end when too long", s,
                DT_SINGLELINE | DT_END_ELLIPSIS);
    y += 80;
    c->Font()->SetColor(clBlue);
    for (int angle : {900, 2700, 450}) {
        c->Font()->SetOrientation(angle);
        c->TextOut(60 + angle / 10, y + 90, "Rotated text");
    }
    c->Font()->SetOrientation(0);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clYellow);
    c->Font()->SetColor(clBlack);
    c->TextOut(250, y + 10, "Opaque background");
    c->SetTextAlign(TA_RIGHT);
    c->TextOut(410, y + 40, "Right aligned");
    c->SetTextAlign(TA_CENTER);
    c->TextOut(330, y + 70, "Centred");
    Save(b, folder + "/text.png");
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: graphics_render_samples <folder>\n";
        return 2;
    }
    dsp::PinFontSet();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    dsp::Shapes(argv[1]);
    dsp::Text(argv[1]);
    return 0;
}
