#include "link/FrameAssembler.h"

#include <gtest/gtest.h>

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Feeds bytes and collects what would be delivered.
std::vector<Bytes> Feed(LFrameAssembler& a, const Bytes& bytes, bool framed = true) {
    std::vector<Bytes> out;
    for (std::uint8_t b : bytes) {
        if (a.Add(b, framed)) {
            out.push_back(a.FrameBuffer());
            a.Consumed();
        }
    }
    return out;
}

const Bytes kReply = {0x10, 0x02, 0x01, 0x00, 0x01, 0x10, 0x10, 0x03, 0x13};  // reply 16
const Bytes kLevels = [] {
    Bytes f = {0x10, 0x02, 0x01, 0x00, 38, 64};
    f.resize(6 + 37, 0x10);  // payload full of DLE: ends are found by length only
    f.insert(f.end(), {0x10, 0x03, 0x00});
    return f;
}();

TEST(FrameAssembler, FramesByLengthWhateverThePayload) {
    for (auto mode : {LFrameAssembler::amChunked, LFrameAssembler::amSerial}) {
        LFrameAssembler a(mode);
        Bytes both = kLevels;
        both.insert(both.end(), kReply.begin(), kReply.end());
        EXPECT_EQ(Feed(a, both), (std::vector<Bytes>{kLevels, kReply}));
    }
}

TEST(FrameAssembler, DropsBytesUntilDleStx) {
    // 0x55, 0x41 and the second DLE go; the first DLE waits for its STX.
    LFrameAssembler a(LFrameAssembler::amChunked);
    Bytes in = {0x55, 0x10, 0x41, 0x10, 0x02};
    in.insert(in.end(), kReply.begin() + 2, kReply.end());
    EXPECT_EQ(Feed(a, in), std::vector<Bytes>{kReply});
}

TEST(FrameAssembler, RawUnitsOf64BeforeTheFirstFrame) {
    LFrameAssembler a(LFrameAssembler::amChunked);
    Bytes raw(100);
    for (int i = 0; i < 100; ++i) raw[i] = static_cast<std::uint8_t>(i);
    auto out = Feed(a, raw, false);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], Bytes(raw.begin(), raw.begin() + 64));
    EXPECT_EQ(a.FrameBuffer().size(), 36u);
}

TEST(FrameAssembler, SerialDoesNotKnowRawUnits) {
    LFrameAssembler a(LFrameAssembler::amSerial);
    EXPECT_TRUE(Feed(a, Bytes(64, 0x55), false).empty());
    EXPECT_EQ(Feed(a, kReply, false), std::vector<Bytes>{kReply});
}

const Bytes kLengthZero = {0x10, 0x02, 0x01, 0x00, 0x00, 0x10, 0x03, 0x12};

TEST(FrameAssembler, SerialCompletesALengthZeroFrameAtEightBytes) {
    LFrameAssembler a(LFrameAssembler::amSerial);
    EXPECT_EQ(Feed(a, kLengthZero), std::vector<Bytes>{kLengthZero});
}

TEST(FrameAssembler, UsbAndNetworkDropALengthZeroFrameAndFindTheNextReply) {
    LFrameAssembler a(LFrameAssembler::amChunked);
    Bytes in = kLengthZero;
    in.insert(in.end(), kReply.begin(), kReply.end());
    in.insert(in.end(), kLevels.begin(), kLevels.end());
    EXPECT_EQ(Feed(a, in), (std::vector<Bytes>{kReply, kLevels}));
}

}  // namespace
}  // namespace dsp
