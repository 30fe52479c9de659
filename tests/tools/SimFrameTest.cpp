#include "tools/sim/SimFrame.h"

#include <gtest/gtest.h>

namespace dsp::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SimFrame, BuildsTheFramesTheEditorKnows) {
    EXPECT_EQ(BuildFrame(0, 1, 18, {}),
              (Bytes{0x10, 0x02, 0x00, 0x01, 0x01, 0x12, 0x10, 0x03, 0x13}));
    EXPECT_EQ(BuildFrame(0, 1, 0x34, {0x03, 0x18, 0x01}),
              (Bytes{0x10, 0x02, 0x00, 0x01, 0x04, 0x34, 0x03, 0x18, 0x01, 0x10, 0x03, 0x2A}));
    EXPECT_EQ(BuildFrame(0, 1, 0x3B, {0x07, 0x10}),
              (Bytes{0x10, 0x02, 0x00, 0x01, 0x03, 0x3B, 0x07, 0x10, 0x10, 0x03, 0x2F}));
}

struct ReadCase {
    const char* name;
    Bytes input;
    int frames;
    int faults;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class StrictReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(StrictReading, FindsFramesAndFaults) {
    const ReadCase& c = GetParam();
    StrictFrameReader reader;
    std::vector<SimFrame> frames;
    std::vector<std::string> faults;
    reader.Feed(c.input.data(), c.input.size(), frames, faults);
    EXPECT_EQ(static_cast<int>(frames.size()), c.frames);
    EXPECT_EQ(static_cast<int>(faults.size()), c.faults) << (faults.empty() ? "" : faults[0]);
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes WithCheck(Bytes frame, std::uint8_t check) {
    frame.back() = check;
    return frame;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrictReading,
    ::testing::Values(
        ReadCase{"one", BuildFrame(0, 1, 16, {}), 1, 0},
        ReadCase{"two_back_to_back",
                 Join({BuildFrame(0, 1, 16, {}), BuildFrame(0, 1, 52, {3, 1, 2})}), 2, 0},
        ReadCase{"dle_in_payload", BuildFrame(0, 1, 59, {0x10, 0x10, 0x03}), 1, 0},
        ReadCase{"wrong_check", WithCheck(BuildFrame(0, 1, 52, {3, 0x18, 1}), 0x00), 0, 1},
        ReadCase{"wrong_check_then_good",
                 Join({WithCheck(BuildFrame(0, 1, 16, {}), 0x55), BuildFrame(0, 1, 16, {})}), 1, 1},
        ReadCase{"stray_before", Join({Bytes{0x55, 0x41}, BuildFrame(0, 1, 16, {})}), 1, 1},
        ReadCase{"length_zero", Bytes{0x10, 0x02, 0x00, 0x01, 0x00, 0x10, 0x03, 0x00}, 0, 2},
        ReadCase{"no_end_markers", Bytes{0x10, 0x02, 0x00, 0x01, 0x01, 0x12, 0x11, 0x03, 0x13}, 0,
                 1}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(StrictReading, JoinsChunksAndKeepsTheFields) {
    const Bytes frame = BuildFrame(0, 7, 51, {3, 2, 120, 0, 170, 0, 35, 0, 1});
    StrictFrameReader reader;
    std::vector<SimFrame> frames;
    std::vector<std::string> faults;
    for (std::uint8_t b : frame) reader.Feed(&b, 1, frames, faults);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(faults.empty());
    EXPECT_EQ(frames[0].sender, 0);
    EXPECT_EQ(frames[0].receiver, 7);
    EXPECT_EQ(frames[0].code, 51);
    EXPECT_EQ(frames[0].payload, (Bytes{3, 2, 120, 0, 170, 0, 35, 0, 1}));
    EXPECT_EQ(frames[0].bytes, frame);
    EXPECT_EQ(reader.Pending(), 0u);
}

TEST(SimFrame, HexIsUpperCaseWithBlanks) {
    EXPECT_EQ(HexBytes({0x10, 0x02, 0xAB, 0x0F}), "10 02 AB 0F");
    EXPECT_EQ(HexBytes({}), "");
}

}  // namespace
}  // namespace dsp::sim
