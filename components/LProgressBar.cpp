#include "components/LProgressBar.h"

#include <algorithm>
#include <string>

#include "framework/controls/ControlMessages.h"
#include "framework/controls/Shape.h"

namespace dsp {

namespace {

constexpr int kNewWidth = 14;
constexpr int kNewHeight = 132;

std::string SegmentName(int index) { return "shape" + std::to_string(index + 1); }

}  // namespace

LProgressBar::LProgressBar(TComponent* owner) : TPanel(owner) {
    SetBevelInner(bvLowered);
    SetBevelOuter(bvLowered);
    SetBounds(Left(), Top(), kNewWidth, kNewHeight);
    SetColor(clBlack);
    FLayoutWidth = kNewWidth;
    FLayoutHeight = kNewHeight;
    const int count = zoneCount_[0] + zoneCount_[1] + zoneCount_[2];
    for (int i = 0; i < count; ++i) {
        TShape* segment = new TShape(this);
        segment->SetName(SegmentName(i));
        segment->SetParent(this);
        segments_.push_back(segment);
    }
    PlaceSegments();
    for (int i = 0; i < count; ++i) segments_[i]->Brush()->SetColor(colours_[ZoneOf(i)]);
}

// The segments go with the meter as its components; nothing may reach them through the list
// while they do.
LProgressBar::~LProgressBar() { segments_.clear(); }

int LProgressBar::ZoneEnd(int zone) const {
    int end = 0;
    for (int z = 0; z <= zone; ++z) end += zoneCount_[z];
    return end;
}

int LProgressBar::ZoneOf(int index) const {
    for (int z = 0; z < kZones - 1; ++z) {
        if (index < ZoneEnd(z)) return z;
    }
    return kZones - 1;
}

void LProgressBar::PlaceSegments() {
    const int n = SegmentCount();
    if (n == 0) return;
    const int w = Width();
    const int h = Height();
    // Each segment reaches two pixels into the next, so neighbouring outlines merge into one
    // dark line. The top is the exact truncation of h / n * i.
    for (int i = 0; i < n; ++i) segments_[i]->SetBounds(0, h * i / n - 1, w, h / n + 2);
}

void LProgressBar::SetPosition(int v) {
    if (v == position_) return;
    position_ = v > max_ ? max_ : (v < min_ ? min_ : v);
    const int n = SegmentCount();
    if (n == 0) return;
    int lit = 0;
    if (max_ <= 0 || max_ <= min_) {
        lit = v >= max_ ? n : 0;
    } else {
        // The step is kept in single precision: with Max 1 and three segments 1 / step falls
        // just short of 3, and the rule below lights the last one.
        const float step = static_cast<float>(static_cast<double>(max_) / n);
        lit = static_cast<int>(static_cast<double>(position_) / step);
        lit = std::clamp(lit, 0, n);
        if (v >= max_ && lit < n) ++lit;
    }
    // A segment lights or darkens by the colour it shows, whatever zone it belongs to.
    for (int k = 0; k < lit; ++k) {
        TBrush& brush = *segments_[n - 1 - k]->Brush();
        for (int z = 0; z < kZones; ++z) {
            if (brush.Color() == colours_[z]) {
                brush.SetColor(litColours_[z]);
                break;
            }
        }
    }
    for (int k = 0; k < n - lit; ++k) {
        TBrush& brush = *segments_[k]->Brush();
        for (int z = 0; z < kZones; ++z) {
            if (brush.Color() == litColours_[z]) {
                brush.SetColor(colours_[z]);
                break;
            }
        }
    }
}

void LProgressBar::SetZoneColor(int zone, TColor value) {
    if (colours_[zone] == value) return;
    colours_[zone] = value;
    for (int i = ZoneEnd(zone) - zoneCount_[zone]; i < ZoneEnd(zone); ++i) {
        segments_[i]->Brush()->SetColor(value);
    }
}

void LProgressBar::SetZoneLitColor(int zone, TColor value) {
    if (litColours_[zone] == value) return;
    for (int i = ZoneEnd(zone) - zoneCount_[zone]; i < ZoneEnd(zone); ++i) {
        TBrush& brush = *segments_[i]->Brush();
        if (brush.Color() == litColours_[zone]) brush.SetColor(value);
    }
    litColours_[zone] = value;
}

void LProgressBar::RenameSegments(int first, int last) {
    for (int i = first; i < last; ++i) segments_[i]->SetName(SegmentName(i));
}

void LProgressBar::SetZoneCount(int zone, int count) {
    count = std::max(count, 0);
    const int old = zoneCount_[zone];
    if (count == old) return;
    const int end = ZoneEnd(zone);
    const int n = SegmentCount();
    if (count > old) {
        // The segments below move down by d numbers, from the bottom one up, so that no name is
        // taken twice; the new ones take the numbers freed at the zone's bottom.
        const int d = count - old;
        for (int i = n - 1; i >= end; --i) segments_[i]->SetName(SegmentName(i + d));
        std::vector<TShape*> added;
        for (int i = 0; i < d; ++i) {
            TShape* segment = new TShape(this);
            segment->SetName(SegmentName(end + i));
            segment->SetParent(this);
            added.push_back(segment);
        }
        segments_.insert(segments_.begin() + end, added.begin(), added.end());
    } else {
        const int d = old - count;
        for (int i = end - d; i < end; ++i) delete segments_[i];
        segments_.erase(segments_.begin() + (end - d), segments_.begin() + end);
        RenameSegments(end - d, SegmentCount());
    }
    zoneCount_[zone] = count;
    PlaceSegments();
    for (int i = 0; i < SegmentCount(); ++i) segments_[i]->Brush()->SetColor(colours_[ZoneOf(i)]);
}

void LProgressBar::WndProc(TMessage& message) {
    TPanel::WndProc(message);
    if (message.Msg != WM_PAINT && message.Msg != CM_INVALIDATE) return;
    if (FLayoutWidth == 0) return;
    if (Width() == FLayoutWidth && Height() == FLayoutHeight) return;
    FLayoutWidth = Width();
    FLayoutHeight = Height();
    PlaceSegments();
}

}  // namespace dsp
