#pragma once
// TRzLabel: the framework's label with frames drawn like a panel's, raised, recessed and shadowed
// text, text turned to any angle or laid along an arc, blinking in a second colour driven by one
// timer shared by all labels, a hover colour and shortened captions.
//
// The EQ band tables make hundreds of these with only Transparent and a centred Alignment set:
// flat frameless text in the font colour. Blinking labels all blink in step: BlinkColor for
// BlinkIntervalOn ms, the normal colour for BlinkIntervalOff ms. The shared timer runs only while
// a label blinks, so labels that never blink cost nothing between paints.

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Label.h"
#include "framework/runtime/Timer.h"
#include "widgets/panels/RzCommon.h"
#include "widgets/panels/RzFrameController.h"

namespace dsp {

enum TRzCondenseCaption { ccNone, ccAtEnd, ccWithinPath };
DSP_ENUM_NAMES(TRzCondenseCaption, "ccNone", "ccAtEnd", "ccWithinPath")

enum TCenterPoint {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight
};
DSP_ENUM_NAMES(TCenterPoint, "cpUpperLeft", "cpUpperCenter", "cpUpperRight", "cpLeftCenter",
               "cpCenter", "cpRightCenter", "cpLowerLeft", "cpLowerCenter", "cpLowerRight")

enum TRotation { roNone, roFlat, roCurve };
DSP_ENUM_NAMES(TRotation, "roNone", "roFlat", "roCurve")

// The one blink timer of all labels, with the controls it tells. It exists while a label exists.
class TRzBlinkingControlsList {
public:
    TRzBlinkingControlsList();
    ~TRzBlinkingControlsList();
    TRzBlinkingControlsList(const TRzBlinkingControlsList&) = delete;
    TRzBlinkingControlsList& operator=(const TRzBlinkingControlsList&) = delete;

    void Add(TControl* control);
    void Remove(TControl* control);
    int Count() const { return static_cast<int>(controls_.size()); }

    unsigned IntervalOff() const { return intervalOff_; }
    void SetIntervalOff(unsigned value) { intervalOff_ = value; }
    unsigned IntervalOn() const { return intervalOn_; }
    void SetIntervalOn(unsigned value) { intervalOn_ = value; }
    TBlinkState BlinkState() const { return blinkState_; }

    // A control started or stopped blinking: the timer runs while any control blinks, starting
    // afresh (state off, the off interval) when the first one starts.
    void BlinkingChanged();
    bool TimerRunning() const { return timer_->Enabled(); }

    // The list in force, or null while no label exists.
    static TRzBlinkingControlsList* Current();

private:
    void TimerFired();
    bool AnyBlinks() const;

    TBlinkState blinkState_ = bsOff;
    std::vector<TControl*> controls_;
    std::unique_ptr<TTimer> timer_;
    unsigned intervalOff_ = 500;
    unsigned intervalOn_ = 500;
};

class TRzLabel : public TLabel, public IFramingNotification {
    DSP_PUBLISHED(TRzLabel, TLabel) {
        using P = Published<TRzLabel>;
        using C = TRzLabel;
        return {
            P::Property("Angle", &C::Angle, &C::SetAngle).Default(0),
            P::Property("Blinking", &C::Blinking, &C::SetBlinking).Default(false),
            P::Property("BlinkColor", &C::BlinkColor, &C::SetBlinkColor).Default(clHighlight),
            P::Property("BlinkIntervalOff", &C::BlinkIntervalOff, &C::SetBlinkIntervalOff)
                .Default(500),
            P::Property("BlinkIntervalOn", &C::BlinkIntervalOn, &C::SetBlinkIntervalOn)
                .Default(500),
            P::Property("BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(1),
            P::Property("BorderInner", &C::BorderInner, &C::SetBorderInner).Default(fsNone),
            P::Property("BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsNone),
            P::Property("BorderSides", &C::BorderSides, &C::SetBorderSides).Default(kAllSides),
            P::Property("BorderColor", &C::BorderColor, &C::SetBorderColor).Default(clBtnFace),
            P::Property("BorderHighlight", &C::BorderHighlight, &C::SetBorderHighlight)
                .Default(clBtnHighlight),
            P::Property("BorderShadow", &C::BorderShadow, &C::SetBorderShadow).Default(clBtnShadow),
            P::Property("BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0),
            P::Property("CenterPoint", &C::CenterPoint, &C::SetCenterPoint).Default(cpCenter),
            P::Property("CondenseCaption", &C::CondenseCaption, &C::SetCondenseCaption)
                .Default(ccNone),
            P::Property("FlatColor", &C::FlatColor, &C::SetFlatColor).Default(clBtnShadow),
            P::Property("FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment)
                .Default(30),
            P::Property("FlyByColor", &C::FlyByColor, &C::SetFlyByColor).Default(clHighlight),
            P::Property("FlyByEnabled", &C::FlyByEnabled, &C::SetFlyByEnabled).Default(false),
            P::Property("FrameController", &C::FrameController, &C::SetFrameController),
            P::Property("FrameControllerNotifications", &C::FrameControllerNotifications,
                        &C::SetFrameControllerNotifications)
                .Default(kAllFrameNotifications),
            P::Property("HighlightColor", &C::HighlightColor, &C::SetHighlightColor)
                .Default(clBtnHighlight),
            P::Property("LightTextStyle", &C::LightTextStyle, &C::SetLightTextStyle).Default(false),
            P::Property("Rotation", &C::Rotation, &C::SetRotation).Default(roNone),
            P::Property("ShadowColor", &C::ShadowColor, &C::SetShadowColor).Default(clBtnShadow),
            P::Property("ShadowDepth", &C::ShadowDepth, &C::SetShadowDepth).Default(2),
            P::Property("TextMargin", &C::TextMargin, &C::SetTextMargin).Default(0),
            P::Property("TextStyle", &C::TextStyle, &C::SetTextStyle).Default(tsNormal),
        };
    }

public:
    explicit TRzLabel(TComponent* owner);
    ~TRzLabel() override;

    // Degrees, kept in 0..359 (negative angles count back from 360).
    int Angle() const { return angle_; }
    void SetAngle(int value);
    bool Blinking() const { return blinking_; }
    void SetBlinking(bool value);
    TColor BlinkColor() const { return blinkColor_; }
    void SetBlinkColor(TColor value);
    // Shared by all labels: the last value written holds for every one.
    unsigned BlinkIntervalOff() const;
    void SetBlinkIntervalOff(unsigned value);
    unsigned BlinkIntervalOn() const;
    void SetBlinkIntervalOn(unsigned value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    TFrameStyleEx BorderInner() const { return borderInner_; }
    void SetBorderInner(TFrameStyleEx value);
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    void SetBorderOuter(TFrameStyleEx value);
    TSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TSides value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    TColor BorderHighlight() const { return borderHighlight_; }
    void SetBorderHighlight(TColor value);
    TColor BorderShadow() const { return borderShadow_; }
    void SetBorderShadow(TColor value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TCenterPoint CenterPoint() const { return centerPoint_; }
    void SetCenterPoint(TCenterPoint value);
    TRzCondenseCaption CondenseCaption() const { return condenseCaption_; }
    void SetCondenseCaption(TRzCondenseCaption value);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int value);
    TColor FlyByColor() const { return flyByColor_; }
    void SetFlyByColor(TColor value);
    bool FlyByEnabled() const { return flyByEnabled_; }
    void SetFlyByEnabled(bool value);
    TRzFrameController* FrameController() const { return frameController_.Get(); }
    void SetFrameController(TRzFrameController* value) { frameController_.Set(value); }
    TRzFrameControllerNotifications FrameControllerNotifications() const {
        return frameNotifications_;
    }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications value) {
        frameNotifications_ = value;
    }
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor value);
    bool LightTextStyle() const { return lightTextStyle_; }
    void SetLightTextStyle(bool value);
    TRotation Rotation() const { return rotation_; }
    void SetRotation(TRotation value);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value);
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int value);
    int TextMargin() const { return textMargin_; }
    void SetTextMargin(int value);
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle value);

    // The colour the text is drawn in now (the blink colour during a blink).
    TColor CurrentColor() const { return currentColor_; }

    void FramingChanged() override { ApplyFramingSettings(); }

protected:
    virtual void ApplyFramingSettings();
    virtual void BlinkStateChanged(TBlinkState state);
    // The inverse of DeflateByBorders used by auto-size: frames widen to the right and down.
    virtual TRect GrowRectForFrames(TRect r) const;
    virtual TRect DeflateByBorders(TRect r, bool withBorderWidth) const;

    void AdjustBounds() override;
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void DefineProperties(TFiler* filer) override;

private:
    TPoint TextCenterPoint() const;
    TPoint CurveRadius() const;
    unsigned TextFormat() const;
    unsigned CondenseFlag() const;
    TRect LayoutOffset(TRect r, unsigned format);
    void DrawLabelText();
    void DrawCurvedText();
    void EnsureTrueTypeFont();

    int angle_ = 0;
    bool blinking_ = false;
    TColor blinkColor_ = clHighlight;
    int bevelWidth_ = 1;
    TFrameStyleEx borderInner_ = fsNone;
    TFrameStyleEx borderOuter_ = fsNone;
    TSides borderSides_ = kAllSides;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    int borderWidth_ = 0;
    TCenterPoint centerPoint_ = cpCenter;
    TRzCondenseCaption condenseCaption_ = ccNone;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TColor flyByColor_ = clHighlight;
    bool flyByEnabled_ = false;
    TFrameControllerLink frameController_{*this};
    TRzFrameControllerNotifications frameNotifications_ = kAllFrameNotifications;
    TColor highlightColor_ = clBtnHighlight;
    bool lightTextStyle_ = false;
    TRotation rotation_ = roNone;
    TColor shadowColor_ = clBtnShadow;
    int shadowDepth_ = 2;
    int textMargin_ = 0;
    TTextStyle textStyle_ = tsNormal;

    TBlinkState blinkState_ = bsOff;
    TColor fontColor_ = clWindowText;
    TColor currentColor_ = clWindowText;
    TColor origColor_ = clWindowText;
    bool initColor_ = false;
};

}  // namespace dsp
