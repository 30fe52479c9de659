// Journeys through every standard control in a real window, by keyboard and by mouse, with the
// menus and the modal dialog: what a person does, and what the application logs for it.

#include "tests/realwindow/RealWindowTest.h"

namespace dsp::realwindow {
namespace {

class TStdControlsJourney : public TRealWindowTest {
protected:
    void SetUp() override {
        TRealWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        StartApp(StdControlsApp(), {}, "Journey Main");
    }
};

TEST_F(TStdControlsJourney, ByKeyboard) {
    ASSERT_FALSE(HasFatalFailure());
    Step("typing into the focused edit", [&] { X().Type("Preset 1"); },
         {"edName OnChange P", "edName OnChange Preset 1"});
    Step("Tab to the combo", [&] { X().Key("Tab"); }, {"edName OnExit", "cbChoice OnEnter"});
    Step("Down on the closed combo chooses the next line", [&] { X().Key("Down"); },
         {"cbChoice OnClick 1 Beta", "cbChoice OnSelect 1 Beta"});
    Step("the dropped list: arrows move the highlight, Enter chooses",
         [&] {
             X().Key("alt+Down");
             X().Key("Down");
             X().Key("Down");
             X().Key("Return");
         },
         {"cbChoice OnDropDown", "cbChoice OnClick 3 Delta", "cbChoice OnSelect 3 Delta",
          "cbChoice OnCloseUp"});
    Step("Tab and Space on the check box",
         [&] {
             X().Key("Tab");
             X().Key("space");
         },
         {"cbChoice OnExit", "chkOption OnEnter", "chkOption OnClick checked"});
    Step("Tab into the radio group lands on the checked button", [&] { X().Key("Tab"); },
         {"chkOption OnExit", "gbMode OnEnter", "rbMag OnEnter"});
    Step("arrowing onto the next radio button enters it, then clicks it", [&] { X().Key("Down"); },
         {"rbMag OnExit", "rbPhase OnEnter", "rbPhase OnClick checked"});
    Step("Tab to the associated edit, whose arrows step the up-down",
         [&] {
             X().Key("Tab");
             X().Key("Up");
         },
         {"gbMode OnExit", "edCount OnEnter", "udCount OnClick next 4"});
    Step("the label's accelerator focuses its edit", [&] { X().Key("alt+n"); },
         {"edCount OnExit", "edName OnEnter"});
}

TEST_F(TStdControlsJourney, ByMouse) {
    ASSERT_FALSE(HasFatalFailure());
    Step("a click on an up-down button focuses its edit, then steps",
         [&] { ClickControlAt("udCount", 8, 4); },
         {"edName OnExit", "edCount OnEnter", "edCount OnChange 4", "udCount OnClick next 4"});
    Step("a click on the list box chooses the line", [&] { ClickControlAt("lbItems", 20, 8); },
         {"edCount OnExit", "lbItems OnEnter", "lbItems OnClick 0"});
    Step("the arrows move in the list", [&] { X().Key("Down"); }, {"lbItems OnClick 1"});
    Step("a click on the check box", [&] { ClickControl("chkOption"); },
         {"lbItems OnExit", "chkOption OnEnter", "chkOption OnClick checked"});
    Step("a click on a radio button", [&] { ClickControl("rbPhase"); },
         {"chkOption OnExit", "rbPhase OnEnter", "rbPhase OnClick checked"});
    Step("a click on a speed button", [&] { ClickControl("sbTwo"); }, {"sbTwo OnClick down"});
    Step("a click on the bitmap button", [&] { ClickControl("bbApply"); }, {"bbApply OnClick"});
    Step("a click on the tree's first node", [&] { ClickControlAt("tvTree", 30, 8); },
         {"tvTree OnEnter", "tvTree OnChange Plot"});
    Step("the tree's arrows", [&] { X().Key("Down"); }, {"tvTree OnChange Axes"});
    Step("typing two lines into the memo",
         [&] {
             ClickControl("mmNotes");
             X().Type("x\ny");
         },
         {"mmNotes OnEnter", "mmNotes OnChange x\\r\\ny"});
    Step("the memo's context menu",
         [&] {
             ClickControl("mmNotes");
             const TScreenRect memo = PlaceOf("mmNotes");
             X().Click(memo.x + 20, memo.y + 20, 3);
             Sync();
             X().Key("c");
         },
         {"miClear OnClick", "mmNotes OnChange "});
    Step("after the menu the mouse reaches what it clicks", [&] { ClickControl("chkOption"); },
         {"chkOption OnClick unchecked"});
    Step("a click on the first tab, then Ctrl+Tab to the second page",
         [&] {
             const TScreenRect pages = PlaceOf("pcPages");
             const TScreenRect first = PlaceOf("tsFirst");
             X().Click(pages.x + 10, pages.y + (first.y - pages.y) / 2);
             X().Key("ctrl+Tab");
         },
         {"pcPages OnEnter", "pcPages OnChange 1"});
    Step("a click on a cell of the grid", [&] { ClickControlAt("vlGrid", 150, 28); },
         {"vlGrid OnSelectCell 1 1"});
    Step("clicks on the panel and the painted controls",
         [&] {
             for (const char* name : {"pnlBox", "shpDot", "pbPaint", "imgPicture"}) {
                 ClickControl(name);
             }
         },
         {"pnlBox OnClick", "shpDot OnClick", "pbPaint OnClick", "imgPicture OnClick"});
    {
        SCOPED_TRACE("the scroll box's lower arrow scrolls its content");
        const TScreenRect box = PlaceOf("sbxBox");
        const TScreenRect far = PlaceOf("edFar");
        ClickControlAt("sbxBox", box.width - 10, box.height - 10);
        Sync();
        EXPECT_LT(PlaceOf("edFar").y, far.y);
    }
}

TEST_F(TStdControlsJourney, MenusAndTheModalDialog) {
    ASSERT_FALSE(HasFatalFailure());
    Step("the menu's shortcut opens the modal dialog", [&] { X().Key("ctrl+d"); },
         {"miDialog OnClick", "fmDialog OnShow", "fmDialog OnActivate", "edDialog OnEnter"});
    // Timers keep running in the modal loop.
    const std::size_t mark = Mark();
    int ticks = 0;
    ASSERT_TRUE(App().WaitFor(
        [&](const std::string& line) { return line == "tmDialog OnTimer" && ++ticks == 3; }, mark));
    Step("typing goes to the dialog", [&] { X().Type("abc"); }, {"edDialog OnChange abc"});
    Step("Escape cancels it", [&] { X().Key("Escape"); },
         {"btnCancel OnClick", "fmMain OnActivate", "fmDialog OnHide", "fmDialog result 2"});
    Step("the dialog's button, then OK",
         [&] {
             ClickControl("btnDialog");
             ASSERT_NE(X().WaitForWindow("Journey Dialog"), 0u);
             Sync();
             ClickControl("btnOk");
         },
         {"btnDialog OnClick", "fmDialog OnShow", "btnOk OnClick", "fmDialog result 1"});
    // The File menu from the keyboard, then Exit: the application ends.
    const std::size_t exitMark = Mark();
    X().Key("alt+f");
    Sync();
    X().Key("x");
    EXPECT_EQ(App().WaitForExit(), 0);
    EXPECT_TRUE(LoggedInOrder(exitMark,
                              {"miExit OnClick", "fmMain OnCloseQuery", "fmMain OnClose", "exit"}));
}

}  // namespace
}  // namespace dsp::realwindow
