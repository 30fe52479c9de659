// The points of single curves: against a direct per-point evaluation over the whole range of
// settings, against what the analog prototypes give at their corner, and the cases users see.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "model/Constants.h"
#include "model/Encodings.h"
#include "model/FilterCurve.h"
#include "model/FrequencyGrid.h"
#include "tests/model/PlotReference.h"

namespace dsp {
namespace {

constexpr std::size_t PointNear1kHz = 2625;  // 1000.2 Hz

FilterCurve MakeCurve(const reference::Section& s, bool phase) {
    FilterCurve curve;
    curve.ShowPhase = phase ? 1 : 0;
    curve.SetSection(s.gainDb, s.freqHz, s.q, s.kind, s.a, s.b);
    return curve;
}

std::string Describe(const reference::Section& s, bool phase) {
    std::ostringstream text;
    text << "kind " << s.kind << ", " << s.gainDb << " dB, " << s.freqHz << " Hz, Q " << s.q
         << ", a " << s.a << ", b " << s.b << (phase ? ", phase" : ", magnitude");
    return text.str();
}

// Every point of the calculator's curve within 1e-9 (dB or phase units) of the direct
// evaluation; the first point that is not, if any, with both values.
testing::AssertionResult MatchesReference(const reference::Section& s, bool phase) {
    const FilterCurve curve = MakeCurve(s, phase);
    const std::vector<double> expected = reference::Curve(s, phase);
    for (std::size_t i = 0; i < CurvePointCount; ++i) {
        if (!(std::fabs(curve.Points[i] - expected[i]) <= 1e-9)) {
            return testing::AssertionFailure()
                   << Describe(s, phase) << ": point " << i << " is " << curve.Points[i]
                   << ", the direct evaluation gives " << expected[i];
        }
    }
    return testing::AssertionSuccess();
}

class CurveAgainstReference : public testing::TestWithParam<std::int32_t> {};

TEST_P(CurveAgainstReference, EveryPointOverGainsQsAndFrequencies) {
    const std::int32_t kind = GetParam();
    const bool prototype = kind >= fkLowPassProto1 && kind <= fkHighPassProto2b;
    // Prototype sections ignore gain and Q but depend on a and b; the others the other way round.
    const std::vector<double> gains =
        prototype ? std::vector<double>{0.0} : std::vector<double>{-12, -3.5, -0.1, 0, 0.1, 6, 12};
    const std::vector<int> qIndexes =
        prototype ? std::vector<int>{35} : std::vector<int>{0, 16, 50, 100};
    const std::vector<std::pair<float, float>> protos =
        prototype ? std::vector<std::pair<float, float>>{{1.0f, 1.0f},
                                                         {1.4142f, 0.618f},
                                                         {0.3728f, 0.2087f},
                                                         {1.9616f, 0.4772f}}
                  : std::vector<std::pair<float, float>>{{0.0f, 0.0f}};
    const int freqIndexes[] = {0, 37, 101, 170, 233, 281, 300};  // 19.7 Hz to 20.16 kHz

    for (double gain : gains) {
        for (int qIndex : qIndexes) {
            for (auto [a, b] : protos) {
                for (int freqIndex : freqIndexes) {
                    const reference::Section s{kind,
                                               gain,
                                               FreqIndexToHz(freqIndex),
                                               QTable[static_cast<std::size_t>(qIndex)],
                                               a,
                                               b};
                    EXPECT_TRUE(MatchesReference(s, false));
                    EXPECT_TRUE(MatchesReference(s, true));
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, CurveAgainstReference, testing::Range(1, 18),
                         [](const testing::TestParamInfo<std::int32_t>& kind) {
                             return "Kind" + std::to_string(kind.param);
                         });

// The bilinear design maps each analog corner exactly onto its digital frequency, so at a grid
// point chosen as the corner every kind must give its prototype's value there. This checks the
// design formulas against the filters they stand for, independently of how they are written.
TEST(CurveAtCorner, MagnitudeIsThePrototypesValueAtItsCorner) {
    const double q = 0.71;
    const double v = std::pow(10.0, 7.5 / 20);           // 7.5 dB
    const double shelf = q * q * (v - 1) * (v - 1) + v;  // |H(j)|^2 of either shelf
    const float protoA = 0.7743f;
    const float protoB = 0.389f;
    const double a = protoA;
    const double b = protoB;
    struct Case {
        std::int32_t kind;
        double gainDb;
        double q;
        double powerAtCorner;  // |H|^2
    };
    const Case cases[] = {
        {fkPeak, 7.5, q, v * v},
        {fkPeak, -7.5, 12.0, 1 / (v * v)},
        {fkPeak, 7.5, 128.0, v * v},
        {fkLowShelf, 7.5, q, shelf},
        {fkLowShelf, -7.5, q, 1 / shelf},
        {fkHighShelf, 7.5, q, shelf},
        {fkHighShelf, -7.5, q, 1 / shelf},
        {fkHighPass2, 0, q, q * q},
        {fkLowPass2, 0, 4.0, 16.0},
        {fkBandPass2, 0, 2.5, 4.0},
        {fkAllpass1, 0, q, 1.0},
        {fkLowPass1, 0, q, 0.5},
        {fkHighPass1, 0, q, 0.5},
        {fkFlat, 6, q, 1.0},
        {fkLowPassProto1, 0, q, 1 / (1 + a * a)},
        {fkLowPassProto2, 0, q, 1 / (a * a)},
        {fkLowPassProto2b, 0, q, 1 / ((1 - b) * (1 - b) + a * a)},
        {fkHighPassProto1, 0, q, 1 / (1 + a * a)},
        {fkHighPassProto2, 0, q, 1 / (a * a)},
        {fkHighPassProto2b, 0, q, 1 / ((b - 1) * (b - 1) + a * a)},
        {fkAllpass2, 0, 3.0, 1.0},
    };
    const std::size_t corners[] = {300, PointNear1kHz, 3600};  // about 2 Hz, 1 kHz, 16.6 kHz
    for (const Case& c : cases) {
        for (std::size_t i : corners) {
            FilterCurve curve;
            curve.SetSection(c.gainDb, ResponseGrid().freqHz[i], c.q, c.kind, protoA, protoB);
            EXPECT_NEAR(curve.Points[i], 10 * std::log10(c.powerAtCorner), 1e-7)
                << "kind " << c.kind << ", " << c.gainDb << " dB, corner at point " << i;
        }
    }
}

TEST(CurveAtCorner, PhaseIsThePrototypesPhaseAtItsCorner) {
    struct Case {
        std::int32_t kind;
        double gainDb;
        double phase;  // 18 = 180 degrees
    };
    const Case cases[] = {
        {fkPeak, 6, 0},           {fkPeak, -6, 0},     {fkBandPass2, 0, 0},
        {fkLowPass2, 0, -9},      {fkHighPass2, 0, 9}, {fkLowPass1, 0, -4.5},
        {fkHighPass1, 0, 4.5},    {fkAllpass1, 0, 9},  {fkLowPassProto2, 0, -9},
        {fkHighPassProto2, 0, 9},
    };
    for (const Case& c : cases) {
        FilterCurve curve;
        curve.ShowPhase = 1;
        curve.SetSection(c.gainDb, ResponseGrid().freqHz[PointNear1kHz], 2.0, c.kind, 1.0f, 0.0f);
        EXPECT_NEAR(curve.Points[PointNear1kHz], c.phase, 1e-6) << "kind " << c.kind;
    }
}

TEST(CurveCases, PeakOf6dBAt1kHzRisesThereAndStaysFlatFarAway) {
    FilterCurve peak;
    peak.SetFilter(6.0, 1000.0, 1.0, fkPeak);
    EXPECT_NEAR(peak.Points[PointNear1kHz], 6.0, 0.01);
    EXPECT_NEAR(peak.Points[1000], 0.0, 0.01);  // 14 Hz
    EXPECT_NEAR(peak.Points[3800], 0.0, 0.2);   // 22 kHz
}

TEST(CurveCases, SecondOrderLowPassIsDown3dBAtItsCornerAndFalls12dBPerOctave) {
    FilterCurve lowPass;
    lowPass.SetFilter(0.0, 1000.0, 0.7071, fkLowPass2);
    EXPECT_NEAR(lowPass.Points[PointNear1kHz], -3.01, 0.01);
    const auto pointAt = [](double hz) {
        return static_cast<std::size_t>(std::lround(GridPosition(hz)));
    };
    EXPECT_NEAR(lowPass.Points[pointAt(4000)] - lowPass.Points[pointAt(2000)], -12.0, 0.5);
    EXPECT_NEAR(lowPass.Points[pointAt(8000)] - lowPass.Points[pointAt(4000)], -12.0, 0.5);
}

TEST(CurveCases, InvertedFirstOrderKindsKeepTheMagnitudeOfTheirPlainForms) {
    FilterCurve inverted;
    FilterCurve plain;
    inverted.SetFilter(0.0, 440.0, 1.0, fkHighPass1);
    plain.SetSection(0.0, 440.0, 1.0, fkHighPassProto1, 1.0f, 0.0f);
    for (std::size_t i = 0; i < CurvePointCount; i += 97) {
        EXPECT_NEAR(inverted.Points[i], plain.Points[i], 1e-12) << i;
    }

    FilterCurve allpass;
    allpass.SetFilter(0.0, 440.0, 1.0, fkAllpass1);
    for (std::size_t i = 0; i < CurvePointCount; i += 97) EXPECT_NEAR(allpass.Points[i], 0.0, 1e-9);
    allpass.ShowPhase = 1;
    allpass.ComputeResponse();
    EXPECT_NEAR(allpass.Points[0], 18.0, 0.05);  // half a turn at 1 Hz
    EXPECT_NEAR(allpass.Points[CurvePointCount - 1], 0.0, 0.1);
}

TEST(CurveCases, PeakOfZeroGainIsExactlyFlatForAnyQ) {
    for (double q : QTable) {
        FilterCurve magnitude;
        magnitude.SetFilter(0.0, 1000.0, q, fkPeak);
        FilterCurve phase;
        phase.ShowPhase = 1;
        phase.SetFilter(0.0, 1000.0, q, fkPeak);
        for (std::size_t i = 0; i < CurvePointCount; ++i) {
            ASSERT_EQ(magnitude.Points[i], 0.0) << "Q " << q << ", point " << i;
            ASSERT_EQ(phase.Points[i], 0.0) << "Q " << q << ", point " << i;
        }
    }
}

TEST(CurveCases, UnknownKindsAreFlatWhateverCameBefore) {
    for (std::int32_t kind : {0, -1, 18, 1000}) {
        for (std::uint8_t phase : {0, 1}) {
            FilterCurve curve;
            curve.ShowPhase = phase;
            curve.SetFilter(12.0, 100.0, 8.0, fkPeak);  // something far from flat first
            curve.SetFilter(12.0, 100.0, 8.0, kind);
            for (std::size_t i = 0; i < CurvePointCount; ++i) {
                ASSERT_EQ(curve.Points[i], 0.0) << "kind " << kind << ", point " << i;
            }
            EXPECT_EQ(curve.Kind, kind);
        }
    }
}

TEST(CurveCases, SetSectionKeepsTheValuesItWasGiven) {
    FilterCurve curve;
    curve.SetSection(-3.0, 250.0, 0.05, fkLowPassProto2b, 0.9754f, 0.2979f);
    EXPECT_EQ(curve.GainDb, -3.0);
    EXPECT_EQ(curve.FreqHz, 250.0);
    EXPECT_EQ(curve.Qf, 0.05);
    EXPECT_EQ(curve.Kind, fkLowPassProto2b);
    EXPECT_EQ(curve.ProtoA, 0.9754f);
    EXPECT_EQ(curve.ProtoB, 0.2979f);
}

}  // namespace
}  // namespace dsp
