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
        test::UseFakeClasses(plot_);
        RegisterPlotObjectClass(TiPlotObjectKind::Limit, PlotObjectFactory<THotLimit>());
        plot_.SetBounds(0, 0, 400, 200);
        plot_.DisableLayoutManager();
        plot_.GetToolBar(plot_.AddToolBar())->SetVisible(false);
        plot_.GetLegend(plot_.AddLegend())->SetVisible(false);
        plot_.AddXAxis();
        plot_.AddYAxis();
        plot_.AddDataView();
        plot_.EnableLayoutManager();
        test::RenderPlot(plot_);
        dv_ = plot_.GetDataView(0)->DrawRect();
    }
    ~PlotEventsTest() override {
        RegisterPlotObjectClass(TiPlotObjectKind::Limit, PlotObjectFactory<test::TFakeLimit>());
        RegisterPlotObjectClass(TiPlotObjectKind::XAxis, PlotObjectFactory<TiPlotXAxis>());
    }
    THotLimit* AddHotLimit(TRect area) {
        auto* limit = static_cast<THotLimit*>(plot_.GetLimit(plot_.AddLimit()));
        limit->area = area;
        return limit;
    }
    TiPlotMouseData At(int x, int y) {
        TiPlotMouseData m;
        m.X = x;
        m.Y = y;
        return m;
    }
    TManualClock clock_;
    TiPlotComponent plot_{nullptr};
    TRect dv_{};
};

TEST_F(PlotEventsTest, SelectedObjectsWinThenOthersThenDataViewsAndLegends) {
    const TPoint p{dv_.Left + 20, dv_.Top + 20};
    EXPECT_EQ(plot_.FindObjectAt(At(p.X, p.Y)), plot_.GetDataView(0));
    THotLimit* first = AddHotLimit(dv_);
    THotLimit* second = AddHotLimit(dv_);
    EXPECT_EQ(plot_.FindObjectAt(At(p.X, p.Y)), first);
    second->SetUserSelected(true);
    EXPECT_EQ(plot_.FindObjectAt(At(p.X, p.Y)), second);
    second->SetEnabled(false);
    EXPECT_EQ(plot_.FindObjectAt(At(p.X, p.Y)), first);
    first->SetVisible(false);
    EXPECT_EQ(plot_.FindObjectAt(At(p.X, p.Y)), plot_.GetDataView(0));
    EXPECT_EQ(plot_.FindObjectAt(At(2, 2)), nullptr);
}

TEST_F(PlotEventsTest, RightPressClearsSelectionsAndOpensThePressedObjectsMenu) {
    const int x = dv_.Left + 20;
    const int y = dv_.Top + 20;
    plot_.GetYAxis(0)->SetUserSelected(true);
    std::vector<std::string> shown;
    TPopupMenu::SetPresenter([&](TPopupMenu& menu, int, int) -> TMenuItem* {
        for (int i = 0; i < menu.Items()->Count(); ++i)
            shown.push_back(menu.Items()->Items(i)->Caption());
        return nullptr;
    });
    int popups = 0;
    plot_.OnPopupMenuDataView = [&](int index, bool&, int, int) {
        EXPECT_EQ(index, 0);
        ++popups;
    };
    plot_.iMouseDown(mbRight, {}, x, y);
    EXPECT_FALSE(plot_.GetYAxis(0)->UserSelected());
    EXPECT_EQ(plot_.MouseDownObject(), plot_.GetDataView(0));
    EXPECT_TRUE(plot_.GetDataView(0)->MouseDownPopup());
    plot_.iMouseUp(mbRight, {}, x, y);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(shown, (std::vector<std::string>{"Edit..."}));

    shown.clear();
    plot_.GetDataView(0)->SetPopupEnabled(false);
    int ups = 0;
    plot_.OnMouseUpDataView = [&](int, TMouseButton, TShiftState, int, int) { ++ups; };
    plot_.iMouseDown(mbRight, {}, x, y);
    plot_.iMouseUp(mbRight, {}, x, y);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(ups, 1);
    TPopupMenu::SetPresenter(nullptr);
}

TEST_F(PlotEventsTest, ShiftPressOnAnAxisSelectsItAndSuspendsMovesUntilTheRelease) {
    TiPlotXAxis* axis = plot_.GetXAxis(0);
    const TRect focus = axis->FocusRect();
    const int x = (focus.Left + focus.Right) / 2;
    const int y = (focus.Top + focus.Bottom) / 2;
    plot_.iMouseDown(mbLeft, TShiftState{ssShift}, x, y);
    EXPECT_TRUE(axis->UserSelected());
    plot_.iMouseMove({}, dv_.Left + 5, dv_.Top + 5);
    EXPECT_EQ(plot_.LastMouseOverObject(), nullptr);
    plot_.iMouseUp(mbLeft, TShiftState{ssShift}, x, y);
    plot_.iMouseMove({}, dv_.Left + 5, dv_.Top + 5);
    EXPECT_EQ(plot_.LastMouseOverObject(), plot_.GetDataView(0));

    plot_.iMouseDown(mbLeft, TShiftState{ssCtrl}, x, y);
    plot_.iMouseUp(mbLeft, TShiftState{ssCtrl}, x, y);
    EXPECT_FALSE(axis->UserSelected());
}

TEST_F(PlotEventsTest, MoveWithoutButtonAfterAMissedReleaseFinishesThePress) {
    THotLimit* limit = AddHotLimit(dv_);
    int ups = 0;
    plot_.OnMouseUpLimit = [&](int, TMouseButton, TShiftState, int, int) { ++ups; };
    plot_.iMouseDown(mbLeft, {}, dv_.Left + 10, dv_.Top + 10);
    EXPECT_TRUE(limit->MouseDown());
    plot_.iMouseMove({}, dv_.Left + 12, dv_.Top + 12);
    EXPECT_FALSE(limit->MouseDown());
    EXPECT_EQ(plot_.MouseDownObject(), nullptr);
    EXPECT_EQ(ups, 1);
}

TEST_F(PlotEventsTest, HintShowsAfterThePauseAndGoesAfterTheHidePause) {
    const int middle = (dv_.Left + dv_.Right) / 2;
    AddHotLimit({dv_.Left, dv_.Top, middle, dv_.Bottom});
    AddHotLimit({middle, dv_.Top, dv_.Right, dv_.Bottom});
    const int x = dv_.Left + 30;
    const int y = dv_.Top + 30;
    plot_.iMouseMove({}, x, y);
    clock_.Advance(milliseconds(499));
    EXPECT_FALSE(plot_.HintData().Visible);
    clock_.Advance(milliseconds(1));
    EXPECT_TRUE(plot_.HintData().Visible);
    EXPECT_EQ(plot_.HintData().Text, "limit hint");
    EXPECT_EQ(plot_.HintData().Top, y + 10);
    clock_.Advance(milliseconds(2499));
    EXPECT_TRUE(plot_.HintData().Visible);
    clock_.Advance(milliseconds(1));
    EXPECT_FALSE(plot_.HintData().Visible);

    // Resting on the same object does not bring it back; another object starts the pause
    // again; a press hides the hint at once.
    plot_.iMouseMove({}, x + 1, y + 1);
    plot_.iMouseMove({}, x + 10, y + 1);
    clock_.Advance(milliseconds(600));
    EXPECT_FALSE(plot_.HintData().Visible);
    plot_.iMouseMove({}, middle + 10, dv_.Top + 50);
    plot_.iMouseMove({}, middle + 11, dv_.Top + 50);
    clock_.Advance(milliseconds(500));
    EXPECT_TRUE(plot_.HintData().Visible);
    plot_.iMouseDown(mbLeft, {}, middle + 11, dv_.Top + 50);
    EXPECT_FALSE(plot_.HintData().Visible);
}

TEST_F(PlotEventsTest, AnObjectWithoutHintTextShowsNone) {
    THotLimit* limit = AddHotLimit(dv_);
    limit->hint_.clear();
    plot_.iMouseMove({}, dv_.Left + 30, dv_.Top + 30);
    clock_.Advance(milliseconds(3000));
    EXPECT_FALSE(plot_.HintData().Visible);
}

TEST_F(PlotEventsTest, MasterAxisReplayReachesTheOtherAxesOfItsKindOnce) {
    RegisterPlotObjectClass(TiPlotObjectKind::XAxis, PlotObjectFactory<TReplayingAxis>());
    auto* a = static_cast<TReplayingAxis*>(plot_.GetXAxis(plot_.AddXAxis()));
    auto* b = static_cast<TReplayingAxis*>(plot_.GetXAxis(plot_.AddXAxis()));
    a->DoMouseLeft(At(1, 1));
    EXPECT_EQ(a->lefts, 1);
    EXPECT_EQ(b->lefts, 1);  // its own replay found the block set
}

TEST_F(PlotEventsTest, DispatchersAreSilentWhileLoadingButForTheCursorChange) {
    int clicks = 0;
    int changes = 0;
    plot_.OnClickDataView = [&](int) { ++clicks; };
    plot_.OnDataCursorChange = [&](int) { ++changes; };
    TiPlotDataCursor* cursor = plot_.GetDataCursor(plot_.AddDataCursor());
    plot_.SetLoading(true);
    plot_.DoObjectClick(plot_.GetDataView(0));
    plot_.DoDataCursorChange(cursor);
    plot_.SetLoading(false);
    plot_.DoObjectClick(plot_.GetDataView(0));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(PlotEventsTest, DoubleClickFlagTurnsTheNextClickIntoADoubleClick) {
    std::vector<std::string> log;
    plot_.OnClickDataView = [&](int) { log.push_back("click"); };
    plot_.OnDblClickDataView = [&](int) { log.push_back("double"); };
    plot_.DoObjectClick(plot_.GetDataView(0));
    plot_.iDoubleClick();
    plot_.DoObjectClick(plot_.GetDataView(0));
    plot_.DoObjectClick(plot_.GetDataView(0));
    EXPECT_EQ(log, (std::vector<std::string>{"click", "double", "click"}));
}

TEST_F(PlotEventsTest, WheelOverAnXYChannelRaisesNothingButOverAnAxisItDoes) {
    TiPlotChannelCustom* channel = plot_.GetChannel(plot_.AddChannel());
    int channelWheels = 0;
    int axisWheels = 0;
    plot_.OnMouseWheelChannel = [&](int, int, TShiftState, int, int) { ++channelWheels; };
    plot_.OnMouseWheelXAxis = [&](int, int, TShiftState, int, int) { ++axisWheels; };
    plot_.DoObjectMouseWheel(channel, 120, {}, 1, 1);
    plot_.DoObjectMouseWheel(plot_.GetXAxis(0), 120, {}, 1, 1);
    EXPECT_EQ(channelWheels, 0);
    EXPECT_EQ(axisWheels, 1);
}

TEST_F(PlotEventsTest, PressOnADisabledObjectIsIgnoredAndNoPopupWithoutPopupEnabled) {
    THotLimit* limit = AddHotLimit(dv_);
    limit->SetPopupEnabled(false);
    limit->DoMouseDown(mbRight, {}, dv_.Left + 5, dv_.Top + 5, 0, 0, plot_.PopupMenu());
    EXPECT_FALSE(limit->MouseDownPopup());
    EXPECT_TRUE(limit->MouseDown());
    limit->DoMouseRelease(mbRight, {}, dv_.Left + 5, dv_.Top + 5, 0, 0, false, plot_.PopupMenu());
    limit->SetEnabled(false);
    limit->DoMouseDown(mbLeft, {}, dv_.Left + 5, dv_.Top + 5, 0, 0, plot_.PopupMenu());
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
    auto* probe = static_cast<TProbe*>(plot_.GetLimit(plot_.AddLimit()));
    plot_.SetXYAxesReverse(true);
    probe->DoMouseDown(mbLeft, {}, 30, 70, 0, 0, nullptr);
    EXPECT_EQ(probe->seen.XAxisPixels, 70);
    EXPECT_EQ(probe->seen.YAxisPixels, 30);
}

TEST_F(PlotEventsTest, ZoomBoxDraggedRightAndDownZoomsTheAxesOtherDirectionsDoNot) {
    plot_.GetToolBar(0)->DoButtonClickZoomBox();
    TiPlotXAxis* x = plot_.GetXAxis(0);
    TiPlotYAxis* y = plot_.GetYAxis(0);
    const TShiftState held{ssLeft};
    auto drag = [&](TPoint from, TPoint to) {
        plot_.iMouseDown(mbLeft, {}, from.X, from.Y);
        plot_.iMouseMove(held, to.X, to.Y);
        EXPECT_TRUE(plot_.GetDataView(0)->ZoomBoxActive());
        plot_.iMouseUp(mbLeft, {}, to.X, to.Y);
        EXPECT_FALSE(plot_.GetDataView(0)->ZoomBoxActive());
    };
    drag({dv_.Left + 110, dv_.Top + 60}, {dv_.Left + 10, dv_.Top + 10});  // up and left
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(x->Span(), 100);

    bool cancel = true;
    plot_.OnBeforeZoomBox = [&](TRect&, bool& c) { c = cancel; };
    drag({dv_.Left + 10, dv_.Top + 10}, {dv_.Left + 110, dv_.Top + 60});
    EXPECT_EQ(x->Span(), 100);

    cancel = false;
    const double left = x->PixelsToPosition(dv_.Left + 10);
    const double right = x->PixelsToPosition(dv_.Left + 110);
    const double bottom = y->PixelsToPosition(dv_.Top + 60);
    drag({dv_.Left + 10, dv_.Top + 10}, {dv_.Left + 110, dv_.Top + 60});
    EXPECT_DOUBLE_EQ(x->Min(), left);
    EXPECT_DOUBLE_EQ(x->Span(), right - left);
    EXPECT_DOUBLE_EQ(y->Min(), bottom);
    EXPECT_FALSE(x->TrackingEnabled());  // a zoom box stops tracking
}

TEST_F(PlotEventsTest, RightDragStartsAZoomBoxOnlyBeyondFivePixelsAndThenOpensNoMenu) {
    TiPlotDataView* view = plot_.GetDataView(0);
    view->SetAxesControlEnabled(true);
    int popups = 0;
    plot_.OnPopupMenuDataView = [&](int, bool&, int, int) { ++popups; };
    TPopupMenu::SetPresenter([](TPopupMenu&, int, int) -> TMenuItem* { return nullptr; });
    const TPoint at{dv_.Left + 50, dv_.Top + 50};
    plot_.iMouseDown(mbRight, {}, at.X, at.Y);
    plot_.iMouseMove(TShiftState{ssRight}, at.X + 5, at.Y + 5);
    EXPECT_FALSE(view->ZoomBoxActive());
    plot_.iMouseMove(TShiftState{ssRight}, at.X + 6, at.Y + 5);
    EXPECT_TRUE(view->ZoomBoxActive());
    EXPECT_FALSE(view->MouseDownPopup());
    plot_.iMouseUp(mbRight, {}, at.X + 6, at.Y + 5);
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
