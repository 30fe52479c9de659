#pragma once
// TAdvTrackBar: the fader. One integer Position inside Min..Max, changed by dragging the thumb,
// clicking or holding the mouse on the track, the end buttons, the keyboard and the wheel. Every
// call of the Position setter that asks for a value other than the stored one raises OnChange,
// program writes included, also when clamping brings the value back to where it was (Page Up at
// Max): the owner forwards each OnChange to the processor.
//
// Holding the mouse on the track steps a page at once, again after Buttons.InitRepeatPause and
// then every Buttons.RepeatPause while the fader holds the mouse capture. The direction is the
// one of the first step, and stepping ends where a step would carry the thumb past the press
// point, so the thumb never swings back and forth around it. Losing the capture without a
// release stops the repeating and ends a drag.
//
// Geometry is computed on demand from the client rectangle and the part settings (Thumb,
// Slider, TickMark, Buttons, TrackLabel); painting draws the parent's background (Transparent),
// the background, the value label, the track, the tick marks, the thumb, the end buttons and
// the focus rectangle. A change of Position invalidates only the old and new thumb areas (and
// what depends on the thumb: a completed track part, tick images that follow the thumb, the
// label). The free routines below are the fader's drawing kit.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/CustomControl.h"
#include "framework/controls/HintWindow.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Region.h"
#include "widgets/styled/AdvGDIP.h"
#include "widgets/styled/AdvStyleIF.h"
#include "widgets/styled/GDIPicture.h"

namespace dsp {

class TTimer;
class TImageList;
using TCustomImageList = TImageList;
class TCustomTrackBar;

enum TTrackBarOrientation { trHorizontal, trVertical };
DSP_ENUM_NAMES(TTrackBarOrientation, "trHorizontal", "trVertical")

enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
DSP_ENUM_NAMES(TTickMark, "tmBottomRight", "tmTopLeft", "tmBoth")

enum TTickStyle { tsNone, tsAuto, tsManual };
DSP_ENUM_NAMES(TTickStyle, "tsNone", "tsAuto", "tsManual")

// The fader's own gradient directions (the panel widgets have a TGradientDirection of their
// own, so this one lives in a namespace of its unit; its values are plain dsp names).
namespace advtrackbar {
enum TGradientDirection { gdHorizontal, gdVertical, gdHorizontalInOut, gdVerticalInOut };
DSP_ENUM_NAMES(TGradientDirection, "gdHorizontal", "gdVertical", "gdHorizontalInOut",
               "gdVerticalInOut")
}  // namespace advtrackbar
using enum advtrackbar::TGradientDirection;

enum TMoveOnClick { mcStep, mcMove, mcMoveSlide };
DSP_ENUM_NAMES(TMoveOnClick, "mcStep", "mcMove", "mcMoveSlide")

enum TThumbShape {
    tsPointer,
    tsRectangle,
    tsRoundRect,
    tsRound,
    tsLine,
    tsPointerLeftUp,
    tsPointerRightUp,
    tsTriangle,
    tsTriangleLeft,
    tsTriangleRight,
};
DSP_ENUM_NAMES(TThumbShape, "tsPointer", "tsRectangle", "tsRoundRect", "tsRound", "tsLine",
               "tsPointerLeftUp", "tsPointerRightUp", "tsTriangle", "tsTriangleLeft",
               "tsTriangleRight")

enum TThumbStyle { tstOffice2007, tstCustom };
DSP_ENUM_NAMES(TThumbStyle, "tstOffice2007", "tstCustom")

enum TThumbPointer { tpLeft, tpCenter, tpRight };
DSP_ENUM_NAMES(TThumbPointer, "tpLeft", "tpCenter", "tpRight")

enum TGDIPGradient { ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward };
DSP_ENUM_NAMES(TGDIPGradient, "ggRadial", "ggVertical", "ggDiagonalForward", "ggDiagonalBackward")

enum TTrackButtonShape { bsRound, bsRectangle };
DSP_ENUM_NAMES(TTrackButtonShape, "bsRound", "bsRectangle")

enum TLabelPosition {
    lpTopCenter,
    lpTopLeft,
    lpTopRight,
    lpBottomCenter,
    lpBottomLeft,
    lpBottomRight,
};
DSP_ENUM_NAMES(TLabelPosition, "lpTopCenter", "lpTopLeft", "lpTopRight", "lpBottomCenter",
               "lpBottomLeft", "lpBottomRight")

using TDrawTickEvent = std::function<void(
    TObject* sender, TCanvas* canvas, const TPoint& location, int position, TTickMark tickPos,
    int& length, TColor& color, TColor& textColor, std::string& text, bool& defaultDraw)>;
using TGetTrackHintEvent = std::function<void(TObject* sender, int position, std::string& hint)>;
using TGetTrackLabelEvent = std::function<void(TObject* sender, int position, std::string& value)>;
using TGetTickMarkTextEvent = std::function<void(TObject* sender, int index, std::string& value)>;

// ---- part settings: setters store a different value and raise OnChange, which the fader
// points at its repaint (or, for the tick settings, at a re-measure and repaint).

// Base of the five settings objects: the change event, the owning fader and the store rule.
class TTrackBarPart : public TPersistent {
public:
    explicit TTrackBarPart(TCustomTrackBar* owner) : FAdvTrackBar(owner) {}
    TNotifyEvent OnChange;
    TCustomTrackBar* AdvTrackBar() const { return FAdvTrackBar; }

protected:
    void Changed() {
        if (OnChange) OnChange(this);
    }
    template <typename T>
    void Store(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Changed();
    }
    // A picture owned by a part: its changes reach the part through handler.
    static std::unique_ptr<TGDIPPicture> OwnedPicture(std::function<void()> handler);

    TCustomTrackBar* FAdvTrackBar;
};

class TTrackBarThumb : public TTrackBarPart {
public:
    explicit TTrackBarThumb(TCustomTrackBar* owner);
    ~TTrackBarThumb() override;
    // From another thumb only (others are ignored); ShowAtMinMax and stretching stay.
    void Assign(TPersistent* source) override;

    // Takes Size and Width from Picture when it is set (vertical fader: Width = picture
    // height, Size = picture width).
    void SizeFromPicture();

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { Store(FBorderColor, v); }
    TColor BorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor v) { Store(FBorderColorHot, v); }
    TColor BorderColorDown() const { return FBorderColorDown; }
    void SetBorderColorDown(TColor v) { Store(FBorderColorDown, v); }
    TColor BorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(TColor v) { Store(FBorderColorDisabled, v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Store(FColor, v); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { Store(FColorTo, v); }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor v) { Store(FColorHot, v); }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor v) { Store(FColorHotTo, v); }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor v) { Store(FColorDown, v); }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor v) { Store(FColorDownTo, v); }
    TColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor v) { Store(FColorDisabled, v); }
    TColor ColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor v) { Store(FColorDisabledTo, v); }
    TColor ColorMirror() const { return FColorMirror; }
    void SetColorMirror(TColor v) { Store(FColorMirror, v); }
    TColor ColorMirrorTo() const { return FColorMirrorTo; }
    void SetColorMirrorTo(TColor v) { Store(FColorMirrorTo, v); }
    TColor ColorMirrorDisabled() const { return FColorMirrorDisabled; }
    void SetColorMirrorDisabled(TColor v) { Store(FColorMirrorDisabled, v); }
    TColor ColorMirrorDisabledTo() const { return FColorMirrorDisabledTo; }
    void SetColorMirrorDisabledTo(TColor v) { Store(FColorMirrorDisabledTo, v); }
    // Written without notification.
    TColor ColorMirrorHot() const { return FColorMirrorHot; }
    void SetColorMirrorHot(TColor v) { FColorMirrorHot = v; }
    TColor ColorMirrorHotTo() const { return FColorMirrorHotTo; }
    void SetColorMirrorHotTo(TColor v) { FColorMirrorHotTo = v; }
    TColor ColorMirrorDown() const { return FColorMirrorDown; }
    void SetColorMirrorDown(TColor v) { FColorMirrorDown = v; }
    TColor ColorMirrorDownTo() const { return FColorMirrorDownTo; }
    void SetColorMirrorDownTo(TColor v) { FColorMirrorDownTo = v; }
    TGDIPGradient Gradient() const { return FGradient; }
    void SetGradient(TGDIPGradient v) { Store(FGradient, v); }
    TGDIPGradient GradientMirror() const { return FGradientMirror; }
    void SetGradientMirror(TGDIPGradient v) { Store(FGradientMirror, v); }
    TThumbShape Shape() const { return FShape; }
    void SetShape(TThumbShape v) { Store(FShape, v); }
    TThumbStyle Style() const { return FStyle; }
    void SetStyle(TThumbStyle v) { Store(FStyle, v); }
    bool ShowAtMinMax() const { return FShowAtMinMax; }
    void SetShowAtMinMax(bool v) { Store(FShowAtMinMax, v); }
    int Steps() const { return FSteps; }
    // Extent across the track, and along it; stored only while there is no picture.
    int Size() const { return FSize; }
    void SetSize(int v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TThumbPointer ThumbPointer() const { return FThumbPointer; }
    // Asks the fader (CanChangeThumbPointer) first; without a fader nothing is stored.
    void SetThumbPointer(TThumbPointer v);
    TGDIPPicture* Picture() const { return FIPicture.get(); }
    void SetPicture(TGDIPPicture* v) { FIPicture->Assign(v); }
    TGDIPPicture* PictureHot() const { return FIPictureHot.get(); }
    void SetPictureHot(TGDIPPicture* v) { FIPictureHot->Assign(v); }
    TGDIPPicture* PictureDown() const { return FIPictureDown.get(); }
    void SetPictureDown(TGDIPPicture* v) { FIPictureDown->Assign(v); }
    TGDIPPicture* PictureDisabled() const { return FIPictureDisabled.get(); }
    void SetPictureDisabled(TGDIPPicture* v) { FIPictureDisabled->Assign(v); }
    bool PictureStretched() const { return FPictureStretched; }

private:
    void PictureChanged();

    int FSteps = 64;
    TColor FColor = 15653832;
    TColor FColorTo = 16178633;
    TColor FBorderColor = 10317632;
    TColor FColorHotTo = 11332863;
    TColor FColorHot = 15465983;
    TColor FBorderColorHot = 10079963;
    int FWidth = 10;
    TColor FColorDisabledTo = 0;
    TColor FBorderColorDown = 4548219;
    TColor FBorderColorDisabled = 0;
    TColor FColorDown = 7778289;
    TColor FColorDownTo = 4296947;
    TColor FColorDisabled = 0;
    std::unique_ptr<TGDIPPicture> FIPicture;
    TThumbShape FShape = tsPointer;
    TThumbStyle FStyle = tstOffice2007;
    std::unique_ptr<TGDIPPicture> FIPictureDisabled;
    std::unique_ptr<TGDIPPicture> FIPictureDown;
    std::unique_ptr<TGDIPPicture> FIPictureHot;
    TColor FColorMirrorHot = 5888767;
    TColor FColorMirror = 15586496;
    TColor FColorMirrorTo = 16245200;
    TColor FColorMirrorDisabledTo = 0;
    TColor FColorMirrorDisabled = 0;
    TColor FColorMirrorHotTo = 10807807;
    TColor FColorMirrorDown = 946929;
    TColor FColorMirrorDownTo = 5021693;
    TGDIPGradient FGradient = ggVertical;
    TGDIPGradient FGradientMirror = ggRadial;
    bool FPictureStretched = false;
    int FSize = 15;
    bool FShowAtMinMax = true;
    TThumbPointer FThumbPointer = tpCenter;
};

class TTrackBarSlider : public TTrackBarPart {
public:
    explicit TTrackBarSlider(TCustomTrackBar* owner);
    ~TTrackBarSlider() override;
    // From another track only (others raise EConvertError); Direction and steps stay.
    void Assign(TPersistent* source) override;

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { Store(FBorderColor, v); }
    TColor BorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(TColor v) { Store(FBorderColorDisabled, v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Store(FColor, v); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { Store(FColorTo, v); }
    TColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor v) { Store(FColorDisabled, v); }
    TColor ColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor v) { Store(FColorDisabledTo, v); }
    TColor ColorCompleted() const { return FColorCompleted; }
    void SetColorCompleted(TColor v) { Store(FColorCompleted, v); }
    TColor ColorCompletedTo() const { return FColorCompletedTo; }
    void SetColorCompletedTo(TColor v) { Store(FColorCompletedTo, v); }
    TColor ColorCompletedDisabled() const { return FColorCompletedDisabled; }
    void SetColorCompletedDisabled(TColor v) { Store(FColorCompletedDisabled, v); }
    TColor ColorCompletedDisabledTo() const { return FColorCompletedDisabledTo; }
    void SetColorCompletedDisabledTo(TColor v) { Store(FColorCompletedDisabledTo, v); }
    advtrackbar::TGradientDirection Direction() const { return FDirection; }
    void SetDirection(advtrackbar::TGradientDirection v) { Store(FDirection, v); }
    int Size() const { return FSize; }
    void SetSize(int v) { Store(FSize, v); }
    bool Border3D() const { return FBorder3D; }
    void SetBorder3D(bool v) { Store(FBorder3D, v); }
    bool Rounded() const { return FRounded; }
    void SetRounded(bool v) { Store(FRounded, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Store(FVisible, v); }
    bool PictureStretched() const { return FPictureStretched; }
    void SetPictureStretched(bool v) { Store(FPictureStretched, v); }
    int Offset() const { return FOffset; }
    void SetOffset(int v) { Store(FOffset, v); }
    int Steps() const { return FSteps; }
    TGDIPPicture* Picture() const { return FIPicture.get(); }
    void SetPicture(TGDIPPicture* v) { FIPicture->Assign(v); }
    TGDIPPicture* PictureDisabled() const { return FIPictureDisabled.get(); }
    void SetPictureDisabled(TGDIPPicture* v) { FIPictureDisabled->Assign(v); }
    TGDIPPicture* PictureCompleted() const { return FPictureCompleted.get(); }
    void SetPictureCompleted(TGDIPPicture* v) { FPictureCompleted->Assign(v); }
    TGDIPPicture* PictureCompletedDisabled() const { return FPictureCompletedDisabled.get(); }
    void SetPictureCompletedDisabled(TGDIPPicture* v) { FPictureCompletedDisabled->Assign(v); }

private:
    void PictureChanged();

    int FSteps = 20;
    TColor FColor = 16777215;
    TColor FColorTo = 0;
    advtrackbar::TGradientDirection FDirection = gdHorizontal;
    TColor FBorderColor = 12752500;
    bool FRounded = false;
    bool FBorder3D = true;
    std::unique_ptr<TGDIPPicture> FIPicture;
    TColor FColorDisabledTo = 0;
    TColor FBorderColorDisabled = 0;
    TColor FColorDisabled = 0;
    std::unique_ptr<TGDIPPicture> FIPictureDisabled;
    int FSize = 2;
    bool FVisible = true;
    bool FPictureStretched = false;
    TColor FColorCompletedDisabledTo = clNone;
    TColor FColorCompletedTo = clNone;
    TColor FColorCompleted = clNone;
    TColor FColorCompletedDisabled = clNone;
    std::unique_ptr<TGDIPPicture> FPictureCompletedDisabled;
    std::unique_ptr<TGDIPPicture> FPictureCompleted;
    int FOffset = 10;
};

class TTrackBarTick : public TTrackBarPart {
public:
    explicit TTrackBarTick(TCustomTrackBar* owner);
    ~TTrackBarTick() override;
    // From other tick settings only (others raise EConvertError); RotateFontVert stays.
    void Assign(TPersistent* source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Store(FColor, v); }
    TColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor v) { Store(FColorDisabled, v); }
    TTickMark Position() const { return FPosition; }
    void SetPosition(TTickMark v) { Store(FPosition, v); }
    TTickStyle Style() const { return FStyle; }
    void SetStyle(TTickStyle v) { Store(FStyle, v); }
    bool ShowText() const { return FShowText; }
    void SetShowText(bool v) { Store(FShowText, v); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    bool Line3D() const { return FLine3D; }
    void SetLine3D(bool v) { Store(FLine3D, v); }
    bool ShowImageAtThumbOnly() const { return FShowImageAtThumbOnly; }
    void SetShowImageAtThumbOnly(bool v) { Store(FShowImageAtThumbOnly, v); }
    int ShowImageAtSteps() const { return FShowImageAtSteps; }
    void SetShowImageAtSteps(int v) { Store(FShowImageAtSteps, v); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { Store(FSpacing, v); }
    int Size() const { return FSize; }
    void SetSize(int v) { Store(FSize, v); }
    bool RotateFontVert() const { return FRotateFontVert; }
    void SetRotateFontVert(bool v) { Store(FRotateFontVert, v); }
    // Stored and copied, never drawn.
    TGDIPPicture* Picture() const { return FIPicture.get(); }
    void SetPicture(TGDIPPicture* v) { FIPicture->Assign(v); }
    TGDIPPicture* PictureDisabled() const { return FIPictureDisabled.get(); }
    void SetPictureDisabled(TGDIPPicture* v) { FIPictureDisabled->Assign(v); }

private:
    TColor FColor = 0;
    std::unique_ptr<TGDIPPicture> FIPicture;
    TColor FColorDisabled = 0;
    std::unique_ptr<TGDIPPicture> FIPictureDisabled;
    TTickMark FPosition = tmBottomRight;
    TTickStyle FStyle = tsAuto;
    bool FShowText = false;
    std::unique_ptr<TFont> FFont;
    bool FLine3D = false;
    bool FShowImageAtThumbOnly = false;
    int FShowImageAtSteps = 1;
    int FSpacing = 8;
    int FSize = 4;
    bool FRotateFontVert = true;
};

class TTrackBarButtons : public TTrackBarPart {
public:
    explicit TTrackBarButtons(TCustomTrackBar* owner);
    ~TTrackBarButtons() override;
    // From other button settings only (others raise EConvertError); the gradients stay.
    void Assign(TPersistent* source) override;

    // Takes Size from MinPicture (or MaxPicture) when one is set.
    void SizeFromPictures();

    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Store(FVisible, v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { Store(FBorderColor, v); }
    TColor BorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor v) { Store(FBorderColorHot, v); }
    TColor BorderColorDown() const { return FBorderColorDown; }
    void SetBorderColorDown(TColor v) { Store(FBorderColorDown, v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Store(FColor, v); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { Store(FColorTo, v); }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor v) { Store(FColorHot, v); }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor v) { Store(FColorHotTo, v); }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor v) { Store(FColorDown, v); }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor v) { Store(FColorDownTo, v); }
    // Written without notification.
    TColor ColorMirror() const { return FColorMirror; }
    void SetColorMirror(TColor v) { FColorMirror = v; }
    TColor ColorMirrorTo() const { return FColorMirrorTo; }
    void SetColorMirrorTo(TColor v) { FColorMirrorTo = v; }
    TColor ColorMirrorHot() const { return FColorMirrorHot; }
    void SetColorMirrorHot(TColor v) { FColorMirrorHot = v; }
    TColor ColorMirrorHotTo() const { return FColorMirrorHotTo; }
    void SetColorMirrorHotTo(TColor v) { FColorMirrorHotTo = v; }
    TColor ColorMirrorDown() const { return FColorMirrorDown; }
    void SetColorMirrorDown(TColor v) { FColorMirrorDown = v; }
    TColor ColorMirrorDownTo() const { return FColorMirrorDownTo; }
    void SetColorMirrorDownTo(TColor v) { FColorMirrorDownTo = v; }
    int InitRepeatPause() const { return FInitRepeatPause; }
    void SetInitRepeatPause(int v) { FInitRepeatPause = v; }
    int RepeatPause() const { return FRepeatPause; }
    void SetRepeatPause(int v) { FRepeatPause = v; }
    bool RepeatClick() const { return FRepeatClick; }
    void SetRepeatClick(bool v) { FRepeatClick = v; }
    int Step() const { return FStep; }
    void SetStep(int v) { FStep = v; }
    TGDIPGradient Gradient() const { return FGradient; }
    void SetGradient(TGDIPGradient v) { Store(FGradient, v); }
    TGDIPGradient GradientMirror() const { return FGradientMirror; }
    void SetGradientMirror(TGDIPGradient v) { Store(FGradientMirror, v); }
    bool RotateText() const { return FRotateText; }
    void SetRotateText(bool v) { Store(FRotateText, v); }
    TTrackButtonShape Shape() const { return FShape; }
    void SetShape(TTrackButtonShape v) { Store(FShape, v); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { Store(FSpacing, v); }
    int CornerRadius() const { return FCornerRadius; }
    void SetCornerRadius(int v) { Store(FCornerRadius, v); }
    // Stored only while MinPicture and MaxPicture are both empty.
    int Size() const { return FSize; }
    void SetSize(int v);
    TGDIPPicture* MinPicture() const { return FIMinPicture.get(); }
    void SetMinPicture(TGDIPPicture* v) { FIMinPicture->Assign(v); }
    TGDIPPicture* MinPictureHot() const { return FIMinPictureHot.get(); }
    void SetMinPictureHot(TGDIPPicture* v) { FIMinPictureHot->Assign(v); }
    TGDIPPicture* MinPictureDown() const { return FIMinPictureDown.get(); }
    void SetMinPictureDown(TGDIPPicture* v) { FIMinPictureDown->Assign(v); }
    TGDIPPicture* MaxPicture() const { return FIMaxPicture.get(); }
    void SetMaxPicture(TGDIPPicture* v) { FIMaxPicture->Assign(v); }
    TGDIPPicture* MaxPictureHot() const { return FIMaxPictureHot.get(); }
    void SetMaxPictureHot(TGDIPPicture* v) { FIMaxPictureHot->Assign(v); }
    TGDIPPicture* MaxPictureDown() const { return FIMaxPictureDown.get(); }
    void SetMaxPictureDown(TGDIPPicture* v) { FIMaxPictureDown->Assign(v); }

private:
    bool FVisible = false;
    TColor FColorHot = 15465983;
    TColor FColor = 15653832;
    TColor FColorTo = 16178633;
    TColor FColorHotTo = 11332863;
    TColor FColorDownTo = 4296947;
    TColor FColorDown = 7778289;
    TColor FBorderColorDown = 4548219;
    TColor FBorderColorHot = 10079963;
    TColor FBorderColor = 9262895;
    std::unique_ptr<TGDIPPicture> FIMaxPictureHot;
    std::unique_ptr<TGDIPPicture> FIMaxPictureDown;
    std::unique_ptr<TGDIPPicture> FIMinPicture;
    std::unique_ptr<TGDIPPicture> FIMaxPicture;
    std::unique_ptr<TGDIPPicture> FIMinPictureHot;
    std::unique_ptr<TGDIPPicture> FIMinPictureDown;
    TTrackButtonShape FShape = bsRound;
    TColor FColorMirror = 15586496;
    TColor FColorMirrorTo = 16245200;
    TColor FColorMirrorHot = 5888767;
    TColor FColorMirrorDownTo = 5021693;
    TColor FColorMirrorHotTo = 10807807;
    TColor FColorMirrorDown = 946929;
    TGDIPGradient FGradientMirror = ggVertical;
    TGDIPGradient FGradient = ggVertical;
    int FCornerRadius = 0;
    bool FRepeatClick = true;
    int FInitRepeatPause = 400;
    int FRepeatPause = 100;
    int FSize = 20;
    int FSpacing = 2;
    int FStep = 1;
    bool FRotateText = true;
};

class TTrackBarLabel : public TTrackBarPart {
public:
    explicit TTrackBarLabel(TCustomTrackBar* owner);
    ~TTrackBarLabel() override;
    // From another label only (others raise EConvertError); Spacing stays.
    void Assign(TPersistent* source) override;

    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Store(FVisible, v); }
    // A format with one integer, "Pos: %d"; it goes through the framework's Format, so a
    // format that does not fit shows the plain number instead.
    const std::string& Format() const { return FFormat; }
    void SetFormat(const std::string& v) { Store(FFormat, v); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TLabelPosition Position() const { return FPosition; }
    void SetPosition(TLabelPosition v) { Store(FPosition, v); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { Store(FSpacing, v); }

private:
    bool FVisible = false;
    std::string FFormat = "Pos: %d";
    std::unique_ptr<TFont> FFont;
    TLabelPosition FPosition = lpTopCenter;
    int FSpacing = 4;
};

// The drag hint: a borderless line of text that stays 2 pixels inside its monitor.
class TTrackHintWindow : public THintWindow {
public:
    explicit TTrackHintWindow(TComponent* owner);
    ~TTrackHintWindow() override;
    void ActivateHint(TRect rect, const std::string& hint) override;
    TRect CalcHintRect(int maxWidth, const std::string& hint) override;
    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;

private:
    int FTextHeight = 0;
    int FTextWidth = 0;
};

// The empty rectangle of the fader's geometry: callers treat it as absent.
inline constexpr TRect kNoRect{-1, -1, -1, -1};

class TCustomTrackBar : public TCustomControl {
public:
    explicit TCustomTrackBar(TComponent* owner);
    ~TCustomTrackBar() override;

    // ---- value model
    int Position() const { return FPosition; }
    // Clamps into Min..Max (to Min when Min > Max), repaints the thumb areas and raises
    // OnChange whenever the requested value differs from the stored one.
    virtual void SetPosition(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value) { FPageSize = value; }
    TTrackBarOrientation Orientation() const { return FOrientation; }
    // Swaps width and height (unless loading) and makes the window again.
    void SetOrientation(TTrackBarOrientation value);
    TMoveOnClick MoveOnClick() const { return FMoveOnClick; }
    void SetMoveOnClick(TMoveOnClick value) { FMoveOnClick = value; }
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool value) { FShowFocus = value; }
    bool TrackHint() const { return FTrackHint; }
    void SetTrackHint(bool value) { FTrackHint = value; }

    // ---- look
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { StoreAndInvalidate(FTransparent, v); }
    advtrackbar::TGradientDirection Direction() const { return FDirection; }
    void SetDirection(advtrackbar::TGradientDirection v) { StoreAndInvalidate(FDirection, v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { StoreAndInvalidate(FBorderColor, v); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { StoreAndInvalidate(FColorTo, v); }
    bool BackGroundStretched() const { return FBackGroundStretched; }
    void SetBackGroundStretched(bool v) { StoreAndInvalidate(FBackGroundStretched, v); }
    TColor BorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(TColor v) { FBorderColorDisabled = v; }
    TColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor v) { FColorDisabled = v; }
    TColor ColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor v) { FColorDisabledTo = v; }
    TGDIPPicture* BackGround() const { return FIBackGround.get(); }
    void SetBackGround(TGDIPPicture* v) { FIBackGround->Assign(v); }
    TGDIPPicture* BackGroundDisabled() const { return FIBackGroundDisabled.get(); }
    void SetBackGroundDisabled(TGDIPPicture* v) { FIBackGroundDisabled->Assign(v); }
    TGDIPPicture* RateActive() const { return FIRateActive.get(); }
    void SetRateActive(TGDIPPicture* v) { FIRateActive->Assign(v); }
    TGDIPPicture* RateInActive() const { return FIRateInActive.get(); }
    void SetRateInActive(TGDIPPicture* v) { FIRateInActive->Assign(v); }
    TCustomImageList* TickImages() const { return FImages; }
    void SetTickImages(TCustomImageList* value);

    TTrackBarThumb* Thumb() const { return FThumb.get(); }
    void SetThumb(TTrackBarThumb* v) { FThumb->Assign(v); }
    TTrackBarSlider* Slider() const { return FSlider.get(); }
    void SetSlider(TTrackBarSlider* v) { FSlider->Assign(v); }
    TTrackBarTick* TickMark() const { return FTickMark.get(); }
    void SetTickMark(TTrackBarTick* v) { FTickMark->Assign(v); }
    TTrackBarButtons* Buttons() const { return FButtons.get(); }
    void SetButtons(TTrackBarButtons* v) { FButtons->Assign(v); }
    TTrackBarLabel* TrackLabel() const { return FTrackLabel.get(); }
    void SetTrackLabel(TTrackBarLabel* v) { FTrackLabel->Assign(v); }

    // Four dot-separated numbers; writing does nothing.
    std::string Version() const;
    void SetVersion(const std::string&) {}

    // Applies one of the colour presets (the pictures are cleared for every style).
    void SetComponentStyle(TTMSStyle style);

    // ---- geometry (client coordinates; kNoRect when absent)
    TRect ContentRect() const;
    TRect InnerRect() const;
    TRect SliderRect() const;
    TRect MinButtonRect() const;
    TRect MaxButtonRect() const;
    TRect ThumbRect() const {
        TRect r;
        GetThumbRect(false, r);
        return r;
    }
    TRect TickRectTopLeft() const {
        TRect r;
        GetTickRectTopLeft(r);
        return r;
    }
    TRect TickRectBottomRight() const {
        TRect r;
        GetTickRectBottomRight(r);
        return r;
    }
    // The value label's rectangle, rotated (as drawn on a vertical fader without a text
    // handler) or not.
    TRect TrackLabelRect(bool rotated) const;
    // Usable length of the track (along it, less the thumb).
    int UsableLength() const;
    // Distance from the thumb's low edge to the point that marks the value.
    int PointerOffset() const;
    bool RatingMode() const;
    // The rating cell of value v (Min + 1 .. Max), kNoRect when it has none.
    TRect RateCellRect(int value) const;
    // The value whose rating cell holds the point, or -1.
    int RateCellAt(TPoint p) const;
    // The tick text height plus twice the text offset.
    int TextHeight() const { return FTextHeight; }

    // ---- state the tests and the owner read
    bool Sliding() const { return FSliding; }
    bool ThumbHot() const { return FThumbHot; }
    bool ThumbDown() const { return FThumbDown; }
    bool SliderButtonDown() const { return FSliderButtonDown; }
    bool RepeatTimerRunning() const;
    TTrackHintWindow* TrackHintWindow() const { return FTrackHintWnd; }
    bool TrackHintShowing() const { return FTrackHintShow; }

    TNotifyEvent OnChange;
    TDrawTickEvent OnDrawTick;
    TGetTrackHintEvent OnGetTrackHint;
    TGetTrackLabelEvent OnGetTrackLabelText;
    TGetTickMarkTextEvent OnGetTickMarkText;

protected:
    virtual void RepeatTimerTick();
    virtual bool CanClickSlider() { return true; }
    virtual void GetTrackLabelText(std::string& text) const;
    virtual bool CanDragThumb() { return true; }
    virtual bool IsValidPosition(int value) const { return FMin <= value && value <= FMax; }
    virtual int GetMinPosition() const { return FMin; }
    virtual int GetMaxPosition() const { return FMax; }
    virtual void GetTickRectTopLeft(TRect& r) const;
    virtual void GetTickRectBottomRight(TRect& r) const;
    virtual void GetThumbRect(bool hitTest, TRect& r) const;
    virtual bool IsTrackLabelTextCustom() const { return static_cast<bool>(OnGetTrackLabelText); }
    virtual void DoMinButtonStep();
    virtual void DoMaxButtonStep();
    virtual void DoPageStep();
    virtual int GetThumbLength() const;
    virtual bool CanChangeThumbPointer(TTrackBarThumb* thumb, TThumbPointer& value);
    virtual void DrawSlider();
    virtual void DrawThumb();
    virtual void InvalidateTrackLabel();

    virtual void Change();
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void DoEnter() override;
    void DoExit() override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    friend class TTrackBarThumb;
    friend class TTrackBarButtons;
    friend class TTrackBarSlider;

    template <typename T>
    void StoreAndInvalidate(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    bool Vertical() const { return FOrientation == trVertical; }
    bool TicksTopLeft() const;
    bool TicksBottomRight() const;
    bool SliderShown() const;
    // The value of a point along the track (jump and drag), rounded halves to even and
    // clamped; Min when the track has no usable length.
    int ValueAtOffset(double d) const;
    void StartRepeatTimer();
    void StopRepeatTimer();
    // A drag or a held track ends without a release (the capture went elsewhere).
    void CaptureLost();
    void HideTrackHint();
    void ShowTrackHint(int value);
    void MeasureTickText();
    void PartChanged();
    void InvalidateThumb();
    void InvalidateButton(bool minButton);
    // The page step's direction for the present thumb: +1 (towards Max), -1, or 0 (the thumb
    // is at the press point).
    int PageStepDirection() const;
    void PaintBackground();
    void PaintTrackLabel();
    void PaintTicks();
    void PaintButtons();
    void PaintButton(bool minButton);
    void PaintRatingCells();
    void PaintFocus();

    std::unique_ptr<TTrackBarThumb> FThumb;
    std::unique_ptr<TTrackBarSlider> FSlider;
    std::unique_ptr<TTrackBarTick> FTickMark;
    int FMax = 10;
    int FMin = 0;
    TTrackBarOrientation FOrientation = trHorizontal;
    int FPageSize = 1;
    int FPosition = 0;
    bool FSliding = false;
    TColor FColorDisabled = clNone;
    TColor FColorTo = clNone;
    TColor FBorderColorDisabled = clNone;
    TColor FBorderColor = clNone;
    TColor FColorDisabledTo = clNone;
    std::unique_ptr<TGDIPPicture> FIBackGround;
    advtrackbar::TGradientDirection FDirection = gdHorizontal;
    bool FTransparent = true;
    int FOffset = 2;
    int FTickTextOffset = 2;
    bool FThumbHot = false;
    bool FThumbDown = false;
    int FThumbCenterOffsetX = 0;
    int FThumbCenterOffsetY = 0;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TGDIPPicture> FIRateInActive;
    std::unique_ptr<TGDIPPicture> FIRateActive;
    std::unique_ptr<TGDIPPicture> FIBackGroundDisabled;
    std::unique_ptr<TTrackBarButtons> FButtons;
    int FBorderWidth = 1;
    bool FMinButtonHot = false;
    bool FMinButtonDown = false;
    bool FMaxButtonHot = false;
    bool FMaxButtonDown = false;
    bool FSliderButtonDown = false;
    TPoint FSliderDownPt;
    int FTextHeight = 0;
    TTimer* FRepeatTimer = nullptr;  // owned as a component
    bool FTrackHint = false;
    bool FBackGroundStretched = false;
    int FHintTickIndex = -1;
    TTrackHintWindow* FTrackHintWnd = nullptr;  // owned as a component
    bool FTrackHintShow = false;
    bool FShowFocus = false;
    TMoveOnClick FMoveOnClick = mcStep;
    std::unique_ptr<TTrackBarLabel> FTrackLabel;
    // The direction of a held track press, fixed by its first step (0 before it).
    int pageDirection_ = 0;
    // A left-button release is being handled (its capture change is no loss).
    bool releasing_ = false;
};

class TAdvTrackBar : public TCustomTrackBar {
    DSP_PUBLISHED(TAdvTrackBar, TCustomTrackBar) {
        using P = Published<TAdvTrackBar>;
        using B = TAdvTrackBar;
        return {
            P::Property("Min", &B::Min, &B::SetMin).Default(0),
            P::Property("Max", &B::Max, &B::SetMax).Default(10),
            P::Property("Orientation", &B::Orientation, &B::SetOrientation).Default(trHorizontal),
            P::Property("PageSize", &B::PageSize, &B::SetPageSize).Default(1),
            P::Property("Position", &B::Position, &B::SetPosition).Default(0),
            P::Property("MoveOnClick", &B::MoveOnClick, &B::SetMoveOnClick).Default(mcStep),
            P::Property("ShowFocus", &B::ShowFocus, &B::SetShowFocus).Default(false),
            P::Property("TrackHint", &B::TrackHint, &B::SetTrackHint),
            P::Property("Transparent", &B::Transparent, &B::SetTransparent).Default(true),
            P::Property("BorderColor", &B::BorderColor, &B::SetBorderColor).Default(clNone),
            P::Property("BorderColorDisabled", &B::BorderColorDisabled, &B::SetBorderColorDisabled)
                .Default(clNone),
            P::Property("ColorTo", &B::ColorTo, &B::SetColorTo).Default(clNone),
            P::Property("ColorDisabled", &B::ColorDisabled, &B::SetColorDisabled).Default(clNone),
            P::Property("ColorDisabledTo", &B::ColorDisabledTo, &B::SetColorDisabledTo)
                .Default(clNone),
            P::Property("BackGroundStretched", &B::BackGroundStretched, &B::SetBackGroundStretched)
                .Default(false),
            P::Property("Version", &B::Version, &B::SetVersion).Stored(false),
        };
    }

public:
    explicit TAdvTrackBar(TComponent* owner);
    ~TAdvTrackBar() override;
};

// ---- the drawing kit

// Banded linear gradient: n bands (0 taken as 1) along x (horizontal) or y, the far edge one
// pixel in, band k from start + Round(k d) to that + Round(d) + 1.
void DrawGradientBands(TCanvas* canvas, TColor from, TColor to, bool horizontal, const TRect& r,
                       int bands);
void DrawDirectionalGradient(TCanvas* canvas, TColor from, TColor to,
                             advtrackbar::TGradientDirection direction, const TRect& r, int bands);
// Measures text in the font, leaving the canvas font as it was.
void MeasureText(TCanvas* canvas, TFont* font, const std::string& text, int& width, int& height);
namespace advtrackbar {
// Per channel: percent of colour 1 and the rest of colour 2, halves to even.
TColor MixColors(TColor color1, TColor color2, int percent);
}  // namespace advtrackbar
// The two-colour frame; the flag picks which colour comes first.
void DrawFrame3D(TCanvas* canvas, const TRect& r, bool flag, TColor color1, TColor color2);
ARGB MakeGDIPColor(TColor color);
// A closed rounded-rectangle path over (x, y, width, height) (the caller frees it).
TGPGraphicsPath* CreateRoundRectPath(int x, int y, int width, int height, int radius);
void DrawRoundRectPath(TGPGraphics* graphics, int x, int y, int width, int height, int radius,
                       TColor color);
// The outline of the pointer thumb in r: the body with a point on each side that faces tick
// marks (the points are half the thumb's extent along the track deep).
std::vector<TPoint> PointerOutline(const TRect& r, TTickMark ticks,
                                   TTrackBarOrientation orientation);
// The same outline as a closed path (the caller frees it).
TGPGraphicsPath* CreatePointerPath(const TRect& r, TTickMark ticks,
                                   TTrackBarOrientation orientation);
void FillMirrorHalf(TGPGraphics* graphics, const TRect& r, TColor colorA, bool upper,
                    TGDIPGradient gradient, TColor colorB);
void DrawMirrorBorder(TGPGraphics* graphics, const TRect& r, int shape, bool vertical,
                      TColor borderColor, TColor highlightColor);
void DrawMirrorFill(TGPGraphics* graphics, TCanvas* canvas, const TRect& r, bool vertical,
                    TGDIPGradient gradientMirror, TGDIPGradient gradient, TColor mirrorColorTo,
                    TColor mirrorColor, TColor colorTo, TColor color, TColor borderColor,
                    TColor highlightColor, int shape);
// A dotted outline: every other pixel set, clockwise from the top-left corner.
void DrawDottedFocus(TCanvas* canvas, const TRect& r, TColor color);

// The thumb of the given shape in the given colours (the drawing the thumb shapes share).
struct TThumbColours {
    TColor color = clNone;
    TColor colorTo = clNone;
    TColor mirror = clNone;
    TColor mirrorTo = clNone;
    TColor border = clNone;
};
void DrawThumbShape(TCanvas* canvas, const TRect& r, TThumbShape shape, const TThumbColours& c,
                    TTrackBarOrientation orientation, TTickMark ticks, TGDIPGradient gradient,
                    TGDIPGradient gradientMirror, int steps, int thumbSize);

}  // namespace dsp
