#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "model/UnitImage.h"

namespace dsp {
namespace {

// The default image written from its description, by byte offset, without the image's structs.
std::vector<std::uint8_t> GoldenDefaultTable() {
    std::vector<std::uint8_t> t(800, 0);
    const auto word = [&](int offset, int value) {
        t[offset] = static_cast<std::uint8_t>(value & 0xFF);
        t[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    };
    const auto text = [&](int offset, const std::string& s) {
        std::memcpy(&t[offset], s.data(), s.size());
    };

    text(2, "Default Preset");

    const int inputFreqs[8] = {41, 71, 101, 140, 170, 200, 240, 270};
    const char* inputNames[3] = {"InA", "InB", "InC"};
    for (int i = 0; i < 3; ++i) {
        const int base = 16 + 78 * i;
        text(base, inputNames[i]);
        word(base + 8, 0);    // gate attack
        word(base + 10, 99);  // gate release
        word(base + 12, 99);  // gate hold
        word(base + 14, 0);   // gate threshold
        for (int b = 0; b < 8; ++b) {
            word(base + 16 + 6 * b, 120);
            word(base + 18 + 6 * b, inputFreqs[b]);
            t[base + 20 + 6 * b] = 35;
            t[base + 21 + 6 * b] = 0;
        }
        word(base + 64, 0);    // high pass
        word(base + 66, 300);  // low pass
        word(base + 70, 0);    // gain
        word(base + 76, 1 << i);
    }

    const int outputFreqs[9] = {31, 63, 95, 127, 158, 190, 222, 253, 285};
    const int routing[6] = {1, 2, 4, 1, 2, 4};
    for (int j = 0; j < 6; ++j) {
        const int base = 250 + 86 * j;
        text(base, "Out" + std::to_string(j + 1));
        word(base + 8, routing[j]);
        word(base + 10, 0);
        word(base + 12, 300);
        for (int b = 0; b < 9; ++b) {
            word(base + 16 + 6 * b, 120);
            word(base + 18 + 6 * b, outputFreqs[b]);
            t[base + 20 + 6 * b] = 35;
        }
        t[base + 70] = 0;         // ratio
        t[base + 71] = 0;         // knee
        word(base + 72, 49);      // attack
        word(base + 74, 499);     // release
        word(base + 76, 220);     // threshold
        word(base + 78, 280);     // gain
        word(base + 84, 1 << j);  // link mask
    }
    t[798] = '\r';
    t[799] = '\n';
    return t;
}

TEST(UnitImageTest, DefaultTableMatchesTheGoldenTable) {
    const std::vector<std::uint8_t> golden = GoldenDefaultTable();
    ASSERT_EQ(DefaultImageTable.size(), golden.size());
    for (std::size_t i = 0; i < golden.size(); ++i) {
        EXPECT_EQ(DefaultImageTable[i], golden[i]) << "byte " << i;
    }
}

TEST(UnitImageTest, DefaultImageIsTheTableWithoutCrLf) {
    const UnitImage image = DefaultUnitImage();
    const auto bytes = image.Bytes();
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), DefaultImageTable.begin()));
    // The first output starts at 250 and its gain word at 328 holds 280.
    EXPECT_EQ(bytes[250], 'O');
    EXPECT_EQ(bytes[328], 0x18);
    EXPECT_EQ(bytes[329], 0x01);
    EXPECT_EQ(image.Outputs[0].Gain, 280);
    EXPECT_EQ(bytes[796], 0);
    EXPECT_EQ(bytes[797], 0);
}

TEST(UnitImageTest, DefaultImageReadsThroughTheTypedFields) {
    const UnitImage image = DefaultUnitImage();
    EXPECT_EQ(std::string(image.PresetName.begin(), image.PresetName.end()), "Default Preset");
    EXPECT_EQ(image.Inputs[1].Gate.Release, 99);
    EXPECT_EQ(image.Inputs[2].Bands[7].Freq, 270);
    EXPECT_EQ(image.Inputs[2].Bands[7].Q, 35);
    EXPECT_EQ(image.Inputs[0].Crossover.LowPassFreq, 300);
    EXPECT_EQ(image.Inputs[2].LinkMask, 4);
    EXPECT_EQ(image.Outputs[4].RoutingMask, 2);
    EXPECT_EQ(image.Outputs[5].Bands[8].Freq, 285);
    EXPECT_EQ(image.Outputs[5].Compressor.Release, 499);
    EXPECT_EQ(image.Outputs[5].Compressor.Threshold, 220);
    EXPECT_EQ(image.Outputs[5].LinkMask, 32);
    EXPECT_EQ(image.OutputEqBypassMask, 0);
}

// Each typed field, written on a zero image, lands at the offset the layout gives, low byte first.
TEST(UnitImageTest, TypedFieldsSitAtTheirOffsets) {
    struct Case {
        const char* field;
        std::size_t offset;
        std::function<void(UnitImage&)> write;  // writes 0xA5 (8-bit) or 0x1234 (16-bit)
        bool word;
    };
    const Case cases[] = {
        {"PresetStatus", 0, [](UnitImage& m) { m.PresetStatus = 0xA5; }, false},
        {"Reserved", 1, [](UnitImage& m) { m.Reserved = 0xA5; }, false},
        {"PresetName[0]", 2, [](UnitImage& m) { m.PresetName[0] = 0xA5; }, false},
        {"PresetName[13]", 15, [](UnitImage& m) { m.PresetName[13] = 0xA5; }, false},
        {"InB.Name", 94, [](UnitImage& m) { m.Inputs[1].Name[0] = 0xA5; }, false},
        {"InA.Gate.Attack", 24, [](UnitImage& m) { m.Inputs[0].Gate.Attack = 0x1234; }, true},
        {"InA.Gate.Release", 26, [](UnitImage& m) { m.Inputs[0].Gate.Release = 0x1234; }, true},
        {"InA.Gate.Hold", 28, [](UnitImage& m) { m.Inputs[0].Gate.Hold = 0x1234; }, true},
        {"InA.Gate.Threshold", 30, [](UnitImage& m) { m.Inputs[0].Gate.Threshold = 0x1234; }, true},
        {"InA.Band0.Gain", 32, [](UnitImage& m) { m.Inputs[0].Bands[0].Gain = 0x1234; }, true},
        {"InA.Band0.Freq", 34, [](UnitImage& m) { m.Inputs[0].Bands[0].Freq = 0x1234; }, true},
        {"InA.Band0.Q", 36, [](UnitImage& m) { m.Inputs[0].Bands[0].Q = 0xA5; }, false},
        {"InA.Band0.Type", 37, [](UnitImage& m) { m.Inputs[0].Bands[0].Type = 0xA5; }, false},
        {"InA.Band7.Gain", 74, [](UnitImage& m) { m.Inputs[0].Bands[7].Gain = 0x1234; }, true},
        {"InA.HighPassFreq", 80, [](UnitImage& m) { m.Inputs[0].Crossover.HighPassFreq = 0x1234; },
         true},
        {"InA.LowPassFreq", 82, [](UnitImage& m) { m.Inputs[0].Crossover.LowPassFreq = 0x1234; },
         true},
        {"InA.HighPassSlope", 84, [](UnitImage& m) { m.Inputs[0].Crossover.HighPassSlope = 0xA5; },
         false},
        {"InA.LowPassSlope", 85, [](UnitImage& m) { m.Inputs[0].Crossover.LowPassSlope = 0xA5; },
         false},
        {"InA.Gain", 86, [](UnitImage& m) { m.Inputs[0].Gain = 0x1234; }, true},
        {"InA.Polarity", 88, [](UnitImage& m) { m.Inputs[0].Polarity = 0x1234; }, true},
        {"InA.Delay", 90, [](UnitImage& m) { m.Inputs[0].Delay = 0x1234; }, true},
        {"InA.LinkMask", 92, [](UnitImage& m) { m.Inputs[0].LinkMask = 0x1234; }, true},
        {"InC.LinkMask", 248, [](UnitImage& m) { m.Inputs[2].LinkMask = 0x1234; }, true},
        {"Out1.Name", 250, [](UnitImage& m) { m.Outputs[0].Name[0] = 0xA5; }, false},
        {"Out1.RoutingMask", 258, [](UnitImage& m) { m.Outputs[0].RoutingMask = 0x1234; }, true},
        {"Out1.HighPassFreq", 260,
         [](UnitImage& m) { m.Outputs[0].Crossover.HighPassFreq = 0x1234; }, true},
        {"Out1.Band0.Gain", 266, [](UnitImage& m) { m.Outputs[0].Bands[0].Gain = 0x1234; }, true},
        {"Out1.Band8.Type", 319, [](UnitImage& m) { m.Outputs[0].Bands[8].Type = 0xA5; }, false},
        {"Out1.Ratio", 320, [](UnitImage& m) { m.Outputs[0].Compressor.Ratio = 0xA5; }, false},
        {"Out1.Knee", 321, [](UnitImage& m) { m.Outputs[0].Compressor.Knee = 0xA5; }, false},
        {"Out1.Comp.Attack", 322, [](UnitImage& m) { m.Outputs[0].Compressor.Attack = 0x1234; },
         true},
        {"Out1.Comp.Release", 324, [](UnitImage& m) { m.Outputs[0].Compressor.Release = 0x1234; },
         true},
        {"Out1.Comp.Threshold", 326,
         [](UnitImage& m) { m.Outputs[0].Compressor.Threshold = 0x1234; }, true},
        {"Out1.Gain", 328, [](UnitImage& m) { m.Outputs[0].Gain = 0x1234; }, true},
        {"Out1.Polarity", 330, [](UnitImage& m) { m.Outputs[0].Polarity = 0x1234; }, true},
        {"Out1.Delay", 332, [](UnitImage& m) { m.Outputs[0].Delay = 0x1234; }, true},
        {"Out1.LinkMask", 334, [](UnitImage& m) { m.Outputs[0].LinkMask = 0x1234; }, true},
        {"Out6.LinkMask", 764, [](UnitImage& m) { m.Outputs[5].LinkMask = 0x1234; }, true},
        {"InputMuteMask", 766, [](UnitImage& m) { m.InputMuteMask = 0x1234; }, true},
        {"OutputMuteMask", 768, [](UnitImage& m) { m.OutputMuteMask = 0x1234; }, true},
        {"BandBypassMasks[0]", 770, [](UnitImage& m) { m.BandBypassMasks[0] = 0x1234; }, true},
        {"BandBypassMasks[8]", 786, [](UnitImage& m) { m.BandBypassMasks[8] = 0x1234; }, true},
        {"TestSignalMode", 788, [](UnitImage& m) { m.TestSignalMode = 0x1234; }, true},
        {"SineIndex", 790, [](UnitImage& m) { m.SineIndex = 0x1234; }, true},
        {"DelayUnit", 792, [](UnitImage& m) { m.DelayUnit = 0x1234; }, true},
        {"InputEqBypassMask", 794, [](UnitImage& m) { m.InputEqBypassMask = 0x1234; }, true},
        {"OutputEqBypassMask", 796, [](UnitImage& m) { m.OutputEqBypassMask = 0x1234; }, true},
    };
    for (const Case& c : cases) {
        UnitImage image{};
        c.write(image);
        std::vector<std::uint8_t> expected(UnitImageSize, 0);
        if (c.word) {
            expected[c.offset] = 0x34;
            expected[c.offset + 1] = 0x12;
        } else {
            expected[c.offset] = 0xA5;
        }
        const auto bytes = image.Bytes();
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected) << c.field;
    }
}

TEST(UnitImageTest, ChannelIndexedFieldsFollowTheChannelLayout) {
    UnitImage image{};
    const auto* base = image.Bytes().data();
    const auto offset = [&](const void* p) { return static_cast<const std::uint8_t*>(p) - base; };
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const bool input = ch < 3;
        const std::ptrdiff_t start = input ? 16 + 78 * ch : 86 * ch - 8;
        EXPECT_EQ(UnitImage::IsInput(ch), input);
        EXPECT_EQ(UnitImage::BandCount(ch), input ? 8 : 9);
        EXPECT_EQ(offset(&image.Name(ch)), start) << ch;
        EXPECT_EQ(offset(&image.Crossover(ch)), start + (input ? 64 : 10)) << ch;
        for (int b = 0; b < UnitImage::BandCount(ch); ++b) {
            EXPECT_EQ(offset(&image.Band(ch, b)), start + 16 + 6 * b) << ch << " " << b;
        }
        const std::ptrdiff_t gain = start + (input ? 70 : 78);
        EXPECT_EQ(offset(&image.Gain(ch)), gain) << ch;
        EXPECT_EQ(offset(&image.Polarity(ch)), gain + 2) << ch;
        EXPECT_EQ(offset(&image.Delay(ch)), gain + 4) << ch;
        EXPECT_EQ(offset(&image.LinkMask(ch)), gain + 6) << ch;
    }
    const UnitImage& constImage = image;
    EXPECT_EQ(&constImage.Band(4, 2), &image.Outputs[1].Bands[2]);
}

TEST(UnitImageTest, ChannelAndBandOutsideTheImageRaise) {
    UnitImage image{};
    EXPECT_THROW(image.Gain(-1), EListError);
    EXPECT_THROW(image.Gain(9), EListError);
    EXPECT_THROW(UnitImage::BandCount(9), EListError);
    EXPECT_THROW(image.Band(0, 8), EListError);
    EXPECT_THROW(image.Band(3, 9), EListError);
    EXPECT_THROW(image.Band(3, -1), EListError);
    EXPECT_NO_THROW(image.Band(3, 8));
}

TEST(UnitImageTest, BytesRoundTripAndWordsAreLittleEndian) {
    std::vector<std::uint8_t> raw(UnitImageSize);
    for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const UnitImage image =
        UnitImage::FromBytes(std::span<const std::uint8_t, UnitImageSize>(raw.data(), raw.size()));
    const auto bytes = image.Bytes();
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), raw);
    EXPECT_EQ(image.TestSignalMode, raw[788] | raw[789] << 8);

    UnitImage copy = image;
    EXPECT_EQ(copy, image);
    copy.Bytes()[797] ^= 1;
    EXPECT_NE(copy, image);

    Le16 word(0xBEEF);
    EXPECT_EQ(word.Low(), 0xEF);
    EXPECT_EQ(word.High(), 0xBE);
    word = static_cast<std::uint16_t>(word + 1);
    EXPECT_EQ(word, 0xBEF0);
}

}  // namespace
}  // namespace dsp
