#include "tools/sim/ProcessorSimulator.h"

#include <gtest/gtest.h>

#include "tests/tools/SimTestSupport.h"
#include "tools/sim/FactoryImage.h"

namespace dsp::sim {
namespace {

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes Repeat(std::size_t n, std::uint8_t v) { return Bytes(n, v); }
Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct ReplyCase {
    const char* name;
    std::uint8_t code;
    Bytes payload;
    std::uint8_t replyCode;
    Bytes replyPayload;  // compared when replySize < 0
    int replySize;       // -1: compare replyPayload
};

void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }

class SimulatorReplies : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(SimulatorReplies, AnswersEachCommandAsTheEditorExpects) {
    const ReplyCase& c = GetParam();
    ProcessorSimulator sim;
    SimFrame r = Ask(sim, c.code, c.payload);
    EXPECT_EQ(r.code, c.replyCode);
    EXPECT_EQ(r.sender, 1);
    EXPECT_EQ(r.receiver, 0);
    if (c.replySize < 0) {
        EXPECT_EQ(r.payload, c.replyPayload);
    } else {
        EXPECT_EQ(static_cast<int>(r.payload.size()), c.replySize);
    }
    EXPECT_TRUE(sim.Faults().empty()) << sim.Faults()[0];
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SimulatorReplies,
    ::testing::Values(
        ReplyCase{"connect", 16, {}, 16, {}, -1},
        ReplyCase{"identity", 19, {}, 19, Text("WQJ V010"), -1},
        ReplyCase{"status", 44, {}, 44, {0, 0, 0, 0, 0, 0}, -1},
        ReplyCase{"preset_map", 34, {}, 34, Repeat(30, 0), -1},
        ReplyCase{"preset_number", 20, {}, 20, {0}, -1},
        ReplyCase{"preset_name", 41, {5}, 41, Concat({5}, Text("Default Preset")), -1},
        ReplyCase{"settings_block", 39, {3}, 36, {}, 51},
        ReplyCase{"device_read", 25, {0, 0, 18}, 25, Repeat(18, 0), -1},
        ReplyCase{"preset_block", 40, {15}, 40, {}, 51},
        ReplyCase{"download", 37, Concat({2, 4}, Repeat(50, 0x64)), 37, {2}, -1},
        ReplyCase{"password", 45, {0, 0, 0, 0, 0}, 45, {0, 1}, -1},
        ReplyCase{"levels", 64, {}, 64, {}, 37}, ReplyCase{"keep_alive", 18, {}, 1, {}, -1},
        ReplyCase{"device_write", 26, {1, 0, 2, 7, 8}, 1, {}, -1},
        ReplyCase{"recall", 32, {0}, 1, {}, -1}, ReplyCase{"store", 33, {1}, 1, {}, -1},
        ReplyCase{"factory_reset", 35, {}, 1, {}, -1}, ReplyCase{"select", 36, {1}, 1, {}, -1},
        ReplyCase{"preset_name_set", 38, Text("Stage left    "), 1, {}, -1},
        ReplyCase{"copy", 42, {3, 4}, 1, {}, -1},
        ReplyCase{"gain_echo", 52, {3, 0x18, 1}, 52, {}, -1},
        ReplyCase{"goodbye_echo", 17, {}, 17, {}, -1},
        ReplyCase{"set_lock_echo", 47, {0, 0, 0, 0}, 47, {}, -1},
        ReplyCase{"work_mode_echo", 57, {3, 10}, 57, {}, -1},
        ReplyCase{"unknown_echo", 99, {}, 99, {}, -1}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Simulator, RestartIsNotAnswered) {
    ProcessorSimulator sim;
    auto replies = sim.Receive(EditorFrame(4));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_TRUE(replies[0].bytes.empty());
}

TEST(Simulator, ConnectSequenceReadsBackTheFactoryImage) {
    ProcessorSimulator sim;
    EXPECT_EQ(Ask(sim, 16).code, 16);
    EXPECT_EQ(Ask(sim, 19).payload, Text("WQJ V010"));
    EXPECT_EQ(Ask(sim, 34).payload.size(), 30u);
    EXPECT_EQ(Ask(sim, 20).payload, Bytes{0});
    for (std::uint8_t s = 0; s < 30; ++s) EXPECT_EQ(Ask(sim, 41, {s}).payload[0], s);
    Bytes image = ReadSettings(sim);
    ASSERT_EQ(image.size(), 800u);
    Bytes factory = FactoryImage();
    EXPECT_TRUE(std::equal(factory.begin(), factory.end(), image.begin()));
    EXPECT_EQ(sim.FrameCount(), 4 + 30 + 16);
    EXPECT_TRUE(sim.Faults().empty());
}

// Every reply, also one in a long stream fed in odd chunks, comes exactly once.
TEST(Simulator, AnswersEveryFrameOnceWhateverTheChunks) {
    ProcessorSimulator sim;
    Bytes stream;
    for (int i = 0; i < 40; ++i)
        stream = Concat(stream, EditorFrame(i % 2 ? 64 : 52, i % 2 ? Bytes{} : Bytes{3, 0x18, 1}));
    int answers = 0;
    for (std::size_t at = 0; at < stream.size(); at += 7) {
        const std::size_t n = std::min<std::size_t>(7, stream.size() - at);
        for (const SimReply& r : sim.Receive(stream.data() + at, n)) answers += !r.bytes.empty();
    }
    EXPECT_EQ(answers, 40);
}

class SimulatorMemory : public ::testing::Test {
protected:
    std::uint16_t Word(int offset) { return sim_.Memory().Word(offset); }
    int Channel(int ch) { return ProcessorMemory::ChannelOffset(ch); }
    ProcessorSimulator sim_;
};

TEST_F(SimulatorMemory, EditsFollowTheLinkGroup) {
    Ask(sim_, 59, {0, 0b011});       // InA linked with InB
    Ask(sim_, 52, {0, 0x10, 0x01});  // gain of InA
    Ask(sim_, 53, {1, 1});           // mute InB (its own mask: only itself)
    EXPECT_EQ(Word(Channel(0) + 70), 0x110);
    EXPECT_EQ(Word(Channel(1) + 70), 0x110);
    EXPECT_EQ(Word(Channel(2) + 70), 0);
    EXPECT_EQ(Word(766), 0b010);
    Ask(sim_, 59, {3, 0b100});       // Out1's mask names only Out3
    Ask(sim_, 56, {3, 0x20, 0x03});  // delay of Out1 goes to Out3 alone
    EXPECT_EQ(Word(Channel(3) + 82), 0);
    EXPECT_EQ(Word(Channel(5) + 82), 0x320);
}

TEST_F(SimulatorMemory, EqBandCarriesItsBypassBit) {
    Ask(sim_, 51, {4, 8, 100, 0, 200, 0, 50, 2, 1});
    const int band = Channel(4) + 16 + 6 * 8;
    EXPECT_EQ(Word(band), 100);
    EXPECT_EQ(Word(band + 2), 200);
    EXPECT_EQ(sim_.Memory().current[band + 4], 50);
    EXPECT_EQ(sim_.Memory().current[band + 5], 2);
    EXPECT_EQ(Word(770 + 2 * 4), 1 << 8);
    Ask(sim_, 51, {4, 8, 100, 0, 200, 0, 50, 2, 0});
    EXPECT_EQ(Word(770 + 2 * 4), 0);
}

TEST_F(SimulatorMemory, CrossoverHalvesStayApart) {
    Ask(sim_, 50, {6, 60, 0, 7});    // high-pass of Out4
    Ask(sim_, 49, {6, 0x20, 1, 9});  // low-pass of Out4
    const int x = Channel(6) + 10;
    EXPECT_EQ(Word(x), 60);
    EXPECT_EQ(Word(x + 2), 0x120);
    EXPECT_EQ(sim_.Memory().current[x + 4], 7);
    EXPECT_EQ(sim_.Memory().current[x + 5], 9);
}

TEST_F(SimulatorMemory, CopyKeepsNameRoutingAndLinks) {
    Ask(sim_, 52, {3, 0x00, 0x01});
    Ask(sim_, 53, {3, 1});
    Ask(sim_, 60, {3, 1});
    Ask(sim_, 51, {3, 0, 1, 0, 2, 0, 3, 4, 1});
    Ask(sim_, 42, {3, 6});
    const ProcessorMemory m = sim_.Memory();
    EXPECT_EQ(m.Word(Channel(6) + 78), 0x100);
    EXPECT_EQ(m.Word(768) & (1 << 3), 1 << 3);
    EXPECT_EQ(m.Word(796) & (1 << 3), 1 << 3);
    EXPECT_EQ(m.Word(770 + 2 * 6), 1);
    EXPECT_EQ(std::string(m.current.begin() + Channel(6), m.current.begin() + Channel(6) + 4),
              "Out4");
    EXPECT_EQ(m.Word(Channel(6) + 8), 1);        // routing of Out4 stays InA
    EXPECT_EQ(m.Word(Channel(6) + 84), 1 << 3);  // its own link bit
}

TEST_F(SimulatorMemory, StoreRecallAndPresetReads) {
    Ask(sim_, 52, {0, 0x2C, 0x01});
    Ask(sim_, 38, Text("Front of house"));
    EXPECT_EQ(Ask(sim_, 33, {3}).code, 1);
    EXPECT_EQ(Ask(sim_, 34).payload[2], 0xFF);
    EXPECT_EQ(Ask(sim_, 41, {2}).payload, Concat({2}, Text("Front of house")));
    EXPECT_EQ(Ask(sim_, 20).payload, Bytes{3});
    Ask(sim_, 52, {0, 0, 0});
    Ask(sim_, 32, {3});
    EXPECT_EQ(Word(Channel(0) + 70), 0x12C);
    Ask(sim_, 36, {3});
    Bytes preset;
    for (std::uint8_t b = 0; b < 16; ++b) {
        SimFrame r = Ask(sim_, 40, {b});
        preset.insert(preset.end(), r.payload.begin() + 1, r.payload.end());
    }
    EXPECT_EQ(preset[0], 0xFF);
    EXPECT_EQ(preset[16 + 70], 0x2C);
    Ask(sim_, 32, {0});
    EXPECT_EQ(Word(Channel(0) + 70), 0);
    EXPECT_EQ(Ask(sim_, 20).payload, Bytes{0});
}

TEST_F(SimulatorMemory, FactoryResetClearsPresetsAndSettings) {
    Ask(sim_, 33, {7});
    Ask(sim_, 52, {4, 1, 1});
    Ask(sim_, 35);
    EXPECT_EQ(Ask(sim_, 34).payload, Repeat(30, 0));
    const Bytes factory = FactoryImage();
    const Bytes now = ReadSettings(sim_);
    EXPECT_TRUE(std::equal(factory.begin(), factory.end(), now.begin()));
}

TEST_F(SimulatorMemory, DownloadedSlotReadsBackAndCountsAsUsed) {
    Bytes record(800, 0);
    for (int i = 0; i < 800; ++i) record[i] = static_cast<std::uint8_t>(i * 7);
    record[0] = 0xFF;
    for (std::uint8_t b = 0; b < 16; ++b) {
        Bytes payload{b, 4};
        payload.insert(payload.end(), record.begin() + 50 * b, record.begin() + 50 * (b + 1));
        EXPECT_EQ(Ask(sim_, 37, payload).payload, Bytes{b});
    }
    EXPECT_EQ(Ask(sim_, 34).payload[4], 0xFF);
    Ask(sim_, 36, {5});
    Bytes back;
    for (std::uint8_t b = 0; b < 16; ++b) {
        SimFrame r = Ask(sim_, 40, {b});
        back.insert(back.end(), r.payload.begin() + 1, r.payload.end());
    }
    EXPECT_EQ(back, record);
}

TEST_F(SimulatorMemory, DeviceBytesWriteAndRead) {
    Bytes data;
    for (std::uint8_t i = 1; i <= 17; ++i) data.push_back(i);
    Ask(sim_, 26, Concat({1, 0, 17}, data));
    EXPECT_EQ(Ask(sim_, 25, {0, 0, 18}).payload, Concat({0}, data));
}

TEST_F(SimulatorMemory, LockAndPassword) {
    sim_.SetLock("1234");
    EXPECT_EQ(Ask(sim_, 44).payload[5], 1);
    EXPECT_EQ(Ask(sim_, 45, Concat({0}, Text("1234"))).payload, (Bytes{0, 1}));
    EXPECT_EQ(Ask(sim_, 45, Concat({0}, Text("1235"))).payload, (Bytes{0, 0}));
    Ask(sim_, 47, {0, 0, 0, 0});
    EXPECT_EQ(Ask(sim_, 44).payload[5], 0);
    Ask(sim_, 47, {'a', 'b', 0, 0});
    EXPECT_EQ(Ask(sim_, 44).payload[5], 1);
}

TEST_F(SimulatorMemory, BadPayloadIsAFaultYetAnswered) {
    EXPECT_EQ(Ask(sim_, 52, {12, 0, 0}).code, 52);
    EXPECT_EQ(Ask(sim_, 51, {0, 8, 0, 0, 0, 0, 0, 0, 0}).code, 51);  // inputs have 8 bands
    EXPECT_EQ(Ask(sim_, 48, {3}).code, 48);
    EXPECT_EQ(sim_.Faults().size(), 3u);
    EXPECT_EQ(sim_.Memory().current, ProcessorSimulator().Memory().current);
}

TEST(SimulatorFaults, PlaysWhatTheTestAsks) {
    ProcessorSimulator sim;
    sim.SetSilent(true);
    EXPECT_TRUE(sim.Receive(EditorFrame(16))[0].bytes.empty());
    sim.SetSilent(false);

    sim.SetReplyDelay(250);
    EXPECT_EQ(sim.Receive(EditorFrame(16))[0].delayMs, 250);
    sim.SetReplyDelay(0);

    sim.SetGarbageBeforeReply({0x55, 0x10, 0x41});
    Bytes withGarbage = sim.Receive(EditorFrame(16))[0].bytes;
    EXPECT_EQ(Bytes(withGarbage.begin(), withGarbage.begin() + 3), (Bytes{0x55, 0x10, 0x41}));
    EXPECT_EQ(Bytes(withGarbage.begin() + 3, withGarbage.end()), BuildFrame(1, 0, 16, {}));
    sim.SetGarbageBeforeReply({});

    sim.SetDeviceId(2);
    EXPECT_EQ(Ask(sim, 16).sender, 2);
    sim.SetIdentity("WQJ V020");
    EXPECT_EQ(Ask(sim, 19).payload, Text("WQJ V020"));

    sim.SetDropAfterFrames(2);
    EXPECT_FALSE(sim.Receive(EditorFrame(16))[0].dropLink);
    EXPECT_TRUE(sim.Receive(EditorFrame(16))[0].dropLink);
}

TEST(SimulatorFaults, AStrictReceiverAnswersOnlyItsIdAndEveryProcessor) {
    ProcessorSimulator sim;
    sim.SetDeviceId(7);
    sim.SetStrictReceiver(true);
    EXPECT_TRUE(sim.Receive(EditorFrame(16, {}, 1))[0].bytes.empty());
    EXPECT_EQ(sim.Receive(EditorFrame(16, {}, 7))[0].bytes, BuildFrame(7, 0, 16, {}));
    EXPECT_EQ(sim.Receive(EditorFrame(16, {}, 255))[0].bytes, BuildFrame(7, 0, 16, {}));
    // What it leaves alone still changes nothing and is still recorded.
    EXPECT_EQ(sim.FrameCount(), 3);
}

TEST(SimulatorFaults, SplitRepliesAreMarkedForTwoPieces) {
    ProcessorSimulator sim;
    sim.SetSplitReplies(3);
    const SimReply reply = sim.Receive(EditorFrame(16))[0];
    EXPECT_EQ(reply.bytes, BuildFrame(1, 0, 16, {}));
    EXPECT_EQ(reply.splitTail, 3u);
    sim.SetSplitReplies(0);
    EXPECT_EQ(sim.Receive(EditorFrame(16))[0].splitTail, 0u);
}

TEST(SimulatorFaults, MalformedRepliesGoOutOnceEach) {
    ProcessorSimulator sim;
    sim.MalformNext(SimMalformation::ShortLevels);
    sim.MalformNext(SimMalformation::NameSlot30);
    sim.MalformNext(SimMalformation::Block16);
    EXPECT_EQ(Ask(sim, 64).payload.size(), 20u);
    EXPECT_EQ(Ask(sim, 64).payload.size(), 37u);
    EXPECT_EQ(Ask(sim, 41, {4}).payload[0], 30);
    EXPECT_EQ(Ask(sim, 41, {4}).payload[0], 4);
    const SimFrame block = Ask(sim, 39, {2});
    EXPECT_EQ(block.code, 36);
    EXPECT_EQ(block.payload[0], 16);
    EXPECT_EQ(block.payload.size(), 51u);
    EXPECT_EQ(Ask(sim, 39, {2}).payload[0], 2);
}

TEST(SimulatorFaults, DropCountsTheFramesOfEachConnection) {
    ProcessorSimulator sim;
    sim.SetDropAfterFrames(2);
    for (int connection = 0; connection < 3; ++connection) {
        SCOPED_TRACE(connection);
        sim.StartConnection();
        EXPECT_FALSE(sim.Receive(EditorFrame(16))[0].dropLink);
        EXPECT_TRUE(sim.Receive(EditorFrame(18))[0].dropLink);
    }
}

// A simulator left running for days keeps the newest frames and the first faults, and counts
// the rest.
TEST(SimulatorRecord, StaysBoundedOnLongRuns) {
    ProcessorSimulator sim;
    const int frames = static_cast<int>(ProcessorSimulator::kKeptFrames) + 5;
    for (int i = 0; i < frames; ++i) sim.Receive(EditorFrame(i + 1 == frames ? 19 : 64));
    const std::vector<SimFrame> kept = sim.FramesRead();
    EXPECT_EQ(kept.size(), ProcessorSimulator::kKeptFrames);
    EXPECT_EQ(kept.back().code, 19);
    EXPECT_EQ(sim.FrameCount(), frames);

    Bytes badCheck = EditorFrame(18);
    badCheck.back() ^= 0xFF;
    const std::size_t faults = ProcessorSimulator::kKeptFaults + 3;
    for (std::size_t i = 0; i < faults; ++i) sim.Receive(badCheck);
    EXPECT_EQ(sim.Faults().size(), ProcessorSimulator::kKeptFaults);
    EXPECT_EQ(sim.FaultCount(), faults);
    sim.ClearRecord();
    EXPECT_EQ(sim.FrameCount(), 0);
    EXPECT_EQ(sim.FaultCount(), 0u);
}

TEST(SimulatorLevels, PacksLevelsAsTheProcessorDoes) {
    Bytes levels;
    ProcessorSimulator::PackLevel(levels, 0, 1.0f);
    ProcessorSimulator::PackLevel(levels, 4, 0.5f);
    levels[36] = 0b000010;
    EXPECT_EQ(Bytes(levels.begin(), levels.begin() + 3), (Bytes{0x80, 0x3F, 0x00}));
    ProcessorSimulator sim;
    sim.SetLevels(levels);
    EXPECT_EQ(Ask(sim, 64).payload, levels);
}

TEST(SimulatorLog, OneLinePerFrameReadAndWritten) {
    ProcessorSimulator sim;
    std::vector<std::string> lines;
    sim.SetLogSink([&](const std::string& l) { lines.push_back(l); });
    Ask(sim, 18);
    sim.Receive(EditorFrame(4));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "R 10 02 00 01 01 12 10 03 13");
    EXPECT_EQ(lines[1], "W " + HexBytes(BuildFrame(1, 0, 1, {})));
    EXPECT_EQ(lines[2], "R " + HexBytes(EditorFrame(4)));
}

}  // namespace
}  // namespace dsp::sim
