#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/runtime/Application.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/Thread.h"
#include "framework/text/WholeFile.h"
#include "tests/support/RunLoop.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnexpectedExceptions.h"

namespace dsp {
namespace {

// Termination is for good, so it is tried in a process of its own.
TEST(ApplicationDeathTest, TerminateFromAWorkerEndsTheLoopForGood) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            bool ranInLoop = false;
            PostToMainThread([&] { ranInLoop = true; });
            auto worker = TThread::CreateAnonymousThread([] { Application->Terminate(); });
            worker->Start();
            Application->Run();  // returns once the termination has been taken
            const bool ended = Application->Terminated() && ranInLoop && worker->WaitFor();
            Application->Run();  // after Terminate, Run returns at once
            std::_Exit(ended ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Writes a file over an old one with a file-size limit below the new content's size, and tells
// on the error stream what came of it.
void WriteOverTheFileSizeLimit() {
    test::TTempFolder folder;
    const std::string target = folder.File("rig.unt");
    const bool before = WriteWholeFile(target, std::string("old"));
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string error;
    const bool written = WriteWholeFile(target, std::string(64 * 1024, 'x'), &error);
    const auto files = std::distance(std::filesystem::directory_iterator(folder.Path()),
                                     std::filesystem::directory_iterator());
    const std::optional<std::string> kept = ReadWholeFile(target);
    std::fprintf(stderr, "before=%d written=%d files=%d kept=%s error=%s\n", before, written,
                 static_cast<int>(files), kept.value_or("").c_str(), error.c_str());
}

// A program started through the framework meets its file-size limit as a failed write: the
// writer reports it, the old file stays and no temporary file is left. The child process goes
// through the test program's own start-up before it takes the small limit.
TEST(ApplicationDeathTest, WritePastTheFileSizeLimitFailsAndIsReported) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            WriteOverTheFileSizeLimit();
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0),
        "before=1 written=0 files=1 kept=old error=cannot write .*: File too large");
}

TEST(ApplicationTest, TitleDefaultsToTheProgramNameAndNamesTheExceptionBox) {
    const std::filesystem::path exe = Application->ExeName();
    EXPECT_EQ(exe.filename(), "test_framework_runtime");
    EXPECT_EQ(Application->Title(), "test_framework_runtime");

    std::vector<std::string> shown;
    const TApplication::TMessageDisplay savedDisplay = Application->ExceptionDisplay();
    Application->SetExceptionDisplay([&](const std::string& caption, const std::string& text) {
        shown.push_back(caption + ": " + text);
    });
    const TExceptionEvent savedHandler = Application->OnException;
    const std::string savedTitle = Application->Title();
    Application->OnException = nullptr;
    Application->SetTitle("WQJ DSP Processor Editor V1.0");
    Application->HandleException(std::make_exception_ptr(EConvertError("'x' is not a number")));
    Application->OnException = savedHandler;
    Application->SetTitle(savedTitle);
    Application->SetExceptionDisplay(savedDisplay);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"WQJ DSP Processor Editor V1.0: 'x' is not a number"}));
}

TEST(ApplicationTest, EscapingExceptionsReachOnExceptionAsFrameworkExceptions) {
    test::TUnexpectedExceptionRecorder recorder;
    PostToMainThread([] { throw EListError::IndexOutOfBounds(3); });
    PostToMainThread([] { throw std::runtime_error("bad_alloc or the like"); });
    PostToMainThread([] { throw 42; });
    ASSERT_TRUE(test::RunLoopUntil([&] { return recorder.Messages().size() == 3; }));
    EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{"List index out of bounds (3)",
                                                             "bad_alloc or the like", ""}));
}

}  // namespace
}  // namespace dsp
