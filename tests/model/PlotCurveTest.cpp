// The points of single curves: against a direct per-point evaluation over the whole range of
// settings on every instruction set the curve code runs on here, against what the analog
// prototypes give at their corner, and the cases users see.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "model/Constants.h"
#include "model/CurveKernel.h"
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

// Two values of a point agree: within 1e-9 (dB or phase units), or the same infinity, or both
// not a number.
bool Agree(double value, double expected) {
    if (std::isnan(expected)) return std::isnan(value);
    if (std::isinf(expected)) return value == expected;
    return std::fabs(value - expected) <= 1e-9;
}

// Every point of the calculator's curve agrees with the direct evaluation; the first point that
// does not, if any, with both values.
testing::AssertionResult MatchesReference(const reference::Section& s, bool phase) {
    const FilterCurve curve = MakeCurve(s, phase);
    const std::vector<double> expected = reference::Curve(s, phase);
    for (std::size_t i = 0; i < CurvePointCount; ++i) {
        if (!Agree(curve.Points[i], expected[i])) {
            return testing::AssertionFailure()
                   << Describe(s, phase) << ": point " << i << " is " << curve.Points[i]
                   << ", the direct evaluation gives " << expected[i];
        }
    }
    return testing::AssertionSuccess();
}

// Makes the curve code run on one instruction set for the life of the object.
class ForcedInstructionSet {
public:
    explicit ForcedInstructionSet(CurveInstructionSet set) { RestrictCurveInstructionSet(set); }
    ForcedInstructionSet(const ForcedInstructionSet&) = delete;
    ForcedInstructionSet& operator=(const ForcedInstructionSet&) = delete;
    ~ForcedInstructionSet() { RestrictCurveInstructionSet(0); }
};

std::string SetName(CurveInstructionSet set) { return CurveInstructionSetName(set); }

// Each kind on each instruction set the curve code is compiled for and this processor runs.
class CurveAgainstReference
    : public testing::TestWithParam<std::tuple<CurveInstructionSet, std::int32_t>> {};

TEST_P(CurveAgainstReference, EveryPointOverGainsQsAndFrequencies) {
    const auto [set, kind] = GetParam();
    const ForcedInstructionSet forced(set);
    ASSERT_EQ(SetName(ChosenCurveInstructionSet()), SetName(set));

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
    // Corners from 1 Hz, where a high-pass numerator cancels almost completely at the first
    // points, through the band range (19.7 Hz to 20.16 kHz) up to just below Nyquist.
    std::vector<double> corners = {1.0, 2.5};
    for (int freqIndex : {0, 37, 101, 170, 233, 281, 300}) {
        corners.push_back(FreqIndexToHz(freqIndex));
    }
    corners.insert(corners.end(), {40000.0, 47900.0});

    for (double gain : gains) {
        for (int qIndex : qIndexes) {
            for (auto [a, b] : protos) {
                for (double corner : corners) {
                    const reference::Section s{
                        kind, gain, corner, QTable[static_cast<std::size_t>(qIndex)], a, b};
                    EXPECT_TRUE(MatchesReference(s, false));
                    EXPECT_TRUE(MatchesReference(s, true));
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, CurveAgainstReference,
                         testing::Combine(testing::ValuesIn(CurveInstructionSets()),
                                          testing::Range(1, 18)),
                         [](const testing::TestParamInfo<CurveAgainstReference::ParamType>& row) {
                             return SetName(std::get<0>(row.param)) + "_Kind" +
                                    std::to_string(std::get<1>(row.param));
                         });

// Settings no band takes, whose curves leave the range of ordinary numbers: a zero numerator
// (-infinity dB, an undefined phase), coefficients that are not numbers, gains whose squared
// magnitudes overflow or fall below the normal range. Every instruction set gives what the
// direct evaluation gives.
class CurveBeyondOrdinaryNumbers : public testing::TestWithParam<CurveInstructionSet> {};

TEST_P(CurveBeyondOrdinaryNumbers, AgreesWithTheDirectEvaluation) {
    const ForcedInstructionSet forced(GetParam());
    const reference::Section sections[] = {
        {fkLowPass2, 0.0, 0.0, 0.71},   // K = 0: B is 0 everywhere
        {fkPeak, 6.0, 1000.0, 0.0},     // Q = 0: no number
        {fkPeak, 6000.0, 1000.0, 1.0},  // |B|^2 overflows
        {fkPeak, -3000.0, 1000.0, 1.0}, {fkPeak, -3090.0, 1000.0, 1.0},
        {fkPeak, -6000.0, 1000.0, 1.0},  // |B|^2 underflows to 0
    };
    for (const reference::Section& s : sections) {
        EXPECT_TRUE(MatchesReference(s, false));
        EXPECT_TRUE(MatchesReference(s, true));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryInstructionSet, CurveBeyondOrdinaryNumbers,
                         testing::ValuesIn(CurveInstructionSets()),
                         [](const testing::TestParamInfo<CurveInstructionSet>& row) {
                             return SetName(row.param);
                         });

TEST(CurveDispatch, LeftAloneItTakesTheBestInstructionSetOfTheProcessor) {
    const std::vector<CurveInstructionSet> sets = CurveInstructionSets();
    ASSERT_FALSE(sets.empty());
    { const ForcedInstructionSet forced(sets.back()); }
    EXPECT_EQ(SetName(ChosenCurveInstructionSet()), SetName(sets.front()));
}

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

TEST(ComplexHelpers, AddSumsPartByPart) {
    const ComplexValue sum = ComplexAdd(1.5, -2.0, -0.25, 4.0);
    EXPECT_EQ(sum.re, 1.25);
    EXPECT_EQ(sum.im, 2.0);
}

TEST(ComplexHelpers, MagnitudeHoldsWhereTheSquaresWouldOverflowOrVanish) {
    struct Case {
        double re;
        double im;
        double magnitude;
    };
    const Case cases[] = {
        {3.0, 4.0, 5.0},          {-3.0, -4.0, 5.0},     {0.0, -2.5, 2.5},
        {0.0, 0.0, 0.0},          {3e200, 4e200, 5e200},  // the squares overflow
        {3e-200, 4e-200, 5e-200},                         // the squares underflow to 0
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ComplexMagnitude(c.re, c.im), c.magnitude) << c.re << " + j " << c.im;
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
