#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "framework/core/Exceptions.h"
#include "model/Constants.h"
#include "model/Lunitcontrol.h"
#include "tests/model/RecordingHost.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::RecordingHost;

class LUnitControlTest : public ::testing::Test {
protected:
    RecordingHost host_;
    LUnitControl model_{host_};
};

// One edit through a setter: what it must send and how the image must change (applied to a copy
// of the default image, so any other change to the image shows as a difference).
struct SetterCase {
    const char* name;
    std::function<void(LUnitControl&)> edit;
    std::uint8_t code;  // 0: nothing sent
    Bytes payload;
    bool noCoalesce;
    std::vector<int> dirtyCurves;
    std::function<void(UnitImage&)> expected;
};

std::vector<SetterCase> SetterCases() {
    const CompressorParams comp{3, 6, Le16(10), Le16(200), Le16(150)};
    const GateParams gate{Le16(5), Le16(300), Le16(20), Le16(0x0100)};
    const PeqBandParams band{Le16(130), Le16(0x0150), 40, ptLowShelf};
    const CrossoverParams crossover{Le16(50), Le16(200), 4, 9};
    const ChannelNameBytes name{'S', 'u', 'b', ' ', 'L', 0, 0, 0};
    return {
        {"Compressor",
         [=](LUnitControl& m) { m.SetCompressor(4, comp); },
         48,
         {4, 3, 6, 10, 0, 200, 0, 150, 0},
         false,
         {},
         [=](UnitImage& i) { i.Outputs[1].Compressor = comp; }},
        {"Gate",
         [=](LUnitControl& m) { m.SetGate(1, gate); },
         62,
         {1, 5, 0, 0x2C, 0x01, 20, 0, 0x00, 0x01},
         false,
         {},
         [=](UnitImage& i) { i.Inputs[1].Gate = gate; }},
        {"PolarityKeepsItsByteInTheImageSendsOne",
         [](LUnitControl& m) { m.SetPolarity(5, 2); },
         54,
         {5, 1},
         false,
         {},
         [](UnitImage& i) { i.Polarity(5) = 2; }},
        {"EqBandWithBypass",
         [=](LUnitControl& m) { m.SetPeqBand(0, 3, band, 1); },
         51,
         {0, 3, 130, 0, 0x50, 0x01, 40, 1, 1},
         false,
         {0},
         [=](UnitImage& i) {
             i.Band(0, 3) = band;
             i.BandBypassMasks[0] = 0x0008;
         }},
        {"HighPassTakesOnlyItsHalf",
         [=](LUnitControl& m) { m.SetHighPass(3, crossover); },
         50,
         {3, 50, 0, 4},
         false,
         {3},
         [](UnitImage& i) {
             i.Crossover(3).HighPassFreq = 50;
             i.Crossover(3).HighPassSlope = 4;
         }},
        {"LowPassTakesOnlyItsHalf",
         [=](LUnitControl& m) { m.SetLowPass(8, crossover); },
         49,
         {8, 200, 0, 9},
         false,
         {8},
         [](UnitImage& i) {
             i.Crossover(8).LowPassFreq = 200;
             i.Crossover(8).LowPassSlope = 9;
         }},
        {"Gain",
         [](LUnitControl& m) { m.SetGain(3, 300); },
         52,
         {3, 0x2C, 0x01},
         false,
         {},
         [](UnitImage& i) { i.Gain(3) = 300; }},
        {"Delay",
         [](LUnitControl& m) { m.SetDelay(8, 960); },
         56,
         {8, 0xC0, 0x03},
         false,
         {},
         [](UnitImage& i) { i.Delay(8) = 960; }},
        {"MuteFlagTwoSetsTheBitAndIsSentAsTwo",
         [](LUnitControl& m) { m.SetMute(2, 2); },
         53,
         {2, 2},
         false,
         {},
         [](UnitImage& i) { i.InputMuteMask = 0x0004; }},
        {"OutputMute",
         [](LUnitControl& m) { m.SetMute(7, 1); },
         53,
         {7, 1},
         false,
         {},
         [](UnitImage& i) { i.OutputMuteMask = 0x0010; }},
        {"RoutingKeepsTheWholeMaskSendsItsLowByte",
         [](LUnitControl& m) { m.SetRouting(6, 0x0105); },
         58,
         {6, 0x05},
         false,
         {},
         [](UnitImage& i) { i.Outputs[3].RoutingMask = 0x0105; }},
        {"DelayUnit",
         [](LUnitControl& m) { m.SetDelayUnit(2); },
         21,
         {2},
         false,
         {},
         [](UnitImage& i) { i.DelayUnit = 2; }},
        {"LinkMaskIsAppendedOnly",
         [](LUnitControl& m) { m.SetLinkMask(4, 0x0103); },
         59,
         {4, 0x03},
         true,
         {},
         [](UnitImage& i) { i.LinkMask(4) = 0x0103; }},
        {"ChannelNameIsAppendedOnly",
         [=](LUnitControl& m) { m.SetChannelName(7, name); },
         61,
         {7, 'S', 'u', 'b', ' ', 'L', 0, 0, 0},
         true,
         {},
         [=](UnitImage& i) { i.Name(7) = name; }},
        {"EqBypassMaskSendsNothing",
         [](LUnitControl& m) { m.SetEqBypassMask(5, 0x12); },
         0,
         {},
         false,
         {},
         [](UnitImage& i) { i.OutputEqBypassMask = 0x12; }},
    };
}

void PrintTo(const SetterCase& c, std::ostream* os) { *os << c.name; }

// Each setter, with the session live and while an image is being applied (nothing is sent then).
class Setters : public ::testing::TestWithParam<std::tuple<SetterCase, bool>> {};

TEST_P(Setters, WriteTheImageAndSendOneRecord) {
    const auto& [c, applying] = GetParam();
    RecordingHost h;
    h.deviceId = 7;
    h.applyingImage = applying;
    LUnitControl m(h);
    c.edit(m);

    UnitImage expected = DefaultUnitImage();
    c.expected(expected);
    EXPECT_TRUE(m.GetImage() == expected);
    // Curves are marked whether or not anything is sent.
    EXPECT_EQ(h.dirtyCurves, c.dirtyCurves);

    if (applying || c.code == 0) {
        EXPECT_TRUE(h.sent.empty());
        return;
    }
    ASSERT_EQ(h.sent.size(), 1u);
    const auto& sent = h.sent[0];
    EXPECT_TRUE(sent.framed);
    EXPECT_EQ(sent.noCoalesce, c.noCoalesce);
    EXPECT_EQ(sent.bytes[Frame::ReceiverIndex], 7);
    EXPECT_EQ(sent.Code(), c.code);
    EXPECT_EQ(sent.Payload(), c.payload);
}

INSTANTIATE_TEST_SUITE_P(EverySetter, Setters,
                         ::testing::Combine(::testing::ValuesIn(SetterCases()), ::testing::Bool()),
                         [](const auto& row) {
                             return std::string(std::get<0>(row.param).name) +
                                    (std::get<1>(row.param) ? "WhileApplyingAnImage" : "");
                         });

// Link masks of both sides (inputs first, then outputs), the channel edited, the channels that
// must take the edit and the channel the record names (the one whose mask the processor applies).
struct LinkCase {
    const char* name;
    std::vector<std::uint16_t> masks;  // channels 0.. in order; the rest keep their own bit
    int edited;
    std::vector<int> written;
    int named;
};

std::vector<LinkCase> LinkCases() {
    return {
        {"leader writes its followers", {0b011, 0}, 0, {0, 1}, 0},
        {"follower writes its leader's group", {0b011, 0}, 1, {0, 1}, 0},
        {"mask without its own bit writes only what it names", {0b010}, 0, {1}, 0},
        {"follower of a group led by the middle input", {0b001, 0b110, 0}, 2, {1, 2}, 1},
        {"the first lower channel holding the bit gives the group",
         {0b101, 0b110, 0},
         2,
         {0, 2},
         0},
        {"a follower nobody names writes nothing", {0b001, 0b010, 0}, 2, {}, 2},
        {"bits beyond the side select nothing", {0xFFF9}, 0, {0}, 0},
        {"output group, edited from a follower",
         {1, 2, 4, 0b101101, 0b000010, 0, 0, 0b010000, 0},
         6,
         {3, 5, 6, 8},
         3},
        {"output bits beyond the six outputs select nothing", {1, 2, 4, 0xFFC1}, 3, {3}, 3},
    };
}

void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

// A row's sentence as a test name: "follower writes its leader's group" gives
// "FollowerWritesItsLeadersGroup".
std::string RowIdentifier(std::string_view sentence) {
    std::string name;
    bool wordStart = true;
    for (const char c : sentence) {
        if (c == ' ') {
            wordStart = true;
        } else if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            name += wordStart ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            wordStart = false;
        }
    }
    return name;
}

class GainLinkGroups : public ::testing::TestWithParam<LinkCase> {};

TEST_P(GainLinkGroups, GainFollowsTheLinkGroupAndNamesTheChannelWhoseMaskGivesIt) {
    const LinkCase& c = GetParam();
    RecordingHost h;
    LUnitControl m(h);
    for (std::size_t ch = 0; ch < c.masks.size(); ++ch) {
        m.SetLinkMask(static_cast<int>(ch), c.masks[ch]);
    }
    h.sent.clear();

    m.SetGain(c.edited, 123);

    const UnitImage defaults = DefaultUnitImage();
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const bool linked = std::find(c.written.begin(), c.written.end(), ch) != c.written.end();
        EXPECT_EQ(m.GetGain(ch), linked ? 123 : defaults.Gain(ch)) << "channel " << ch;
    }
    EXPECT_EQ(m.GetLinkGroupLeader(c.edited), c.named);
    ASSERT_EQ(h.sent.size(), 1u);
    EXPECT_EQ(h.sent[0].Payload(), (Bytes{static_cast<std::uint8_t>(c.named), 123, 0}));
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, GainLinkGroups, ::testing::ValuesIn(LinkCases()),
                         [](const auto& row) { return RowIdentifier(row.param.name); });

// Every setter that follows links, edited from a follower: the leader takes the edit too, so the
// image (and any preset file or record built from it later) carries what the follower shows.
TEST_F(LUnitControlTest, EveryLinkedSetterReachesTheLeaderFromAFollower) {
    model_.SetLinkMask(0, 0b011);  // InA leads InB
    model_.SetLinkMask(1, 0);
    model_.SetLinkMask(3, 0b101);  // Out1 leads Out3
    model_.SetLinkMask(5, 0);

    const GateParams gate{Le16(1), Le16(2), Le16(30), Le16(40)};
    const CompressorParams comp{15, 12, Le16(998), Le16(2999), Le16(220)};
    const PeqBandParams band{Le16(0), Le16(300), 100, ptAllpass2};
    const CrossoverParams crossover{Le16(77), Le16(88), 20, 19};
    model_.SetGate(1, gate);
    model_.SetCompressor(5, comp);
    model_.SetPolarity(1, 1);
    model_.SetPeqBand(5, 8, band, 1);
    model_.SetHighPass(1, crossover);
    model_.SetLowPass(5, crossover);
    model_.SetDelay(5, 65280);
    model_.SetMute(1, 1);
    model_.SetMute(5, 1);

    for (int leader : {0, 3}) {
        SCOPED_TRACE(leader);
        const int follower = leader == 0 ? 1 : 5;
        EXPECT_TRUE(model_.GetMute(leader));
        EXPECT_TRUE(model_.GetMute(follower));
        EXPECT_TRUE(model_.GetCrossover(leader) == model_.GetCrossover(follower));
        EXPECT_EQ(model_.GetPolarity(leader), model_.GetPolarity(follower));
        EXPECT_EQ(model_.GetDelay(leader), model_.GetDelay(follower));
    }
    EXPECT_TRUE(model_.GetGate(0) == gate);
    EXPECT_TRUE(model_.GetPolarity(0));
    EXPECT_EQ(model_.GetCrossover(0).HighPassFreq, 77);
    EXPECT_EQ(model_.GetCrossover(0).LowPassFreq, 300);
    EXPECT_TRUE(model_.GetCompressor(3) == comp);
    EXPECT_TRUE(model_.GetPeqBand(3, 8) == band);
    EXPECT_TRUE(model_.IsBandBypassed(3, 8));
    EXPECT_TRUE(model_.IsBandBypassed(5, 8));
    EXPECT_EQ(model_.GetCrossover(3).LowPassFreq, 88);
    EXPECT_EQ(model_.GetDelay(3), 65280);
    // Channels outside the groups keep their defaults.
    EXPECT_FALSE(model_.GetMute(2));
    EXPECT_FALSE(model_.GetMute(4));
    EXPECT_EQ(model_.GetDelay(4), 0);
    EXPECT_TRUE(model_.GetGate(2) == DefaultUnitImage().Inputs[2].Gate);
}

TEST_F(LUnitControlTest, BandBypassIsSetAndClearedInEveryLinkedChannel) {
    model_.SetLinkMask(6, 0b011000);  // Out4 leads Out5
    model_.SetLinkMask(7, 0);
    const PeqBandParams band = model_.GetPeqBand(6, 2);
    model_.SetPeqBand(6, 2, band, 1);
    EXPECT_EQ(model_.GetImage().BandBypassMasks[6], 0x0004);
    EXPECT_EQ(model_.GetImage().BandBypassMasks[7], 0x0004);
    model_.SetPeqBand(7, 2, band, 0);
    EXPECT_EQ(model_.GetImage().BandBypassMasks[6], 0);
    EXPECT_EQ(model_.GetImage().BandBypassMasks[7], 0);
    EXPECT_EQ(host_.dirtyCurves, (std::vector<int>{6, 7}));
}

TEST_F(LUnitControlTest, CopyChannelCopiesSettingsAndStatesButKeepsIdentity) {
    const CompressorParams comp{5, 3, Le16(20), Le16(100), Le16(170)};
    model_.SetCompressor(3, comp);
    model_.SetGain(3, 111);
    model_.SetPeqBand(3, 4, PeqBandParams{Le16(10), Le16(20), 30, ptHighPass}, 1);
    model_.SetMute(3, 1);
    model_.SetEqBypassMask(3, 0b000001);
    model_.SetMute(6, 1);  // Out4 muted, Out1 after the copy: not
    model_.SetLinkMask(6, 0b011000);
    model_.SetRouting(6, 0b110);
    model_.SetMute(3, 0);
    host_.sent.clear();

    model_.CopyChannel(3, 6);

    const UnitImage& image = model_.GetImage();
    EXPECT_TRUE(model_.GetCompressor(6) == comp);
    EXPECT_EQ(model_.GetGain(6), 111);
    EXPECT_TRUE(model_.GetPeqBand(6, 4) == model_.GetPeqBand(3, 4));
    EXPECT_EQ(image.BandBypassMasks[6], 0x0010);
    EXPECT_FALSE(model_.GetMute(6));
    EXPECT_EQ(model_.GetEqBypassMask(6), 0b001001);
    // Out4 keeps its name, routing and link mask.
    EXPECT_TRUE(image.Name(6) == DefaultUnitImage().Name(6));
    EXPECT_EQ(model_.GetRoutingMask(6), 0b110);
    EXPECT_EQ(model_.GetLinkMask(6), 0b011000);
    EXPECT_TRUE(host_.sent.empty());

    EXPECT_THROW(model_.CopyChannel(0, 3), EListError);
}

TEST_F(LUnitControlTest, GettersReadTheDefaultImage) {
    EXPECT_EQ(model_.GetGain(3), 280);
    EXPECT_EQ(model_.GetGain(0), 0);
    EXPECT_EQ(model_.GetLinkMask(5), 0b000100);
    EXPECT_EQ(model_.GetRoutingMask(6), 1);
    EXPECT_EQ(model_.GetPeqBand(8, 8).Freq, 285);
    EXPECT_EQ(model_.GetCompressor(4).Threshold, 220);
    EXPECT_EQ(model_.GetGate(2).Release, 99);
    EXPECT_EQ(std::string(model_.GetPresetName().begin(), model_.GetPresetName().end()),
              "Default Preset");
    EXPECT_EQ(model_.GetChannelName(8)[3], '6');

    model_.SetPeqBand(8, 8, PeqBandParams{}, 0);
    EXPECT_EQ(model_.GetDefaultPeqBand(8, 8).Freq, 285);
    model_.LoadDefaults();
    EXPECT_TRUE(model_.GetImage() == DefaultUnitImage());
}

TEST_F(LUnitControlTest, ChannelsOutsideTheOperationRaiseAListError) {
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"gate of an output", [&] { model_.GetGate(3); }},
        {"compressor of an input", [&] { model_.SetCompressor(2, {}); }},
        {"routing of an input", [&] { model_.SetRouting(0, 1); }},
        {"channel 9", [&] { model_.SetGain(9, 0); }},
        {"channel -1", [&] { model_.GetMute(-1); }},
        {"band 8 of an input", [&] { model_.SetPeqBand(2, 8, {}, 0); }},
        {"slot 30", [&] { model_.IsPresetUsed(30); }},
    };
    for (const auto& [name, call] : calls) {
        SCOPED_TRACE(name);
        EXPECT_THROW(call(), EListError);
    }
    EXPECT_TRUE(model_.GetImage() == DefaultUnitImage());
    EXPECT_TRUE(host_.sent.empty());
}

TEST_F(LUnitControlTest, PresetMapMarksSlotsThatReadFF) {
    Bytes map(30, 0);
    map[0] = 0xFF;
    map[2] = 0xFF;
    map[29] = 0xFF;
    map[5] = 0x01;
    ASSERT_TRUE(model_.SetPresetMap(map));
    for (int k = 0; k < 30; ++k)
        EXPECT_EQ(model_.IsPresetUsed(k), k == 0 || k == 2 || k == 29) << k;

    model_.SetPresetUsed(5);
    EXPECT_TRUE(model_.IsPresetUsed(5));
    // A new map replaces every flag.
    ASSERT_TRUE(model_.SetPresetMap(Bytes(31, 0)));
    for (int k = 0; k < 30; ++k) EXPECT_FALSE(model_.IsPresetUsed(k)) << k;
}

TEST_F(LUnitControlTest, ShortRepliesAreRejectedWhole) {
    ASSERT_TRUE(model_.SetPresetMap(Bytes(30, 0xFF)));
    EXPECT_FALSE(model_.SetPresetMap(Bytes(29, 0)));
    EXPECT_FALSE(model_.SetPresetMap(Bytes{}));
    for (int k = 0; k < 30; ++k) EXPECT_TRUE(model_.IsPresetUsed(k)) << k;

    EXPECT_FALSE(model_.SetPresetName(Bytes(13, 'x')));
    EXPECT_TRUE(model_.GetImage() == DefaultUnitImage());

    EXPECT_FALSE(model_.ShowPresetName(3, Bytes(14, 'x')));
    EXPECT_FALSE(model_.ShowPresetName(0, Bytes(15, 'x')));
    EXPECT_FALSE(model_.ShowPresetName(31, Bytes(15, 'x')));
    EXPECT_TRUE(host_.recallRows.empty());
    EXPECT_TRUE(host_.storeRows.empty());
}

TEST_F(LUnitControlTest, PresetNameTakesFourteenBytes) {
    const std::string name("Live Stage 1\0\0tail", 18);
    ASSERT_TRUE(model_.SetPresetName(Bytes(name.begin(), name.end())));
    EXPECT_EQ(std::string(model_.GetPresetName().begin(), model_.GetPresetName().end()),
              std::string("Live Stage 1\0\0", 14));
}

TEST_F(LUnitControlTest, PresetNamesFillBothGrids) {
    Bytes zeros(15, 0);
    zeros[0] = 2;
    ASSERT_TRUE(model_.ShowPresetName(3, zeros));
    EXPECT_EQ(host_.recallRows.at(3), std::string(14, ' '));
    EXPECT_EQ(host_.storeRows.at(2), std::string(14, ' '));

    // Names come from the processor in GBK: "中文" then zero bytes.
    const Bytes chinese{29, 0xD6, 0xD0, 0xCE, 0xC4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(model_.ShowPresetName(30, chinese));
    EXPECT_EQ(host_.recallRows.at(30), "\xE4\xB8\xAD\xE6\x96\x87" + std::string(10, ' '));
    EXPECT_EQ(host_.storeRows.at(29), host_.recallRows.at(30));
}

TEST_F(LUnitControlTest, ResetPresetGridsNamesEveryUserPreset) {
    model_.ResetPresetGrids();
    EXPECT_EQ(host_.recallRows.size(), 30u);
    EXPECT_EQ(host_.storeRows.size(), 30u);
    EXPECT_EQ(host_.recallRows.count(0), 0u);  // the factory preset's row is not touched
    EXPECT_EQ(host_.recallRows.at(1), "Default Preset");
    EXPECT_EQ(host_.recallRows.at(30), "Default Preset");
    EXPECT_EQ(host_.storeRows.at(0), "Default Preset");
    EXPECT_EQ(host_.storeRows.at(29), "Default Preset");
}

}  // namespace
}  // namespace dsp
