// The dsp-sim program as someone runs it: listens, answers the editor's connect and read-back
// sequence, logs one line per frame.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/tools/LoopbackClient.h"
#include "tests/tools/SimTestSupport.h"
#include "tools/sim/FactoryImage.h"

namespace dsp::sim {
namespace {

class DspSimProgram : public ::testing::Test {
protected:
    void Start(std::vector<std::string> args) {
        logPath_ = ::testing::TempDir() + "dsp-sim-" + std::to_string(::getpid()) + ".log";
        args.insert(args.begin(), DSP_SIM_PROGRAM);
        args.push_back("--log");
        args.push_back(logPath_);
        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        pid_ = ::fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        std::string line;
        char c = 0;
        while (::read(out[0], &c, 1) == 1 && c != '\n') line.push_back(c);
        ::close(out[0]);
        firstLine_ = line;
    }
    int Stop() {
        int status = 0;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void TearDown() override {
        if (pid_ > 0) Stop();
        std::remove(logPath_.c_str());
    }
    std::uint16_t Port() const {
        return static_cast<std::uint16_t>(std::stoi(firstLine_.substr(firstLine_.rfind(':') + 1)));
    }

    pid_t pid_ = -1;
    std::string logPath_;
    std::string firstLine_;
};

TEST_F(DspSimProgram, AnswersTheConnectAndReadBackSequence) {
    Start({"--tcp", "127.0.0.1:0"});
    ASSERT_EQ(firstLine_.rfind("tcp 127.0.0.1:", 0), 0u) << firstLine_;
    LoopbackClient client;
    ASSERT_TRUE(client.Connect(Port()));

    std::vector<Bytes> sent;
    std::vector<Bytes> answers;
    auto ask = [&](std::uint8_t code, const Bytes& payload = {}) {
        sent.push_back(EditorFrame(code, payload));
        EXPECT_TRUE(client.Send(sent.back()));
        answers.push_back(client.ReadFrame(5000));
        return answers.back();
    };
    EXPECT_EQ(ask(16), BuildFrame(1, 0, 16, {}));
    EXPECT_EQ(ask(19), BuildFrame(1, 0, 19, {'W', 'Q', 'J', ' ', 'V', '0', '1', '0'}));
    EXPECT_EQ(ask(34), BuildFrame(1, 0, 34, Bytes(30, 0)));
    EXPECT_EQ(ask(20), BuildFrame(1, 0, 20, {0}));
    for (std::uint8_t s = 0; s < 30; ++s) {
        Bytes name{s};
        for (char ch : std::string("Default Preset")) name.push_back(static_cast<std::uint8_t>(ch));
        EXPECT_EQ(ask(41, {s}), BuildFrame(1, 0, 41, name));
    }
    const Bytes factory = FactoryImage();
    for (std::uint8_t b = 0; b < 16; ++b) {
        Bytes block{b};
        for (int i = 0; i < 50; ++i) {
            const std::size_t at = 50u * b + i;
            block.push_back(at < factory.size() ? factory[at] : 0);
        }
        EXPECT_EQ(ask(39, {b}), BuildFrame(1, 0, 36, block));
    }
    client.Close();
    EXPECT_EQ(Stop(), 0);  // no protocol fault seen

    std::ifstream log(logPath_);
    std::vector<std::string> lines;
    for (std::string l; std::getline(log, l);) lines.push_back(l);
    ASSERT_EQ(lines.size(), 2 * sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(lines[2 * i], "R " + HexBytes(sent[i]));
        EXPECT_EQ(lines[2 * i + 1], "W " + HexBytes(answers[i]));
    }
}

TEST_F(DspSimProgram, TakesItsIdentityAndIdFromTheCommandLine) {
    Start({"--tcp", "127.0.0.1:0", "--id", "7", "--identity", "XYZ V999", "--lock", "4321"});
    LoopbackClient client;
    ASSERT_TRUE(client.Connect(Port()));
    client.Send(EditorFrame(19, {}, 7));
    EXPECT_EQ(client.ReadFrame(5000),
              BuildFrame(7, 0, 19, {'X', 'Y', 'Z', ' ', 'V', '9', '9', '9'}));
    client.Send(EditorFrame(44, {}, 7));
    Bytes status = client.ReadFrame(5000);
    ASSERT_GE(status.size(), 8u + 6u);
    EXPECT_EQ(status[6 + 5], 1);
}

TEST_F(DspSimProgram, ReportsAWrongCheckByte) {
    Start({"--tcp", "127.0.0.1:0"});
    LoopbackClient client;
    ASSERT_TRUE(client.Connect(Port()));
    Bytes bad = EditorFrame(16);
    bad.back() ^= 0x01;
    client.Send(bad);
    client.Send(EditorFrame(16));
    EXPECT_EQ(client.ReadFrame(5000), BuildFrame(1, 0, 16, {}));
    client.Close();
    EXPECT_EQ(Stop(), 2);
}

TEST(DspSimCommandLine, RefusesWhatItDoesNotKnow) {
    for (const char* bad : {"--tcp nowhere", "--id 0", "--id 255", "--frobnicate"}) {
        const std::string command = std::string(DSP_SIM_PROGRAM) + " " + bad + " 2>/dev/null";
        int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 64) << bad;
    }
}

}  // namespace
}  // namespace dsp::sim
