#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/Constants.h"
#include "model/Lunitcontrol.h"
#include "tests/model/RecordingHost.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::RecordingHost;

Bytes BodyOf(const Bytes& presetText) { return Bytes(presetText.begin() + 16, presetText.end()); }

TEST(PresetFileTest, DefaultImageFile) {
    RecordingHost host;
    LUnitControl model(host);
    const Bytes text = model.EncodePresetFile();
    ASSERT_EQ(text.size(), 802u);  // the caller adds CR LF: 804 bytes on disk
    EXPECT_EQ(std::string(text.begin(), text.begin() + 16), "*****WQJV010****");
    EXPECT_EQ(text[16], 'D');
    const auto image = model.GetImage().Bytes();
    EXPECT_TRUE(std::equal(text.begin() + 16, text.end(), image.begin() + 2));
}

// Code and first payload byte (the channel) of each frame a preset file sends, in order.
std::vector<std::pair<std::uint8_t, std::uint8_t>> ExpectedPresetFileOrder() {
    std::vector<std::pair<std::uint8_t, std::uint8_t>> order{{38, 'D'}};
    for (std::uint8_t ch = 0; ch < 3; ++ch) {
        for (std::uint8_t code : {61, 62, 50, 49, 52, 54, 56, 59}) order.emplace_back(code, ch);
    }
    for (std::uint8_t ch = 3; ch < 9; ++ch) {
        for (std::uint8_t code : {61, 58, 50, 49, 48, 52, 54, 56, 59}) order.emplace_back(code, ch);
    }
    for (std::uint8_t ch = 0; ch < 9; ++ch) order.emplace_back(53, ch);
    for (std::uint8_t ch = 0; ch < 9; ++ch) {
        for (int band = 0; band < (ch < 3 ? 8 : 9); ++band) order.emplace_back(51, ch);
    }
    return order;
}

TEST(PresetFileTest, DefaultFileSendsTheGoldenSequenceEvenWhileAnImageIsShown) {
    RecordingHost host;
    host.applyingImage = true;
    LUnitControl model(host);
    ASSERT_TRUE(model.ApplyPresetFile(BodyOf(model.EncodePresetFile())));

    const auto order = ExpectedPresetFileOrder();
    ASSERT_EQ(host.sent.size(), 166u);
    ASSERT_EQ(order.size(), 166u);
    for (std::size_t i = 0; i < host.sent.size(); ++i) {
        const auto& sent = host.sent[i];
        SCOPED_TRACE(i);
        EXPECT_TRUE(sent.framed);
        EXPECT_TRUE(sent.noCoalesce);
        EXPECT_EQ(sent.Code(), order[i].first);
        EXPECT_EQ(sent.Payload().at(0), order[i].second);
    }
    // EQ bands go out in band order within each channel.
    for (std::size_t i = 88; i < 166; ++i) {
        const std::size_t n = i - 88;
        const int band = n < 24 ? static_cast<int>(n % 8) : static_cast<int>((n - 24) % 9);
        EXPECT_EQ(host.sent[i].Payload()[1], band) << i;
    }

    EXPECT_EQ(host.sent.front().bytes,
              (Bytes{0x10, 0x02, 0x00, 0x01, 0x0F, 0x26, 'D', 'e', 'f',  'a',  'u', 'l',
                     't',  ' ',  'P',  'r',  'e',  's',  'e', 't', 0x10, 0x03, 0x67}));
    // Out6, band 8: gain 120, frequency 285, Q 35, peak, not bypassed.
    EXPECT_EQ(host.sent.back().bytes,
              (Bytes{0x10, 0x02, 0x00, 0x01, 0x0A, 0x33, 0x08, 0x08, 0x78, 0x00, 0x1D, 0x01, 0x23,
                     0x00, 0x00, 0x10, 0x03, 0x7E}));
    // A few values of the default image on the way.
    EXPECT_EQ(host.sent[1 + 24 + 5].Payload(), (Bytes{3, 0x18, 0x01}));    // Out1 gain 280
    EXPECT_EQ(host.sent[1 + 24 + 9 * 4 + 8].Payload(), (Bytes{7, 0x10}));  // Out5 link mask
    EXPECT_EQ(host.sent[1 + 24 + 9 * 2 + 1].Payload(), (Bytes{5, 4}));     // Out3 routed from InC
    EXPECT_TRUE(model.GetImage() == DefaultUnitImage());
}

TEST(PresetFileTest, RoundTripCarriesThePresetAndKeepsTheDeviceOnlyWords) {
    RecordingHost hostA;
    LUnitControl a(hostA);
    const PresetNameBytes name{'R', 'o', 'u', 'n', 'd', ' ', 't', 'r', 'i', 'p', 0, 0, 0, 0};
    ASSERT_TRUE(a.SetPresetName(name));
    a.SetChannelName(2, ChannelNameBytes{'V', 'o', 'x', 0, 0, 0, 0, 0});
    a.SetGate(0, GateParams{Le16(7), Le16(600), Le16(50), Le16(120)});
    a.SetPeqBand(4, 5, PeqBandParams{Le16(200), Le16(0x0110), 60, ptHighShelf}, 1);
    a.SetHighPass(8, CrossoverParams{Le16(90), Le16(0), 12, 0});
    a.SetCompressor(7, CompressorParams{15, 6, Le16(1), Le16(9), Le16(0)});
    a.SetGain(1, 399);
    a.SetPolarity(6, 1);
    a.SetDelay(0, 0x1234);
    a.SetLinkMask(3, 0b11);
    a.SetLinkMask(4, 0);
    a.SetMute(2, 1);
    a.SetMute(8, 1);
    a.SetRouting(5, 0b111);

    RecordingHost hostB;
    LUnitControl b(hostB);
    b.SetDelayUnit(1);
    b.SetEqBypassMask(0, 0b101);
    b.SetEqBypassMask(3, 0x0121);
    hostB.sent.clear();
    const UnitImage before = b.GetImage();

    ASSERT_TRUE(b.ApplyPresetFile(BodyOf(a.EncodePresetFile())));

    const auto ia = a.GetImage().Bytes();
    const auto ib = b.GetImage().Bytes();
    const auto old = before.Bytes();
    EXPECT_TRUE(std::equal(ia.begin() + 2, ia.begin() + 788, ib.begin() + 2));
    EXPECT_TRUE(std::equal(old.begin(), old.begin() + 2, ib.begin()));
    EXPECT_TRUE(std::equal(old.begin() + 788, old.end(), ib.begin() + 788));
    EXPECT_EQ(b.GetDelayUnit(), 1);
    EXPECT_EQ(b.GetEqBypassMask(3), 0x0121);

    ASSERT_EQ(hostB.sent.size(), 166u);
    const auto find = [&](std::uint8_t code, std::uint8_t ch, int band = -1) {
        for (const auto& s : hostB.sent) {
            const Bytes p = s.Payload();
            if (s.Code() == code && p[0] == ch && (band < 0 || p[1] == band)) return p;
        }
        return Bytes{};
    };
    EXPECT_EQ(find(51, 4, 5), (Bytes{4, 5, 200, 0, 0x10, 0x01, 60, 2, 1}));
    EXPECT_EQ(find(53, 2), (Bytes{2, 1}));
    EXPECT_EQ(find(53, 8), (Bytes{8, 1}));
    EXPECT_EQ(find(53, 7), (Bytes{7, 0}));
    EXPECT_EQ(find(59, 3), (Bytes{3, 0b11}));
    EXPECT_EQ(find(59, 4), (Bytes{4, 0}));
    EXPECT_EQ(find(54, 6), (Bytes{6, 1}));
    EXPECT_EQ(find(56, 0), (Bytes{0, 0x34, 0x12}));
}

TEST(PresetFileTest, BodyLengthDecidesBeforeAnythingChanges) {
    RecordingHost host;
    LUnitControl model(host);
    Bytes body = BodyOf(model.EncodePresetFile());
    body[0] = 'X';

    EXPECT_FALSE(model.ApplyPresetFile(std::span(body).first(785)));
    EXPECT_FALSE(model.ApplyPresetFile(Bytes{}));
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(model.GetImage() == DefaultUnitImage());

    // The bytes after the body (CR LF on disk) are ignored.
    body.push_back(0x0D);
    body.push_back(0x0A);
    ASSERT_TRUE(model.ApplyPresetFile(body));
    EXPECT_EQ(model.GetPresetName()[0], 'X');
    EXPECT_EQ(host.sent.size(), 166u);
}

}  // namespace
}  // namespace dsp
