// Two starts of a program, each in its own process: this test program and a small helper program
// started beside it. They meet over a lock and a local socket in a private folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "framework/os/SingleInstance.h"
#include "tests/support/RunLoop.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kApp = "dsp-instance-test";

// The helper program running as another start of the program.
class THelper {
public:
    THelper(const std::string& folder, const std::string& mode,
            const std::vector<std::string>& arguments = {}) {
        std::vector<std::string> args = {DSP_SINGLE_INSTANCE_HELPER, folder, kApp, mode};
        args.insert(args.end(), arguments.begin(), arguments.end());
        int in[2];
        int out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::close(in[1]);
            ::close(out[0]);
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        stdin_ = in[1];
        stdout_ = out[0];
    }
    THelper(const THelper&) = delete;
    THelper& operator=(const THelper&) = delete;
    ~THelper() {
        if (pid_ > 0) Kill();
        if (stdin_ >= 0) ::close(stdin_);
        if (stdout_ >= 0) ::close(stdout_);
    }

    // The next line the helper prints; empty when it ends or stays silent for 20 s.
    std::string ReadLine() {
        std::string line;
        char c = 0;
        for (;;) {
            pollfd p{stdout_, POLLIN, 0};
            if (::poll(&p, 1, 20000) <= 0 || ::read(stdout_, &c, 1) != 1 || c == '\n') break;
            line.push_back(c);
        }
        return line;
    }
    int Wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void Kill() {
        ::kill(pid_, SIGKILL);
        Wait();
    }

private:
    pid_t pid_ = -1;
    int stdin_ = -1;
    int stdout_ = -1;
};

class SingleInstanceTest : public ::testing::Test {
protected:
    // This process as the first instance, recording what later starts hand over.
    void StartFirst(TSingleInstance& instance) {
        instance.OnSecondInstance = [this](const std::vector<std::string>& a) {
            received_.push_back(a);
        };
        ASSERT_EQ(instance.Start({"ignored"}), TInstanceRole::First) << instance.ErrorText();
    }

    test::TTempFolder folder_;
    std::vector<std::vector<std::string>> received_;
};

TEST_F(SingleInstanceTest, LaterStartsHandTheirArgumentsToTheFirstOnTheUiThread) {
    TSingleInstance first(kApp, folder_.Path());
    StartFirst(first);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--open", "my preset.prs", ""},
          std::vector<std::string>{"Grüße"}, std::vector<std::string>{}}) {
        const std::size_t before = received_.size();
        THelper second(folder_.Path(), "start", args);
        ASSERT_TRUE(test::RunLoopUntil([&] { return received_.size() > before; }));
        EXPECT_EQ(second.ReadLine(), "second");
        EXPECT_EQ(second.Wait(), 1);
        EXPECT_EQ(received_.back(), args);
    }
}

TEST_F(SingleInstanceTest, AStartAfterTheFirstHandsOverAndReturnsOnlyOnceTaken) {
    THelper first(folder_.Path(), "serve");
    ASSERT_EQ(first.ReadLine(), "first");

    TSingleInstance second(kApp, folder_.Path());
    EXPECT_EQ(second.Start({"--restore", "two words"}), TInstanceRole::Second)
        << second.ErrorText();
    EXPECT_EQ(first.ReadLine(), "got 2");
    EXPECT_EQ(first.ReadLine(), "--restore");
    EXPECT_EQ(first.ReadLine(), "two words");
    EXPECT_EQ(first.Wait(), 0);
}

TEST_F(SingleInstanceTest, TheLockOfACrashedInstanceIsTakenOver) {
    THelper crashed(folder_.Path(), "hold");
    ASSERT_EQ(crashed.ReadLine(), "first");

    // While it lives but does not answer, a later start gives up after its time-out.
    TSingleInstance waiting(kApp, folder_.Path());
    EXPECT_EQ(waiting.Start({"x"}, 300), TInstanceRole::None);
    EXPECT_THAT(waiting.ErrorText(), HasSubstr("does not answer"));

    crashed.Kill();
    ASSERT_TRUE(std::filesystem::exists(folder_.File(std::string(kApp) + ".socket")));

    // Its lock and socket are left behind; the next start takes both over.
    TSingleInstance next(kApp, folder_.Path());
    StartFirst(next);
    THelper later(folder_.Path(), "start", {"after the crash"});
    ASSERT_TRUE(test::RunLoopUntil([&] { return !received_.empty(); }));
    EXPECT_THAT(received_.back(), ElementsAre("after the crash"));
    EXPECT_EQ(later.Wait(), 1);
}

TEST_F(SingleInstanceTest, GarbageOnTheSocketDoesNotStopHandOvers) {
    TSingleInstance first(kApp, folder_.Path());
    StartFirst(first);

    auto connectRaw = [&](const std::string& bytes) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, first.SocketPath().c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(bytes.size()));
        return fd;
    };
    // Not our message; a length far beyond any command line; half a message left hanging; a
    // count of arguments the bytes do not hold.
    const int junk = connectRaw("GET / HTTP/1.0\r\n\r\n");
    const int huge = connectRaw(std::string("DSPI\xff\xff\xff\x7f", 8));
    const int half = connectRaw(std::string("DSPI\x10\0\0\0", 8));
    const int lying = connectRaw(std::string("DSPI\x04\0\0\0\x05\0\0\0", 12));

    THelper second(folder_.Path(), "start", {"still works"});
    ASSERT_TRUE(test::RunLoopUntil([&] { return !received_.empty(); }));
    EXPECT_THAT(received_, ElementsAre(ElementsAre("still works")));
    EXPECT_EQ(second.Wait(), 1);
    for (int fd : {junk, huge, half, lying}) ::close(fd);
}

TEST_F(SingleInstanceTest, TheRuntimeFolderMustBePrivateToTheUser) {
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::optional<std::string> previous =
        saved != nullptr ? std::optional<std::string>(saved) : std::nullopt;
    const std::string app = "dsp-instance-folder-" + std::to_string(::getpid());
    const std::string fallback = "/tmp/" + app + "-" + std::to_string(::getuid());

    ::setenv("XDG_RUNTIME_DIR", folder_.Path().c_str(), 1);
    EXPECT_EQ(UserRuntimeFolder(app), folder_.Path());

    // Open to others, or not an absolute path: the private folder under /tmp instead.
    ::chmod(folder_.Path().c_str(), 0755);
    EXPECT_EQ(UserRuntimeFolder(app), fallback);
    struct stat st {};
    ASSERT_EQ(::lstat(fallback.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700U);
    ::setenv("XDG_RUNTIME_DIR", "relative/run", 1);
    EXPECT_EQ(UserRuntimeFolder(app), fallback);
    ::rmdir(fallback.c_str());

    // A link planted where the fallback goes is not followed.
    ASSERT_EQ(::symlink(folder_.Path().c_str(), fallback.c_str()), 0);
    EXPECT_EQ(UserRuntimeFolder(app), "");
    TSingleInstance refused(app);
    EXPECT_EQ(refused.Start({}), TInstanceRole::None);
    EXPECT_THAT(refused.ErrorText(), StartsWith("No private runtime folder"));
    ::unlink(fallback.c_str());

    TSingleInstance badName("../escape", folder_.Path());
    EXPECT_EQ(badName.Start({}), TInstanceRole::None);

    if (previous) {
        ::setenv("XDG_RUNTIME_DIR", previous->c_str(), 1);
    } else {
        ::unsetenv("XDG_RUNTIME_DIR");
    }
}

}  // namespace
}  // namespace dsp
