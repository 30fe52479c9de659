#pragma once
// LProgressBar: a vertical segmented LED meter. A black panel holds a column of rectangle
// segments in three colour zones (first at the top, third at the bottom); SetPosition lights the
// bottom segments up to the value, each in the lit colour of the zone whose unlit colour it
// shows.
//
// The segments are TShape children named "shape1" (top) to "shapeN" (bottom), so they can be
// found by name; their fill colour is the only lit state there is. Position is the last value
// accepted: colour and count changes darken segments without touching it, and a SetPosition with
// the value already held does nothing.
//
// Ranges the arithmetic cannot serve are held off: a meter without segments shows nothing, and
// where Max is not above Min or not above 0 every segment lights when the value reaches Max and
// none otherwise.

#include <array>
#include <vector>

#include "framework/controls/Panel.h"

namespace dsp {

class TShape;

class LProgressBar : public TPanel {
    DSP_PUBLISHED(LProgressBar, TPanel) {
        using P = Published<LProgressBar>;
        using C = LProgressBar;
        return {
            P::Property("FirstColor", &C::FirstColor, &C::SetFirstColor).Default(clMaroon),
            P::Property("SecondColor", &C::SecondColor, &C::SetSecondColor).Default(clOlive),
            P::Property("ThirdColor", &C::ThirdColor, &C::SetThirdColor).Default(clGreen),
            P::Property("FirstNum", &C::FirstNum, &C::SetFirstNum).Default(1),
            P::Property("SecondNum", &C::SecondNum, &C::SetSecondNum).Default(1),
            P::Property("ThirdNum", &C::ThirdNum, &C::SetThirdNum).Default(3),
            P::Property("Position", &C::GetPosition, &C::SetPosition).Default(0),
            // Stored whenever it is not 0, although a new meter starts at 100.
            P::Property("Max", &C::Max, &C::SetMax).Default(0),
            P::Property("Min", &C::Min, &C::SetMin).Default(0),
            P::Property("LFirstColor", &C::LFirstColor, &C::SetLFirstColor).Default(clRed),
            P::Property("LSecondColor", &C::LSecondColor, &C::SetLSecondColor).Default(clYellow),
            P::Property("LThirdColor", &C::LThirdColor, &C::SetLThirdColor).Default(clLime),
        };
    }

public:
    explicit LProgressBar(TComponent* owner);
    ~LProgressBar() override;

    // Shows v clamped to Min..Max; nothing happens when v equals the position held.
    void SetPosition(int v);
    int GetPosition() const { return position_; }

    // Stored only; the segments change at the next SetPosition with a new value.
    int Max() const { return max_; }
    void SetMax(int value) { max_ = value; }
    int Min() const { return min_; }
    void SetMin(int value) { min_ = value; }

    // Unlit colours: a new one fills every segment of its zone, lit ones included.
    TColor FirstColor() const { return colours_[0]; }
    void SetFirstColor(TColor value) { SetZoneColor(0, value); }
    TColor SecondColor() const { return colours_[1]; }
    void SetSecondColor(TColor value) { SetZoneColor(1, value); }
    TColor ThirdColor() const { return colours_[2]; }
    void SetThirdColor(TColor value) { SetZoneColor(2, value); }
    // Lit colours: a new one replaces the old one on the zone's segments that show it.
    TColor LFirstColor() const { return litColours_[0]; }
    void SetLFirstColor(TColor value) { SetZoneLitColor(0, value); }
    TColor LSecondColor() const { return litColours_[1]; }
    void SetLSecondColor(TColor value) { SetZoneLitColor(1, value); }
    TColor LThirdColor() const { return litColours_[2]; }
    void SetLThirdColor(TColor value) { SetZoneLitColor(2, value); }

    // Segments per zone (negative counts as 0). A new count inserts or frees segments at the
    // bottom of the zone, numbers them 1 to N again and shows every segment unlit.
    int FirstNum() const { return zoneCount_[0]; }
    void SetFirstNum(int value) { SetZoneCount(0, value); }
    int SecondNum() const { return zoneCount_[1]; }
    void SetSecondNum(int value) { SetZoneCount(1, value); }
    int ThirdNum() const { return zoneCount_[2]; }
    void SetThirdNum(int value) { SetZoneCount(2, value); }
    int SegmentCount() const { return static_cast<int>(segments_.size()); }

protected:
    // Lays the segments out again when a paint or an invalidation finds the meter resized.
    void WndProc(TMessage& message) override;

private:
    static constexpr int kZones = 3;
    // The zone of segment index (0 at the top).
    int ZoneOf(int index) const;
    // The first index after the zone.
    int ZoneEnd(int zone) const;
    void SetZoneCount(int zone, int count);
    void SetZoneColor(int zone, TColor value);
    void SetZoneLitColor(int zone, TColor value);
    // Segment geometry for the present size.
    void PlaceSegments();
    void RenameSegments(int first, int last);

    // segments_[i] is "shape<i + 1>".
    std::vector<TShape*> segments_;
    std::array<int, kZones> zoneCount_ = {1, 1, 3};
    std::array<TColor, kZones> colours_ = {clMaroon, clOlive, clGreen};
    std::array<TColor, kZones> litColours_ = {clRed, clYellow, clLime};
    int position_ = 0;
    int max_ = 100;
    int min_ = 0;
    int FLayoutWidth = 0;
    int FLayoutHeight = 0;
};

}  // namespace dsp
