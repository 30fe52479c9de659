// The built editor end to end, as a user runs it: on a virtual X display with a window manager,
// inside the test run's private network namespace, with the processor simulator answering on the
// editor's default processor address (192.168.2.1:9761, put on the namespace's loopback). It
// connects and reads the processor back (seen in the simulator's log), a screenshot is kept, and
// it closes through its quit dialog without a word to the processor after the close. Without the
// simulator it scans, finds nothing, and shows its default image; a second start raises the
// first window and ends.
//
// The tests run only where the network is private (loopback is the only interface): nothing here
// can reach another machine. Screenshots go to build/artifacts/editor.

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PngImage.h"
#include "tests/realwindow/ChildProcess.h"
#include "tests/realwindow/LineReader.h"
#include "tests/realwindow/PrivateNetwork.h"
#include "tests/realwindow/XSession.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using realwindow::NetworkIsPrivate;
using realwindow::TChildOptions;
using realwindow::TChildProcess;
using realwindow::TLineReader;
using realwindow::TScreenRect;
using realwindow::TWindowId;
using realwindow::TXSession;

constexpr char kMainTitle[] = "WQJ DSP Processor Editor V1.0";
constexpr char kProcessorAddress[] = "192.168.2.1";

// The frames the simulator read from the editor, in order: command code and payload.
struct TFrame {
    int code;
    std::vector<int> payload;
};
std::vector<TFrame> FramesRead(const std::string& log) {
    std::vector<TFrame> frames;
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string direction;
        words >> direction;
        if (direction != "R") continue;
        std::vector<int> bytes;
        std::string hex;
        while (words >> hex) bytes.push_back(std::stoi(hex, nullptr, 16));
        // DLE STX, sender, receiver, length, code, payload, DLE ETX, check.
        if (bytes.size() < 9) continue;
        frames.push_back({bytes[5], std::vector<int>(bytes.begin() + 6, bytes.end() - 3)});
    }
    return frames;
}

// The screen inside rect, as a PNG file for people to look at.
void KeepScreenshot(const TXSession& session, TScreenRect rect, const std::string& name) {
    // Only what lies on the screen.
    const TScreenRect screen = session.Screen();
    rect.width = std::min(rect.x + rect.width, screen.width) - std::max(rect.x, 0);
    rect.height = std::min(rect.y + rect.height, screen.height) - std::max(rect.y, 0);
    rect.x = std::max(rect.x, 0);
    rect.y = std::max(rect.y, 0);
    Display* display = XOpenDisplay(session.DisplayName().c_str());
    ASSERT_NE(display, nullptr);
    XImage* image = XGetImage(display, DefaultRootWindow(display), rect.x, rect.y,
                              static_cast<unsigned>(rect.width), static_cast<unsigned>(rect.height),
                              AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr) << rect.x << "," << rect.y << " " << rect.width << "x" << rect.height;
    TBitmap picture(rect.width, rect.height);
    picture.SetPixelFormat(pf24bit);
    TCanvas& canvas = *picture.Canvas();
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            canvas.SetPixels(x, y,
                             static_cast<TColor>(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)));
        }
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    const std::filesystem::path folder = DSP_EDITOR_ARTIFACT_FOLDER;
    std::filesystem::create_directories(folder);
    TPngImage png;
    png.Assign(&picture);
    png.SaveToFile((folder / (name + ".png")).string());
}

class EditorEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (!NetworkIsPrivate()) {
            GTEST_SKIP() << "the network here is not a private namespace (run the tests through "
                            "./scripts/in-private-network.sh)";
        }
        std::string why;
        session_ = TXSession::Start(why);
        if (session_ == nullptr) {
            if (std::getenv("DSP_REQUIRE_REAL_WINDOWS") != nullptr) FAIL() << why;
            GTEST_SKIP() << "no real window here: " << why;
        }
        folder_ =
            std::filesystem::temp_directory_path() / ("dsp-editor-e2e-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        editor_.reset();
        simulator_.reset();
        session_.reset();
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }

    // The processor's address on the namespace's loopback (already there is fine).
    void AddProcessorAddress() {
        TChildProcess ip;
        TChildOptions options;
        options.args = {"ip",  "addr", "replace", std::string(kProcessorAddress) + "/32",
                        "dev", "lo"};
        std::string error;
        ASSERT_TRUE(ip.Start(options, error)) << error;
        ASSERT_EQ(ip.WaitForExit(10s), 0);
    }

    void StartSimulator() {
        simulator_ = std::make_unique<TChildProcess>();
        TChildOptions options;
        options.args = {DSP_SIM_PROGRAM, "--tcp", std::string(kProcessorAddress) + ":9761", "--log",
                        SimLog()};
        options.pipeOutput = true;
        std::string error;
        ASSERT_TRUE(simulator_->Start(options, error)) << error;
        TLineReader out(simulator_->ReadEnd());
        ASSERT_TRUE(out.WaitFor("tcp ", 10s)) << "the simulator does not listen";
    }

    // The editor on the session's display; its trace is read from its output.
    TLineReader& StartEditor(std::unique_ptr<TChildProcess>& process,
                             std::unique_ptr<TLineReader>& trace) {
        process = std::make_unique<TChildProcess>();
        TChildOptions options;
        options.args = {DSP_EDITOR_PROGRAM};
        options.environment = {
            "DISPLAY=" + session_->DisplayName(), "XDG_RUNTIME_DIR=" + session_->RuntimeFolder(),
            "QT_QPA_PLATFORM=xcb", "DSP_EDITOR_TRACE=1", "DSP_EDITOR_SERIAL_PORTS=none"};
        // Under the leak checker, what the toolkit's system libraries keep is not ours.
        const char* leakOptions = std::getenv("LSAN_OPTIONS");
        options.environment.push_back(
            std::string("LSAN_OPTIONS=") +
            (leakOptions != nullptr ? std::string(leakOptions) + ":" : "") +
            "suppressions=" DSP_LSAN_SUPPRESSIONS ":print_suppressions=0");
        options.pipeOutput = true;
        std::string error;
        EXPECT_TRUE(process->Start(options, error)) << error;
        trace = std::make_unique<TLineReader>(process->ReadEnd());
        return *trace;
    }
    TLineReader& StartEditor() { return StartEditor(editor_, editorTrace_); }

    // The main window, once it shows (the splash screen before it carries the program's title
    // too, and goes).
    // A busy machine can take seconds to start it; an editor that ended meanwhile (a second
    // instance, a crash) is said at once, with what it traced.
    TWindowId WaitForMainWindow() {
        TWindowId main = 0;
        session_->WaitUntil(
            [&] {
                main = session_->FindWindow(kMainTitle);
                return (main != 0 && session_->ClientRect(main).width >= 1000) ||
                       !editor_->Running();
            },
            30s);
        if (main == 0) {
            std::string traced;
            while (const auto line = editorTrace_->Next(100ms)) traced += *line + "\n";
            ADD_FAILURE() << "no main window; the editor "
                          << (editor_->Running() ? "still runs" : "has ended") << ", it traced:\n"
                          << traced;
        }
        return main;
    }

    // Asks the window manager to close the main window and confirms in the quit dialog.
    void CloseThroughTheQuitDialog(TWindowId main) {
        session_->RequestClose(main);
        const TWindowId quit = session_->WaitForWindow("Information");
        ASSERT_NE(quit, 0u) << "no quit dialog";
        // Placed by the window manager before its button is aimed at.
        ASSERT_TRUE(session_->SyncWindowManager());
        const TScreenRect dialog = session_->ClientRect(quit);
        // Its OK button: 80 x 26 at (74, 110).
        session_->Click(dialog.x + 74 + 40, dialog.y + 110 + 13);
    }

    std::string SimLog() const { return (folder_ / "sim.log").string(); }

    std::unique_ptr<TXSession> session_;
    std::filesystem::path folder_;
    std::unique_ptr<TChildProcess> simulator_;
    std::unique_ptr<TChildProcess> editor_;
    std::unique_ptr<TLineReader> editorTrace_;
};

TEST_F(EditorEndToEnd, ConnectsReadsBackAndClosesWithoutAWord) {
    AddProcessorAddress();
    StartSimulator();
    TLineReader& trace = StartEditor();
    const TWindowId main = WaitForMainWindow();
    ASSERT_NE(main, 0u) << "the main window does not show";
    // The first image at start, then the processor's after its read-back.
    ASSERT_TRUE(trace.WaitFor("dsp-editor: image shown", 20s))
        << "no read-back; the log has " << FramesRead(SimLog()).size() << " frames";
    // The connect dialog closes itself once connected.
    ASSERT_TRUE(session_->WaitUntil([&] { return session_->FindWindow("Connect") == 0; }))
        << "the connect dialog stays after the read-back";

    const std::vector<TFrame> readBack = FramesRead(SimLog());
    std::vector<int> codes;
    std::set<int> names;
    std::set<int> blocks;
    for (const TFrame& f : readBack) {
        if (codes.empty() || codes.back() != f.code) codes.push_back(f.code);
        if (f.code == 41 && !f.payload.empty()) names.insert(f.payload[0]);
        if (f.code == 39 && !f.payload.empty()) blocks.insert(f.payload[0]);
    }
    // Connect, identity, status, preset map, current preset, the names, the blocks, keep-alive.
    const std::vector<int> expected = {16, 19, 44, 34, 20, 41, 39, 18};
    std::size_t at = 0;
    for (int code : codes) {
        if (at < expected.size() && code == expected[at]) ++at;
    }
    EXPECT_EQ(at, expected.size()) << "the read-back's frames are not all there in order";
    EXPECT_EQ(names.size(), 30u);
    EXPECT_EQ(blocks.size(), 16u);

    session_->SyncWindowManager();
    KeepScreenshot(*session_, session_->ClientRect(main), "editor_connected");

    const std::size_t beforeClose = FramesRead(SimLog()).size();
    CloseThroughTheQuitDialog(main);
    ASSERT_EQ(editor_->WaitForExit(20s), 0) << "the editor does not end after OK";
    EXPECT_TRUE(trace.WaitFor("dsp-editor: closed", 5s));
    simulator_->Stop();
    // Nothing after the close: no goodbye, and at most one poll or keep-alive that was already on
    // its way when OK was pressed.
    const std::vector<TFrame> all = FramesRead(SimLog());
    ASSERT_GE(all.size(), beforeClose);
    std::string after;
    for (std::size_t i = beforeClose; i < all.size(); ++i)
        after += std::to_string(all[i].code) + " ";
    EXPECT_LE(all.size() - beforeClose, 1u) << "after the close: " << after;
    for (std::size_t i = beforeClose; i < all.size(); ++i) {
        EXPECT_TRUE(all[i].code == 64 || all[i].code == 18) << "frame " << all[i].code;
    }
    for (const TFrame& f : all) EXPECT_NE(f.code, 17) << "a goodbye was sent";
}

TEST_F(EditorEndToEnd, AloneItShowsItsDefaultImageAndASecondStartRaisesTheFirst) {
    TLineReader& trace = StartEditor();
    const TWindowId main = WaitForMainWindow();
    ASSERT_NE(main, 0u) << "the main window does not show";
    ASSERT_TRUE(trace.WaitFor("dsp-editor: first paint", 10s));
    // The scan finds nothing; demonstration mode.
    const TWindowId scan = session_->WaitForWindow("Connect");
    ASSERT_NE(scan, 0u) << "no connect dialog";
    const TScreenRect dialog = session_->ClientRect(scan);
    EXPECT_TRUE(session_->WaitUntil(
        [&] {
            // Demo (96 x 28 at 245, 106) answers once the scan has ended.
            session_->Click(dialog.x + 245 + 48, dialog.y + 106 + 14);
            session_->SyncWindowManager();
            return session_->FindWindow("Connect") == 0;
        },
        30s))
        << "the connect dialog stays";
    session_->SyncWindowManager();
    KeepScreenshot(*session_, session_->ClientRect(main), "editor_alone");

    // A second start: the first window comes back from the task bar, the second ends.
    session_->RequestIconify(main);
    ASSERT_TRUE(session_->WaitUntil([&] { return session_->IsIconic(main); }));
    std::unique_ptr<TChildProcess> second;
    std::unique_ptr<TLineReader> secondTrace;
    StartEditor(second, secondTrace);
    EXPECT_EQ(second->WaitForExit(20s), 0) << "the second editor does not end";
    EXPECT_TRUE(session_->WaitUntil([&] { return !session_->IsIconic(main); }))
        << "the first window stays iconified";

    CloseThroughTheQuitDialog(main);
    EXPECT_EQ(editor_->WaitForExit(20s), 0);
    EXPECT_FALSE(std::filesystem::exists(SimLog()));
}

}  // namespace
}  // namespace dsp
