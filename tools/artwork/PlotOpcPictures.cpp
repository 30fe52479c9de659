// The plot engine's OPC pictures, on white (their transparent colour):
//   OPCMANAGER           24 x 24, the group manager's face: a server rack with a data link;
//   OPCEXPLORERSERVERS   16 x 16, the explorer's "Servers Connections" root: two racks;
//   OPCEXPLORERGROUPS    16 x 16, its "Groups" root: a folder holding tags;
//   OPCEXPLORERSERVER    16 x 16, one open connection: a rack with a plug.
// Flat shapes with one-pixel outlines in the plot toolbar's palette.

#include <vector>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor kRack = 0x00806040;    // steel blue
constexpr TColor kFace = 0x00E0C8B0;    // light steel
constexpr TColor kLed = 0x0000C000;     // green
constexpr TColor kLink = 0x000080FF;    // orange
constexpr TColor kFolder = 0x0040C0F0;  // yellow ochre

void Box(TCanvas* c, const TRect& r, TColor outline, TColor inside) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(inside);
    c->FillRect(r);
    c->Brush()->SetColor(outline);
    c->FrameRect(r);
}

// A rack of units between left and right, top to bottom, one LED and slot per unit.
void Rack(TCanvas* c, int left, int top, int right, int bottom, int units) {
    Box(c, {left, top, right, bottom}, kRack, kFace);
    const int unit = (bottom - top - 1) / units;
    for (int i = 0; i < units; ++i) {
        const int y = top + 1 + i * unit;
        if (i > 0) {
            c->Brush()->SetColor(kRack);
            c->FillRect({left + 1, y - 1, right - 1, y});
        }
        c->Brush()->SetColor(kLed);
        c->FillRect({left + 2, y + unit / 2 - 1, left + 4, y + unit / 2 + 1});
        c->Brush()->SetColor(kRack);
        c->FillRect({left + 6, y + unit / 2 - 1, right - 2, y + unit / 2});
    }
}

std::unique_ptr<TBitmap> Manager() {
    auto p = NewPicture(24, 24, clWhite);
    TCanvas* c = p->Canvas();
    Rack(c, 2, 3, 15, 20, 4);
    // The data link: a line out of the rack to a tag.
    c->Brush()->SetColor(kLink);
    c->FillRect({15, 11, 19, 13});
    Box(c, {18, 8, 23, 16}, clBlack, kLink);
    return p;
}

std::unique_ptr<TBitmap> Servers() {
    auto p = NewPicture(16, 16, clWhite);
    TCanvas* c = p->Canvas();
    Rack(c, 1, 1, 10, 12, 3);
    Rack(c, 6, 4, 15, 15, 3);
    return p;
}

std::unique_ptr<TBitmap> Groups() {
    auto p = NewPicture(16, 16, clWhite);
    TCanvas* c = p->Canvas();
    Box(c, {1, 3, 7, 6}, clBlack, kFolder);
    Box(c, {1, 5, 15, 14}, clBlack, kFolder);
    for (int x : {3, 7, 11}) Box(c, {x, 8, x + 3, 11}, kRack, kFace);
    return p;
}

std::unique_ptr<TBitmap> Server() {
    auto p = NewPicture(16, 16, clWhite);
    TCanvas* c = p->Canvas();
    Rack(c, 1, 2, 10, 14, 3);
    c->Brush()->SetColor(kLink);
    c->FillRect({10, 7, 13, 9});
    Box(c, {12, 5, 16, 11}, clBlack, kLink);
    return p;
}

}  // namespace

std::vector<TPictureDef> PlotOpcPictures() {
    return {
        {"OPCMANAGER", TFileKind::Bitmap, Manager},
        {"OPCEXPLORERSERVERS", TFileKind::Bitmap, Servers},
        {"OPCEXPLORERGROUPS", TFileKind::Bitmap, Groups},
        {"OPCEXPLORERSERVER", TFileKind::Bitmap, Server},
    };
}

}  // namespace dsp::artwork
