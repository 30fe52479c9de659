#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Lunitcontrol.h"
#include "tests/model/RecordingHost.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Memory = std::array<std::uint8_t, 800>;
using test::TTempFolder;
using testing::RecordingHost;

// 800 bytes of device memory that differ from each other and from any other seed's.
Memory DeviceMemory(std::uint8_t seed) {
    Memory m;
    for (std::size_t i = 0; i < m.size(); ++i) m[i] = static_cast<std::uint8_t>(i * 7 + seed);
    m[0] = 0xFF;  // a stored preset's status byte
    return m;
}

// A block reply: the block number, then its 50 bytes.
Bytes Block(const Memory& m, int b) {
    Bytes payload(51);
    payload[0] = static_cast<std::uint8_t>(b);
    std::copy_n(m.begin() + 50 * b, 50, payload.begin() + 1);
    return payload;
}

// The image bytes a settings read gives: the memory's, but for the first two image bytes.
Bytes ImageAfterRead(const Memory& m, const UnitImage& before) {
    Bytes image(m.begin(), m.begin() + 798);
    image[0] = before.PresetStatus;
    image[1] = before.Reserved;
    return image;
}

Bytes ImageBytes(const LUnitControl& model) {
    const auto bytes = model.GetImage().Bytes();
    return Bytes(bytes.begin(), bytes.end());
}

Bytes ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class MemoryBlockTest : public ::testing::Test {
protected:
    RecordingHost host_;
    LUnitControl model_{host_};
};

TEST_F(MemoryBlockTest, SettingsReadReplacesTheImageButItsFirstTwoBytes) {
    const Memory x = DeviceMemory(3);
    for (int b = 0; b < 15; ++b) {
        ASSERT_TRUE(model_.ReceiveSettingsBlock(Block(x, b)));
        EXPECT_TRUE(model_.GetImage() == DefaultUnitImage()) << "block " << b;
    }
    ASSERT_TRUE(model_.ReceiveSettingsBlock(Block(x, 15)));
    EXPECT_EQ(ImageBytes(model_), ImageAfterRead(x, DefaultUnitImage()));
    EXPECT_TRUE(host_.sent.empty());
}

TEST_F(MemoryBlockTest, LastBlockCompletesTheImageWhicheverBlocksCameBefore) {
    const Memory x = DeviceMemory(3);
    const Memory y = DeviceMemory(100);
    for (int b = 0; b < 16; ++b) ASSERT_TRUE(model_.ReceiveSettingsBlock(Block(x, b)));

    // Block 15 of a new read arrives first: the buffer still holds the older blocks.
    ASSERT_TRUE(model_.ReceiveSettingsBlock(Block(y, 15)));
    Memory mixed = x;
    std::copy(y.begin() + 750, y.end(), mixed.begin() + 750);
    EXPECT_EQ(ImageBytes(model_), ImageAfterRead(mixed, DefaultUnitImage()));

    // The rest arrive out of order; nothing changes until the last block comes again.
    for (int b : {7, 0, 14, 3, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13}) {
        ASSERT_TRUE(model_.ReceiveSettingsBlock(Block(y, b)));
    }
    EXPECT_EQ(ImageBytes(model_), ImageAfterRead(mixed, DefaultUnitImage()));
    ASSERT_TRUE(model_.ReceiveSettingsBlock(Block(y, 15)));
    EXPECT_EQ(ImageBytes(model_), ImageAfterRead(y, DefaultUnitImage()));
}

TEST_F(MemoryBlockTest, BlocksThatDoNotFitAreRejectedAndWriteNothing) {
    const Memory x = DeviceMemory(9);
    Bytes tooLong = Block(x, 3);
    tooLong.push_back(0xAA);
    Bytes pastTheEnd = Block(x, 15);
    pastTheEnd[0] = 16;
    const std::vector<std::pair<const char*, Bytes>> bad = {
        {"empty", {}},
        {"block 16", pastTheEnd},
        {"block 255", {255, 1, 2, 3}},
        {"51 bytes", tooLong},
    };
    for (const auto& [name, payload] : bad) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(model_.ReceiveSettingsBlock(payload));
        EXPECT_FALSE(model_.ReceivePresetBlock(1, payload));
    }
    EXPECT_FALSE(model_.ReceivePresetBlock(0, Block(x, 15)));
    EXPECT_FALSE(model_.ReceivePresetBlock(31, Block(x, 15)));
    EXPECT_TRUE(model_.GetImage() == DefaultUnitImage());

    // Nothing of the rejected blocks reached the buffer: block 15 alone leaves the rest zero.
    ASSERT_TRUE(model_.ReceiveSettingsBlock(Block(x, 15)));
    Memory expected{};
    std::copy(x.begin() + 750, x.end(), expected.begin() + 750);
    EXPECT_EQ(ImageBytes(model_), ImageAfterRead(expected, DefaultUnitImage()));
}

TEST_F(MemoryBlockTest, DeviceBlockLongerThanEighteenBytesIsRejected) {
    EXPECT_FALSE(model_.SetDeviceBlock(Bytes(19, 0xEE)));
    Bytes device(18);
    for (std::size_t i = 0; i < device.size(); ++i) device[i] = static_cast<std::uint8_t>(i + 1);
    ASSERT_TRUE(model_.SetDeviceBlock(device));
    const Bytes file = model_.EncodeUnitFile();
    EXPECT_EQ(Bytes(file.begin() + 16, file.begin() + 34), device);
}

// This unit uses the header itself, as any unit that reads or writes these files may: whichever
// unit's copy of it the program ends up with, both encoders write it whole.
TEST_F(MemoryBlockTest, BothFileKindsStartWithTheHeaderEveryUnitShares) {
    const std::string_view& header = FileHeader;
    const Bytes unit = model_.EncodeUnitFile();
    const std::vector<std::uint8_t> preset = model_.EncodePresetFile();
    ASSERT_EQ(unit.size(), UnitFileSize);
    ASSERT_EQ(preset.size(), PresetFileSize - 2);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), unit.begin()));
    EXPECT_TRUE(std::equal(header.begin(), header.end(), preset.begin()));
}

// An upload of presets 1 and 3: device bytes, then each used slot's 16 blocks.
class UnitFileTest : public MemoryBlockTest {
protected:
    void Upload() {
        Bytes map(30, 0);
        map[0] = map[2] = 0xFF;
        ASSERT_TRUE(model_.SetPresetMap(map));
        for (std::size_t i = 0; i < device_.size(); ++i)
            device_[i] = static_cast<std::uint8_t>(0xA0 + i);
        ASSERT_TRUE(model_.SetDeviceBlock(device_));
        for (int n : {1, 3}) {
            for (int b = 0; b < 16; ++b)
                ASSERT_TRUE(model_.ReceivePresetBlock(n, Block(presets_[n], b)));
        }
    }

    Bytes device_ = Bytes(18);
    std::array<Memory, 4> presets_{Memory{}, DeviceMemory(11), Memory{}, DeviceMemory(33)};
    TTempFolder folder_;
};

TEST_F(UnitFileTest, UploadOfPresetsOneAndThree) {
    Upload();
    host_.saveUnitAnswer = folder_.File("backup");
    ASSERT_EQ(model_.WriteUnitFile(), ufWritten);
    EXPECT_EQ(host_.saveDialogShown, 1);

    const Bytes file = ReadFile(folder_.File("backup.unt"));
    ASSERT_EQ(file.size(), 24034u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 16), "*****WQJV010****");
    EXPECT_EQ(Bytes(file.begin() + 16, file.begin() + 34), device_);
    for (int k = 0; k < 30; ++k) {
        SCOPED_TRACE(k);
        const auto record = file.begin() + 34 + 800 * k;
        EXPECT_EQ(record[798], 0x0D);
        EXPECT_EQ(record[799], 0x0A);
        if (k == 0 || k == 2) {
            EXPECT_EQ(record[0], k + 1);
            EXPECT_EQ(record[1], 0xFF);
            // Image bytes 0 to 796 of the preset; its byte 797 is not kept.
            const Memory& m = presets_[static_cast<std::size_t>(k + 1)];
            EXPECT_TRUE(std::equal(record + 1, record + 798, m.begin()));
        } else {
            EXPECT_TRUE(
                std::all_of(record, record + 798, [](std::uint8_t c) { return c == 0x64; }));
        }
    }
    // The upload does not touch the current image.
    EXPECT_TRUE(model_.GetImage() == DefaultUnitImage());
}

TEST_F(UnitFileTest, DecodingGivesBackWhatTheUploadEncoded) {
    Upload();
    const Bytes file = model_.EncodeUnitFile();
    const std::optional<UnitFileContent> content = DecodeUnitFile(file);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(Bytes(content->DeviceBlock.begin(), content->DeviceBlock.end()), device_);
    EXPECT_EQ(content->UsedCount(), 2);
    for (int p = 1; p <= 30; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(content->InUse(p), p == 1 || p == 3);
        if (!content->InUse(p)) continue;
        EXPECT_EQ(content->Slot(p), p);
        const Memory& m = presets_[static_cast<std::size_t>(p)];
        EXPECT_TRUE(std::equal(m.begin(), m.begin() + 797, content->Record(p).begin() + 1));
    }
}

TEST_F(UnitFileTest, DecodingRefusesFilesTheProcessorMustNotTake) {
    Upload();
    const Bytes good = model_.EncodeUnitFile();
    // Every length but the one: cut anywhere (a cut record would be written padded with
    // zeros), or longer (not a file this program wrote).
    for (std::size_t length = 0; length < good.size(); ++length) {
        ASSERT_FALSE(DecodeUnitFile(std::span(good).first(length)).has_value()) << length;
    }
    for (std::size_t extra : {1u, 2u, 800u}) {
        Bytes longer = good;
        longer.resize(good.size() + extra, 0x0A);
        EXPECT_FALSE(DecodeUnitFile(longer).has_value()) << extra;
    }
    struct Case {
        const char* what;
        std::size_t at;
        std::uint8_t value;
    };
    const std::size_t record3 = 34 + 800 * 2;
    const Case cases[] = {
        {"header", 5, '*' + 1},
        {"slot 0 in use", 34, 0},
        {"slot 31 in use", record3, 31},
        {"slot 1 named twice", record3, 1},
    };
    for (const Case& c : cases) {
        Bytes bad = good;
        bad[c.at] = c.value;
        EXPECT_FALSE(DecodeUnitFile(bad).has_value()) << c.what;
    }
    // A record not in use may carry anything: it is not written.
    Bytes unused = good;
    unused[34 + 800 * 1] = 0;
    EXPECT_TRUE(DecodeUnitFile(unused).has_value());
    // Bytes of no meaning at all, and the same behind a good header.
    Bytes noise(good.size());
    std::uint32_t x = 12345;
    for (std::uint8_t& b : noise)
        b = static_cast<std::uint8_t>((x = x * 1103515245u + 12345u) >> 24);
    EXPECT_FALSE(DecodeUnitFile(noise).has_value());
}

TEST(PresetFileCheck, OnlyTheWholeFileWithItsHeaderIsAPresetFile) {
    RecordingHost host;
    LUnitControl model(host);
    Bytes file = model.EncodePresetFile();
    file.push_back(0x0D);
    file.push_back(0x0A);
    EXPECT_TRUE(IsPresetFile(file));
    for (std::size_t length = 0; length < file.size(); ++length) {
        ASSERT_FALSE(IsPresetFile(std::span(file).first(length))) << length;
    }
    Bytes longer = file;
    longer.push_back(0);
    EXPECT_FALSE(IsPresetFile(longer));
    Bytes wrong = file;
    wrong[15] = '#';
    EXPECT_FALSE(IsPresetFile(wrong));
}

TEST_F(UnitFileTest, CancelledDialogWritesNothing) {
    Upload();
    EXPECT_EQ(model_.WriteUnitFile(), ufCancelled);
    EXPECT_TRUE(std::filesystem::is_empty(folder_.Path()));
}

TEST_F(UnitFileTest, FailureIsReportedAndLeavesTheTargetAsItWas) {
    Upload();
    host_.saveUnitAnswer = folder_.File("missing/backup.unt");
    EXPECT_EQ(model_.WriteUnitFile(), ufFailed);

    // A target the file cannot replace (here a folder of that name) stays as it was, and no
    // temporary file is left beside it.
    std::filesystem::create_directory(folder_.File("rig.unt"));
    host_.saveUnitAnswer = folder_.File("rig");
    EXPECT_EQ(model_.WriteUnitFile(), ufFailed);
    EXPECT_TRUE(std::filesystem::is_directory(folder_.File("rig.unt")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(UnitFileNameTest, ChosenNameGetsTheExtensionOnlyWhenItHasNone) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"backup", "backup.unt"},
        {"backup.unt", "backup.unt"},
        {"backup.UNT", "backup.UNT"},
        {"backup.Unt", "backup.Unt"},
        // Another file than "a.unt": never cut down to it, which would overwrite that one
        // without the dialog having asked.
        {"a.unt.old", "a.unt.old"},
        {"stage.b.unt", "stage.b.unt"},
        {"backup.", "backup.unt"},
        {".hidden", ".hidden.unt"},
        {"/home/me/shows.untitled/rig", "/home/me/shows.untitled/rig.unt"},
        {"/home/me/x.unt.d/rig", "/home/me/x.unt.d/rig.unt"},
        {"/home/me/rig.unt", "/home/me/rig.unt"},
    };
    for (const auto& [chosen, written] : cases) {
        EXPECT_EQ(UnitFileName(chosen), written) << chosen;
    }
    EXPECT_EQ(PresetFileName("a.prs.old"), "a.prs.old");
    EXPECT_EQ(PresetFileName("a.PRS"), "a.PRS");
    EXPECT_EQ(PresetFileName("bass"), "bass.prs");
}

}  // namespace
}  // namespace dsp
