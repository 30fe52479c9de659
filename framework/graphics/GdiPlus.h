#pragma once
// The anti-aliased drawing layer: the GDI+ flat API (its function names, handle types, status
// codes and enumerations), drawing on the same surfaces as TCanvas.
//
// - A graphics made from a canvas (GdipCreateFromHDC) draws where the canvas draws at the moment
//   of each call (its surface, viewport origin and clip), so canvas calls and calls of this layer
//   interleave freely on one surface. A graphics made from a bitmap of this layer draws on its
//   pixels.
// - Pixel centres lie on integer coordinates: an anti-aliased fill of (0, 0, 10, 10) half covers
//   the pixels along its edges, a one-pixel pen along an integer line is crisp, an aliased fill
//   takes the pixels whose centres lie inside. New graphics draw without anti-aliasing.
// - Images are decoded by the framework's codecs (BMP, JPEG, PNG; GIF, TIFF and icons where the
//   host toolkit reads them) and drawn at their pixel size, whatever resolution the file states.
// - Text: UTF-8, lengths in bytes (-1: up to the terminating zero); faces map to the project's
//   fonts. Measuring leaves the generic default padding of one sixth of the em size on both
//   sides of a line.
// - Every call returns a Status; a null handle answers InvalidParameter; a failed creation
//   leaves the handle null. Calls that have no sound equivalent here answer NotImplemented and
//   draw nothing: GdipSetImageAttributesOutputChannel,
//   GdipSetImageAttributesOutputChannelColorProfile and GdipSaveAddImage.
// - Only the UI thread draws.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dsp {

class TCanvas;
class TBitmap;

namespace Gdiplus {

using REAL = float;
using INT = int;
using UINT = unsigned;
using BOOL = int;
using BYTE = std::uint8_t;
using ARGB = std::uint32_t;
using LANGID = std::uint16_t;
using ULONG_PTR = std::uintptr_t;
// The device context of the flat API is a framework canvas; a GDI bitmap a framework bitmap.
using HDC = TCanvas*;
using HBITMAP = TBitmap*;

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};
using GpStatus = Status;

enum FillMode { FillModeAlternate, FillModeWinding };
using GpFillMode = FillMode;

enum Unit {
    UnitWorld,
    UnitDisplay,
    UnitPixel,
    UnitPoint,
    UnitInch,
    UnitDocument,
    UnitMillimeter,
};
using GpUnit = Unit;

enum HatchStyle {
    HatchStyleHorizontal,
    HatchStyleVertical,
    HatchStyleForwardDiagonal,
    HatchStyleBackwardDiagonal,
    HatchStyleCross,
    HatchStyleDiagonalCross,
    HatchStyle05Percent,
    HatchStyle10Percent,
    HatchStyle20Percent,
    HatchStyle25Percent,
    HatchStyle30Percent,
    HatchStyle40Percent,
    HatchStyle50Percent,
    HatchStyle60Percent,
    HatchStyle70Percent,
    HatchStyle75Percent,
    HatchStyle80Percent,
    HatchStyle90Percent,
    HatchStyleLightDownwardDiagonal,
    HatchStyleLightUpwardDiagonal,
    HatchStyleDarkDownwardDiagonal,
    HatchStyleDarkUpwardDiagonal,
    HatchStyleWideDownwardDiagonal,
    HatchStyleWideUpwardDiagonal,
    HatchStyleLightVertical,
    HatchStyleLightHorizontal,
    HatchStyleNarrowVertical,
    HatchStyleNarrowHorizontal,
    HatchStyleDarkVertical,
    HatchStyleDarkHorizontal,
    HatchStyleDashedDownwardDiagonal,
    HatchStyleDashedUpwardDiagonal,
    HatchStyleDashedHorizontal,
    HatchStyleDashedVertical,
    HatchStyleSmallConfetti,
    HatchStyleLargeConfetti,
    HatchStyleZigZag,
    HatchStyleWave,
    HatchStyleDiagonalBrick,
    HatchStyleHorizontalBrick,
    HatchStyleWeave,
    HatchStylePlaid,
    HatchStyleDivot,
    HatchStyleDottedGrid,
    HatchStyleDottedDiamond,
    HatchStyleShingle,
    HatchStyleTrellis,
    HatchStyleSphere,
    HatchStyleSmallGrid,
    HatchStyleSmallCheckerBoard,
    HatchStyleLargeCheckerBoard,
    HatchStyleOutlinedDiamond,
    HatchStyleSolidDiamond,
    HatchStyleTotal,
    HatchStyleLargeGrid = HatchStyleCross,
    HatchStyleMin = HatchStyleHorizontal,
    HatchStyleMax = HatchStyleTotal - 1,
};

enum DashStyle {
    DashStyleSolid,
    DashStyleDash,
    DashStyleDot,
    DashStyleDashDot,
    DashStyleDashDotDot,
    DashStyleCustom,
};

enum WrapMode {
    WrapModeTile,
    WrapModeTileFlipX,
    WrapModeTileFlipY,
    WrapModeTileFlipXY,
    WrapModeClamp,
};

enum LinearGradientMode {
    LinearGradientModeHorizontal,
    LinearGradientModeVertical,
    LinearGradientModeForwardDiagonal,
    LinearGradientModeBackwardDiagonal,
};

enum CombineMode {
    CombineModeReplace,
    CombineModeIntersect,
    CombineModeUnion,
    CombineModeXor,
    CombineModeExclude,
    CombineModeComplement,
};

enum MatrixOrder { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };

enum ColorMatrixFlags {
    ColorMatrixFlagsDefault = 0,
    ColorMatrixFlagsSkipGrays = 1,
    ColorMatrixFlagsAltGray = 2,
};

enum ColorChannelFlags {
    ColorChannelFlagsC,
    ColorChannelFlagsM,
    ColorChannelFlagsY,
    ColorChannelFlagsK,
    ColorChannelFlagsLast,
};

enum TextRenderingHint {
    TextRenderingHintSystemDefault,
    TextRenderingHintSingleBitPerPixelGridFit,
    TextRenderingHintSingleBitPerPixel,
    TextRenderingHintAntiAliasGridFit,
    TextRenderingHintAntiAlias,
    TextRenderingHintClearTypeGridFit,
};

enum StringAlignment { StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar };

enum StringTrimming {
    StringTrimmingNone,
    StringTrimmingCharacter,
    StringTrimmingWord,
    StringTrimmingEllipsisCharacter,
    StringTrimmingEllipsisWord,
    StringTrimmingEllipsisPath,
};

enum HotkeyPrefix { HotkeyPrefixNone, HotkeyPrefixShow, HotkeyPrefixHide };

enum FlushIntention { FlushIntentionFlush, FlushIntentionSync };

enum RotateFlipType {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6,
    Rotate270FlipX = 7,
    RotateNoneFlipY = Rotate180FlipX,
    Rotate90FlipY = Rotate270FlipX,
    Rotate180FlipY = RotateNoneFlipX,
    Rotate270FlipY = Rotate90FlipX,
    RotateNoneFlipXY = Rotate180FlipNone,
    Rotate90FlipXY = Rotate270FlipNone,
    Rotate180FlipXY = RotateNoneFlipNone,
    Rotate270FlipXY = Rotate90FlipNone,
};

enum ColorAdjustType {
    ColorAdjustTypeDefault,
    ColorAdjustTypeBitmap,
    ColorAdjustTypeBrush,
    ColorAdjustTypePen,
    ColorAdjustTypeText,
    ColorAdjustTypeCount,
    ColorAdjustTypeAny,
};

enum SmoothingMode {
    SmoothingModeInvalid = -1,
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4,
    SmoothingModeAntiAlias8x4 = 4,
    SmoothingModeAntiAlias8x8 = 5,
};

enum CompositingQuality {
    CompositingQualityInvalid = -1,
    CompositingQualityDefault = 0,
    CompositingQualityHighSpeed = 1,
    CompositingQualityHighQuality = 2,
    CompositingQualityGammaCorrected = 3,
    CompositingQualityAssumeLinear = 4,
};

enum PenType {
    PenTypeSolidColor = 0,
    PenTypeHatchFill = 1,
    PenTypeTextureFill = 2,
    PenTypePathGradient = 3,
    PenTypeLinearGradient = 4,
    PenTypeUnknown = -1,
};

enum LineCap {
    LineCapFlat = 0,
    LineCapSquare = 1,
    LineCapRound = 2,
    LineCapTriangle = 3,
    LineCapNoAnchor = 0x10,
    LineCapSquareAnchor = 0x11,
    LineCapRoundAnchor = 0x12,
    LineCapDiamondAnchor = 0x13,
    LineCapArrowAnchor = 0x14,
    LineCapCustom = 0xff,
};

enum FontStyle {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleBoldItalic = 3,
    FontStyleUnderline = 4,
    FontStyleStrikeout = 8,
};

enum StringFormatFlags {
    StringFormatFlagsDirectionRightToLeft = 0x0001,
    StringFormatFlagsDirectionVertical = 0x0002,
    StringFormatFlagsNoFitBlackBox = 0x0004,
    StringFormatFlagsDisplayFormatControl = 0x0020,
    StringFormatFlagsNoFontFallback = 0x0400,
    StringFormatFlagsMeasureTrailingSpaces = 0x0800,
    StringFormatFlagsNoWrap = 0x1000,
    StringFormatFlagsLineLimit = 0x2000,
    StringFormatFlagsNoClip = 0x4000,
};

// Pixel formats: bits 8 to 15 the depth, bit 16 indexed, bit 18 alpha.
using PixelFormat = INT;
constexpr PixelFormat PixelFormatIndexed = 0x00010000;
constexpr PixelFormat PixelFormatGDI = 0x00020000;
constexpr PixelFormat PixelFormatAlpha = 0x00040000;
constexpr PixelFormat PixelFormatPAlpha = 0x00080000;
constexpr PixelFormat PixelFormatCanonical = 0x00200000;
constexpr PixelFormat PixelFormatUndefined = 0;
constexpr PixelFormat PixelFormat1bppIndexed = 0x00030101;
constexpr PixelFormat PixelFormat4bppIndexed = 0x00030402;
constexpr PixelFormat PixelFormat8bppIndexed = 0x00030803;
constexpr PixelFormat PixelFormat16bppRGB555 = 0x00021005;
constexpr PixelFormat PixelFormat16bppRGB565 = 0x00021006;
constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};
    bool operator==(const GUID& other) const;
};
using CLSID = GUID;

// Image file formats (raw formats of decoded images).
extern const GUID ImageFormatUndefined;
extern const GUID ImageFormatMemoryBMP;
extern const GUID ImageFormatBMP;
extern const GUID ImageFormatEMF;
extern const GUID ImageFormatWMF;
extern const GUID ImageFormatJPEG;
extern const GUID ImageFormatPNG;
extern const GUID ImageFormatGIF;
extern const GUID ImageFormatTIFF;
extern const GUID ImageFormatEXIF;
extern const GUID ImageFormatIcon;
// Encoders for GdipSaveImageTo...; BMP, JPEG and PNG are written.
extern const CLSID EncoderBmp;
extern const CLSID EncoderJpeg;
extern const CLSID EncoderGif;
extern const CLSID EncoderTiff;
extern const CLSID EncoderPng;
// Encoder parameter: JPEG quality, one UINT (0 to 100).
extern const GUID EncoderQuality;

enum EncoderParameterValueType {
    EncoderParameterValueTypeByte = 1,
    EncoderParameterValueTypeASCII = 2,
    EncoderParameterValueTypeShort = 3,
    EncoderParameterValueTypeLong = 4,
    EncoderParameterValueTypeRational = 5,
    EncoderParameterValueTypeLongRange = 6,
    EncoderParameterValueTypeUndefined = 7,
    EncoderParameterValueTypeRationalRange = 8,
};

struct EncoderParameter {
    GUID Guid;
    std::uint32_t NumberOfValues = 0;
    std::uint32_t Type = 0;
    void* Value = nullptr;
};

struct EncoderParameters {
    UINT Count = 0;
    EncoderParameter Parameter[1];
};

struct ColorMatrix {
    REAL m[5][5];
};

struct ColorMap {
    ARGB oldColor;
    ARGB newColor;
};

struct ColorPalette {
    UINT Flags;
    UINT Count;
    ARGB Entries[1];  // Count entries follow
};

struct GpPointF {
    REAL X = 0;
    REAL Y = 0;
};
struct GpPoint {
    INT X = 0;
    INT Y = 0;
};
struct GpRectF {
    REAL X = 0;
    REAL Y = 0;
    REAL Width = 0;
    REAL Height = 0;
};
struct GpRect {
    INT X = 0;
    INT Y = 0;
    INT Width = 0;
    INT Height = 0;
};

// Opaque handles. Every kind of brush is a GpBrush, every bitmap a GpImage.
struct GpGraphics;
struct GpPath;
struct GpBrush;
using GpSolidFill = GpBrush;
using GpHatch = GpBrush;
using GpTexture = GpBrush;
using GpLineGradient = GpBrush;
using GpPathGradient = GpBrush;
struct GpPen;
struct GpMatrix;
struct GpRegion;
struct GpFontFamily;
struct GpFontCollection;
struct GpFont;
struct GpStringFormat;
struct GpImage;
using GpBitmap = GpImage;
struct GpImageAttributes;

// The in-memory stream through which image file bytes reach the decoders and leave the encoders
// (the whole content is one image file).
struct IStream {
    std::vector<std::uint8_t> data;
};

using DebugEventProc = void (*)(int level, char* message);
using NotificationHookProc = Status (*)(ULONG_PTR* token);
using NotificationUnhookProc = void (*)(ULONG_PTR token);
using DrawImageAbort = BOOL (*)(void* data);
using GetThumbnailImageAbort = DrawImageAbort;

struct GdiplusStartupInput {
    UINT GdiplusVersion = 1;
    DebugEventProc DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = 0;
    BOOL SuppressExternalCodecs = 0;
};
struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook = nullptr;
    NotificationUnhookProc NotificationUnhook = nullptr;
};

// ---- start-up and memory
// Starts are counted; GdipAlloc answers null while none is open.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                      GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);
void* GdipAlloc(std::size_t size);
void GdipFree(void* ptr);

// ---- graphics
Status GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
Status GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
Status GdipDeleteGraphics(GpGraphics* graphics);
Status GdipFlush(GpGraphics* graphics, FlushIntention intention);
Status GdipGraphicsClear(GpGraphics* graphics, ARGB color);
// A canvas drawing on the graphics' surface until GdipReleaseDC; other calls on the graphics
// answer ObjectBusy meanwhile.
Status GdipGetDC(GpGraphics* graphics, HDC* hdc);
Status GdipReleaseDC(GpGraphics* graphics, HDC hdc);
Status GdipSetWorldTransform(GpGraphics* graphics, GpMatrix* matrix);
Status GdipResetWorldTransform(GpGraphics* graphics);
Status GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint mode);
Status GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* mode);
Status GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode);
Status GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode);
Status GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality);
Status GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality);
Status GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height,
                       CombineMode mode);
Status GdipSetClipPath(GpGraphics* graphics, GpPath* path, CombineMode mode);
Status GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode mode);
Status GdipResetClip(GpGraphics* graphics);

Status GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
Status GdipDrawArc(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height,
                   REAL startAngle, REAL sweepAngle);
Status GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height);
Status GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height);
Status GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height);
Status GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path);
Status GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width,
                         REAL height);
Status GdipFillPolygon(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count,
                       FillMode fillMode);
Status GdipFillPolygonI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count,
                        FillMode fillMode);
Status GdipFillEllipse(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width,
                       REAL height);
Status GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);
Status GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path);

Status GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y);
Status GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width,
                         REAL height);
Status GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty,
                             REAL dstwidth, REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth,
                             REAL srcheight, Unit srcUnit, const GpImageAttributes* attributes,
                             DrawImageAbort callback, void* callbackData);

Status GdipMeasureString(GpGraphics* graphics, const char* string, INT length, const GpFont* font,
                         const GpRectF* layoutRect, const GpStringFormat* format,
                         GpRectF* boundingBox, INT* codepointsFitted, INT* linesFilled);
Status GdipDrawString(GpGraphics* graphics, const char* string, INT length, const GpFont* font,
                      const GpRectF* layoutRect, const GpStringFormat* format,
                      const GpBrush* brush);

// ---- paths
Status GdipCreatePath(FillMode fillMode, GpPath** path);
Status GdipDeletePath(GpPath* path);
Status GdipResetPath(GpPath* path);
Status GdipClosePathFigure(GpPath* path);
// The number of points the path holds (an ellipse: 13).
Status GdipGetPointCount(GpPath* path, INT* count);
Status GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2);
Status GdipAddPathLine2I(GpPath* path, const GpPoint* points, INT count);
Status GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                      REAL sweepAngle);
Status GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height);
Status GdipAddPathRectangleI(GpPath* path, INT x, INT y, INT width, INT height);
Status GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height);
Status GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                      REAL sweepAngle);
Status GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count);
Status GdipAddPathPolygonI(GpPath* path, const GpPoint* points, INT count);
// Cardinal splines through the points, tension 0.5 unless given.
Status GdipAddPathCurve(GpPath* path, const GpPointF* points, INT count);
Status GdipAddPathCurveI(GpPath* path, const GpPoint* points, INT count);
Status GdipAddPathCurve2I(GpPath* path, const GpPoint* points, INT count, REAL tension);
Status GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3,
                         REAL x4, REAL y4);
Status GdipAddPathString(GpPath* path, const char* string, INT length, const GpFontFamily* family,
                         INT style, REAL emSize, const GpRectF* layoutRect,
                         const GpStringFormat* format);

// ---- pens
Status GdipCreatePen1(ARGB color, REAL width, Unit unit, GpPen** pen);
Status GdipCreatePen2(GpBrush* brush, REAL width, Unit unit, GpPen** pen);
Status GdipDeletePen(GpPen* pen);
Status GdipSetPenBrushFill(GpPen* pen, GpBrush* brush);
// A new brush (the caller deletes it) like the pen's fill.
Status GdipGetPenBrushFill(GpPen* pen, GpBrush** brush);
Status GdipGetPenFillType(GpPen* pen, PenType* type);
Status GdipSetPenDashStyle(GpPen* pen, DashStyle dashStyle);
Status GdipGetPenDashStyle(GpPen* pen, DashStyle* dashStyle);
Status GdipSetPenEndCap(GpPen* pen, LineCap endCap);

// ---- brushes
Status GdipDeleteBrush(GpBrush* brush);
Status GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
Status GdipCreateHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor, GpHatch** brush);
Status GdipGetHatchStyle(GpHatch* brush, HatchStyle* hatchStyle);
Status GdipGetHatchForegroundColor(GpHatch* brush, ARGB* color);
Status GdipGetHatchBackgroundColor(GpHatch* brush, ARGB* color);
Status GdipCreateTexture(GpImage* image, WrapMode wrapMode, GpTexture** texture);
Status GdipCreateTexture2(GpImage* image, WrapMode wrapMode, REAL x, REAL y, REAL width,
                          REAL height, GpTexture** texture);
Status GdipCreateTexture2I(GpImage* image, WrapMode wrapMode, INT x, INT y, INT width, INT height,
                           GpTexture** texture);
Status GdipCreateTextureIA(GpImage* image, const GpImageAttributes* attributes, REAL x, REAL y,
                           REAL width, REAL height, GpTexture** texture);
Status GdipCreateTextureIAI(GpImage* image, const GpImageAttributes* attributes, INT x, INT y,
                            INT width, INT height, GpTexture** texture);
Status GdipResetTextureTransform(GpTexture* brush);
Status GdipTranslateTextureTransform(GpTexture* brush, REAL dx, REAL dy, MatrixOrder order);
Status GdipScaleTextureTransform(GpTexture* brush, REAL sx, REAL sy, MatrixOrder order);
Status GdipRotateTextureTransform(GpTexture* brush, REAL angle, MatrixOrder order);
Status GdipSetTextureWrapMode(GpTexture* brush, WrapMode wrapMode);
Status GdipGetTextureWrapMode(GpTexture* brush, WrapMode* wrapMode);
// A new image (the caller disposes of it) holding the texture's picture.
Status GdipGetTextureImage(GpTexture* brush, GpImage** image);
Status GdipCreateLineBrush(const GpPointF* point1, const GpPointF* point2, ARGB color1, ARGB color2,
                           WrapMode wrapMode, GpLineGradient** lineGradient);
Status GdipCreateLineBrushI(const GpPoint* point1, const GpPoint* point2, ARGB color1, ARGB color2,
                            WrapMode wrapMode, GpLineGradient** lineGradient);
Status GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB color1, ARGB color2,
                                   LinearGradientMode mode, WrapMode wrapMode,
                                   GpLineGradient** lineGradient);
Status GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2,
                                    LinearGradientMode mode, WrapMode wrapMode,
                                    GpLineGradient** lineGradient);
Status GdipCreateLineBrushFromRectWithAngle(const GpRectF* rect, ARGB color1, ARGB color2,
                                            REAL angle, BOOL isAngleScalable, WrapMode wrapMode,
                                            GpLineGradient** lineGradient);
Status GdipCreateLineBrushFromRectWithAngleI(const GpRect* rect, ARGB color1, ARGB color2,
                                             REAL angle, BOOL isAngleScalable, WrapMode wrapMode,
                                             GpLineGradient** lineGradient);
Status GdipSetLineGammaCorrection(GpLineGradient* brush, BOOL useGammaCorrection);
Status GdipSetLinePresetBlend(GpLineGradient* brush, const ARGB* blend, const REAL* positions,
                              INT count);
Status GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** brush);
Status GdipGetPathGradientCenterColor(GpPathGradient* brush, ARGB* color);
Status GdipSetPathGradientCenterColor(GpPathGradient* brush, ARGB color);
Status GdipGetPathGradientPointCount(GpPathGradient* brush, INT* count);
Status GdipGetPathGradientSurroundColorCount(GpPathGradient* brush, INT* count);
Status GdipGetPathGradientSurroundColorsWithCount(GpPathGradient* brush, ARGB* colors, INT* count);
Status GdipSetPathGradientSurroundColorsWithCount(GpPathGradient* brush, const ARGB* colors,
                                                  INT* count);
Status GdipGetPathGradientCenterPoint(GpPathGradient* brush, GpPointF* point);
Status GdipGetPathGradientCenterPointI(GpPathGradient* brush, GpPoint* point);
Status GdipSetPathGradientCenterPoint(GpPathGradient* brush, const GpPointF* point);
Status GdipSetPathGradientCenterPointI(GpPathGradient* brush, const GpPoint* point);
Status GdipSetPathGradientWrapMode(GpPathGradient* brush, WrapMode wrapMode);
Status GdipSetPathGradientGammaCorrection(GpPathGradient* brush, BOOL useGammaCorrection);
Status GdipSetPathGradientPresetBlend(GpPathGradient* brush, const ARGB* blend,
                                      const REAL* positions, INT count);

// ---- matrices
Status GdipCreateMatrix(GpMatrix** matrix);
Status GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy,
                         GpMatrix** matrix);
// The matrix that maps rect onto the parallelogram of dstplg's three points (upper-left,
// upper-right, lower-left).
Status GdipCreateMatrix3(const GpRectF* rect, const GpPointF* dstplg, GpMatrix** matrix);
Status GdipCreateMatrix3I(const GpRect* rect, const GpPoint* dstplg, GpMatrix** matrix);
Status GdipCloneMatrix(GpMatrix* matrix, GpMatrix** cloneMatrix);
Status GdipDeleteMatrix(GpMatrix* matrix);
Status GdipGetMatrixElements(const GpMatrix* matrix, REAL* matrixOut);
Status GdipSetMatrixElements(GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx,
                             REAL dy);
Status GdipMultiplyMatrix(GpMatrix* matrix, GpMatrix* matrix2, MatrixOrder order);
Status GdipTranslateMatrix(GpMatrix* matrix, REAL offsetX, REAL offsetY, MatrixOrder order);
Status GdipScaleMatrix(GpMatrix* matrix, REAL scaleX, REAL scaleY, MatrixOrder order);
Status GdipRotateMatrix(GpMatrix* matrix, REAL angle, MatrixOrder order);
Status GdipShearMatrix(GpMatrix* matrix, REAL shearX, REAL shearY, MatrixOrder order);
Status GdipInvertMatrix(GpMatrix* matrix);
Status GdipTransformMatrixPoints(GpMatrix* matrix, GpPointF* points, INT count);
Status GdipTransformMatrixPointsI(GpMatrix* matrix, GpPoint* points, INT count);
Status GdipVectorTransformMatrixPoints(GpMatrix* matrix, GpPointF* points, INT count);
Status GdipVectorTransformMatrixPointsI(GpMatrix* matrix, GpPoint* points, INT count);
Status GdipIsMatrixInvertible(const GpMatrix* matrix, BOOL* result);
Status GdipIsMatrixIdentity(const GpMatrix* matrix, BOOL* result);

// ---- regions
Status GdipCreateRegionRect(const GpRectF* rect, GpRegion** region);
Status GdipCreateRegionPath(GpPath* path, GpRegion** region);
Status GdipDeleteRegion(GpRegion* region);
Status GdipCombineRegionPath(GpRegion* region, GpPath* path, CombineMode mode);
Status GdipCombineRegionRegion(GpRegion* region, GpRegion* region2, CombineMode mode);

// ---- string formats
Status GdipCreateStringFormat(INT formatAttributes, LANGID language, GpStringFormat** format);
Status GdipCloneStringFormat(const GpStringFormat* format, GpStringFormat** newFormat);
Status GdipDeleteStringFormat(GpStringFormat* format);
Status GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align);
Status GdipGetStringFormatAlign(GpStringFormat* format, StringAlignment* align);
Status GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align);
Status GdipGetStringFormatLineAlign(GpStringFormat* format, StringAlignment* align);
Status GdipSetStringFormatFlags(GpStringFormat* format, INT flags);
Status GdipGetStringFormatFlags(GpStringFormat* format, INT* flags);
Status GdipSetStringFormatTrimming(GpStringFormat* format, StringTrimming trimming);
Status GdipGetStringFormatTrimming(GpStringFormat* format, StringTrimming* trimming);
Status GdipSetStringFormatHotkeyPrefix(GpStringFormat* format, INT hotkeyPrefix);
Status GdipGetStringFormatHotkeyPrefix(GpStringFormat* format, INT* hotkeyPrefix);

// ---- fonts
// FontFamilyNotFound for a face the project's fonts do not provide.
Status GdipCreateFontFamilyFromName(const char* name, GpFontCollection* fontCollection,
                                    GpFontFamily** fontFamily);
Status GdipDeleteFontFamily(GpFontFamily* fontFamily);
Status GdipGetGenericFontFamilySansSerif(GpFontFamily** fontFamily);
Status GdipGetGenericFontFamilySerif(GpFontFamily** fontFamily);
Status GdipGetGenericFontFamilyMonospace(GpFontFamily** fontFamily);
Status GdipCreateFont(const GpFontFamily* fontFamily, REAL emSize, INT style, INT unit,
                      GpFont** font);
Status GdipDeleteFont(GpFont* font);

// ---- images
Status GdipLoadImageFromFile(const char* filename, GpImage** image);
Status GdipLoadImageFromFileICM(const char* filename, GpImage** image);
Status GdipLoadImageFromStream(IStream* stream, GpImage** image);
Status GdipLoadImageFromStreamICM(IStream* stream, GpImage** image);
Status GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
Status GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap);
// A bitmap of the given size and format, transparent black; stride and scan0 must be 0 and null
// (the bitmap keeps its own pixels).
Status GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                 GpBitmap** bitmap);
Status GdipDisposeImage(GpImage* image);
Status GdipGetImageWidth(GpImage* image, UINT* width);
Status GdipGetImageHeight(GpImage* image, UINT* height);
Status GdipGetImagePixelFormat(GpImage* image, PixelFormat* format);
Status GdipGetImageRawFormat(GpImage* image, GUID* format);
Status GdipGetImageThumbnail(GpImage* image, UINT thumbWidth, UINT thumbHeight,
                             GpImage** thumbImage, GetThumbnailImageAbort callback,
                             void* callbackData);
Status GdipSaveImageToFile(GpImage* image, const char* filename, const CLSID* clsidEncoder,
                           const EncoderParameters* encoderParams);
Status GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* clsidEncoder,
                             const EncoderParameters* encoderParams);
Status GdipSaveAddImage(GpImage* image, GpImage* newImage, const EncoderParameters* encoderParams);
Status GdipImageRotateFlip(GpImage* image, RotateFlipType rfType);
// A new framework bitmap (the caller deletes it) of the pixels blended over background.
Status GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbmReturn, ARGB background);
Status GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color);
Status GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color);

// ---- image attributes
Status GdipCreateImageAttributes(GpImageAttributes** imageattr);
Status GdipCloneImageAttributes(const GpImageAttributes* imageattr,
                                GpImageAttributes** cloneImageattr);
Status GdipDisposeImageAttributes(GpImageAttributes* imageattr);
Status GdipSetImageAttributesToIdentity(GpImageAttributes* imageattr, ColorAdjustType type);
Status GdipResetImageAttributes(GpImageAttributes* imageattr, ColorAdjustType type);
Status GdipSetImageAttributesColorMatrix(GpImageAttributes* imageattr, ColorAdjustType type,
                                         BOOL enableFlag, const ColorMatrix* colorMatrix,
                                         const ColorMatrix* grayMatrix, ColorMatrixFlags flags);
Status GdipSetImageAttributesThreshold(GpImageAttributes* imageattr, ColorAdjustType type,
                                       BOOL enableFlag, REAL threshold);
Status GdipSetImageAttributesGamma(GpImageAttributes* imageattr, ColorAdjustType type,
                                   BOOL enableFlag, REAL gamma);
Status GdipSetImageAttributesNoOp(GpImageAttributes* imageattr, ColorAdjustType type,
                                  BOOL enableFlag);
Status GdipSetImageAttributesColorKeys(GpImageAttributes* imageattr, ColorAdjustType type,
                                       BOOL enableFlag, ARGB colorLow, ARGB colorHigh);
Status GdipSetImageAttributesOutputChannel(GpImageAttributes* imageattr, ColorAdjustType type,
                                           BOOL enableFlag, ColorChannelFlags channelFlags);
Status GdipSetImageAttributesOutputChannelColorProfile(GpImageAttributes* imageattr,
                                                       ColorAdjustType type, BOOL enableFlag,
                                                       const char* colorProfileFilename);
Status GdipSetImageAttributesRemapTable(GpImageAttributes* imageattr, ColorAdjustType type,
                                        BOOL enableFlag, UINT mapSize, const ColorMap* map);
Status GdipSetImageAttributesWrapMode(GpImageAttributes* imageAttr, WrapMode wrap, ARGB argb,
                                      BOOL clamp);
Status GdipGetImageAttributesAdjustedPalette(GpImageAttributes* imageAttr,
                                             ColorPalette* colorPalette,
                                             ColorAdjustType colorAdjustType);

}  // namespace Gdiplus
}  // namespace dsp
