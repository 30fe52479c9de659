// The traffic monitor, the memo window and the progress window.

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "framework/controls/Button.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/StatusBar.h"
#include "link/forms/FHidData.h"
#include "link/forms/FMemo.h"
#include "link/forms/FProcess.h"
#include "tests/link/forms/FakeSessionWindow.h"
#include "tests/support/RunLoop.h"

namespace dsp::test {
namespace {

std::vector<std::string> Lines(const TfmHidData& monitor) {
    std::vector<std::string> lines;
    for (int i = 0; i < monitor.hbHidData->Items()->Count(); ++i)
        lines.push_back(monitor.hbHidData->Items()->Strings(i));
    return lines;
}

TEST(TrafficMonitor, MonitorsOnlyWhileShown) {
    TfmHidData monitor(nullptr);
    monitor.AfterConstruction();
    EXPECT_EQ(monitor.Caption(), "Hid Data");
    EXPECT_FALSE(monitor.Monitoring());
    monitor.Show();
    EXPECT_TRUE(monitor.Monitoring());
    monitor.Hide();
    EXPECT_FALSE(monitor.Monitoring());
}

TEST(TrafficMonitor, LinesFromWorkersComeInTheOrderTheyWereMade) {
    TfmHidData monitor(nullptr);
    monitor.AfterConstruction();
    monitor.Show();
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) monitor.AddLine("W " + std::to_string(i));
    });
    worker.join();
    // A line made on the UI thread now goes behind everything handed over before it.
    monitor.AddLine("UI");
    std::vector<std::string> lines = Lines(monitor);
    ASSERT_EQ(lines.size(), 101u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(lines[i], "W " + std::to_string(i));
    EXPECT_EQ(lines.back(), "UI");
    EXPECT_EQ(monitor.hbHidData->ItemIndex(), 100);
    // Clear empties the list; lines keep coming.
    monitor.bnClear->Click();
    EXPECT_TRUE(Lines(monitor).empty());
    std::thread([&] { monitor.AddLine("after"); }).join();
    ASSERT_TRUE(RunLoopUntil([&] { return Lines(monitor).size() == 1; }));
    EXPECT_EQ(Lines(monitor)[0], "after");
}

TEST(TrafficMonitor, LinesHandedOverToAMonitorThatIsGoneAreDropped) {
    auto monitor = std::make_unique<TfmHidData>(nullptr);
    monitor->AfterConstruction();
    monitor->Show();
    std::thread([&] { monitor->AddLine("late"); }).join();
    monitor.reset();
    RunPendingEvents();  // the hand-over runs and finds nothing to touch
}

TEST(MemoWindow, StartsWithItsLineAndClears) {
    TfmMemo memo(nullptr);
    memo.AfterConstruction();
    EXPECT_EQ(memo.Caption(), "Message List");
    ASSERT_EQ(memo.Memo->Lines()->Count(), 1);
    EXPECT_EQ(memo.Memo->Lines()->Strings(0), "Memo");
    memo.bnClearMemo->Click();
    EXPECT_EQ(memo.Memo->Lines()->Count(), 0);
}

TEST(ProgressWindow, TakesItsCaptionWhenShownAndHidesAModelessShow) {
    TFakeSessionWindow window;
    TfmProcess progress(nullptr);
    progress.AfterConstruction();
    progress.SetStatusText("Upload parameters now , please wait...");
    progress.Show();
    EXPECT_EQ(progress.Caption(), "Process");
    EXPECT_EQ(progress.StatusBar->SimpleText(), "Upload parameters now , please wait...");
    progress.CloseProgress();
    EXPECT_FALSE(progress.Visible());
    window.language = kLanguageChineseGB;
    progress.Show();
    EXPECT_EQ(progress.Caption(), "处理");
    progress.CloseProgress();
    progress.CloseProgress();  // closing a hidden window does nothing
    EXPECT_FALSE(progress.Visible());
}

}  // namespace
}  // namespace dsp::test
