#pragma once
// Framework-internal: a metafile's recording. Coordinates are pixels of the recording canvas
// (its surface, after viewport and window origins); each record names the drawing state it
// was made in.

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

namespace dsp {

// Everything a drawing call depends on besides its arguments.
struct TMetaState {
    TColor PenColor = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
    TPenMode PenMode = pmCopy;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    std::shared_ptr<const TBrushPattern> BrushPattern;
    TLogFont Font;
    TColor FontColor = clBlack;
    TColorRef TextColor = 0;
    bool TextNone = false;
    TColorRef BkColor = 0xFFFFFF;
    int BkMode = OPAQUE;
    unsigned TextAlign = 0;
    TPolyFillMode PolyFill = ALTERNATE;
    TCopyMode CopyMode = SRCCOPY;
    std::vector<TRect> Clip;  // the visible part of the picture

    bool operator==(const TMetaState& other) const;
};

enum class TMetaOp : std::uint8_t {
    Pixel,        // Points[0], Color1
    Line,         // Points[0] to Points[1]
    Polyline,     // Points
    Rectangle,    // R
    RoundRect,    // R, corner A x B
    Ellipse,      // R
    Polygon,      // Points
    FillRect,     // R
    FrameRect,    // R
    FillRegion,   // Rects
    PatBlt,       // R, Flags = raster operation
    Gradient,     // R, Color1 to Color2, Flags = direction
    FocusRect,    // R
    InvertRect,   // R
    Edge,         // R, A = edge, Flags
    DrawText,     // R, Text, Flags = format
    TextOut,      // Points[0], Text
    TextRect,     // R, Points[0], Text
    Image,        // R (may be mirrored), Image, Flags = raster operation
    MaskedImage,  // R, Image, Mask
    Graphic,      // R, Graphic
};

struct TMetaRecord {
    TMetaOp Op = TMetaOp::Pixel;
    int State = 0;
    TRect R;
    std::vector<TPoint> Points;
    std::vector<TRect> Rects;
    int A = 0;
    int B = 0;
    std::uint32_t Flags = 0;
    TColor Color1 = 0;
    TColor Color2 = 0;
    std::string Text;
    std::shared_ptr<const QImage> Image;  // 32-bit pixels of a blit's source
    bool ImageMonochrome = false;
    TColorRef ImageBkColor = 0xFFFFFF;  // the source canvas's background colour
    std::shared_ptr<const QImage> Mask;
    std::shared_ptr<TGraphic> Graphic;  // a copy of the picture drawn
};

struct TMetafileData {
    int Width = 0;
    int Height = 0;
    std::vector<TMetaState> States;
    std::vector<TMetaRecord> Records;
};

// The program's own file form of a recording; reading raises EInvalidGraphic for anything else.
std::vector<std::uint8_t> EncodeMetafile(const TMetafileData& data, const std::string& createdBy,
                                         const std::string& description);
struct TDecodedMetafile {
    std::shared_ptr<TMetafileData> Data;
    std::string CreatedBy;
    std::string Description;
};
TDecodedMetafile DecodeMetafile(const std::vector<std::uint8_t>& bytes);
// True when the bytes begin as the program's metafile files do.
bool IsMetafileData(const std::vector<std::uint8_t>& bytes);

}  // namespace dsp
