// The session against the processor simulator, over the real transports.

#include <gtest/gtest.h>

#include "framework/controls/Label.h"
#include "framework/runtime/Timer.h"
#include "link/forms/FProcess.h"
#include "tests/mainwindow/SessionHarness.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {
namespace {

TEST(SessionEndToEnd, ConnectsAndReadsBackOverTcp) {
    THarnessOptions options;
    options.tcp = true;
    TSessionHarness h(options);
    h.StartConnect();
    ASSERT_TRUE(h.WaitUntil([&] { return h.ReadBackDone(); }))
        << ::testing::PrintToString(h.Timeline());
    EXPECT_TRUE(IsSubsequence(ConnectSequence(), h.CodesRead()));
    EXPECT_EQ(h.Form().lbShowIp->Caption(), "IP : 127.0.0.1");
    EXPECT_EQ(h.Form().rzbMenuLink->Caption(), "OnLine");
    EXPECT_TRUE(h.Form().rzbMenuLink->Enabled());
    EXPECT_TRUE(h.Form().rzbMenuLink->Down());
    // Nothing is left that could show the progress window later.
    EXPECT_FALSE(h.Form().tmProcessShow->Enabled());
    EXPECT_FALSE(fmProcess->Visible());
}

}  // namespace
}  // namespace dsp::test
