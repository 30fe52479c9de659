// A journey through the panel widgets that take input, in a real window: a toggle group of
// bitmap buttons, the slope combo's completion and the LED button.

#include "tests/realwindow/RealWindowTest.h"

namespace dsp::realwindow {
namespace {

class TPanelsJourney : public TRealWindowTest {
protected:
    void SetUp() override {
        TRealWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        StartApp(PanelsApp(), {}, "Journey Panels");
    }
};

TEST_F(TPanelsJourney, GroupComboAndLed) {
    ASSERT_FALSE(HasFatalFailure());
    Step("a click puts the first mute button down", [&] { ClickControl("rzbMuteA"); },
         {"rzbMuteA OnClick", "mutes A-"});
    Step("the second one takes over in the group", [&] { ClickControl("rzbMuteB"); },
         {"rzbMuteB OnClick", "mutes -B"});
    Step("clicking the down button keeps it down", [&] { ClickControl("rzbMuteB"); },
         {"rzbMuteB OnClick", "mutes -B"});
    Step("typing L into the slope combo completes to the first item beginning with it",
         [&] {
             ClickControlAt("rzcSlope", 10, 10);
             X().Type("L");
         },
         {"rzcSlope OnClick 4 LK -12", "rzcSlope OnChange 4 LK -12",
          "rzcSlope OnMatch LK -12 tail K -12"});
    Step("the LED button toggles, then tells", [&] { ClickControl("vrbShow"); },
         {"vrbShow OnClick", "vrbShow Active 1"});
    {
        SCOPED_TRACE("a press dragged off the LED button and released outside changes nothing");
        const TScreenRect led = PlaceOf("vrbShow");
        const std::size_t mark = Mark();
        X().Drag(led.x + 20, led.y + 8, led.x + 200, led.y + 40);
        Sync();
        for (const std::string& line : LogSince(mark)) {
            EXPECT_EQ(line.find("vrbShow"), std::string::npos) << line;
        }
    }
    Step("and a click toggles it back", [&] { ClickControl("vrbShow"); },
         {"vrbShow OnClick", "vrbShow Active 0"});
}

}  // namespace
}  // namespace dsp::realwindow
