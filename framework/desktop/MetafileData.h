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
    TColor penColor = clBlack;
    int penWidth = 1;
    TPenStyle penStyle = psSolid;
    TPenMode penMode = pmCopy;
    TColor brushColor = clWhite;
    TBrushStyle brushStyle = bsSolid;
    std::shared_ptr<const TBrushPattern> brushPattern;
    TLogFont font;
    TColor fontColor = clBlack;
    TColorRef textColor = 0;
    bool textNone = false;
    TColorRef bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    unsigned textAlign = 0;
    TPolyFillMode polyFill = ALTERNATE;
    TCopyMode copyMode = SRCCOPY;
    std::vector<TRect> clip;  // the visible part of the picture

    bool operator==(const TMetaState& other) const;
};

enum class TMetaOp : std::uint8_t {
    Pixel,        // points[0], color1
    Line,         // points[0] to points[1]
    Polyline,     // points
    Rectangle,    // r
    RoundRect,    // r, corner a x b
    Ellipse,      // r
    Polygon,      // points
    FillRect,     // r
    FrameRect,    // r
    FillRegion,   // rects
    PatBlt,       // r, flags = raster operation
    Gradient,     // r, color1 to color2, flags = direction
    FocusRect,    // r
    InvertRect,   // r
    Edge,         // r, a = edge, flags
    DrawText,     // r, text, flags = format
    TextOut,      // points[0], text
    TextRect,     // r, points[0], text
    Image,        // r (may be mirrored), image, flags = raster operation
    MaskedImage,  // r, image, mask
    Graphic,      // r, graphic
};

struct TMetaRecord {
    TMetaOp op = TMetaOp::Pixel;
    int state = 0;
    TRect r;
    std::vector<TPoint> points;
    std::vector<TRect> rects;
    int a = 0;
    int b = 0;
    std::uint32_t flags = 0;
    TColor color1 = 0;
    TColor color2 = 0;
    std::string text;
    std::shared_ptr<const QImage> image;  // 32-bit pixels of a blit's source
    bool imageMonochrome = false;
    TColorRef imageBkColor = 0xFFFFFF;  // the source canvas's background colour
    std::shared_ptr<const QImage> mask;
    std::shared_ptr<TGraphic> graphic;  // a copy of the picture drawn
};

struct TMetafileData {
    int width = 0;
    int height = 0;
    std::vector<TMetaState> states;
    std::vector<TMetaRecord> records;
};

// The program's own file form of a recording; reading raises EInvalidGraphic for anything else.
std::vector<std::uint8_t> EncodeMetafile(const TMetafileData& data, const std::string& createdBy,
                                         const std::string& description);
struct TDecodedMetafile {
    std::shared_ptr<TMetafileData> data;
    std::string createdBy;
    std::string description;
};
TDecodedMetafile DecodeMetafile(const std::vector<std::uint8_t>& bytes);
// True when the bytes begin as the program's metafile files do.
bool IsMetafileData(const std::vector<std::uint8_t>& bytes);

}  // namespace dsp
