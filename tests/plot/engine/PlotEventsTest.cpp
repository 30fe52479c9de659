// The plot's input: finding the object under the mouse, presses, moves, releases and keys,
// hints on the manual clock, the master-axis replays and the event dispatchers.

#include <gtest/gtest.h>

#include <QtCore/qnamespace.h>

#include <chrono>
#include <string>
#include <vector>

#include "framework/controls/KeyMap.h"
#include "framework/runtime/ManualClock.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp {
namespace {

using std::chrono::milliseconds;

// A limit that covers a rectangle and has a hint there.
class THotLimit : public test::TFakeLimit {
public:
    using test::TFakeLimit::TFakeLimit;
    bool MouseHitTest(const TiPlotMouseData& m) override { return PtInRect(area, {m.X, m.Y}); }
    void DoMouseHint(const TiPlotMouseData& m, TiHintData& hint) override {
        hint.Text = hint_;
        hint.Left = m.X;
        hint.Top = m.Y + 10;
        hint.Width = 40;
        hint.Height = 16;
    }
    TRect area{};
    std::string hint_ = "limit hint";
};

// An X axis that counts what reaches it and tries to replay it further.
class TReplayingAxis : public TiPlotXAxis {
public:
    using TiPlotXAxis::TiPlotXAxis;
    void DoMouseLeft(const TiPlotMouseData& m) override {
        ++lefts;
        if (Plot() != nullptr) Plot()->MasterAxisMouseLeft(this, m);
    }
    int lefts = 0;
};

class PlotEventsTest : public ::testing::Test {
protected:
    PlotEventsTest() {
        test::UseFakeClasses(plot);
        RegisterPlotObjectClass(TiPlotObjectKind::Limit, PlotObjectFactory<THotLimit>());
        plot.SetBounds(0, 0, 400, 200);
        plot.DisableLayoutManager();
        plot.GetToolBar(plot.AddToolBar())->SetVisible(false);
        plot.GetLegend(plot.AddLegend())->SetVisible(false);
        plot.AddXAxis();
        plot.AddYAxis();
        plot.AddDataView();
        plot.EnableLayoutManager();
        test::RenderPlot(plot);
        dv = plot.GetDataView(0)->DrawRect();
    }
    ~PlotEventsTest() override {
        RegisterPlotObjectClass(TiPlotObjectKind::Limit, PlotObjectFactory<test::TFakeLimit>());
        RegisterPlotObjectClass(TiPlotObjectKind::XAxis, PlotObjectFactory<TiPlotXAxis>());
    }
    THotLimit* AddHotLimit(TRect area) {
        auto* limit = static_cast<THotLimit*>(plot.GetLimit(plot.AddLimit()));
        limit->area = area;
        return limit;
    }
    TiPlotMouseData At(int x, int y) {
        TiPlotMouseData m;
        m.X = x;
        m.Y = y;
        return m;
    }
    TManualClock clock;
    TiPlotComponent plot{nullptr};
    TRect dv{};
};

TEST_F(PlotEventsTest, SelectedObjectsWinThenOthersThenDataViewsAndLegends) {
    const TPoint p{dv.Left + 20, dv.Top + 20};
    EXPECT_EQ(plot.FindObjectAt(At(p.X, p.Y)), plot.GetDataView(0));
    THotLimit* first = AddHotLimit(dv);
    THotLimit* second = AddHotLimit(dv);
    EXPECT_EQ(plot.FindObjectAt(At(p.X, p.Y)), first);
    second->SetUserSelected(true);
    EXPECT_EQ(plot.FindObjectAt(At(p.X, p.Y)), second);
    second->SetEnabled(false);
    EXPECT_EQ(plot.FindObjectAt(At(p.X, p.Y)), first);
    first->SetVisible(false);
    EXPECT_EQ(plot.FindObjectAt(At(p.X, p.Y)), plot.GetDataView(0));
    EXPECT_EQ(plot.FindObjectAt(At(2, 2)), nullptr);
}

TEST_F(PlotEventsTest, RightPressClearsSelectionsAndOpensThePressedObjectsMenu) {
    const int x = dv.Left + 20;
    const int y = dv.Top + 20;
    plot.GetYAxis(0)->SetUserSelected(true);
    std::vector<std::string> shown;
    TPopupMenu::SetPresenter([&](TPopupMenu& menu, int, int) -> TMenuItem* {
        for (int i = 0; i < menu.Items()->Count(); ++i)
            shown.push_back(menu.Items()->Items(i)->Caption());
        return nullptr;
    });
    int popups = 0;
    plot.OnPopupMenuDataView = [&](int index, bool&, int, int) {
        EXPECT_EQ(index, 0);
        ++popups;
    };
    plot.iMouseDown(mbRight, {}, x, y);
    EXPECT_FALSE(plot.GetYAxis(0)->UserSelected());
    EXPECT_EQ(plot.MouseDownObject(), plot.GetDataView(0));
    EXPECT_TRUE(plot.GetDataView(0)->MouseDownPopup());
    plot.iMouseUp(mbRight, {}, x, y);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(shown, (std::vector<std::string>{"Edit..."}));

    shown.clear();
    plot.GetDataView(0)->SetPopupEnabled(false);
    int ups = 0;
    plot.OnMouseUpDataView = [&](int, TMouseButton, TShiftState, int, int) { ++ups; };
    plot.iMouseDown(mbRight, {}, x, y);
    plot.iMouseUp(mbRight, {}, x, y);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(ups, 1);
    TPopupMenu::SetPresenter(nullptr);
}

TEST_F(PlotEventsTest, ShiftPressOnAnAxisSelectsItAndSuspendsMovesUntilTheRelease) {
    TiPlotXAxis* axis = plot.GetXAxis(0);
    const TRect focus = axis->FocusRect();
    const int x = (focus.Left + focus.Right) / 2;
    const int y = (focus.Top + focus.Bottom) / 2;
    plot.iMouseDown(mbLeft, TShiftState{ssShift}, x, y);
    EXPECT_TRUE(axis->UserSelected());
    plot.iMouseMove({}, dv.Left + 5, dv.Top + 5);
    EXPECT_EQ(plot.LastMouseOverObject(), nullptr);
    plot.iMouseUp(mbLeft, TShiftState{ssShift}, x, y);
    plot.iMouseMove({}, dv.Left + 5, dv.Top + 5);
    EXPECT_EQ(plot.LastMouseOverObject(), plot.GetDataView(0));

    plot.iMouseDown(mbLeft, TShiftState{ssCtrl}, x, y);
    plot.iMouseUp(mbLeft, TShiftState{ssCtrl}, x, y);
    EXPECT_FALSE(axis->UserSelected());
}

TEST_F(PlotEventsTest, MoveWithoutButtonAfterAMissedReleaseFinishesThePress) {
    THotLimit* limit = AddHotLimit(dv);
    int ups = 0;
    plot.OnMouseUpLimit = [&](int, TMouseButton, TShiftState, int, int) { ++ups; };
    plot.iMouseDown(mbLeft, {}, dv.Left + 10, dv.Top + 10);
    EXPECT_TRUE(limit->MouseDown());
    plot.iMouseMove({}, dv.Left + 12, dv.Top + 12);
    EXPECT_FALSE(limit->MouseDown());
    EXPECT_EQ(plot.MouseDownObject(), nullptr);
    EXPECT_EQ(ups, 1);
}

TEST_F(PlotEventsTest, HintShowsAfterThePauseAndGoesAfterTheHidePause) {
    const int middle = (dv.Left + dv.Right) / 2;
    AddHotLimit({dv.Left, dv.Top, middle, dv.Bottom});
    AddHotLimit({middle, dv.Top, dv.Right, dv.Bottom});
    const int x = dv.Left + 30;
    const int y = dv.Top + 30;
    plot.iMouseMove({}, x, y);
    clock.Advance(milliseconds(499));
    EXPECT_FALSE(plot.HintData().Visible);
    clock.Advance(milliseconds(1));
    EXPECT_TRUE(plot.HintData().Visible);
    EXPECT_EQ(plot.HintData().Text, "limit hint");
    EXPECT_EQ(plot.HintData().Top, y + 10);
    clock.Advance(milliseconds(2499));
    EXPECT_TRUE(plot.HintData().Visible);
    clock.Advance(milliseconds(1));
    EXPECT_FALSE(plot.HintData().Visible);

    // Resting on the same object does not bring it back; another object starts the pause
    // again; a press hides the hint at once.
    plot.iMouseMove({}, x + 1, y + 1);
    plot.iMouseMove({}, x + 10, y + 1);
    clock.Advance(milliseconds(600));
    EXPECT_FALSE(plot.HintData().Visible);
    plot.iMouseMove({}, middle + 10, dv.Top + 50);
    plot.iMouseMove({}, middle + 11, dv.Top + 50);
    clock.Advance(milliseconds(500));
    EXPECT_TRUE(plot.HintData().Visible);
    plot.iMouseDown(mbLeft, {}, middle + 11, dv.Top + 50);
    EXPECT_FALSE(plot.HintData().Visible);
}

TEST_F(PlotEventsTest, AnObjectWithoutHintTextShowsNone) {
    THotLimit* limit = AddHotLimit(dv);
    limit->hint_.clear();
    plot.iMouseMove({}, dv.Left + 30, dv.Top + 30);
    clock.Advance(milliseconds(3000));
    EXPECT_FALSE(plot.HintData().Visible);
}

TEST_F(PlotEventsTest, MasterAxisReplayReachesTheOtherAxesOfItsKindOnce) {
    RegisterPlotObjectClass(TiPlotObjectKind::XAxis, PlotObjectFactory<TReplayingAxis>());
    auto* a = static_cast<TReplayingAxis*>(plot.GetXAxis(plot.AddXAxis()));
    auto* b = static_cast<TReplayingAxis*>(plot.GetXAxis(plot.AddXAxis()));
    a->DoMouseLeft(At(1, 1));
    EXPECT_EQ(a->lefts, 1);
    EXPECT_EQ(b->lefts, 1);  // its own replay found the block set
}

TEST_F(PlotEventsTest, DispatchersAreSilentWhileLoadingButForTheCursorChange) {
    int clicks = 0;
    int changes = 0;
    plot.OnClickDataView = [&](int) { ++clicks; };
    plot.OnDataCursorChange = [&](int) { ++changes; };
    TiPlotDataCursor* cursor = plot.GetDataCursor(plot.AddDataCursor());
    plot.SetLoading(true);
    plot.DoObjectClick(plot.GetDataView(0));
    plot.DoDataCursorChange(cursor);
    plot.SetLoading(false);
    plot.DoObjectClick(plot.GetDataView(0));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(PlotEventsTest, DoubleClickFlagTurnsTheNextClickIntoADoubleClick) {
    std::vector<std::string> log;
    plot.OnClickDataView = [&](int) { log.push_back("click"); };
    plot.OnDblClickDataView = [&](int) { log.push_back("double"); };
    plot.DoObjectClick(plot.GetDataView(0));
    plot.iDoubleClick();
    plot.DoObjectClick(plot.GetDataView(0));
    plot.DoObjectClick(plot.GetDataView(0));
    EXPECT_EQ(log, (std::vector<std::string>{"click", "double", "click"}));
}

TEST_F(PlotEventsTest, WheelOverAnXYChannelRaisesNothingButOverAnAxisItDoes) {
    TiPlotChannelCustom* channel = plot.GetChannel(plot.AddChannel());
    int channelWheels = 0;
    int axisWheels = 0;
    plot.OnMouseWheelChannel = [&](int, int, TShiftState, int, int) { ++channelWheels; };
    plot.OnMouseWheelXAxis = [&](int, int, TShiftState, int, int) { ++axisWheels; };
    plot.DoObjectMouseWheel(channel, 120, {}, 1, 1);
    plot.DoObjectMouseWheel(plot.GetXAxis(0), 120, {}, 1, 1);
    EXPECT_EQ(channelWheels, 0);
    EXPECT_EQ(axisWheels, 1);
}

TEST_F(PlotEventsTest, PressOnADisabledObjectIsIgnoredAndNoPopupWithoutPopupEnabled) {
    THotLimit* limit = AddHotLimit(dv);
    limit->SetPopupEnabled(false);
    limit->DoMouseDown(mbRight, {}, dv.Left + 5, dv.Top + 5, 0, 0, plot.PopupMenu());
    EXPECT_FALSE(limit->MouseDownPopup());
    EXPECT_TRUE(limit->MouseDown());
    limit->DoMouseRelease(mbRight, {}, dv.Left + 5, dv.Top + 5, 0, 0, false, plot.PopupMenu());
    limit->SetEnabled(false);
    limit->DoMouseDown(mbLeft, {}, dv.Left + 5, dv.Top + 5, 0, 0, plot.PopupMenu());
    EXPECT_FALSE(limit->MouseDown());
}

TEST_F(PlotEventsTest, ReversedAxesExchangeTheAxisPixelsOfTheMouseData) {
    class TProbe : public test::TFakeLimit {
    public:
        using test::TFakeLimit::TFakeLimit;
        void DoMouseLeft(const TiPlotMouseData& m) override { seen = m; }
        TiPlotMouseData seen;
    };
    RegisterPlotObjectClass(TiPlotObjectKind::Limit, PlotObjectFactory<TProbe>());
    auto* probe = static_cast<TProbe*>(plot.GetLimit(plot.AddLimit()));
    plot.SetXYAxesReverse(true);
    probe->DoMouseDown(mbLeft, {}, 30, 70, 0, 0, nullptr);
    EXPECT_EQ(probe->seen.XAxisPixels, 70);
    EXPECT_EQ(probe->seen.YAxisPixels, 30);
}

TEST_F(PlotEventsTest, ZoomBoxDraggedRightAndDownZoomsTheAxesOtherDirectionsDoNot) {
    plot.GetToolBar(0)->DoButtonClickZoomBox();
    TiPlotXAxis* x = plot.GetXAxis(0);
    TiPlotYAxis* y = plot.GetYAxis(0);
    const TShiftState held{ssLeft};
    auto drag = [&](TPoint from, TPoint to) {
        plot.iMouseDown(mbLeft, {}, from.X, from.Y);
        plot.iMouseMove(held, to.X, to.Y);
        EXPECT_TRUE(plot.GetDataView(0)->ZoomBoxActive());
        plot.iMouseUp(mbLeft, {}, to.X, to.Y);
        EXPECT_FALSE(plot.GetDataView(0)->ZoomBoxActive());
    };
    drag({dv.Left + 110, dv.Top + 60}, {dv.Left + 10, dv.Top + 10});  // up and left
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(x->Span(), 100);

    bool cancel = true;
    plot.OnBeforeZoomBox = [&](TRect&, bool& c) { c = cancel; };
    drag({dv.Left + 10, dv.Top + 10}, {dv.Left + 110, dv.Top + 60});
    EXPECT_EQ(x->Span(), 100);

    cancel = false;
    const double left = x->PixelsToPosition(dv.Left + 10);
    const double right = x->PixelsToPosition(dv.Left + 110);
    const double bottom = y->PixelsToPosition(dv.Top + 60);
    drag({dv.Left + 10, dv.Top + 10}, {dv.Left + 110, dv.Top + 60});
    EXPECT_DOUBLE_EQ(x->Min(), left);
    EXPECT_DOUBLE_EQ(x->Span(), right - left);
    EXPECT_DOUBLE_EQ(y->Min(), bottom);
    EXPECT_FALSE(x->TrackingEnabled());  // a zoom box stops tracking
}

TEST_F(PlotEventsTest, RightDragStartsAZoomBoxOnlyBeyondFivePixelsAndThenOpensNoMenu) {
    TiPlotDataView* view = plot.GetDataView(0);
    view->SetAxesControlEnabled(true);
    int popups = 0;
    plot.OnPopupMenuDataView = [&](int, bool&, int, int) { ++popups; };
    TPopupMenu::SetPresenter([](TPopupMenu&, int, int) -> TMenuItem* { return nullptr; });
    const TPoint at{dv.Left + 50, dv.Top + 50};
    plot.iMouseDown(mbRight, {}, at.X, at.Y);
    plot.iMouseMove(TShiftState{ssRight}, at.X + 5, at.Y + 5);
    EXPECT_FALSE(view->ZoomBoxActive());
    plot.iMouseMove(TShiftState{ssRight}, at.X + 6, at.Y + 5);
    EXPECT_TRUE(view->ZoomBoxActive());
    EXPECT_FALSE(view->MouseDownPopup());
    plot.iMouseUp(mbRight, {}, at.X + 6, at.Y + 5);
    EXPECT_EQ(popups, 0);
    TPopupMenu::SetPresenter(nullptr);
}

// A plot that counts how often a key reaches its hook.
class TKeyCountingPlot : public test::TAxesPlot {
public:
    using test::TAxesPlot::TAxesPlot;
    void iKeyDown(TKeyCode& key, TShiftState shift) override {
        keys.push_back({key, shift});
        test::TAxesPlot::iKeyDown(key, shift);
    }
    std::vector<std::pair<TKeyCode, TShiftState>> keys;
};

TEST(PlotKeysTest, AKeyReachesTheKeyHookOnceWithItsShiftState) {
    std::unique_ptr<TForm> form = test::MakeForm(420, 220);
    auto* plot = new TKeyCountingPlot(form.get());
    plot->SetParent(form.get());
    plot->SetBounds(5, 5, 400, 200);
    plot->SetTabStop(true);
    test::ShowAndPaint(*form);
    plot->SetFocus();
    test::SendKey(*plot, Qt::Key_Left, "", Qt::ShiftModifier);
    ASSERT_EQ(plot->keys.size(), 1u);
    EXPECT_EQ(plot->keys[0].first, VK_LEFT);
    EXPECT_TRUE(plot->keys[0].second.Contains(ssShift));
}

}  // namespace
}  // namespace dsp
