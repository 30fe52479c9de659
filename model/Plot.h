#pragma once
// The curve model of one response view: 27 curve slots, the channel total summed from them,
// and the drawing of curves, band markers and the selected band on the view.
//
// Slots (a curve's plot id on the view is its slot number):
//   0 to 8    the channel's EQ bands (an overview plot keeps the channels' totals here)
//   9         stays flat
//   10, 11    the high-pass and low-pass totals of the crossover
//   12        the channel total, the sum of slots 0 to 11
//   13 to 17  the sections of the crossover filter being designed
//   18 to 26  copies of other channels' totals drawn as overlays

#include <cstdint>
#include <vector>

#include "model/FilterCurve.h"
#include "model/ResponseView.h"

namespace dsp {

class Plot {
public:
    static constexpr int CurveSlotCount = 27;
    static constexpr int HighPassTotalSlot = 10;
    static constexpr int LowPassTotalSlot = 11;
    static constexpr int ChannelTotalSlot = 12;
    static constexpr int FirstSectionSlot = 13;
    static constexpr int FirstOverlaySlot = 18;
    // Colour of the selected band's captions.
    static constexpr ViewColour SelectedBandColour = 0x00FFFF;

    // A plot drawing on the view (not owned; null draws nothing), in magnitude mode, with
    // every slot a flat high shelf of 0 dB at 1 kHz.
    explicit Plot(IResponseView* view);
    Plot(const Plot&) = delete;
    Plot& operator=(const Plot&) = delete;
    ~Plot();

    // Curve slot n, 0 to 26; EListError otherwise.
    FilterCurve& Curve(int n);
    const FilterCurve& Curve(int n) const;
    int CurveCount() const { return FCurveCount; }
    IResponseView* View() const { return FView; }

    // 1 when the curves hold phase, 0 for magnitude.
    std::uint8_t GetPhaseMode() const { return FPhaseMode; }
    // Sets the mode of the plot and of every curve. Points already computed stay as they are;
    // the caller recomputes and redraws.
    void SetPhaseMode(std::uint8_t mode);

    // Places marker slot n of the view at slot n's frequency and the given gain, in the band's
    // colour, in the given shape (BlockBand, BlockLowPassHandle, BlockHighPassHandle), and
    // hands it the curve's frequency, gain, Q and kind as captions.
    void DrawBandMarker(int n, double gainDb, int type);
    // Sums slots 0 to 11 into slot 12 (in phase mode wrapped into -18 to 18) and draws it as
    // plot 12 in the colour of plot number c (0 to 8 the channels, 9 and 10 the overviews).
    void UpdateTotalCurve(int c);
    // Draws slot n as plot n in the colour.
    void ShowCurve(int n, ViewColour colour);
    // Removes plot n from the view.
    void HideCurve(int n);
    // With on, shows the captions of the caption kind (the band's PeqType, or 5 and 6 for the
    // crossover handles) at slot n's marker position with the given gain and Q, and slot n's
    // points as the selected band's filled curve; a negative n counts as 0. With on false it
    // only switches the selected-band display off.
    void ShowSelectedBand(int kind, int n, double gainDb, double q, bool on);

private:
    static bool IsSlot(int n) { return n >= 0 && n < CurveSlotCount; }

    int FCurveCount = CurveSlotCount;
    std::uint8_t FPhaseMode = 0;
    IResponseView* FView;
    std::vector<FilterCurve> FCurves;
};

}  // namespace dsp
