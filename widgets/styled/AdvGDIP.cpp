// The wrapper classes of the anti-aliased drawing layer, the colour routines and
// FillShapeWithStyle.

#include "widgets/styled/AdvGDIP.h"

#include <cmath>
#include <new>

namespace dsp {

namespace {

// The layer is started when the program starts and stopped when it ends.
struct TLayerLifetime {
    ULONG_PTR token = 0;
    TLayerLifetime() { Start(); }
    ~TLayerLifetime() {
        if (token != 0) GdiplusShutdown(token);
    }
    void Start() {
        GdiplusStartupInput input;
        input.GdiplusVersion = 1;
        input.SuppressBackgroundThread = 1;
        input.SuppressExternalCodecs = 0;
        GdiplusStartupOutput output;
        if (GdiplusStartup(&token, &input, &output) != Ok) token = 0;
    }
};

TLayerLifetime& Layer() {
    static TLayerLifetime layer;
    return layer;
}

[[maybe_unused]] const bool kStartedAtLoad = (Layer(), true);

REAL F(INT v) { return static_cast<REAL>(v); }

// Nearest integer, halves to even.
INT RoundHalfEven(REAL v) { return static_cast<INT>(std::nearbyint(static_cast<double>(v))); }

}  // namespace

// ---- TGdiplusBase

void* TGdiplusBase::operator new(std::size_t size) {
    void* p = GdipAlloc(size);
    if (p == nullptr) {
        Layer().Start();
        p = GdipAlloc(size);
    }
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void TGdiplusBase::operator delete(void* p) { GdipFree(p); }

#define DSP_RECORD(Class, field)                \
    Status Class::RecordStatus(Status status) { \
        if (status != Ok) field = status;       \
        return status;                          \
    }

DSP_RECORD(TGPRegion, lastResult)
DSP_RECORD(TGPImageAttributes, lastResult)
DSP_RECORD(TGPBrush, lastResult)
DSP_RECORD(TGPPen, lastResult)
DSP_RECORD(TGPStringFormat, lastError)
DSP_RECORD(TGPGraphicsPath, lastResult)
DSP_RECORD(TGPImage, lastResult)
DSP_RECORD(TGPMatrix, lastResult)
DSP_RECORD(TGPGraphics, lastResult)
#undef DSP_RECORD

// ---- TGPRegion

TGPRegion::TGPRegion(const TGPRectF& rect) {
    lastResult = GdipCreateRegionRect(&rect, &nativeRegion);
}

TGPRegion::TGPRegion(TGPGraphicsPath* path) {
    lastResult = GdipCreateRegionPath(path ? path->nativePath : nullptr, &nativeRegion);
}

TGPRegion::~TGPRegion() { GdipDeleteRegion(nativeRegion); }

Status TGPRegion::Exclude(TGPGraphicsPath* path) {
    return RecordStatus(
        GdipCombineRegionPath(nativeRegion, path ? path->nativePath : nullptr, CombineModeExclude));
}

Status TGPRegion::Union(TGPRegion* region) {
    return RecordStatus(GdipCombineRegionRegion(
        nativeRegion, region ? region->nativeRegion : nullptr, CombineModeUnion));
}

// ---- TGPImageAttributes

TGPImageAttributes::TGPImageAttributes() {
    lastResult = GdipCreateImageAttributes(&nativeImageAttr);
}

TGPImageAttributes::TGPImageAttributes(GpImageAttributes* imageAttr, Status status)
    : nativeImageAttr(imageAttr), lastResult(status) {}

TGPImageAttributes::~TGPImageAttributes() { GdipDisposeImageAttributes(nativeImageAttr); }

TGPImageAttributes* TGPImageAttributes::Clone() {
    GpImageAttributes* clone = nullptr;
    RecordStatus(GdipCloneImageAttributes(nativeImageAttr, &clone));
    return new TGPImageAttributes(clone, lastResult);
}

Status TGPImageAttributes::SetToIdentity(ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesToIdentity(nativeImageAttr, type));
}
Status TGPImageAttributes::Reset(ColorAdjustType type) {
    return RecordStatus(GdipResetImageAttributes(nativeImageAttr, type));
}
Status TGPImageAttributes::SetColorMatrix(const ColorMatrix& colorMatrix, ColorMatrixFlags mode,
                                          ColorAdjustType type) {
    return RecordStatus(
        GdipSetImageAttributesColorMatrix(nativeImageAttr, type, 1, &colorMatrix, nullptr, mode));
}
Status TGPImageAttributes::ClearColorMatrix(ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, type, 0, nullptr,
                                                          nullptr, ColorMatrixFlagsDefault));
}
Status TGPImageAttributes::SetColorMatrices(const ColorMatrix& colorMatrix,
                                            const ColorMatrix& grayMatrix, ColorMatrixFlags mode,
                                            ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesColorMatrix(nativeImageAttr, type, 1, &colorMatrix,
                                                          &grayMatrix, mode));
}
Status TGPImageAttributes::ClearColorMatrices(ColorAdjustType type) {
    return ClearColorMatrix(type);
}
Status TGPImageAttributes::SetThreshold(REAL threshold, ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesThreshold(nativeImageAttr, type, 1, threshold));
}
Status TGPImageAttributes::ClearThreshold(ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesThreshold(nativeImageAttr, type, 0, 0));
}
Status TGPImageAttributes::SetGamma(REAL gamma, ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesGamma(nativeImageAttr, type, 1, gamma));
}
Status TGPImageAttributes::ClearGamma(ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesGamma(nativeImageAttr, type, 0, 0));
}
Status TGPImageAttributes::SetNoOp(ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesNoOp(nativeImageAttr, type, 1));
}
Status TGPImageAttributes::ClearNoOp(ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesNoOp(nativeImageAttr, type, 0));
}
Status TGPImageAttributes::SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type) {
    return RecordStatus(
        GdipSetImageAttributesColorKeys(nativeImageAttr, type, 1, colorLow, colorHigh));
}
Status TGPImageAttributes::ClearColorKey(ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesColorKeys(nativeImageAttr, type, 0, 0, 0));
}
Status TGPImageAttributes::SetOutputChannel(ColorChannelFlags channelFlags, ColorAdjustType type) {
    return RecordStatus(
        GdipSetImageAttributesOutputChannel(nativeImageAttr, type, 1, channelFlags));
}
Status TGPImageAttributes::ClearOutputChannel(ColorAdjustType type) {
    return RecordStatus(
        GdipSetImageAttributesOutputChannel(nativeImageAttr, type, 0, ColorChannelFlagsLast));
}
Status TGPImageAttributes::SetOutputChannelColorProfile(const std::string& colorProfileFilename,
                                                        ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesOutputChannelColorProfile(
        nativeImageAttr, type, 1, colorProfileFilename.c_str()));
}
Status TGPImageAttributes::ClearOutputChannelColorProfile(ColorAdjustType type) {
    return RecordStatus(
        GdipSetImageAttributesOutputChannelColorProfile(nativeImageAttr, type, 0, nullptr));
}
Status TGPImageAttributes::SetRemapTable(UINT mapSize, const ColorMap* map, ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesRemapTable(nativeImageAttr, type, 1, mapSize, map));
}
Status TGPImageAttributes::ClearRemapTable(ColorAdjustType type) {
    return RecordStatus(GdipSetImageAttributesRemapTable(nativeImageAttr, type, 0, 0, nullptr));
}
Status TGPImageAttributes::SetBrushRemapTable(UINT mapSize, const ColorMap* map) {
    return SetRemapTable(mapSize, map, ColorAdjustTypeBrush);
}
Status TGPImageAttributes::ClearBrushRemapTable() { return ClearRemapTable(ColorAdjustTypeBrush); }
Status TGPImageAttributes::SetWrapMode(WrapMode wrap, ARGB color, bool clamp) {
    return RecordStatus(GdipSetImageAttributesWrapMode(nativeImageAttr, wrap, color, clamp));
}
Status TGPImageAttributes::GetAdjustedPalette(ColorPalette* colorPalette,
                                              ColorAdjustType colorAdjustType) {
    return RecordStatus(
        GdipGetImageAttributesAdjustedPalette(nativeImageAttr, colorPalette, colorAdjustType));
}
Status TGPImageAttributes::GetLastStatus() {
    const Status s = lastResult;
    lastResult = Ok;
    return s;
}

// ---- fonts

TGPFontFamily::TGPFontFamily(const std::string& name, TGPFontCollection* fontCollection) {
    lastResult = GdipCreateFontFamilyFromName(
        name.c_str(), fontCollection ? fontCollection->nativeFontCollection : nullptr,
        &nativeFamily);
}

TGPFontFamily::TGPFontFamily(GpFontFamily* nativeOrig, Status status)
    : nativeFamily(nativeOrig), lastResult(status) {}

TGPFontFamily::~TGPFontFamily() { GdipDeleteFontFamily(nativeFamily); }

namespace {
TGPFontFamily* Shared(Status (*get)(GpFontFamily**)) {
    GpFontFamily* family = nullptr;
    get(&family);  // the status of this call is not kept
    return new TGPFontFamily(family, Ok);
}
}  // namespace

TGPFontFamily* TGPFontFamily::GenericSansSerif() {
    static TGPFontFamily* family = Shared(GdipGetGenericFontFamilySansSerif);
    return family;
}
TGPFontFamily* TGPFontFamily::GenericSerif() {
    static TGPFontFamily* family = Shared(GdipGetGenericFontFamilySerif);
    return family;
}
TGPFontFamily* TGPFontFamily::GenericMonospace() {
    static TGPFontFamily* family = Shared(GdipGetGenericFontFamilyMonospace);
    return family;
}

TGPFont::TGPFont(TGPFontFamily* family, REAL emSize, INT style, Unit unit) {
    lastResult =
        GdipCreateFont(family ? family->nativeFamily : nullptr, emSize, style, unit, &nativeFont);
}

TGPFont::TGPFont(const std::string& familyName, REAL emSize, INT style, Unit unit,
                 TGPFontCollection* fontCollection) {
    auto* family = new TGPFontFamily(familyName, fontCollection);
    lastResult = GdipCreateFont(family->nativeFamily, emSize, style, unit, &nativeFont);
    if (lastResult != Ok)
        lastResult = GdipCreateFont(TGPFontFamily::GenericSansSerif()->nativeFamily, emSize, style,
                                    unit, &nativeFont);
    delete family;
}

TGPFont::TGPFont(GpFont* font, Status status) : nativeFont(font), lastResult(status) {}

TGPFont::~TGPFont() { GdipDeleteFont(nativeFont); }

// ---- brushes

TGPBrush::TGPBrush() : lastResult(NotImplemented) {}

TGPBrush::TGPBrush(GpBrush* brush, Status status) : nativeBrush(brush), lastResult(status) {}

TGPBrush::~TGPBrush() { GdipDeleteBrush(nativeBrush); }

TGPSolidBrush::TGPSolidBrush(ARGB color) : TGPBrush(Empty{}) {
    lastResult = GdipCreateSolidFill(color, &nativeBrush);
}

TGPHatchBrush::TGPHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor)
    : TGPBrush(Empty{}) {
    lastResult = GdipCreateHatchBrush(hatchStyle, foreColor, backColor, &nativeBrush);
}

HatchStyle TGPHatchBrush::GetHatchStyle() {
    HatchStyle style = HatchStyleHorizontal;
    RecordStatus(GdipGetHatchStyle(nativeBrush, &style));
    return style;
}

Status TGPHatchBrush::GetForegroundColor(ARGB& color) {
    return RecordStatus(GdipGetHatchForegroundColor(nativeBrush, &color));
}

Status TGPHatchBrush::GetBackgroundColor(ARGB& color) {
    return RecordStatus(GdipGetHatchBackgroundColor(nativeBrush, &color));
}

namespace {
GpImage* Native(TGPImage* image) { return image ? image->nativeImage : nullptr; }
}  // namespace

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode) : TGPBrush(Empty{}) {
    lastResult = GdipCreateTexture(Native(image), wrapMode, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRectF& dstRect)
    : TGPBrush(Empty{}) {
    lastResult = GdipCreateTexture2(Native(image), wrapMode, dstRect.X, dstRect.Y, dstRect.Width,
                                    dstRect.Height, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRect& dstRect)
    : TGPBrush(Empty{}) {
    lastResult = GdipCreateTexture2I(Native(image), wrapMode, dstRect.X, dstRect.Y, dstRect.Width,
                                     dstRect.Height, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, const TGPRectF& dstRect,
                                 TGPImageAttributes* imageAttributes)
    : TGPBrush(Empty{}) {
    lastResult = GdipCreateTextureIA(
        Native(image), imageAttributes ? imageAttributes->nativeImageAttr : nullptr, dstRect.X,
        dstRect.Y, dstRect.Width, dstRect.Height, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, const TGPRect& dstRect,
                                 TGPImageAttributes* imageAttributes)
    : TGPBrush(Empty{}) {
    lastResult = GdipCreateTextureIAI(
        Native(image), imageAttributes ? imageAttributes->nativeImageAttr : nullptr, dstRect.X,
        dstRect.Y, dstRect.Width, dstRect.Height, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, REAL dstX, REAL dstY,
                                 REAL dstWidth, REAL dstHeight)
    : TGPBrush(Empty{}) {
    lastResult =
        GdipCreateTexture2(Native(image), wrapMode, dstX, dstY, dstWidth, dstHeight, &nativeBrush);
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, INT dstX, INT dstY,
                                 INT dstWidth, INT dstHeight)
    : TGPBrush(Empty{}) {
    lastResult =
        GdipCreateTexture2I(Native(image), wrapMode, dstX, dstY, dstWidth, dstHeight, &nativeBrush);
}
Status TGPTextureBrush::ResetTransform() {
    return RecordStatus(GdipResetTextureTransform(nativeBrush));
}
Status TGPTextureBrush::TranslateTransform(REAL dx, REAL dy, MatrixOrder order) {
    return RecordStatus(GdipTranslateTextureTransform(nativeBrush, dx, dy, order));
}
Status TGPTextureBrush::ScaleTransform(REAL sx, REAL sy, MatrixOrder order) {
    return RecordStatus(GdipScaleTextureTransform(nativeBrush, sx, sy, order));
}
Status TGPTextureBrush::RotateTransform(REAL angle, MatrixOrder order) {
    return RecordStatus(GdipRotateTextureTransform(nativeBrush, angle, order));
}
Status TGPTextureBrush::SetWrapMode(WrapMode wrapMode) {
    return RecordStatus(GdipSetTextureWrapMode(nativeBrush, wrapMode));
}
WrapMode TGPTextureBrush::GetWrapMode() {
    WrapMode mode = WrapModeTile;
    RecordStatus(GdipGetTextureWrapMode(nativeBrush, &mode));
    return mode;
}
TGPImage* TGPTextureBrush::GetImage() {
    GpImage* image = nullptr;
    RecordStatus(GdipGetTextureImage(nativeBrush, &image));
    return new TGPImage(image, lastResult);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& point1, const TGPPointF& point2,
                                               ARGB color1, ARGB color2)
    : TGPBrush(Empty{}) {
    lastResult = GdipCreateLineBrush(&point1, &point2, color1, color2, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& point1, const TGPPoint& point2,
                                               ARGB color1, ARGB color2)
    : TGPBrush(Empty{}) {
    lastResult = GdipCreateLineBrushI(&point1, &point2, color1, color2, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2,
                                               LinearGradientMode mode)
    : TGPBrush(Empty{}) {
    lastResult =
        GdipCreateLineBrushFromRect(&rect, color1, color2, mode, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2,
                                               LinearGradientMode mode)
    : TGPBrush(Empty{}) {
    lastResult =
        GdipCreateLineBrushFromRectI(&rect, color1, color2, mode, WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2,
                                               REAL angle, bool isAngleScalable)
    : TGPBrush(Empty{}) {
    lastResult = GdipCreateLineBrushFromRectWithAngle(&rect, color1, color2, angle, isAngleScalable,
                                                      WrapModeTile, &nativeBrush);
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2,
                                               REAL angle, bool isAngleScalable)
    : TGPBrush(Empty{}) {
    lastResult = GdipCreateLineBrushFromRectWithAngleI(&rect, color1, color2, angle,
                                                       isAngleScalable, WrapModeTile, &nativeBrush);
}
Status TGPLinearGradientBrush::SetGammaCorrection(bool useGammaCorrection) {
    return RecordStatus(GdipSetLineGammaCorrection(nativeBrush, useGammaCorrection));
}
Status TGPLinearGradientBrush::SetInterpolationColors(const ARGB* presetColors,
                                                      const REAL* blendPositions, INT count) {
    if (count <= 0) return RecordStatus(InvalidParameter);
    return RecordStatus(GdipSetLinePresetBlend(nativeBrush, presetColors, blendPositions, count));
}

TGPPathGradientBrush::TGPPathGradientBrush(TGPGraphicsPath* path) : TGPBrush(Empty{}) {
    lastResult = GdipCreatePathGradientFromPath(path ? path->nativePath : nullptr, &nativeBrush);
}
Status TGPPathGradientBrush::GetCenterColor(ARGB& color) {
    RecordStatus(GdipGetPathGradientCenterColor(nativeBrush, &color));
    return lastResult;
}
Status TGPPathGradientBrush::SetCenterColor(ARGB color) {
    RecordStatus(GdipSetPathGradientCenterColor(nativeBrush, color));
    return lastResult;
}
INT TGPPathGradientBrush::GetPointCount() {
    INT count = 0;
    RecordStatus(GdipGetPathGradientPointCount(nativeBrush, &count));
    return count;
}
Status TGPPathGradientBrush::GetSurroundColors(ARGB* colors, INT& count) {
    if (colors == nullptr) return RecordStatus(InvalidParameter);
    INT count1 = 0;
    RecordStatus(GdipGetPathGradientSurroundColorCount(nativeBrush, &count1));
    if (lastResult != Ok) return lastResult;
    if (count < count1 || count1 <= 0) return RecordStatus(InsufficientBuffer);
    RecordStatus(GdipGetPathGradientSurroundColorsWithCount(nativeBrush, colors, &count1));
    if (lastResult == Ok) count = count1;
    return lastResult;
}
Status TGPPathGradientBrush::SetSurroundColors(const ARGB* colors, INT& count) {
    const INT points = GetPointCount();
    if (colors == nullptr || count > points || points <= 0) return RecordStatus(InvalidParameter);
    INT count1 = count;
    RecordStatus(GdipSetPathGradientSurroundColorsWithCount(nativeBrush, colors, &count1));
    if (lastResult == Ok) count = count1;
    return lastResult;
}
Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& point) {
    return RecordStatus(GdipGetPathGradientCenterPoint(nativeBrush, &point));
}
Status TGPPathGradientBrush::GetCenterPoint(TGPPoint& point) {
    return RecordStatus(GdipGetPathGradientCenterPointI(nativeBrush, &point));
}
Status TGPPathGradientBrush::SetCenterPoint(const TGPPointF& point) {
    return RecordStatus(GdipSetPathGradientCenterPoint(nativeBrush, &point));
}
Status TGPPathGradientBrush::SetCenterPoint(const TGPPoint& point) {
    return RecordStatus(GdipSetPathGradientCenterPointI(nativeBrush, &point));
}
Status TGPPathGradientBrush::SetWrapMode(WrapMode wrapMode) {
    return RecordStatus(GdipSetPathGradientWrapMode(nativeBrush, wrapMode));
}
Status TGPPathGradientBrush::SetGammaCorrection(bool useGammaCorrection) {
    return RecordStatus(GdipSetPathGradientGammaCorrection(nativeBrush, useGammaCorrection));
}
Status TGPPathGradientBrush::SetInterpolationColors(const ARGB* presetColors,
                                                    const REAL* blendPositions, INT count) {
    if (count <= 0 || presetColors == nullptr) return RecordStatus(InvalidParameter);
    return RecordStatus(
        GdipSetPathGradientPresetBlend(nativeBrush, presetColors, blendPositions, count));
}

// ---- TGPPen

TGPPen::TGPPen(ARGB color, REAL width) {
    lastResult = GdipCreatePen1(color, width, UnitWorld, &nativePen);
}
TGPPen::TGPPen(TGPBrush* brush, REAL width) {
    lastResult = GdipCreatePen2(brush ? brush->nativeBrush : nullptr, width, UnitWorld, &nativePen);
}
TGPPen::~TGPPen() { GdipDeletePen(nativePen); }
Status TGPPen::SetBrush(TGPBrush* brush) {
    return RecordStatus(GdipSetPenBrushFill(nativePen, brush ? brush->nativeBrush : nullptr));
}
TGPBrush* TGPPen::GetBrush() {
    TGPBrush* brush = nullptr;
    switch (GetPenType()) {
        case PenTypeSolidColor: brush = new TGPSolidBrush(); break;
        case PenTypeHatchFill: brush = new TGPHatchBrush(); break;
        case PenTypeTextureFill: brush = new TGPTextureBrush(); break;
        case PenTypePathGradient: brush = new TGPBrush(); break;
        case PenTypeLinearGradient: brush = new TGPLinearGradientBrush(); break;
        default: return nullptr;
    }
    GpBrush* fill = nullptr;
    RecordStatus(GdipGetPenBrushFill(nativePen, &fill));
    brush->nativeBrush = fill;
    return brush;
}
PenType TGPPen::GetPenType() {
    PenType type = PenTypeUnknown;
    RecordStatus(GdipGetPenFillType(nativePen, &type));
    return type;
}
Status TGPPen::SetDashStyle(DashStyle dashStyle) {
    return RecordStatus(GdipSetPenDashStyle(nativePen, dashStyle));
}
DashStyle TGPPen::GetDashStyle() {
    DashStyle style = DashStyleSolid;
    RecordStatus(GdipGetPenDashStyle(nativePen, &style));
    return style;
}
Status TGPPen::SetEndCap(LineCap endCap) {
    return RecordStatus(GdipSetPenEndCap(nativePen, endCap));
}

// ---- TGPStringFormat

TGPStringFormat::TGPStringFormat(INT formatFlags, LANGID language) {
    lastError = GdipCreateStringFormat(formatFlags, language, &nativeFormat);
}
TGPStringFormat::TGPStringFormat(TGPStringFormat* format) {
    lastError = GdipCloneStringFormat(format ? format->nativeFormat : nullptr, &nativeFormat);
}
TGPStringFormat::TGPStringFormat(GpStringFormat* clonedStringFormat, Status status)
    : nativeFormat(clonedStringFormat), lastError(status) {}
TGPStringFormat::~TGPStringFormat() { GdipDeleteStringFormat(nativeFormat); }
Status TGPStringFormat::SetAlignment(StringAlignment align) {
    return RecordStatus(GdipSetStringFormatAlign(nativeFormat, align));
}
StringAlignment TGPStringFormat::GetAlignment() {
    StringAlignment a = StringAlignmentNear;
    RecordStatus(GdipGetStringFormatAlign(nativeFormat, &a));
    return a;
}
Status TGPStringFormat::SetLineAlignment(StringAlignment align) {
    return RecordStatus(GdipSetStringFormatLineAlign(nativeFormat, align));
}
StringAlignment TGPStringFormat::GetLineAlignment() {
    StringAlignment a = StringAlignmentNear;
    RecordStatus(GdipGetStringFormatLineAlign(nativeFormat, &a));
    return a;
}
Status TGPStringFormat::SetFormatFlags(INT flags) {
    return RecordStatus(GdipSetStringFormatFlags(nativeFormat, flags));
}
INT TGPStringFormat::GetFormatFlags() {
    INT flags = 0;
    RecordStatus(GdipGetStringFormatFlags(nativeFormat, &flags));
    return flags;
}
Status TGPStringFormat::SetTrimming(StringTrimming trimming) {
    return RecordStatus(GdipSetStringFormatTrimming(nativeFormat, trimming));
}
StringTrimming TGPStringFormat::GetTrimming() {
    StringTrimming t = StringTrimmingNone;
    RecordStatus(GdipGetStringFormatTrimming(nativeFormat, &t));
    return t;
}
Status TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix) {
    return RecordStatus(GdipSetStringFormatHotkeyPrefix(nativeFormat, hotkeyPrefix));
}
HotkeyPrefix TGPStringFormat::GetHotkeyPrefix() {
    INT prefix = HotkeyPrefixNone;
    RecordStatus(GdipGetStringFormatHotkeyPrefix(nativeFormat, &prefix));
    return static_cast<HotkeyPrefix>(prefix);
}

// ---- TGPGraphicsPath

TGPGraphicsPath::TGPGraphicsPath(FillMode fillMode) {
    lastResult = GdipCreatePath(fillMode, &nativePath);
}
TGPGraphicsPath::TGPGraphicsPath(GpPath* path) : nativePath(path) {}
TGPGraphicsPath::~TGPGraphicsPath() { GdipDeletePath(nativePath); }
Status TGPGraphicsPath::Reset() { return RecordStatus(GdipResetPath(nativePath)); }
Status TGPGraphicsPath::CloseFigure() { return RecordStatus(GdipClosePathFigure(nativePath)); }
Status TGPGraphicsPath::AddLine(const TGPPointF& pt1, const TGPPointF& pt2) {
    return AddLine(pt1.X, pt1.Y, pt2.X, pt2.Y);
}
Status TGPGraphicsPath::AddLine(REAL x1, REAL y1, REAL x2, REAL y2) {
    return RecordStatus(GdipAddPathLine(nativePath, x1, y1, x2, y2));
}
Status TGPGraphicsPath::AddLines(const TGPPoint* points, INT count) {
    return RecordStatus(GdipAddPathLine2I(nativePath, points, count));
}
Status TGPGraphicsPath::AddRectangle(const TGPRectF& rect) {
    return RecordStatus(GdipAddPathRectangle(nativePath, rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphicsPath::AddRectangle(const TGPRect& rect) {
    return RecordStatus(GdipAddPathRectangleI(nativePath, rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphicsPath::AddArc(const TGPRectF& rect, REAL startAngle, REAL sweepAngle) {
    return AddArc(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}
Status TGPGraphicsPath::AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                               REAL sweepAngle) {
    return RecordStatus(GdipAddPathArc(nativePath, x, y, width, height, startAngle, sweepAngle));
}
Status TGPGraphicsPath::AddEllipse(const TGPRectF& rect) {
    return AddEllipse(rect.X, rect.Y, rect.Width, rect.Height);
}
Status TGPGraphicsPath::AddEllipse(REAL x, REAL y, REAL width, REAL height) {
    return RecordStatus(GdipAddPathEllipse(nativePath, x, y, width, height));
}
Status TGPGraphicsPath::AddPie(const TGPRectF& rect, REAL startAngle, REAL sweepAngle) {
    return AddPie(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}
Status TGPGraphicsPath::AddPie(REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                               REAL sweepAngle) {
    return RecordStatus(GdipAddPathPie(nativePath, x, y, width, height, startAngle, sweepAngle));
}
Status TGPGraphicsPath::AddPolygon(const TGPPointF* points, INT count) {
    return RecordStatus(GdipAddPathPolygon(nativePath, points, count));
}
Status TGPGraphicsPath::AddPolygon(const TGPPoint* points, INT count) {
    return RecordStatus(GdipAddPathPolygonI(nativePath, points, count));
}
Status TGPGraphicsPath::AddCurve(const TGPPointF* points, INT count) {
    return RecordStatus(GdipAddPathCurve(nativePath, points, count));
}
Status TGPGraphicsPath::AddCurve(const TGPPoint* points, INT count) {
    return RecordStatus(GdipAddPathCurveI(nativePath, points, count));
}
Status TGPGraphicsPath::AddCurve(const TGPPoint* points, INT count, REAL tension) {
    return RecordStatus(GdipAddPathCurve2I(nativePath, points, count, tension));
}
Status TGPGraphicsPath::AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3,
                                  const TGPPoint& pt4) {
    return AddBezier(F(pt1.X), F(pt1.Y), F(pt2.X), F(pt2.Y), F(pt3.X), F(pt3.Y), F(pt4.X),
                     F(pt4.Y));
}
Status TGPGraphicsPath::AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                                  const TGPPointF& pt4) {
    return AddBezier(pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}
Status TGPGraphicsPath::AddBezier(REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4,
                                  REAL y4) {
    return RecordStatus(GdipAddPathBezier(nativePath, x1, y1, x2, y2, x3, y3, x4, y4));
}
Status TGPGraphicsPath::AddString(const std::string& text, INT length, TGPFontFamily* family,
                                  INT style, REAL emSize, const TGPRectF& layoutRect,
                                  TGPStringFormat* format) {
    return RecordStatus(GdipAddPathString(nativePath, text.c_str(), length,
                                          family ? family->nativeFamily : nullptr, style, emSize,
                                          &layoutRect, format ? format->nativeFormat : nullptr));
}

// ---- TGPImage, TGPBitmap

TGPImage::TGPImage(const std::string& filename, bool useEmbeddedColorManagement) {
    lastResult = useEmbeddedColorManagement
                     ? GdipLoadImageFromFileICM(filename.c_str(), &nativeImage)
                     : GdipLoadImageFromFile(filename.c_str(), &nativeImage);
}
TGPImage::TGPImage(IStream* stream, bool useEmbeddedColorManagement) {
    lastResult = useEmbeddedColorManagement ? GdipLoadImageFromStreamICM(stream, &nativeImage)
                                            : GdipLoadImageFromStream(stream, &nativeImage);
}
TGPImage::TGPImage(GpImage* image, Status status) : nativeImage(image), lastResult(status) {}
TGPImage::~TGPImage() { GdipDisposeImage(nativeImage); }
UINT TGPImage::GetWidth() {
    UINT w = 0;
    if (RecordStatus(GdipGetImageWidth(nativeImage, &w)) != Ok) return 0;
    return w;
}
UINT TGPImage::GetHeight() {
    UINT h = 0;
    if (RecordStatus(GdipGetImageHeight(nativeImage, &h)) != Ok) return 0;
    return h;
}
PixelFormat TGPImage::GetPixelFormat() {
    PixelFormat format = PixelFormatUndefined;
    RecordStatus(GdipGetImagePixelFormat(nativeImage, &format));
    return format;
}
INT TGPImage::GetPixelDepth() { return (GetPixelFormat() >> 8) & 0xFF; }
bool TGPImage::HasAlphaChannel() { return (GetPixelFormat() & PixelFormatAlpha) != 0; }
bool TGPImage::HasPalette() { return (GetPixelFormat() & PixelFormatIndexed) != 0; }
TGPImageFormat TGPImage::GetFormat() {
    GUID format;
    RecordStatus(GdipGetImageRawFormat(nativeImage, &format));
    const std::pair<const GUID*, TGPImageFormat> table[] = {{&ImageFormatMemoryBMP, ifMemoryBMP},
                                                            {&ImageFormatBMP, ifBMP},
                                                            {&ImageFormatEMF, ifEMF},
                                                            {&ImageFormatWMF, ifWMF},
                                                            {&ImageFormatJPEG, ifJPEG},
                                                            {&ImageFormatPNG, ifPNG},
                                                            {&ImageFormatGIF, ifGIF},
                                                            {&ImageFormatTIFF, ifTIFF},
                                                            {&ImageFormatEXIF, ifEXIF},
                                                            {&ImageFormatIcon, ifIcon}};
    for (const auto& [guid, kind] : table)
        if (format == *guid) return kind;
    return ifUndefined;
}
TGPImage* TGPImage::GetThumbnailImage(UINT thumbWidth, UINT thumbHeight,
                                      GetThumbnailImageAbort callback, void* callbackData) {
    GpImage* thumb = nullptr;
    RecordStatus(GdipGetImageThumbnail(nativeImage, thumbWidth, thumbHeight, &thumb, callback,
                                       callbackData));
    return new TGPImage(thumb, lastResult);
}
Status TGPImage::Save(const std::string& filename, const CLSID& clsidEncoder,
                      const EncoderParameters* encoderParams) {
    return RecordStatus(
        GdipSaveImageToFile(nativeImage, filename.c_str(), &clsidEncoder, encoderParams));
}
Status TGPImage::Save(IStream* stream, const CLSID& clsidEncoder,
                      const EncoderParameters* encoderParams) {
    return RecordStatus(GdipSaveImageToStream(nativeImage, stream, &clsidEncoder, encoderParams));
}
Status TGPImage::SaveAdd(TGPImage* newImage, const EncoderParameters* encoderParams) {
    if (newImage == nullptr) return RecordStatus(InvalidParameter);
    return RecordStatus(GdipSaveAddImage(nativeImage, newImage->nativeImage, encoderParams));
}
Status TGPImage::RotateFlip(RotateFlipType rotateFlipType) {
    return RecordStatus(GdipImageRotateFlip(nativeImage, rotateFlipType));
}

TGPBitmap::TGPBitmap(IStream* stream, bool useEmbeddedColorManagement) {
    lastResult = useEmbeddedColorManagement ? GdipCreateBitmapFromStreamICM(stream, &nativeImage)
                                            : GdipCreateBitmapFromStream(stream, &nativeImage);
}
TGPBitmap::TGPBitmap(INT width, INT height, PixelFormat format) {
    lastResult = GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &nativeImage);
}
TGPBitmap::TGPBitmap(GpBitmap* nativeBitmap) : TGPImage(nativeBitmap, Ok) {}
TGPBitmap* TGPBitmap::FromStream(IStream* stream, bool useEmbeddedColorManagement) {
    return new TGPBitmap(stream, useEmbeddedColorManagement);
}
Status TGPBitmap::GetHBITMAP(ARGB colorBackground, HBITMAP& hbmReturn) {
    return RecordStatus(GdipCreateHBITMAPFromBitmap(nativeImage, &hbmReturn, colorBackground));
}
Status TGPBitmap::GetPixel(INT x, INT y, ARGB& color) {
    return RecordStatus(GdipBitmapGetPixel(nativeImage, x, y, &color));
}
Status TGPBitmap::SetPixel(INT x, INT y, ARGB color) {
    return RecordStatus(GdipBitmapSetPixel(nativeImage, x, y, color));
}

// ---- TGPMatrix

TGPMatrix::TGPMatrix() { lastResult = GdipCreateMatrix(&nativeMatrix); }
TGPMatrix::TGPMatrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
    lastResult = GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &nativeMatrix);
}
TGPMatrix::TGPMatrix(const TGPRectF& rect, const TGPPointF* dstplg) {
    lastResult = GdipCreateMatrix3(&rect, dstplg, &nativeMatrix);
}
TGPMatrix::TGPMatrix(const TGPRect& rect, const TGPPoint* dstplg) {
    lastResult = GdipCreateMatrix3I(&rect, dstplg, &nativeMatrix);
}
TGPMatrix::TGPMatrix(GpMatrix* matrix) : nativeMatrix(matrix) {}
TGPMatrix::~TGPMatrix() { GdipDeleteMatrix(nativeMatrix); }
TGPMatrix* TGPMatrix::Clone() {
    GpMatrix* clone = nullptr;
    RecordStatus(GdipCloneMatrix(nativeMatrix, &clone));
    if (lastResult != Ok) return nullptr;
    return new TGPMatrix(clone);
}
Status TGPMatrix::GetElements(REAL* m) {
    return RecordStatus(GdipGetMatrixElements(nativeMatrix, m));
}
Status TGPMatrix::SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
    return RecordStatus(GdipSetMatrixElements(nativeMatrix, m11, m12, m21, m22, dx, dy));
}
REAL TGPMatrix::OffsetX() {
    REAL m[6];
    return GetElements(m) == Ok ? m[4] : 0.0f;
}
REAL TGPMatrix::OffsetY() {
    REAL m[6];
    return GetElements(m) == Ok ? m[5] : 0.0f;
}
Status TGPMatrix::Reset() {
    return RecordStatus(GdipSetMatrixElements(nativeMatrix, 1, 0, 0, 1, 0, 0));
}
Status TGPMatrix::Multiply(TGPMatrix* matrix, MatrixOrder order) {
    return RecordStatus(
        GdipMultiplyMatrix(nativeMatrix, matrix ? matrix->nativeMatrix : nullptr, order));
}
Status TGPMatrix::Translate(REAL offsetX, REAL offsetY, MatrixOrder order) {
    return RecordStatus(GdipTranslateMatrix(nativeMatrix, offsetX, offsetY, order));
}
Status TGPMatrix::Scale(REAL scaleX, REAL scaleY, MatrixOrder order) {
    return RecordStatus(GdipScaleMatrix(nativeMatrix, scaleX, scaleY, order));
}
Status TGPMatrix::Rotate(REAL angle, MatrixOrder order) {
    return RecordStatus(GdipRotateMatrix(nativeMatrix, angle, order));
}
Status TGPMatrix::RotateAt(REAL angle, const TGPPointF& center, MatrixOrder order) {
    if (order == MatrixOrderAppend) {
        RecordStatus(GdipTranslateMatrix(nativeMatrix, -center.X, -center.Y, order));
        RecordStatus(GdipRotateMatrix(nativeMatrix, angle, order));
        return RecordStatus(GdipTranslateMatrix(nativeMatrix, center.X, center.Y, order));
    }
    RecordStatus(GdipTranslateMatrix(nativeMatrix, center.X, center.Y, order));
    RecordStatus(GdipRotateMatrix(nativeMatrix, angle, order));
    return RecordStatus(GdipTranslateMatrix(nativeMatrix, -center.X, -center.Y, order));
}
Status TGPMatrix::Shear(REAL shearX, REAL shearY, MatrixOrder order) {
    return RecordStatus(GdipShearMatrix(nativeMatrix, shearX, shearY, order));
}
Status TGPMatrix::Invert() { return RecordStatus(GdipInvertMatrix(nativeMatrix)); }
Status TGPMatrix::TransformPoints(TGPPointF* pts, INT count) {
    return RecordStatus(GdipTransformMatrixPoints(nativeMatrix, pts, count));
}
Status TGPMatrix::TransformPoints(TGPPoint* pts, INT count) {
    return RecordStatus(GdipTransformMatrixPointsI(nativeMatrix, pts, count));
}
Status TGPMatrix::TransformVectors(TGPPointF* pts, INT count) {
    return RecordStatus(GdipVectorTransformMatrixPoints(nativeMatrix, pts, count));
}
Status TGPMatrix::TransformVectors(TGPPoint* pts, INT count) {
    return RecordStatus(GdipVectorTransformMatrixPointsI(nativeMatrix, pts, count));
}
bool TGPMatrix::IsInvertible() {
    BOOL result = 0;
    RecordStatus(GdipIsMatrixInvertible(nativeMatrix, &result));
    return result != 0;
}
bool TGPMatrix::IsIdentity() {
    BOOL result = 0;
    RecordStatus(GdipIsMatrixIdentity(nativeMatrix, &result));
    return result != 0;
}
Status TGPMatrix::GetLastStatus() {
    const Status s = lastResult;
    lastResult = Ok;
    return s;
}

// ---- TGPGraphics

TGPGraphics::TGPGraphics(TCanvas* hdc) { lastResult = GdipCreateFromHDC(hdc, &nativeGraphics); }
TGPGraphics::TGPGraphics(TGPImage* image) {
    if (image != nullptr)
        lastResult = GdipGetImageGraphicsContext(image->nativeImage, &nativeGraphics);
}
TGPGraphics::~TGPGraphics() { GdipDeleteGraphics(nativeGraphics); }
TGPGraphics* TGPGraphics::FromImage(TGPImage* image) { return new TGPGraphics(image); }
void TGPGraphics::Flush(FlushIntention intention) { GdipFlush(nativeGraphics, intention); }
Status TGPGraphics::Clear(ARGB color) {
    return RecordStatus(GdipGraphicsClear(nativeGraphics, color));
}
TCanvas* TGPGraphics::GetHDC() {
    TCanvas* dc = nullptr;
    RecordStatus(GdipGetDC(nativeGraphics, &dc));
    return dc;
}
void TGPGraphics::ReleaseHDC(TCanvas* hdc) { RecordStatus(GdipReleaseDC(nativeGraphics, hdc)); }
Status TGPGraphics::SetTransform(TGPMatrix* matrix) {
    return RecordStatus(
        GdipSetWorldTransform(nativeGraphics, matrix ? matrix->nativeMatrix : nullptr));
}
Status TGPGraphics::ResetTransform() {
    return RecordStatus(GdipResetWorldTransform(nativeGraphics));
}
Status TGPGraphics::SetTextRenderingHint(TextRenderingHint newMode) {
    return RecordStatus(GdipSetTextRenderingHint(nativeGraphics, newMode));
}
TextRenderingHint TGPGraphics::GetTextRenderingHint() {
    TextRenderingHint hint = TextRenderingHintSystemDefault;
    RecordStatus(GdipGetTextRenderingHint(nativeGraphics, &hint));
    return hint;
}
Status TGPGraphics::SetSmoothingMode(SmoothingMode smoothingMode) {
    return RecordStatus(GdipSetSmoothingMode(nativeGraphics, smoothingMode));
}
SmoothingMode TGPGraphics::GetSmoothingMode() {
    SmoothingMode mode = SmoothingModeInvalid;
    RecordStatus(GdipGetSmoothingMode(nativeGraphics, &mode));
    return mode;
}
Status TGPGraphics::SetCompositingQuality(CompositingQuality compositingQuality) {
    return RecordStatus(GdipSetCompositingQuality(nativeGraphics, compositingQuality));
}
CompositingQuality TGPGraphics::GetCompositingQuality() {
    CompositingQuality quality = CompositingQualityInvalid;
    RecordStatus(GdipGetCompositingQuality(nativeGraphics, &quality));
    return quality;
}

namespace {
GpPen* Native(TGPPen* pen) { return pen ? pen->nativePen : nullptr; }
GpBrush* Native(TGPBrush* brush) { return brush ? brush->nativeBrush : nullptr; }
GpPath* Native(TGPGraphicsPath* path) { return path ? path->nativePath : nullptr; }
}  // namespace

Status TGPGraphics::DrawPath(TGPPen* pen, TGPGraphicsPath* path) {
    return RecordStatus(GdipDrawPath(nativeGraphics, Native(pen), Native(path)));
}
Status TGPGraphics::FillRectangle(TGPBrush* brush, const TGPRectF& rect) {
    return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}
Status TGPGraphics::FillRectangle(TGPBrush* brush, REAL x, REAL y, REAL width, REAL height) {
    return RecordStatus(GdipFillRectangle(nativeGraphics, Native(brush), x, y, width, height));
}
Status TGPGraphics::FillPolygon(TGPBrush* brush, const TGPPointF* points, INT count) {
    return FillPolygon(brush, points, count, FillModeAlternate);
}
Status TGPGraphics::FillPolygon(TGPBrush* brush, const TGPPointF* points, INT count,
                                FillMode fillMode) {
    return RecordStatus(GdipFillPolygon(nativeGraphics, Native(brush), points, count, fillMode));
}
Status TGPGraphics::FillPolygon(TGPBrush* brush, const TGPPoint* points, INT count) {
    return FillPolygon(brush, points, count, FillModeAlternate);
}
Status TGPGraphics::FillPolygon(TGPBrush* brush, const TGPPoint* points, INT count,
                                FillMode fillMode) {
    return RecordStatus(GdipFillPolygonI(nativeGraphics, Native(brush), points, count, fillMode));
}
Status TGPGraphics::FillEllipse(TGPBrush* brush, const TGPRectF& rect) {
    return FillEllipse(brush, rect.X, rect.Y, rect.Width, rect.Height);
}
Status TGPGraphics::FillEllipse(TGPBrush* brush, REAL x, REAL y, REAL width, REAL height) {
    return RecordStatus(GdipFillEllipse(nativeGraphics, Native(brush), x, y, width, height));
}
Status TGPGraphics::FillEllipse(TGPBrush* brush, const TGPRect& rect) {
    return FillEllipse(brush, rect.X, rect.Y, rect.Width, rect.Height);
}
Status TGPGraphics::FillEllipse(TGPBrush* brush, INT x, INT y, INT width, INT height) {
    return RecordStatus(GdipFillEllipseI(nativeGraphics, Native(brush), x, y, width, height));
}
Status TGPGraphics::FillPath(TGPBrush* brush, TGPGraphicsPath* path) {
    return RecordStatus(GdipFillPath(nativeGraphics, Native(brush), Native(path)));
}
Status TGPGraphics::DrawRectangle(TGPPen* pen, const TGPRectF& rect) {
    return DrawRectangle(pen, rect.X, rect.Y, rect.Width, rect.Height);
}
Status TGPGraphics::DrawRectangle(TGPPen* pen, REAL x, REAL y, REAL width, REAL height) {
    return RecordStatus(GdipDrawRectangle(nativeGraphics, Native(pen), x, y, width, height));
}
Status TGPGraphics::DrawEllipse(TGPPen* pen, const TGPRectF& rect) {
    return DrawEllipse(pen, rect.X, rect.Y, rect.Width, rect.Height);
}
Status TGPGraphics::DrawEllipse(TGPPen* pen, REAL x, REAL y, REAL width, REAL height) {
    return RecordStatus(GdipDrawEllipse(nativeGraphics, Native(pen), x, y, width, height));
}
Status TGPGraphics::DrawEllipse(TGPPen* pen, const TGPRect& rect) {
    return DrawEllipse(pen, rect.X, rect.Y, rect.Width, rect.Height);
}
Status TGPGraphics::DrawEllipse(TGPPen* pen, INT x, INT y, INT width, INT height) {
    return RecordStatus(GdipDrawEllipseI(nativeGraphics, Native(pen), x, y, width, height));
}
Status TGPGraphics::DrawArc(TGPPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                            REAL sweepAngle) {
    return RecordStatus(
        GdipDrawArc(nativeGraphics, Native(pen), x, y, width, height, startAngle, sweepAngle));
}
Status TGPGraphics::DrawArc(TGPPen* pen, const TGPRectF& rect, REAL startAngle, REAL sweepAngle) {
    return DrawArc(pen, rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}
Status TGPGraphics::DrawLine(TGPPen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
    return RecordStatus(GdipDrawLine(nativeGraphics, Native(pen), x1, y1, x2, y2));
}
Status TGPGraphics::DrawImage(TGPImage* image, REAL x, REAL y, REAL width, REAL height) {
    return RecordStatus(GdipDrawImageRect(nativeGraphics, Native(image), x, y, width, height));
}
Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& rect) {
    return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height);
}
Status TGPGraphics::DrawImage(TGPImage* image, INT x, INT y) {
    return RecordStatus(GdipDrawImageI(nativeGraphics, Native(image), x, y));
}
Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& destRect, REAL srcx, REAL srcy,
                              REAL srcwidth, REAL srcheight, Unit srcUnit,
                              TGPImageAttributes* imageAttributes, DrawImageAbort callback,
                              void* callbackData) {
    return RecordStatus(GdipDrawImageRectRect(
        nativeGraphics, Native(image), destRect.X, destRect.Y, destRect.Width, destRect.Height,
        srcx, srcy, srcwidth, srcheight, srcUnit,
        imageAttributes ? imageAttributes->nativeImageAttr : nullptr, callback, callbackData));
}
Status TGPGraphics::DrawImageRect(TGPImage* image, INT x, INT y, INT w, INT h) {
    return DrawImage(image, F(x), F(y), F(w), F(h));
}
Status TGPGraphics::DrawImageRect(TGPImage* image, const TGPRectF& aRect) {
    return DrawImageRect(image, RoundHalfEven(aRect.X), RoundHalfEven(aRect.Y),
                         RoundHalfEven(aRect.Width), RoundHalfEven(aRect.Height));
}
Status TGPGraphics::SetClip(TGPRegion* region, CombineMode combineMode) {
    return RecordStatus(
        GdipSetClipRegion(nativeGraphics, region ? region->nativeRegion : nullptr, combineMode));
}
Status TGPGraphics::SetClip(TGPGraphicsPath* path, CombineMode combineMode) {
    return RecordStatus(GdipSetClipPath(nativeGraphics, Native(path), combineMode));
}
Status TGPGraphics::ExcludeClip(const TGPRectF& rect) {
    return RecordStatus(GdipSetClipRect(nativeGraphics, rect.X, rect.Y, rect.Width, rect.Height,
                                        CombineModeExclude));
}
Status TGPGraphics::ExcludeClip(TGPRegion* region) { return SetClip(region, CombineModeExclude); }
Status TGPGraphics::ResetClip() { return RecordStatus(GdipResetClip(nativeGraphics)); }

Status TGPGraphics::MeasureString(const std::string& text, INT length, TGPFont* font,
                                  const TGPRectF& layoutRect, TGPStringFormat* stringFormat,
                                  TGPRectF& boundingBox, INT* codepointsFitted, INT* linesFilled) {
    return RecordStatus(GdipMeasureString(nativeGraphics, text.c_str(), length,
                                          font ? font->nativeFont : nullptr, &layoutRect,
                                          stringFormat ? stringFormat->nativeFormat : nullptr,
                                          &boundingBox, codepointsFitted, linesFilled));
}
Status TGPGraphics::MeasureString(const std::string& text, INT length, TGPFont* font,
                                  const TGPPointF& origin, TGPStringFormat* stringFormat,
                                  TGPRectF& boundingBox) {
    const TGPRectF rect{origin.X, origin.Y, 0, 0};
    return MeasureString(text, length, font, rect, stringFormat, boundingBox);
}
Status TGPGraphics::MeasureString(const std::string& text, INT length, TGPFont* font,
                                  const TGPRectF& layoutRect, TGPRectF& boundingBox) {
    return MeasureString(text, length, font, layoutRect, nullptr, boundingBox);
}
Status TGPGraphics::DrawString(const std::string& text, INT length, TGPFont* font,
                               const TGPRectF& layoutRect, TGPStringFormat* stringFormat,
                               TGPBrush* brush) {
    return RecordStatus(GdipDrawString(
        nativeGraphics, text.c_str(), length, font ? font->nativeFont : nullptr, &layoutRect,
        stringFormat ? stringFormat->nativeFormat : nullptr, Native(brush)));
}
Status TGPGraphics::DrawString(const std::string& text, INT length, TGPFont* font,
                               const TGPPointF& origin, TGPBrush* brush) {
    return DrawString(text, length, font, TGPRectF{origin.X, origin.Y, 0, 0}, nullptr, brush);
}
Status TGPGraphics::DrawString(const std::string& text, INT length, TGPFont* font,
                               const TGPPointF& origin, TGPStringFormat* stringFormat,
                               TGPBrush* brush) {
    return DrawString(text, length, font, TGPRectF{origin.X, origin.Y, 0, 0}, stringFormat, brush);
}

TGPFont* TGPGraphics::MakeFont(TFont* aFont) {
    auto* family = new TGPFontFamily(aFont->Name());
    if (family->lastResult == FontFamilyNotFound || family->lastResult == FontStyleNotFound) {
        delete family;
        family = new TGPFontFamily("Arial");
    }
    INT style = FontStyleRegular;
    if (aFont->Style().Contains(fsBold)) style |= FontStyleBold;
    if (aFont->Style().Contains(fsItalic)) style |= FontStyleItalic;
    if (aFont->Style().Contains(fsUnderline)) style |= FontStyleUnderline;
    auto* font = new TGPFont(family, static_cast<REAL>(aFont->Size()), style, UnitPoint);
    delete family;
    return font;
}

int TGPGraphics::TextWidth(const std::string& text, TFont* font) {
    TGPFont* f = MakeFont(font);
    TGPRectF box;
    MeasureString(text, static_cast<INT>(text.size()), f, TGPRectF{0, 0, 10000, 10000}, box);
    delete f;
    return RoundHalfEven(box.Width);
}

int TGPGraphics::TextHeight(const std::string& text, TFont* font) {
    TGPFont* f = MakeFont(font);
    TGPRectF box;
    MeasureString(text, static_cast<INT>(text.size()), f, TGPRectF{0, 0, 10000, 10000}, box);
    delete f;
    return RoundHalfEven(box.Height);
}

int TGPGraphics::DrawText(const std::string& text, int len, TRect& rect, TFont* font,
                          unsigned style, TColor bkColor) {
    TGPFont* f = MakeFont(font);
    constexpr unsigned kCalcRect = 0x400;
    if ((style & kCalcRect) != 0 || bkColor != clNone) {
        double extra = 2;
        if (font->Size() > 8) extra += RoundHalfEven(static_cast<REAL>((font->Size() - 8) / 1.5));
        std::string measured = text;
        // A trailing blank counts: it is measured as the letter i.
        if (measured.size() > 1 && measured.back() == ' ') measured.back() = 'i';
        TGPRectF box;
        MeasureString(measured, len, f,
                      TGPRectF{F(rect.Left), F(rect.Top), F(rect.Right - rect.Left + 1000),
                               F(rect.Bottom - rect.Top)},
                      box);
        rect.Right = RoundHalfEven(static_cast<REAL>(box.Width - extra)) + rect.Left;
        rect.Bottom = RoundHalfEven(box.Height) + rect.Top;
        if (bkColor != clNone) {
            TGPSolidBrush background(ColorToArgb(bkColor));
            FillRectangle(&background, F(rect.Left + 1), F(rect.Top),
                          static_cast<REAL>(box.Width - extra + 1), box.Height);
        }
    }
    if ((style & kCalcRect) == 0) {
        TGPSolidBrush ink(ColorToArgb(font->Color()));
        DrawString(text, len, f, TGPPointF{F(rect.Left), F(rect.Top)}, &ink);
    }
    delete f;
    return rect.Bottom - rect.Top;
}

Status TGPGraphics::GetLastStatus() {
    const Status s = lastResult;
    lastResult = Ok;
    return s;
}

// ---- colours and records

ARGB ColorToArgb(TColor color) { return ColorToArgbWithAlpha(255, color); }

ARGB ColorToArgbWithAlpha(std::uint8_t alpha, TColor color) {
    const auto c = static_cast<std::uint32_t>(ColorToRGB(color));
    return ComposeArgb(alpha, static_cast<std::uint8_t>(c & 0xFF),
                       static_cast<std::uint8_t>((c >> 8) & 0xFF),
                       static_cast<std::uint8_t>((c >> 16) & 0xFF));
}

ARGB ComposeArgb(std::uint8_t alpha, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return (static_cast<ARGB>(alpha) << 24) | (static_cast<ARGB>(red) << 16) |
           (static_cast<ARGB>(green) << 8) | blue;
}

ARGB OpaqueArgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return ComposeArgb(255, red, green, blue);
}

std::uint8_t ArgbRed(ARGB color) { return static_cast<std::uint8_t>((color >> 16) & 0xFF); }
std::uint8_t ArgbGreen(ARGB color) { return static_cast<std::uint8_t>((color >> 8) & 0xFF); }
std::uint8_t ArgbBlue(ARGB color) { return static_cast<std::uint8_t>(color & 0xFF); }

TGPPoint MakeGPPoint(INT x, INT y) { return {x, y}; }
TGPPointF MakeGPPointF(REAL x, REAL y) { return {x, y}; }
TGPRectF MakeGPRectF(REAL x, REAL y, REAL width, REAL height) { return {x, y, width, height}; }

// ---- FillShapeWithStyle

void FillShapeWithStyle(const FillShapeParams& p) {
    TGPGraphics* g = p.Graphics;
    if (g == nullptr) return;
    const ARGB first = ColorToArgbWithAlpha(p.Opacity, p.Color);
    const ARGB second = ColorToArgbWithAlpha(p.OpacityTo, p.ColorTo);
    auto fill = [&](TGPBrush* brush) {
        if (p.UsePath) {
            g->FillPath(brush, p.Path);
        } else {
            g->FillRectangle(brush, p.Rect);
        }
    };
    auto linear = [&](TGPLinearGradientBrush& brush) {
        brush.SetGammaCorrection(true);
        fill(&brush);
    };
    const TGPRectF grown{p.Rect.X - 1, p.Rect.Y - 1, p.Rect.Width + 2, p.Rect.Height + 2};
    switch (p.GradientType) {
        case gtSolid: {
            TGPSolidBrush brush(first);
            fill(&brush);
            break;
        }
        case gtVertical:
        case gtHorizontal:
        case gtForwardDiagonal:
        case gtBackwardDiagonal: {
            const LinearGradientMode mode =
                p.GradientType == gtVertical          ? LinearGradientModeVertical
                : p.GradientType == gtHorizontal      ? LinearGradientModeHorizontal
                : p.GradientType == gtForwardDiagonal ? LinearGradientModeForwardDiagonal
                                                      : LinearGradientModeBackwardDiagonal;
            TGPLinearGradientBrush brush(grown, first, second, mode);
            linear(brush);
            if (p.Mirror) {
                TGPSolidBrush strip(first);
                g->FillRectangle(&strip, p.Rect.X, p.Rect.Y, p.Rect.Width, 1);
            }
            break;
        }
        case gtAngle: {
            TGPLinearGradientBrush brush(grown, first, second, static_cast<REAL>(p.Angle), true);
            linear(brush);
            break;
        }
        case gtHatch: {
            TGPHatchBrush brush(p.HatchStyle_, first, second);
            fill(&brush);
            break;
        }
        case gtTexture:
            if (p.Picture != nullptr) {
                if (p.UsePath) {
                    p.Picture->FillPath(g, p.Path);
                } else {
                    p.Picture->FillRect(g, p.Rect);
                }
            }
            break;
        case gtRadial:
        case gtPath:
        case gtNone: break;
    }
    if (p.BorderColor != clNone) {
        TGPPen pen(ColorToArgbWithAlpha(p.Opacity, p.BorderColor),
                   static_cast<REAL>(p.BorderWidth));
        pen.SetDashStyle(p.BorderStyle);
        if (p.UsePath) {
            g->DrawPath(&pen, p.Path);
        } else {
            g->DrawRectangle(&pen, p.Rect);
        }
    }
}

}  // namespace dsp
