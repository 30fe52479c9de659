#include "tests/realwindow/RealWindowTest.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace dsp::realwindow {

std::unique_ptr<TXSession> TRealWindowTest::session_;
std::string TRealWindowTest::skipReason_;

namespace {

// The fields of a log line.
std::vector<std::string> Fields(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> fields;
    for (std::string field; in >> field;) fields.push_back(field);
    return fields;
}

}  // namespace

std::string StdControlsApp() { return DSP_STDCONTROLS_APP; }
std::string PanelsApp() { return DSP_PANELS_APP; }

void TRealWindowTest::SetUpTestSuite() {
    if (session_ == nullptr && skipReason_.empty()) {
        session_ = TXSession::Start(skipReason_);
    }
}

void TRealWindowTest::TearDownTestSuite() { session_.reset(); }

void TRealWindowTest::SetUp() {
    if (session_ != nullptr) return;
    // Where the real windows must run (CI installs what they need), their absence is a failure.
    if (std::getenv("DSP_REQUIRE_REAL_WINDOWS") != nullptr) {
        FAIL() << "no real window here: " << skipReason_;
    }
    GTEST_SKIP() << "no real window here: " << skipReason_;
}

void TRealWindowTest::TearDown() {
    // A failing journey shows what the application logged on its way.
    if (HasFailure()) {
        std::string log;
        for (const std::string& line : App().Lines()) log += "  " + line + "\n";
        std::printf("application log:\n%s", log.c_str());
    }
    app_.Stop();
}

void TRealWindowTest::StartApp(const std::string& program, const std::vector<std::string>& args,
                               const std::string& mainTitle) {
    std::string error;
    ASSERT_TRUE(
        app_.Start(program, args, session_->DisplayName(), session_->RuntimeFolder(), error))
        << error;
    ASSERT_TRUE(app_.WaitForLine("ready")) << "the application did not start";
    mainWindow_ = session_->WaitForWindow(mainTitle);
    ASSERT_NE(mainWindow_, 0u) << "the main form did not show";
    Sync();
}

TWindowId TRealWindowTest::WindowOf(const std::string& form) {
    for (const std::string& line : App().Lines()) {
        const std::string prefix = "form " + form + " ";
        if (line.rfind(prefix, 0) == 0) return session_->FindWindow(line.substr(prefix.size()));
    }
    return 0;
}

void TRealWindowTest::Sync() {
    ASSERT_TRUE(session_->SyncWindowManager()) << "the window manager does not answer";
    // Two rounds: what the application asked of the display while handling the first (a popup
    // it opened, a window it moved) has come back to it and been handled by the second.
    for (int round = 0; round < 2; ++round) {
        const int number = ++requests_;
        const std::size_t from = Mark();
        session_->SendMessage(mainWindow_, "_DSP_JOURNEY_SYNC", number);
        ASSERT_TRUE(App().WaitForLine("sync " + std::to_string(number), from))
            << "the application does not answer";
    }
}

bool TRealWindowTest::Logged(std::size_t mark, const std::string& line) {
    for (const std::string& l : LogSince(mark)) {
        if (l == line) return true;
    }
    return false;
}

bool TRealWindowTest::LoggedStarting(std::size_t mark, const std::string& prefix) {
    for (const std::string& l : LogSince(mark)) {
        if (l.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

::testing::AssertionResult TRealWindowTest::LoggedInOrder(std::size_t mark,
                                                          const std::vector<std::string>& lines) {
    const std::vector<std::string> logged = LogSince(mark);
    auto next = logged.begin();
    for (const std::string& line : lines) {
        next = std::find(next, logged.end(), line);
        if (next == logged.end()) {
            std::string all;
            for (const std::string& l : logged) all += "\n  " + l;
            return ::testing::AssertionFailure()
                   << "\"" << line << "\" not logged in its place:" << all;
        }
        ++next;
    }
    return ::testing::AssertionSuccess();
}

void TRealWindowTest::Step(const std::string& what, const std::function<void()>& action,
                           const std::vector<std::string>& lines) {
    SCOPED_TRACE(what);
    const std::size_t mark = Mark();
    action();
    Sync();
    EXPECT_TRUE(LoggedInOrder(mark, lines));
}

std::string TRealWindowTest::LastLine(const std::string& prefix) {
    const std::vector<std::string>& lines = App().Lines();
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->rfind(prefix, 0) == 0) return *line;
    }
    return {};
}

std::vector<int> TRealWindowTest::LastValues(const std::string& prefix) {
    const std::string line = LastLine(prefix + " ");
    std::vector<int> values;
    if (line.empty()) return values;
    for (const std::string& field : Fields(line.substr(prefix.size()))) {
        values.push_back(std::stoi(field));
    }
    return values;
}

TScreenRect TRealWindowTest::PlaceOf(const std::string& control) {
    // The application says where its controls are now.
    const int number = ++requests_;
    const std::size_t mark = Mark();
    session_->SendMessage(mainWindow_, "_DSP_JOURNEY_PLACES", number);
    const auto end = App().WaitForLine("places " + std::to_string(number), mark);
    if (!end) return {};
    const std::vector<std::string> lines = App().LinesSince(mark);
    for (std::size_t i = 0; i < *end - mark; ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        if (f.size() != 7 || f[0] != "place" || f[2] != control) continue;
        const TScreenRect window = session_->ClientRect(WindowOf(f[1]));
        return {window.x + std::stoi(f[3]), window.y + std::stoi(f[4]), std::stoi(f[5]),
                std::stoi(f[6])};
    }
    return {};
}

void TRealWindowTest::ClickControl(const std::string& control) {
    const TScreenRect r = PlaceOf(control);
    ASSERT_GT(r.width, 0) << control << " has no place";
    session_->Click(r.x + r.width / 2, r.y + r.height / 2);
}

void TRealWindowTest::ClickControlAt(const std::string& control, int x, int y) {
    const TScreenRect r = PlaceOf(control);
    ASSERT_GT(r.width, 0) << control << " has no place";
    session_->Click(r.x + x, r.y + y);
}

void TRealWindowTest::TitleBarPoint(TWindowId window, int& x, int& y) {
    const TScreenRect client = session_->ClientRect(window);
    const TFrameExtents frame = session_->FrameExtents(window);
    // A third of the way along: the label, clear of the icon on the left and the buttons on
    // the right.
    x = client.x + client.width / 3;
    y = client.y - frame.top / 2;
}

}  // namespace dsp::realwindow
