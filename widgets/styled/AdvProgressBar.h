#pragma once
// TAdvProgressBar: a bar showing Position between Min and Max whose colours follow how far it
// has come (level 0 below Level1Perc percent, level 1 below Level2Perc, level 2 below 100,
// level 3 when full), drawn as 7-pixel blocks, one smooth piece or three stacked zones, with a
// two-sided gradient across its thickness, optional rounded corners through which the parent
// shows, a border, zone backgrounds, a centred text, and an infinite mode in which a window of
// the bar sweeps back and forth. PaintGaugeBar draws such a bar on any canvas.

#include <memory>
#include <string>

#include "framework/controls/GraphicControl.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Font.h"

namespace dsp {

class TTimer;

enum TGaugeOrientation { goHorizontal, goVertical };
DSP_ENUM_NAMES(TGaugeOrientation, "goHorizontal", "goVertical")

struct TGaugeSettings {
    TColor Level0Color = 0;
    TColor Level0ColorTo = 0;
    TColor Level1Color = 0;
    TColor Level1ColorTo = 0;
    TColor Level2Color = 0;
    TColor Level2ColorTo = 0;
    TColor Level3Color = 0;
    TColor Level3ColorTo = 0;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = clGray;
    TColor Level0BkColor = clNone;
    TColor Level1BkColor = clNone;
    TColor Level2BkColor = clNone;
    bool ShowBorder = true;
    bool Stacked = false;
    bool ShowPercentage = true;
    bool ShowPosition = true;
    TFont* Font = nullptr;  // not owned
    bool CompletionSmooth = false;
    bool ShowGradient = true;
    int Steps = 8;
    int Position = 0;  // the percentage to draw, 0 to 100
    int Value = 0;     // the control's position
    int Max = 100;
    TColor BackgroundColor = clWhite;
    TGaugeOrientation Orientation = goHorizontal;
    bool Rounded = true;
    TColor ParentColor = clNone;
    std::string Format;
    bool Infinite = false;
    int InfinitePos = 0;
};

// Draws the whole bar into r of the canvas.
void PaintGaugeBar(TCanvas* canvas, const TRect& r, TGaugeSettings settings);

// The text of the bar: the percentage and "%", the position, or the user's format applied to
// the position and Max. A format that does not fit those two integers (or asks for widths of
// more than three digits) gives the percentage text instead.
std::string GaugeText(const TGaugeSettings& settings);

class TAdvProgressBar : public TGraphicControl {
public:
    explicit TAdvProgressBar(TComponent* owner);
    ~TAdvProgressBar() override;

    int Position() const { return FPosition; }
    // Clamps silently (a clamped value paints nothing); otherwise paints at once when the
    // percentage or the block of (Max - Min) / 100 values changed.
    virtual void SetPosition(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    // 0 when Max = Min, otherwise the position's share rounded half to even.
    int Percentage() const;

    bool Animated() const { return FAnimated; }
    void SetAnimated(bool value);
    bool Infinite() const { return FInfinite; }
    void SetInfinite(bool value);
    int InfiniteInterval() const { return FInfiniteInterval; }
    void SetInfiniteInterval(int value);
    int InfinitePos() const { return FInfinitePos; }
    TFont* Font() const { return FFontPercentage.get(); }
    void SetFont(TFont* value);

    TColor Level0Color() const { return FLevel0Color; }
    void SetLevel0Color(TColor v) { Store(FLevel0Color, v); }
    TColor Level0ColorTo() const { return FLevel0ColorTo; }
    void SetLevel0ColorTo(TColor v) { Store(FLevel0ColorTo, v); }
    TColor Level1Color() const { return FLevel1Color; }
    void SetLevel1Color(TColor v) { Store(FLevel1Color, v); }
    TColor Level1ColorTo() const { return FLevel1ColorTo; }
    void SetLevel1ColorTo(TColor v) { Store(FLevel1ColorTo, v); }
    TColor Level2Color() const { return FLevel2Color; }
    void SetLevel2Color(TColor v) { Store(FLevel2Color, v); }
    TColor Level2ColorTo() const { return FLevel2ColorTo; }
    void SetLevel2ColorTo(TColor v) { Store(FLevel2ColorTo, v); }
    TColor Level3Color() const { return FLevel3Color; }
    void SetLevel3Color(TColor v) { Store(FLevel3Color, v); }
    TColor Level3ColorTo() const { return FLevel3ColorTo; }
    void SetLevel3ColorTo(TColor v) { Store(FLevel3ColorTo, v); }
    int Level1Perc() const { return FLevel1Perc; }
    void SetLevel1Perc(int v) { Store(FLevel1Perc, v); }
    int Level2Perc() const { return FLevel2Perc; }
    void SetLevel2Perc(int v) { Store(FLevel2Perc, v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { Store(FBorderColor, v); }
    bool ShowBorder() const { return FShowBorder; }
    void SetShowBorder(bool v) { Store(FShowBorder, v); }
    bool Stacked() const { return FStacked; }
    void SetStacked(bool v) { Store(FStacked, v); }
    bool ShowPercentage() const { return FShowPercentage; }
    void SetShowPercentage(bool v) { Store(FShowPercentage, v); }
    bool CompletionSmooth() const { return FCompletionSmooth; }
    void SetCompletionSmooth(bool v) { Store(FCompletionSmooth, v); }
    bool ShowGradient() const { return FShowGradient; }
    void SetShowGradient(bool v) { Store(FShowGradient, v); }
    int Steps() const { return FSteps; }
    void SetSteps(int v) { Store(FSteps, v); }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor v) { Store(FBackgroundColor, v); }
    TGaugeOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TGaugeOrientation v) { Store(FOrientation, v); }
    bool ShowPosition() const { return FShowPosition; }
    void SetShowPosition(bool v) { Store(FShowPosition, v); }
    bool Rounded() const { return FRounded; }
    void SetRounded(bool v) { Store(FRounded, v); }
    const std::string& Format() const { return FFormat; }
    void SetFormat(const std::string& v) { Store(FFormat, v); }
    TColor Level0BkColor() const { return FLevel0BkColor; }
    void SetLevel0BkColor(TColor v) { StoreChanged(FLevel0BkColor, v); }
    TColor Level1BkColor() const { return FLevel1BkColor; }
    void SetLevel1BkColor(TColor v) { StoreChanged(FLevel1BkColor, v); }
    TColor Level2BkColor() const { return FLevel2BkColor; }
    void SetLevel2BkColor(TColor v) { StoreChanged(FLevel2BkColor, v); }
    std::string Version() const;
    void SetVersion(const std::string&) {}

    // Advances the sweep of the infinite mode and paints; the timer calls it.
    void InfiniteTimerTick();

    DSP_PUBLISHED(TAdvProgressBar, TGraphicControl) {
        using P = Published<TAdvProgressBar>;
        using B = TAdvProgressBar;
        return {
            P::Property("Level0Color", &B::Level0Color, &B::SetLevel0Color).Default(0x00FF00),
            P::Property("Level0ColorTo", &B::Level0ColorTo, &B::SetLevel0ColorTo).Default(0xE1FFE1),
            P::Property("Level1Color", &B::Level1Color, &B::SetLevel1Color).Default(0x00FFFF),
            P::Property("Level1ColorTo", &B::Level1ColorTo, &B::SetLevel1ColorTo).Default(0xCAFFFF),
            P::Property("Level2Color", &B::Level2Color, &B::SetLevel2Color).Default(0x53A9FF),
            P::Property("Level2ColorTo", &B::Level2ColorTo, &B::SetLevel2ColorTo).Default(0xA8D3FF),
            P::Property("Level3Color", &B::Level3Color, &B::SetLevel3Color).Default(0x0000FF),
            P::Property("Level3ColorTo", &B::Level3ColorTo, &B::SetLevel3ColorTo).Default(0xCACAFF),
            P::Property("Level1Perc", &B::Level1Perc, &B::SetLevel1Perc).Default(70),
            P::Property("Level2Perc", &B::Level2Perc, &B::SetLevel2Perc).Default(90),
            P::Property("BorderColor", &B::BorderColor, &B::SetBorderColor).Default(clGray),
            P::Property("ShowBorder", &B::ShowBorder, &B::SetShowBorder).Default(true),
            P::Property("Stacked", &B::Stacked, &B::SetStacked).Default(false),
            P::Property("ShowPercentage", &B::ShowPercentage, &B::SetShowPercentage).Default(true),
            P::Property("Font", &B::Font, &B::SetFont),
            P::Property("CompletionSmooth", &B::CompletionSmooth, &B::SetCompletionSmooth)
                .Default(false),
            P::Property("ShowGradient", &B::ShowGradient, &B::SetShowGradient).Default(true),
            P::Property("Steps", &B::Steps, &B::SetSteps).Default(8),
            P::Property("Position", &B::Position, &B::SetPosition).Default(50),
            P::Property("BackgroundColor", &B::BackgroundColor, &B::SetBackgroundColor)
                .Default(clWhite),
            P::Property("Orientation", &B::Orientation, &B::SetOrientation).Default(goHorizontal),
            P::Property("ShowPosition", &B::ShowPosition, &B::SetShowPosition).Default(true),
            P::Property("Min", &B::Min, &B::SetMin).Default(0),
            P::Property("Max", &B::Max, &B::SetMax).Default(100),
            P::Property("Rounded", &B::Rounded, &B::SetRounded).Default(true),
            P::Property("Format", &B::Format, &B::SetFormat),
            P::Property("Animated", &B::Animated, &B::SetAnimated).Default(false),
            P::Property("Infinite", &B::Infinite, &B::SetInfinite).Default(false),
            P::Property("InfiniteInterval", &B::InfiniteInterval, &B::SetInfiniteInterval)
                .Default(50),
            P::Property("Level0BkColor", &B::Level0BkColor, &B::SetLevel0BkColor).Default(clNone),
            P::Property("Level1BkColor", &B::Level1BkColor, &B::SetLevel1BkColor).Default(clNone),
            P::Property("Level2BkColor", &B::Level2BkColor, &B::SetLevel2BkColor).Default(clNone),
            P::Property("Version", &B::Version, &B::SetVersion).Stored(false),
        };
    }

protected:
    void Paint() override;

private:
    template <typename T>
    void Store(T& field, const T& value) {
        field = value;
        Invalidate();
    }
    template <typename T>
    void StoreChanged(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    void UpdateTimer();

    TColor FLevel0Color = 0x00FF00;
    TColor FLevel0ColorTo = 0xE1FFE1;
    TColor FLevel1Color = 0x00FFFF;
    TColor FLevel1ColorTo = 0xCAFFFF;
    TColor FLevel2Color = 0x53A9FF;
    TColor FLevel2ColorTo = 0xA8D3FF;
    TColor FLevel3Color = 0x0000FF;
    TColor FLevel3ColorTo = 0xCACAFF;
    int FLevel1Perc = 70;
    int FLevel2Perc = 90;
    TColor FBorderColor = clGray;
    bool FShowBorder = true;
    bool FStacked = false;
    bool FShowPercentage = true;
    std::unique_ptr<TFont> FFontPercentage;
    bool FCompletionSmooth = false;
    bool FShowGradient = true;
    int FSteps = 8;
    int FPosition = 50;
    TColor FBackgroundColor = clWhite;
    TGaugeOrientation FOrientation = goHorizontal;
    bool FShowPosition = true;
    int FMin = 0;
    int FMax = 100;
    int FMaxIncrement = 1;
    bool FRounded = true;
    std::string FFormat;
    bool FAnimated = false;
    bool FInfinite = false;
    int FInfinitePos = 0;
    bool FInfiniteInc = false;
    int FInfiniteInterval = 50;
    int FOldBlockPos = 0;
    int FOldPos = 0;
    TTimer* FTimer = nullptr;  // owned as a component
    TColor FLevel0BkColor = clNone;
    TColor FLevel1BkColor = clNone;
    TColor FLevel2BkColor = clNone;
};

}  // namespace dsp
