#pragma once
// The widget pack's object layer over the anti-aliased drawing layer: one wrapper class per kind
// of drawing object, each owning exactly one handle of the flat API and forwarding every
// operation to one flat function. Wrappers never raise: a failed call leaves its status in the
// wrapper (lastResult; GetLastStatus reads and resets it where offered) and a later success
// does not clear it. Also here: colour conversion to ARGB, text helpers on a surface,
// FillShapeWithStyle, and the picture type of the fills (TAdvGDIPPicture).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiPlus.h"
#include "framework/graphics/Graphic.h"

namespace dsp {

class TStream;
class TMemoryStream;

// GDI+'s names of enumerations, statuses and records, as the widget pack uses them.
using namespace Gdiplus;

namespace Gdiplus {
// clang-format off
DSP_ENUM_NAMES(HatchStyle, "HatchStyleHorizontal", "HatchStyleVertical", "HatchStyleForwardDiagonal", "HatchStyleBackwardDiagonal", "HatchStyleCross", "HatchStyleDiagonalCross", "HatchStyle05Percent", "HatchStyle10Percent", "HatchStyle20Percent", "HatchStyle25Percent", "HatchStyle30Percent", "HatchStyle40Percent", "HatchStyle50Percent", "HatchStyle60Percent", "HatchStyle70Percent", "HatchStyle75Percent", "HatchStyle80Percent", "HatchStyle90Percent", "HatchStyleLightDownwardDiagonal", "HatchStyleLightUpwardDiagonal", "HatchStyleDarkDownwardDiagonal", "HatchStyleDarkUpwardDiagonal", "HatchStyleWideDownwardDiagonal", "HatchStyleWideUpwardDiagonal", "HatchStyleLightVertical", "HatchStyleLightHorizontal", "HatchStyleNarrowVertical", "HatchStyleNarrowHorizontal", "HatchStyleDarkVertical", "HatchStyleDarkHorizontal", "HatchStyleDashedDownwardDiagonal", "HatchStyleDashedUpwardDiagonal", "HatchStyleDashedHorizontal", "HatchStyleDashedVertical", "HatchStyleSmallConfetti", "HatchStyleLargeConfetti", "HatchStyleZigZag", "HatchStyleWave", "HatchStyleDiagonalBrick", "HatchStyleHorizontalBrick", "HatchStyleWeave", "HatchStylePlaid", "HatchStyleDivot", "HatchStyleDottedGrid", "HatchStyleDottedDiamond", "HatchStyleShingle", "HatchStyleTrellis", "HatchStyleSphere", "HatchStyleSmallGrid", "HatchStyleSmallCheckerBoard", "HatchStyleLargeCheckerBoard", "HatchStyleOutlinedDiamond", "HatchStyleSolidDiamond")
// clang-format on
DSP_ENUM_NAMES(DashStyle, "DashStyleSolid", "DashStyleDash", "DashStyleDot", "DashStyleDashDot",
               "DashStyleDashDotDot", "DashStyleCustom")
}  // namespace Gdiplus

using TGPPointF = GpPointF;
using TGPPoint = GpPoint;
using TGPRectF = GpRectF;
using TGPRect = GpRect;

enum TGPImageFormat {
    ifUndefined,
    ifMemoryBMP,
    ifBMP,
    ifEMF,
    ifWMF,
    ifJPEG,
    ifPNG,
    ifGIF,
    ifTIFF,
    ifEXIF,
    ifIcon,
};

enum TAdvGradientType {
    gtSolid,
    gtRadial,
    gtVertical,
    gtHorizontal,
    gtForwardDiagonal,
    gtBackwardDiagonal,
    gtAngle,
    gtHatch,
    gtPath,
    gtTexture,
    gtNone,
};
DSP_ENUM_NAMES(TAdvGradientType, "gtSolid", "gtRadial", "gtVertical", "gtHorizontal",
               "gtForwardDiagonal", "gtBackwardDiagonal", "gtAngle", "gtHatch", "gtPath",
               "gtTexture", "gtNone")

// The root of the wrappers: their memory comes from the drawing layer's allocator, which is
// started on demand when a wrapper is made before the layer.
class TGdiplusBase : public TObject {
public:
    static void* operator new(std::size_t size);
    static void operator delete(void* p);
};

class TGPImage;
class TGPBitmap;
class TGPGraphicsPath;
class TGPBrush;

class TGPRegion : public TGdiplusBase {
public:
    explicit TGPRegion(const TGPRectF& rect);
    explicit TGPRegion(TGPGraphicsPath* path);
    ~TGPRegion() override;
    Status Exclude(TGPGraphicsPath* path);
    Status Union(TGPRegion* region);

    GpRegion* nativeRegion = nullptr;
    Status lastResult = Ok;

protected:
    Status RecordStatus(Status status);
};

class TGPImageAttributes : public TGdiplusBase {
public:
    TGPImageAttributes();
    TGPImageAttributes(GpImageAttributes* imageAttr, Status status);
    ~TGPImageAttributes() override;
    TGPImageAttributes* Clone();
    Status SetToIdentity(ColorAdjustType type = ColorAdjustTypeDefault);
    Status Reset(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetColorMatrix(const ColorMatrix& colorMatrix,
                          ColorMatrixFlags mode = ColorMatrixFlagsDefault,
                          ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearColorMatrix(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetColorMatrices(const ColorMatrix& colorMatrix, const ColorMatrix& grayMatrix,
                            ColorMatrixFlags mode = ColorMatrixFlagsDefault,
                            ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearColorMatrices(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetThreshold(REAL threshold, ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearThreshold(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetGamma(REAL gamma, ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearGamma(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetNoOp(ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearNoOp(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetColorKey(ARGB colorLow, ARGB colorHigh,
                       ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearColorKey(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetOutputChannel(ColorChannelFlags channelFlags,
                            ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearOutputChannel(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetOutputChannelColorProfile(const std::string& colorProfileFilename,
                                        ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearOutputChannelColorProfile(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetRemapTable(UINT mapSize, const ColorMap* map,
                         ColorAdjustType type = ColorAdjustTypeDefault);
    Status ClearRemapTable(ColorAdjustType type = ColorAdjustTypeDefault);
    Status SetBrushRemapTable(UINT mapSize, const ColorMap* map);
    Status ClearBrushRemapTable();
    Status SetWrapMode(WrapMode wrap, ARGB color = 0xFF000000, bool clamp = false);
    Status GetAdjustedPalette(ColorPalette* colorPalette, ColorAdjustType colorAdjustType);
    Status GetLastStatus();

    GpImageAttributes* nativeImageAttr = nullptr;
    Status lastResult = Ok;

protected:
    Status RecordStatus(Status status);
};

class TGPFontCollection : public TGdiplusBase {
public:
    TGPFontCollection() = default;
    GpFontCollection* nativeFontCollection = nullptr;
    Status lastResult = Ok;
};

class TGPFontFamily : public TGdiplusBase {
public:
    TGPFontFamily(const std::string& name, TGPFontCollection* fontCollection = nullptr);
    TGPFontFamily(GpFontFamily* nativeOrig, Status status);
    ~TGPFontFamily() override;
    // One shared family each, made on first use and kept until the program ends.
    static TGPFontFamily* GenericSansSerif();
    static TGPFontFamily* GenericSerif();
    static TGPFontFamily* GenericMonospace();

    GpFontFamily* nativeFamily = nullptr;
    Status lastResult = Ok;
};

class TGPFont : public TGdiplusBase {
public:
    TGPFont(TGPFontFamily* family, REAL emSize, INT style = FontStyleRegular,
            Unit unit = UnitPoint);
    // Falls back to the generic sans-serif family when the named one cannot make the font.
    TGPFont(const std::string& familyName, REAL emSize, INT style = FontStyleRegular,
            Unit unit = UnitPoint, TGPFontCollection* fontCollection = nullptr);
    TGPFont(GpFont* font, Status status);
    ~TGPFont() override;

    GpFont* nativeFont = nullptr;
    Status lastResult = Ok;
};

class TGPBrush : public TGdiplusBase {
public:
    TGPBrush();  // no native brush: records NotImplemented
    TGPBrush(GpBrush* nativeBrush, Status status);
    ~TGPBrush() override;

    GpBrush* nativeBrush = nullptr;
    Status lastResult = Ok;

protected:
    struct Empty {};
    explicit TGPBrush(Empty) {}
    Status RecordStatus(Status status);
};

class TGPSolidBrush : public TGPBrush {
public:
    explicit TGPSolidBrush(ARGB color);
    TGPSolidBrush() : TGPBrush(Empty{}) {}
};

class TGPHatchBrush : public TGPBrush {
public:
    TGPHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor = 0xFF000000);
    TGPHatchBrush() : TGPBrush(Empty{}) {}
    HatchStyle GetHatchStyle();
    Status GetForegroundColor(ARGB& color);
    Status GetBackgroundColor(ARGB& color);
};

class TGPTextureBrush : public TGPBrush {
public:
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode = WrapModeTile);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRectF& dstRect);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRect& dstRect);
    TGPTextureBrush(TGPImage* image, const TGPRectF& dstRect,
                    TGPImageAttributes* imageAttributes = nullptr);
    TGPTextureBrush(TGPImage* image, const TGPRect& dstRect,
                    TGPImageAttributes* imageAttributes = nullptr);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, REAL dstX, REAL dstY, REAL dstWidth,
                    REAL dstHeight);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, INT dstX, INT dstY, INT dstWidth,
                    INT dstHeight);
    TGPTextureBrush() : TGPBrush(Empty{}) {}
    Status ResetTransform();
    Status TranslateTransform(REAL dx, REAL dy, MatrixOrder order = MatrixOrderPrepend);
    Status ScaleTransform(REAL sx, REAL sy, MatrixOrder order = MatrixOrderPrepend);
    Status RotateTransform(REAL angle, MatrixOrder order = MatrixOrderPrepend);
    Status SetWrapMode(WrapMode wrapMode);
    WrapMode GetWrapMode();
    TGPImage* GetImage();  // the caller frees it
};

class TGPLinearGradientBrush : public TGPBrush {
public:
    TGPLinearGradientBrush(const TGPPointF& point1, const TGPPointF& point2, ARGB color1,
                           ARGB color2);
    TGPLinearGradientBrush(const TGPPoint& point1, const TGPPoint& point2, ARGB color1,
                           ARGB color2);
    TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, REAL angle,
                           bool isAngleScalable = false);
    TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, REAL angle,
                           bool isAngleScalable = false);
    Status SetGammaCorrection(bool useGammaCorrection);
    Status SetInterpolationColors(const ARGB* presetColors, const REAL* blendPositions, INT count);

private:
    friend class TGPPen;
    TGPLinearGradientBrush() : TGPBrush() {}
};

class TGPPathGradientBrush : public TGPBrush {
public:
    explicit TGPPathGradientBrush(TGPGraphicsPath* path);
    Status GetCenterColor(ARGB& color);
    Status SetCenterColor(ARGB color);
    INT GetPointCount();
    Status GetSurroundColors(ARGB* colors, INT& count);
    Status SetSurroundColors(const ARGB* colors, INT& count);
    Status GetCenterPoint(TGPPointF& point);
    Status GetCenterPoint(TGPPoint& point);
    Status SetCenterPoint(const TGPPointF& point);
    Status SetCenterPoint(const TGPPoint& point);
    Status SetWrapMode(WrapMode wrapMode);
    Status SetGammaCorrection(bool useGammaCorrection);
    Status SetInterpolationColors(const ARGB* presetColors, const REAL* blendPositions, INT count);
};

class TGPPen : public TGdiplusBase {
public:
    TGPPen(ARGB color, REAL width = 1.0f);
    TGPPen(TGPBrush* brush, REAL width = 1.0f);
    ~TGPPen() override;
    Status SetBrush(TGPBrush* brush);
    // A new brush of the pen's fill kind (the caller frees it); null for an unknown kind.
    TGPBrush* GetBrush();
    PenType GetPenType();
    Status SetDashStyle(DashStyle dashStyle);
    DashStyle GetDashStyle();
    Status SetEndCap(LineCap endCap);

    GpPen* nativePen = nullptr;
    Status lastResult = Ok;

protected:
    Status RecordStatus(Status status);
};

class TGPStringFormat : public TGdiplusBase {
public:
    explicit TGPStringFormat(INT formatFlags = 0, LANGID language = 0);
    // A clone of format (null gives a wrapper without a handle).
    explicit TGPStringFormat(TGPStringFormat* format);
    TGPStringFormat(GpStringFormat* clonedStringFormat, Status status);
    ~TGPStringFormat() override;
    Status SetAlignment(StringAlignment align);
    StringAlignment GetAlignment();
    Status SetLineAlignment(StringAlignment align);
    StringAlignment GetLineAlignment();
    Status SetFormatFlags(INT flags);
    INT GetFormatFlags();
    Status SetTrimming(StringTrimming trimming);
    StringTrimming GetTrimming();
    Status SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix);
    HotkeyPrefix GetHotkeyPrefix();

    GpStringFormat* nativeFormat = nullptr;
    Status lastError = Ok;

protected:
    Status RecordStatus(Status status);
};

class TGPGraphicsPath : public TGdiplusBase {
public:
    explicit TGPGraphicsPath(FillMode fillMode = FillModeAlternate);
    explicit TGPGraphicsPath(GpPath* nativePath);
    ~TGPGraphicsPath() override;
    Status Reset();
    Status CloseFigure();
    Status AddLine(const TGPPointF& pt1, const TGPPointF& pt2);
    Status AddLine(REAL x1, REAL y1, REAL x2, REAL y2);
    Status AddLines(const TGPPoint* points, INT count);
    Status AddRectangle(const TGPRectF& rect);
    Status AddRectangle(const TGPRect& rect);
    Status AddArc(const TGPRectF& rect, REAL startAngle, REAL sweepAngle);
    Status AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
    Status AddEllipse(const TGPRectF& rect);
    Status AddEllipse(REAL x, REAL y, REAL width, REAL height);
    Status AddPie(const TGPRectF& rect, REAL startAngle, REAL sweepAngle);
    Status AddPie(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
    Status AddPolygon(const TGPPointF* points, INT count);
    Status AddPolygon(const TGPPoint* points, INT count);
    Status AddCurve(const TGPPointF* points, INT count);
    Status AddCurve(const TGPPoint* points, INT count);
    Status AddCurve(const TGPPoint* points, INT count, REAL tension);
    Status AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3,
                     const TGPPoint& pt4);
    Status AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                     const TGPPointF& pt4);
    Status AddBezier(REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4);
    Status AddString(const std::string& text, INT length, TGPFontFamily* family, INT style,
                     REAL emSize, const TGPRectF& layoutRect, TGPStringFormat* format);

    GpPath* nativePath = nullptr;
    Status lastResult = Ok;

protected:
    Status RecordStatus(Status status);
};

class TGPImage : public TGdiplusBase {
public:
    TGPImage(const std::string& filename, bool useEmbeddedColorManagement = false);
    TGPImage(IStream* stream, bool useEmbeddedColorManagement = false);
    TGPImage(GpImage* nativeImage, Status status);
    ~TGPImage() override;
    UINT GetWidth();
    UINT GetHeight();
    PixelFormat GetPixelFormat();
    INT GetPixelDepth();
    bool HasAlphaChannel();
    bool HasPalette();
    TGPImageFormat GetFormat();
    TGPImage* GetThumbnailImage(UINT thumbWidth, UINT thumbHeight,
                                GetThumbnailImageAbort callback = nullptr,
                                void* callbackData = nullptr);
    Status Save(const std::string& filename, const CLSID& clsidEncoder,
                const EncoderParameters* encoderParams = nullptr);
    Status Save(IStream* stream, const CLSID& clsidEncoder,
                const EncoderParameters* encoderParams = nullptr);
    Status SaveAdd(TGPImage* newImage, const EncoderParameters* encoderParams);
    Status RotateFlip(RotateFlipType rotateFlipType);

    GpImage* nativeImage = nullptr;
    Status lastResult = Ok;
    Status loadStatus = Ok;

protected:
    TGPImage() = default;
    Status RecordStatus(Status status);
};

class TGPBitmap : public TGPImage {
public:
    TGPBitmap(IStream* stream, bool useEmbeddedColorManagement = false);
    TGPBitmap(INT width, INT height, PixelFormat format = PixelFormat32bppARGB);
    explicit TGPBitmap(GpBitmap* nativeBitmap);
    static TGPBitmap* FromStream(IStream* stream, bool useEmbeddedColorManagement = false);
    Status GetHBITMAP(ARGB colorBackground, HBITMAP& hbmReturn);
    Status GetPixel(INT x, INT y, ARGB& color);
    Status SetPixel(INT x, INT y, ARGB color);
};

class TGPMatrix : public TGdiplusBase {
public:
    TGPMatrix();
    TGPMatrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
    TGPMatrix(const TGPRectF& rect, const TGPPointF* dstplg);
    TGPMatrix(const TGPRect& rect, const TGPPoint* dstplg);
    explicit TGPMatrix(GpMatrix* nativeMatrix);
    ~TGPMatrix() override;
    TGPMatrix* Clone();
    Status GetElements(REAL* m);
    Status SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
    REAL OffsetX();
    REAL OffsetY();
    Status Reset();
    Status Multiply(TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status Translate(REAL offsetX, REAL offsetY, MatrixOrder order = MatrixOrderPrepend);
    Status Scale(REAL scaleX, REAL scaleY, MatrixOrder order = MatrixOrderPrepend);
    Status Rotate(REAL angle, MatrixOrder order = MatrixOrderPrepend);
    Status RotateAt(REAL angle, const TGPPointF& center, MatrixOrder order = MatrixOrderPrepend);
    Status Shear(REAL shearX, REAL shearY, MatrixOrder order = MatrixOrderPrepend);
    Status Invert();
    Status TransformPoints(TGPPointF* pts, INT count = 1);
    Status TransformPoints(TGPPoint* pts, INT count = 1);
    Status TransformVectors(TGPPointF* pts, INT count = 1);
    Status TransformVectors(TGPPoint* pts, INT count = 1);
    bool IsInvertible();
    bool IsIdentity();
    Status GetLastStatus();

    GpMatrix* nativeMatrix = nullptr;
    Status lastResult = Ok;

protected:
    Status RecordStatus(Status status);
};

class TGPGraphics : public TGdiplusBase {
public:
    explicit TGPGraphics(TCanvas* hdc);
    explicit TGPGraphics(TGPImage* image);
    ~TGPGraphics() override;
    static TGPGraphics* FromImage(TGPImage* image);

    void Flush(FlushIntention intention = FlushIntentionFlush);
    Status Clear(ARGB color);
    TCanvas* GetHDC();
    void ReleaseHDC(TCanvas* hdc);
    Status SetTransform(TGPMatrix* matrix);
    Status ResetTransform();
    Status SetTextRenderingHint(TextRenderingHint newMode);
    TextRenderingHint GetTextRenderingHint();
    Status SetSmoothingMode(SmoothingMode smoothingMode);
    SmoothingMode GetSmoothingMode();  // -1 when the layer reports nothing
    Status SetCompositingQuality(CompositingQuality compositingQuality);
    CompositingQuality GetCompositingQuality();

    Status DrawPath(TGPPen* pen, TGPGraphicsPath* path);
    Status FillRectangle(TGPBrush* brush, const TGPRectF& rect);
    Status FillRectangle(TGPBrush* brush, REAL x, REAL y, REAL width, REAL height);
    Status FillPolygon(TGPBrush* brush, const TGPPointF* points, INT count);
    Status FillPolygon(TGPBrush* brush, const TGPPointF* points, INT count, FillMode fillMode);
    Status FillPolygon(TGPBrush* brush, const TGPPoint* points, INT count);
    Status FillPolygon(TGPBrush* brush, const TGPPoint* points, INT count, FillMode fillMode);
    Status FillEllipse(TGPBrush* brush, const TGPRectF& rect);
    Status FillEllipse(TGPBrush* brush, REAL x, REAL y, REAL width, REAL height);
    Status FillEllipse(TGPBrush* brush, const TGPRect& rect);
    Status FillEllipse(TGPBrush* brush, INT x, INT y, INT width, INT height);
    Status FillPath(TGPBrush* brush, TGPGraphicsPath* path);
    Status DrawRectangle(TGPPen* pen, const TGPRectF& rect);
    Status DrawRectangle(TGPPen* pen, REAL x, REAL y, REAL width, REAL height);
    Status DrawEllipse(TGPPen* pen, const TGPRectF& rect);
    Status DrawEllipse(TGPPen* pen, REAL x, REAL y, REAL width, REAL height);
    Status DrawEllipse(TGPPen* pen, const TGPRect& rect);
    Status DrawEllipse(TGPPen* pen, INT x, INT y, INT width, INT height);
    Status DrawArc(TGPPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                   REAL sweepAngle);
    Status DrawArc(TGPPen* pen, const TGPRectF& rect, REAL startAngle, REAL sweepAngle);
    Status DrawLine(TGPPen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
    Status DrawImage(TGPImage* image, REAL x, REAL y, REAL width, REAL height);
    Status DrawImage(TGPImage* image, const TGPRectF& rect);
    Status DrawImage(TGPImage* image, INT x, INT y);
    Status DrawImage(TGPImage* image, const TGPRectF& destRect, REAL srcx, REAL srcy, REAL srcwidth,
                     REAL srcheight, Unit srcUnit, TGPImageAttributes* imageAttributes = nullptr,
                     DrawImageAbort callback = nullptr, void* callbackData = nullptr);
    // The integer form converts to floats; the float form rounds the rectangle to whole pixels
    // (halves to even) first.
    Status DrawImageRect(TGPImage* image, INT x, INT y, INT w, INT h);
    Status DrawImageRect(TGPImage* image, const TGPRectF& aRect);
    Status SetClip(TGPRegion* region, CombineMode combineMode = CombineModeReplace);
    Status SetClip(TGPGraphicsPath* path, CombineMode combineMode = CombineModeReplace);
    Status ExcludeClip(const TGPRectF& rect);
    Status ExcludeClip(TGPRegion* region);
    Status ResetClip();

    Status MeasureString(const std::string& text, INT length, TGPFont* font,
                         const TGPRectF& layoutRect, TGPStringFormat* stringFormat,
                         TGPRectF& boundingBox, INT* codepointsFitted = nullptr,
                         INT* linesFilled = nullptr);
    Status MeasureString(const std::string& text, INT length, TGPFont* font,
                         const TGPPointF& origin, TGPStringFormat* stringFormat,
                         TGPRectF& boundingBox);
    Status MeasureString(const std::string& text, INT length, TGPFont* font,
                         const TGPRectF& layoutRect, TGPRectF& boundingBox);
    Status DrawString(const std::string& text, INT length, TGPFont* font,
                      const TGPRectF& layoutRect, TGPStringFormat* stringFormat, TGPBrush* brush);
    Status DrawString(const std::string& text, INT length, TGPFont* font, const TGPPointF& origin,
                      TGPBrush* brush);
    Status DrawString(const std::string& text, INT length, TGPFont* font, const TGPPointF& origin,
                      TGPStringFormat* stringFormat, TGPBrush* brush);

    // The framework font as a font of the layer (the caller frees it); a face the fonts do not
    // have becomes "Arial" of the same size and style.
    TGPFont* MakeFont(TFont* aFont);
    int TextWidth(const std::string& text, TFont* font);
    int TextHeight(const std::string& text, TFont* font);
    // Draws (or with style 0x400 only measures) the text at rect's top-left in the font's
    // colour, over bkColor unless that is clNone; returns the text's height.
    int DrawText(const std::string& text, int len, TRect& rect, TFont* font, unsigned style,
                 TColor bkColor);

    Status GetLastStatus();

    GpGraphics* nativeGraphics = nullptr;
    Status lastResult = Ok;

protected:
    Status RecordStatus(Status status);
};

// ---- colours and records

ARGB ColorToArgb(TColor color);
ARGB ColorToArgbWithAlpha(std::uint8_t alpha, TColor color);
ARGB ComposeArgb(std::uint8_t alpha, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
ARGB OpaqueArgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
std::uint8_t ArgbRed(ARGB color);
std::uint8_t ArgbGreen(ARGB color);
std::uint8_t ArgbBlue(ARGB color);
TGPPoint MakeGPPoint(INT x, INT y);
TGPPointF MakeGPPointF(REAL x, REAL y);
TGPRectF MakeGPRectF(REAL x, REAL y, REAL width, REAL height);

// ---- pictures

// The largest picture file a picture decodes; bigger ones fail as if memory ran out
// ("Could not allocate memory for image"). 64 MiB unless set.
void SetPictureMemoryLimit(std::size_t bytes);
std::size_t PictureMemoryLimit();

// The picture type of the fills: keeps the image file's bytes and decodes them for every
// measuring and drawing. BMP files are drawn at their own size with their bottom-left colour
// (or TransparentColor, tmFixed) left out when Transparent; other pictures are stretched.
class TAdvGDIPPicture : public TGraphic {
public:
    TAdvGDIPPicture();
    ~TAdvGDIPPicture() override;

    bool Empty() const override { return FIsEmpty; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetSize(int, int) override {}
    std::unique_ptr<TGraphic> CreateNew() const override;
    void Draw(TCanvas* canvas, const TRect& r) override;
    void LoadFromBytes(const std::vector<std::uint8_t>& data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;
    void Assign(TPersistent* source) override;

    // The form stream's binary property "Data": the file's bytes, nothing before them; written
    // only for a picture that is not empty.
    void DefineProperties(TFiler* filer) override;
    void ReadData(TStream* stream);
    void WriteData(TStream* stream);
    void LoadFromStream(TStream* stream);
    void SaveToStream(TStream* stream);
    void LoadFromFile(const std::string& fileName);
    // "RES://name" is a resource of the program (none on this platform), "FILE://path" a file;
    // anything else does nothing.
    void LoadFromURL(const std::string& url);
    void LoadFromResourceName(const std::string& resName);
    void LoadFromClipboardFormat() {}
    void SaveToClipboardFormat() {}

    bool GetImageSizes();
    void GetImageSizesFromFileName(const std::string& fileName);
    void GDIPDraw(TGPGraphics* graphics, const TRect& rect);
    void GDIPDraw(TGPGraphics* graphics, const TGPRectF& rect);
    void FillRect(TGPGraphics* graphics, const TGPRectF& r);
    void FillPath(TGPGraphics* graphics, TGPGraphicsPath* path);

    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
    TTransparentMode TransparentMode() const { return FBitmapTransparentMode; }
    void SetTransparentMode(TTransparentMode value) { FBitmapTransparentMode = value; }
    TColor TransparentColor() const { return FBitmapTransparentColor; }
    void SetTransparentColor(TColor value) { FBitmapTransparentColor = value; }
    const std::string& ID() const { return FID; }
    void SetID(const std::string& value) { FID = value; }
    int PixelDepth() const { return FPixelDepth; }
    bool HasAlpha() const { return FHasAlpha; }
    bool HasPalette() const { return FHasPalette; }
    int PixelFormat() const { return FPixelFormat; }
    const TMemoryStream& Data() const { return *FDatastream; }

    TNotifyEvent OnClear;

private:
    void Changed() override;
    void DoClear();

    bool FDrawing = false;
    std::unique_ptr<TMemoryStream> FDatastream;
    bool FIsEmpty = true;
    int FWidth = 0;
    int FHeight = 0;
    bool FDoubleBuffered = false;
    TTransparentMode FBitmapTransparentMode = tmAuto;
    TColor FBitmapTransparentColor = clWhite;
    std::string FID;
    int FPixelDepth = 0;
    bool FHasAlpha = false;
    bool FHasPalette = false;
    int FPixelFormat = 0;
};

// ---- picture headers

// The size a picture file's header states, read without decoding; 0 x 0 when the reader finds
// none. kind is the upper-case extension with its dot (".JPG", ".PNG", ".BMP", ".TIFF", ".GIF").
struct TPictureHeaderSize {
    int width = 0;
    int height = 0;
};
TPictureHeaderSize ReadPictureHeaderSize(const std::string& kind, TStream& file);

// ---- filling shapes

struct FillShapeParams {
    TGPGraphics* Graphics = nullptr;
    TGPGraphicsPath* Path = nullptr;
    bool UsePath = false;
    TGPRectF Rect;
    TAdvGradientType GradientType = gtSolid;
    TColor Color = clNone;
    TColor ColorTo = clNone;
    std::uint8_t Opacity = 255;
    std::uint8_t OpacityTo = 255;
    HatchStyle HatchStyle_ = HatchStyleHorizontal;
    int Angle = 0;
    TAdvGDIPPicture* Picture = nullptr;
    TColor BorderColor = clNone;
    int BorderWidth = 1;
    DashStyle BorderStyle = DashStyleSolid;
    bool Mirror = false;
};

void FillShapeWithStyle(const FillShapeParams& params);

}  // namespace dsp
