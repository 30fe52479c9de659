// The crossover tables: every slope choice, built from its design row into sections the way the
// channel strip builds them, must be the filter its selector caption names.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/FilterCurve.h"
#include "model/FrequencyGrid.h"
#include "model/ResponseTables.h"

namespace dsp {
namespace {

// The slope selector's items; slope code = item index + 1.
const char* const SlopeCaptions[] = {
    "BW -6",  "BL -6",  "BW -12", "BL -12", "LK -12", "BW -18", "BL -18",
    "BW -24", "BL -24", "LK -24", "BW -30", "BL -30", "BW -36", "BL -36",
    "LK -36", "BW -42", "BL -42", "BW -48", "BL -48", "LK -48",
};

struct Section {
    std::int32_t kind;
    float a;
    float b;
};

// The sections of a design row: first-order, second-order and Bessel second-order kinds of
// the high-pass (14, 15, 16) or the low-pass (11, 12, 13).
std::vector<Section> SectionsOfRow(int row, bool highPass) {
    const std::int32_t k1 = highPass ? fkHighPassProto1 : fkLowPassProto1;
    const std::int32_t k2 = highPass ? fkHighPassProto2 : fkLowPassProto2;
    const std::int32_t k2b = highPass ? fkHighPassProto2b : fkLowPassProto2b;
    std::vector<Section> sections;
    const auto addButterworth = [&](int order) {
        const auto& r = ButterworthCoefficients.at(static_cast<std::size_t>(order));
        if (r[0] == 1) sections.push_back({k1, 1.0f, 0.0f});
        for (std::size_t i = 1; i < r.size(); ++i) {
            if (r[i] != 0) sections.push_back({k2, r[i], 0.0f});
        }
    };
    if (row >= FirstLinkwitzRileyRow) {
        // A Linkwitz-Riley filter is the Butterworth of half its order, twice.
        addButterworth(row - FirstLinkwitzRileyRow + 1);
        addButterworth(row - FirstLinkwitzRileyRow + 1);
    } else if (row >= FirstBesselRow) {
        const auto& r = BesselCoefficients.at(static_cast<std::size_t>(row - FirstBesselRow + 1));
        if (r[0].a != 0) sections.push_back({k1, r[0].a, 0.0f});
        for (std::size_t i = 1; i < r.size(); ++i) {
            if (r[i].a != 0) sections.push_back({k2b, r[i].a, r[i].b});
        }
    } else if (row >= FirstButterworthRow) {
        addButterworth(row);
    }
    return sections;
}

// The filter's magnitude in dB at every grid point: the sum of its sections' curves.
std::vector<double> Response(const std::vector<Section>& sections, double cornerHz) {
    std::vector<double> total(CurvePointCount, 0.0);
    FilterCurve curve;
    for (const Section& s : sections) {
        curve.SetSection(0.0, cornerHz, 0.05, s.kind, s.a, s.b);
        for (std::size_t i = 0; i < CurvePointCount; ++i) total[i] += curve.Points[i];
    }
    return total;
}

std::size_t PointAt(double hz) { return static_cast<std::size_t>(std::lround(GridPosition(hz))); }

TEST(CrossoverTables, EverySlopeCodeIsTheFilterItsCaptionNames) {
    ASSERT_EQ(SlopeDesignRows[0], 0);
    EXPECT_TRUE(SectionsOfRow(SlopeDesignRows[0], false).empty());

    for (std::size_t code = 1; code < SlopeCodeCount; ++code) {
        const std::string caption = SlopeCaptions[code - 1];
        const std::string family = caption.substr(0, 2);
        const double dbPerOctave = std::atof(caption.c_str() + 3);
        const int order = static_cast<int>(std::lround(-dbPerOctave / 6));
        const int row = SlopeDesignRows[code];
        SCOPED_TRACE(caption + ", slope code " + std::to_string(code));

        for (bool highPass : {false, true}) {
            SCOPED_TRACE(highPass ? "high-pass" : "low-pass");
            const std::vector<Section> sections = SectionsOfRow(row, highPass);
            int sectionOrder = 0;
            for (const Section& s : sections) {
                const bool first = s.kind == fkLowPassProto1 || s.kind == fkHighPassProto1;
                sectionOrder += first ? 1 : 2;
            }
            EXPECT_EQ(sectionOrder, order);
            EXPECT_LE(sections.size(), CrossoverSectionCount);

            // At its corner a Butterworth or Bessel filter is 3 dB down, a Linkwitz-Riley 6 dB
            // (within what coefficients of four or five digits allow).
            const std::size_t corner = 2625;
            const double cornerHz = ResponseGrid().freqHz[corner];
            const double cornerDb = family == "LK" ? -6.02 : -3.01;
            EXPECT_NEAR(Response(sections, cornerHz)[corner], cornerDb, 0.025);

            // Far into the stop band each octave falls by the caption's slope: 6 dB per order,
            // 20 log10(2) when exact.
            const double stopCorner = highPass ? 16000.0 : 20.0;
            const double from = highPass ? 500.0 : 640.0;
            const double to = highPass ? 250.0 : 1280.0;
            const std::vector<double> stop = Response(sections, stopCorner);
            const std::size_t i = PointAt(from);
            const std::size_t j = PointAt(to);
            const auto& hz = ResponseGrid().freqHz;
            const double octaves = std::fabs(std::log2(hz[j] / hz[i]));
            EXPECT_NEAR(stop[j] - stop[i], -order * 20 * std::log10(2.0) * octaves, 0.05);

            // A Butterworth filter is maximally flat: an octave into its pass band it is down
            // by 10 log10(1 + 4^-order) only.
            if (family == "BW") {
                const std::vector<double> pass = Response(sections, 1000.0);
                const double inPass = pass[PointAt(highPass ? 2000.0 : 500.0)];
                EXPECT_NEAR(inPass, -10 * std::log10(1 + std::pow(4.0, -order)), 0.02);
            }
        }
    }
}

TEST(CrossoverTables, BandTypesDrawWithTheirFilterKinds) {
    const struct {
        PeqType type;
        std::int32_t kind;
    } cases[] = {
        {ptPeak, fkPeak},         {ptLowShelf, fkLowShelf},  {ptHighShelf, fkHighShelf},
        {ptLowPass, fkLowPass2},  {ptHighPass, fkHighPass2}, {ptAllpass1, fkAllpass1},
        {ptAllpass2, fkAllpass2},
    };
    for (const auto& c : cases) EXPECT_EQ(PeqKindTable[c.type], c.kind) << int(c.type);
}

}  // namespace
}  // namespace dsp
