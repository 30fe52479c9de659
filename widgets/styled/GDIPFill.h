#pragma once
// TGDIPFill: a persistent description of how to paint a rectangular area (a two-part body of
// solid, linear, angled, radial, hatched or textured parts, shadow, rounded corners, border,
// glow, focus outline, background and foreground pictures) and Fill, which paints it through the
// drawing layer's wrappers. Also the geometry it paints with (rounded outlines, radial
// gradients, picture placement) and its ini-file and clipboard forms.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "framework/core/Component.h"
#include "framework/core/TypeInfo.h"
#include "widgets/styled/AdvGDIP.h"

namespace dsp {

class TCustomIniFile;
class TStream;

enum TGlowMode { gmNone, gmGradient, gmRadial, gmRadialGradient };
DSP_ENUM_NAMES(TGlowMode, "gmNone", "gmGradient", "gmRadial", "gmRadialGradient")

enum TFillPicturePosition {
    ppTopLeft,
    ppTopCenter,
    ppTopRight,
    ppBottomLeft,
    ppBottomCenter,
    ppBottomRight,
    ppTiled,
    ppStretched,
    ppCenterLeft,
    ppCenterCenter,
    ppCenterRight,
    ppCustom,
};
DSP_ENUM_NAMES(TFillPicturePosition, "ppTopLeft", "ppTopCenter", "ppTopRight", "ppBottomLeft",
               "ppBottomCenter", "ppBottomRight", "ppTiled", "ppStretched", "ppCenterLeft",
               "ppCenterCenter", "ppCenterRight", "ppCustom")

enum TFillRoundingType { rtNone, rtTop, rtBottom, rtBoth, rtLeft, rtRight };
DSP_ENUM_NAMES(TFillRoundingType, "rtNone", "rtTop", "rtBottom", "rtBoth", "rtLeft", "rtRight")

enum TFillPictureSize { psOriginal, psCustom };
DSP_ENUM_NAMES(TFillPictureSize, "psOriginal", "psCustom")

enum TFillPictureMode { pmInsideFill, pmOutsideFill };
DSP_ENUM_NAMES(TFillPictureMode, "pmInsideFill", "pmOutsideFill")

enum TPictureMode { pmStretch, pmNormal };
DSP_ENUM_NAMES(TPictureMode, "pmStretch", "pmNormal")

enum TShadowType { stRightBottom, stBottom, stSurround };
DSP_ENUM_NAMES(TShadowType, "stRightBottom", "stBottom", "stSurround")

enum TGDIPProgressValueType { vtPercentage, vtAbsolute };
DSP_ENUM_NAMES(TGDIPProgressValueType, "vtPercentage", "vtAbsolute")

enum TGDIPProgressValuePosition {
    vpProgressCenter,
    vpProgressRight,
    vpCenter,
    vpLeft,
    vpRight,
    vpCustom,
};
DSP_ENUM_NAMES(TGDIPProgressValuePosition, "vpProgressCenter", "vpProgressRight", "vpCenter",
               "vpLeft", "vpRight", "vpCustom")

class TGDIPFill : public TPersistent {
public:
    TGDIPFill();
    ~TGDIPFill() override;

    // Only from another fill; any other source is ignored. Focus, FocusColor and OnChange stay.
    void Assign(TPersistent* source) override;

    // Paints the fill into r and returns the body rectangle (r less the shadow). An opacity
    // argument of 255 stands for the fill's own property.
    TGPRectF Fill(TGPGraphics* graphics, const TGPRectF& r, std::uint8_t aBorderOpacity = 255,
                  std::uint8_t aOpacity = 255, std::uint8_t aOpacityTo = 255,
                  std::uint8_t aOpacityMirror = 255, std::uint8_t aOpacityMirrorTo = 255);
    void DrawGradientBackGround(TGPGraphics* graphics, const TGPRectF& r, bool mirror,
                                std::uint8_t oc, std::uint8_t octo, std::uint8_t ocmr,
                                std::uint8_t ocmrto);
    void DrawGlow(TGPGraphics* graphics, const TGPRectF& r);

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() {
        if (FUpdateCount > 0) --FUpdateCount;
    }

    // The ini section of the fill. Loading checks every value and the pictures' hexadecimal
    // text first and changes the fill only when all of it is readable (a bad hexadecimal digit
    // raises EConvertError "No Hex-Number" and leaves the fill as it was); it fires OnChange once.
    void SaveToFile(const std::string& fileName, const std::string& section);
    void SaveToFile(TCustomIniFile& ini, const std::string& section);
    void LoadFromFile(const std::string& fileName, const std::string& section);
    void LoadFromFile(TCustomIniFile& ini, const std::string& section);

    // The clipboard under the format "GDI+ Fill": the fill's stored published properties as a
    // component stream. Pasting takes only such a stream of at most 64 MiB holding the fill's own
    // properties; anything else raises EReadError and leaves the fill as it was. Pasting sets the
    // properties the copy holds (those at their defaults in the source keep the target's values)
    // and fires OnChange once; with no fill on the clipboard it does nothing.
    void SaveToClipBoard();
    void LoadFromClipBoard();

    // ---- properties
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Set(FColor, v); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { Set(FColorTo, v); }
    TColor ColorMirror() const { return FColorMirror; }
    void SetColorMirror(TColor v) { Set(FColorMirror, v); }
    TColor ColorMirrorTo() const { return FColorMirrorTo; }
    void SetColorMirrorTo(TColor v) { Set(FColorMirrorTo, v); }
    TAdvGradientType GradientType() const { return FGradientType; }
    void SetGradientType(TAdvGradientType v) { Set(FGradientType, v); }
    TAdvGradientType GradientMirrorType() const { return FGradientMirrorType; }
    void SetGradientMirrorType(TAdvGradientType v) { Set(FGradientMirrorType, v); }
    HatchStyle GetHatchStyle() const { return FHatchStyle; }
    void SetHatchStyle(HatchStyle v) { Set(FHatchStyle, v); }
    HatchStyle HatchStyleMirror() const { return FHatchStyleMirror; }
    void SetHatchStyleMirror(HatchStyle v) { Set(FHatchStyleMirror, v); }
    bool BackGroundPictureAspectRatio() const { return FBackGroundPictureAspectRatio; }
    void SetBackGroundPictureAspectRatio(bool v) { Set(FBackGroundPictureAspectRatio, v); }
    TFillPictureMode BackGroundPictureMode() const { return FBackGroundPictureMode; }
    void SetBackGroundPictureMode(TFillPictureMode v) { Set(FBackGroundPictureMode, v); }
    TAdvGDIPPicture* BackGroundPicture() const { return FBackGroundPicture.get(); }
    void SetBackGroundPicture(TAdvGDIPPicture* v);
    TFillPicturePosition BackGroundPicturePosition() const { return FBackGroundPicturePosition; }
    void SetBackGroundPicturePosition(TFillPicturePosition v) {
        Set(FBackGroundPicturePosition, v);
    }
    int BackGroundPictureLeft() const { return FBackGroundPictureLeft; }
    void SetBackGroundPictureLeft(int v) { Set(FBackGroundPictureLeft, v); }
    int BackGroundPictureTop() const { return FBackGroundPictureTop; }
    void SetBackGroundPictureTop(int v) { Set(FBackGroundPictureTop, v); }
    TPictureMode BackGroundPictureAspectMode() const { return FBackGroundPictureAspectMode; }
    void SetBackGroundPictureAspectMode(TPictureMode v) { Set(FBackGroundPictureAspectMode, v); }
    TAdvGDIPPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TAdvGDIPPicture* v);
    TFillPicturePosition PicturePosition() const { return FPicturePosition; }
    void SetPicturePosition(TFillPicturePosition v) { Set(FPicturePosition, v); }
    int PictureLeft() const { return FPictureLeft; }
    void SetPictureLeft(int v) { Set(FPictureLeft, v); }
    int PictureTop() const { return FPictureTop; }
    void SetPictureTop(int v) { Set(FPictureTop, v); }
    TFillPictureSize PictureSize() const { return FpictureSize; }
    void SetPictureSize(TFillPictureSize v) { Set(FpictureSize, v); }
    int PictureWidth() const { return FpictureWidth; }
    void SetPictureWidth(int v) { Set(FpictureWidth, v); }
    int PictureHeight() const { return FpictureHeight; }
    void SetPictureHeight(int v) { Set(FpictureHeight, v); }
    bool PictureAspectRatio() const { return FPictureAspectRatio; }
    void SetPictureAspectRatio(bool v) { Set(FPictureAspectRatio, v); }
    TPictureMode PictureAspectMode() const { return FPictureAspectMode; }
    void SetPictureAspectMode(TPictureMode v) { Set(FPictureAspectMode, v); }
    std::uint8_t Opacity() const { return FOpacity; }
    void SetOpacity(std::uint8_t v) { Set(FOpacity, v); }
    std::uint8_t OpacityTo() const { return FOpacityTo; }
    void SetOpacityTo(std::uint8_t v) { Set(FOpacityTo, v); }
    std::uint8_t OpacityMirror() const { return FOpacityMirror; }
    void SetOpacityMirror(std::uint8_t v) { Set(FOpacityMirror, v); }
    std::uint8_t OpacityMirrorTo() const { return FOpacityMirrorTo; }
    void SetOpacityMirrorTo(std::uint8_t v) { Set(FOpacityMirrorTo, v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { Set(FBorderColor, v); }
    std::uint8_t BorderOpacity() const { return FBorderOpacity; }
    void SetBorderOpacity(std::uint8_t v) { Set(FBorderOpacity, v); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { Set(FBorderWidth, v); }
    int Rounding() const { return FRounding; }
    void SetRounding(int v) { Set(FRounding, v); }
    TFillRoundingType RoundingType() const { return FRoundingType; }
    void SetRoundingType(TFillRoundingType v) { Set(FRoundingType, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { Set(FShadowColor, v); }
    int ShadowOffset() const { return FShadowOffset; }
    void SetShadowOffset(int v) { Set(FShadowOffset, v); }
    TShadowType ShadowType() const { return FShadowType; }
    void SetShadowType(TShadowType v) { Set(FShadowType, v); }
    int Angle() const { return FAngle; }
    void SetAngle(int v) { Set(FAngle, v); }
    TGlowMode Glow() const { return FGlow; }
    void SetGlow(TGlowMode v) { Set(FGlow, v); }
    TColor GlowGradientColor() const { return FGlowGradientColor; }
    void SetGlowGradientColor(TColor v) { Set(FGlowGradientColor, v); }
    TColor GlowRadialColor() const { return FGlowRadialColor; }
    void SetGlowRadialColor(TColor v) { Set(FGlowRadialColor, v); }
    bool Focus() const { return FFocus; }
    void SetFocus(bool v) { Set(FFocus, v); }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { Set(FFocusColor, v); }
    const TGPRectF& FocusRect() const { return FFocusRect; }
    void SetFocusRect(const TGPRectF& v) { FFocusRect = v; }

    TNotifyEvent OnChange;

    DSP_PUBLISHED(TGDIPFill, TPersistent) {
        using P = Published<TGDIPFill>;
        return {
            P::Property("Color", &TGDIPFill::Color, &TGDIPFill::SetColor).Default(clSilver),
            P::Property("ColorTo", &TGDIPFill::ColorTo, &TGDIPFill::SetColorTo).Default(clGray),
            P::Property("ColorMirror", &TGDIPFill::ColorMirror, &TGDIPFill::SetColorMirror),
            P::Property("ColorMirrorTo", &TGDIPFill::ColorMirrorTo, &TGDIPFill::SetColorMirrorTo),
            P::Property("GradientType", &TGDIPFill::GradientType, &TGDIPFill::SetGradientType)
                .Default(gtVertical),
            P::Property("GradientMirrorType", &TGDIPFill::GradientMirrorType,
                        &TGDIPFill::SetGradientMirrorType)
                .Default(gtSolid),
            P::Property("HatchStyle", &TGDIPFill::GetHatchStyle, &TGDIPFill::SetHatchStyle)
                .Default(HatchStyleHorizontal),
            P::Property("HatchStyleMirror", &TGDIPFill::HatchStyleMirror,
                        &TGDIPFill::SetHatchStyleMirror)
                .Default(HatchStyleHorizontal),
            P::Property("BackGroundPictureAspectRatio", &TGDIPFill::BackGroundPictureAspectRatio,
                        &TGDIPFill::SetBackGroundPictureAspectRatio)
                .Default(false),
            P::Property("BackGroundPictureMode", &TGDIPFill::BackGroundPictureMode,
                        &TGDIPFill::SetBackGroundPictureMode)
                .Default(pmOutsideFill),
            P::Property("BackGroundPicture", &TGDIPFill::BackGroundPicture,
                        &TGDIPFill::SetBackGroundPicture),
            P::Property("BackGroundPicturePosition", &TGDIPFill::BackGroundPicturePosition,
                        &TGDIPFill::SetBackGroundPicturePosition)
                .Default(ppTopLeft),
            P::Property("BackGroundPictureLeft", &TGDIPFill::BackGroundPictureLeft,
                        &TGDIPFill::SetBackGroundPictureLeft)
                .Default(0),
            P::Property("BackGroundPictureTop", &TGDIPFill::BackGroundPictureTop,
                        &TGDIPFill::SetBackGroundPictureTop)
                .Default(0),
            P::Property("BackGroundPictureAspectMode", &TGDIPFill::BackGroundPictureAspectMode,
                        &TGDIPFill::SetBackGroundPictureAspectMode)
                .Default(pmStretch),
            P::Property("Picture", &TGDIPFill::Picture, &TGDIPFill::SetPicture),
            P::Property("PicturePosition", &TGDIPFill::PicturePosition,
                        &TGDIPFill::SetPicturePosition)
                .Default(ppTopLeft),
            P::Property("PictureLeft", &TGDIPFill::PictureLeft, &TGDIPFill::SetPictureLeft)
                .Default(0),
            P::Property("PictureTop", &TGDIPFill::PictureTop, &TGDIPFill::SetPictureTop).Default(0),
            P::Property("PictureSize", &TGDIPFill::PictureSize, &TGDIPFill::SetPictureSize)
                .Default(psOriginal),
            P::Property("PictureWidth", &TGDIPFill::PictureWidth, &TGDIPFill::SetPictureWidth)
                .Default(50),
            P::Property("PictureHeight", &TGDIPFill::PictureHeight, &TGDIPFill::SetPictureHeight)
                .Default(50),
            P::Property("PictureAspectRatio", &TGDIPFill::PictureAspectRatio,
                        &TGDIPFill::SetPictureAspectRatio)
                .Default(false),
            P::Property("PictureAspectMode", &TGDIPFill::PictureAspectMode,
                        &TGDIPFill::SetPictureAspectMode)
                .Default(pmStretch),
            P::Property("Opacity", &TGDIPFill::Opacity, &TGDIPFill::SetOpacity).Default(255),
            P::Property("OpacityTo", &TGDIPFill::OpacityTo, &TGDIPFill::SetOpacityTo).Default(255),
            P::Property("OpacityMirror", &TGDIPFill::OpacityMirror, &TGDIPFill::SetOpacityMirror)
                .Default(255),
            P::Property("OpacityMirrorTo", &TGDIPFill::OpacityMirrorTo,
                        &TGDIPFill::SetOpacityMirrorTo)
                .Default(255),
            P::Property("BorderColor", &TGDIPFill::BorderColor, &TGDIPFill::SetBorderColor),
            P::Property("BorderOpacity", &TGDIPFill::BorderOpacity, &TGDIPFill::SetBorderOpacity)
                .Default(255),
            P::Property("BorderWidth", &TGDIPFill::BorderWidth, &TGDIPFill::SetBorderWidth)
                .Default(1),
            P::Property("Rounding", &TGDIPFill::Rounding, &TGDIPFill::SetRounding),
            P::Property("RoundingType", &TGDIPFill::RoundingType, &TGDIPFill::SetRoundingType)
                .Default(rtBoth),
            P::Property("ShadowColor", &TGDIPFill::ShadowColor, &TGDIPFill::SetShadowColor)
                .Default(clGray),
            P::Property("ShadowOffset", &TGDIPFill::ShadowOffset, &TGDIPFill::SetShadowOffset),
            P::Property("ShadowType", &TGDIPFill::ShadowType, &TGDIPFill::SetShadowType)
                .Default(stRightBottom),
            P::Property("Angle", &TGDIPFill::Angle, &TGDIPFill::SetAngle).Default(0),
            P::Property("Glow", &TGDIPFill::Glow, &TGDIPFill::SetGlow),
            P::Property("GlowGradientColor", &TGDIPFill::GlowGradientColor,
                        &TGDIPFill::SetGlowGradientColor)
                .Default(clWhite),
            P::Property("GlowRadialColor", &TGDIPFill::GlowRadialColor,
                        &TGDIPFill::SetGlowRadialColor)
                .Default(clWhite),
        };
    }

private:
    template <typename T>
    void Set(T& field, T value) {
        if (field == value) return;
        field = value;
        NotifyChanged();
    }
    void NotifyChanged();
    void PictureChanged() { NotifyChanged(); }

    TColor FBorderColor = clNone;
    std::uint8_t FOpacity = 255;
    TFillPicturePosition FPicturePosition = ppTopLeft;
    TAdvGradientType FGradientType = gtVertical;
    std::uint8_t FOpacityTo = 255;
    std::unique_ptr<TAdvGDIPPicture> FPicture;
    HatchStyle FHatchStyle = HatchStyleHorizontal;
    TColor FColor = clSilver;
    int FShadowOffset = 0;
    TShadowType FShadowType = stRightBottom;
    std::uint8_t FOpacityMirror = 255;
    TAdvGradientType FGradientMirrorType = gtSolid;
    std::uint8_t FOpacityMirrorTo = 255;
    int FRounding = 0;
    TColor FShadowColor = clGray;
    int FBorderWidth = 1;
    TColor FColorMirror = clNone;
    TColor FColorMirrorTo = clNone;
    TColor FColorTo = clGray;
    HatchStyle FHatchStyleMirror = HatchStyleHorizontal;
    int FPictureTop = 0;
    int FPictureLeft = 0;
    int FBackGroundPictureTop = 0;
    int FBackGroundPictureLeft = 0;
    TFillPicturePosition FBackGroundPicturePosition = ppTopLeft;
    std::unique_ptr<TAdvGDIPPicture> FBackGroundPicture;
    int FpictureWidth = 50;
    TFillPictureSize FpictureSize = psOriginal;
    int FpictureHeight = 50;
    TFillRoundingType FRoundingType = rtBoth;
    int FUpdateCount = 0;
    bool FFocus = false;
    TColor FFocusColor = clBlack;
    int FAngle = 0;
    std::uint8_t FBorderOpacity = 255;
    TGPRectF FFocusRect;
    TFillPictureMode FBackGroundPictureMode = pmOutsideFill;
    TColor FGlowGradientColor = clWhite;
    TGlowMode FGlow = gmNone;
    TColor FGlowRadialColor = clWhite;
    bool FBackGroundPictureAspectRatio = false;
    bool FPictureAspectRatio = false;
    TPictureMode FBackGroundPictureAspectMode = pmStretch;
    TPictureMode FPictureAspectMode = pmStretch;
};

// The component that carries a fill through the component stream: the fill's properties travel
// as the sub-properties of SaveObject.
class TSaver : public TComponent {
public:
    explicit TSaver(TComponent* owner) : TComponent(owner) {}
    TPersistent* SaveObject() const { return FSaveObject; }
    void SetSaveObject(TPersistent* value) { FSaveObject = value; }

    DSP_PUBLISHED(TSaver, TComponent) {
        using P = Published<TSaver>;
        return {P::Property("SaveObject", &TSaver::SaveObject, &TSaver::SetSaveObject)};
    }

private:
    TPersistent* FSaveObject = nullptr;
};

// The clipboard format of fills, registered once.
unsigned GDIPFillClipboardFormat();
// A fill (or any persistent object with published properties) written as a TSaver's SaveObject,
// and read back into one.
void SaveFillToStream(TStream& stream, TPersistent& fill);
void LoadFillFromStream(TStream& stream, TPersistent& persistent);

// ---- shapes and placement

// A new closed path (the caller frees it) of the rectangle with the corners of the rounding type
// rounded by radius; nothing but the closed figure for a type outside the six.
TGPGraphicsPath* CreateRoundedPath(const TGPRectF& r, int radius, TFillRoundingType roundingType);
void AddRoundedOutline(TFillRoundingType roundingType, TGPGraphicsPath* path, int radius,
                       int diameter, const TGPRectF& r);
// The rounded outline filled in colour A (at the top) or B, then a path gradient over an
// ellipse from the top or the bottom edge blending A and B, inside the outline.
void FillRadialGradient(TGPGraphics* graphics, const TGPRectF& r, ARGB colorA,
                        TFillRoundingType roundingType, int radius, bool atTop, ARGB colorB);
// Places the picture (w x h) in box by position and draws it; nothing for an empty picture.
void DrawFillPicture(TGPGraphics* graphics, bool aspectRatio, TPictureMode aspectMode,
                     int customTop, int customLeft, const TRect& box, int pictureHeight,
                     int pictureWidth, TFillPicturePosition position, TAdvGDIPPicture* picture);
// The picture's size fitted into the box keeping its proportions; a smaller picture keeps its
// size in pmNormal; (0, 0) when any extent is 0 or less.
std::pair<double, double> FitPictureSize(TPictureMode mode, double width, double height,
                                         double boxWidth, double boxHeight);

// ---- text forms of pictures

// Two upper-case hexadecimal digits per byte, from the stream's start to its end.
std::string StreamToHexText(TStream& stream);
// Empties the stream and writes one byte per two characters (an odd last one is ignored).
// EConvertError "No Hex-Number" for any other character than 0-9, A-F, a-f.
void HexTextToStream(const std::string& text, TStream& stream);
std::uint8_t HexPairToByte(const std::string& text);

}  // namespace dsp
