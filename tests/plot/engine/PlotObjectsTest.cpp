// Plot objects and their managers: wiring, naming, colours, notifications in the master's
// order, buttons, the layout manager's bands and side lists, and the translation table.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/runtime/ManualClock.h"
#include "plot/engine/iPlotLayoutManager.h"
#include "plot/engine/iPlotTranslation.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

using std::chrono::milliseconds;

std::string Message(const std::function<void()>& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}

TEST(PlotObjectsTest, ManagedObjectsAndManagersRefuseIncompleteWiring) {
    TObject owner;
    const TNotifyEvent h = [](TObject*) {};
    auto object = [&](TObject* o, TNotifyEvent a, TNotifyEvent b, TNotifyEvent c, TNotifyEvent d) {
        return Message([&] { TiPlotManagerObject x(o, a, b, c, d); });
    };
    EXPECT_EQ(object(nullptr, h, h, h, h), "Owner must be assigned");
    EXPECT_EQ(object(&owner, nullptr, h, h, h), "OnChange event handler can not be null");
    EXPECT_EQ(object(&owner, h, nullptr, h, h), "OnInsert event handler can not be null");
    EXPECT_EQ(object(&owner, h, h, nullptr, h), "OnRemove event handler can not be null");
    EXPECT_EQ(object(&owner, h, h, h, nullptr), "AOnRename event handler can not be null");
    EXPECT_EQ(Message([&] { TiPlotToolBarManager m(nullptr, h, h, h, h); }),
              "Owner must be Assigned");
    TiPlotComponent plot(nullptr);
    EXPECT_EQ(Message([&] { plot.GetObjectManager()->CreateObject(); }),
              "Object Manager does not support creation of objects");
}

TEST(PlotObjectsTest, StartAndStopStayInRangeAndOnePercentApart) {
    TiPlotComponent plot(nullptr);
    TiPlotLegend* legend = plot.GetLegend(plot.AddLegend());
    struct Case {
        bool start;
        double value;
        double wantStart;
        double wantStop;
    };
    const Case cases[] = {
        {true, 99.5, 99, 100},
        {true, -5, 0, 100},
        {false, 0.5, 0, 1},
        {false, 250, 0, 100},
    };
    for (const Case& c : cases) {
        legend->SetStartStopPercent(0, 100);
        if (c.start) {
            legend->SetStartPercent(c.value);
        } else {
            legend->SetStopPercent(c.value);
        }
        EXPECT_EQ(legend->StartPercent(), c.wantStart) << c.value;
        EXPECT_EQ(legend->StopPercent(), c.wantStop) << c.value;
    }
}

TEST(PlotObjectsTest, OnlyRealChangesNotifyAndRenamesKeepTheOldName) {
    TiPlotComponent plot(nullptr);
    TiPlotXAxis* axis = plot.GetXAxis(plot.AddXAxis());
    int changes = 0;
    plot.Master()->OnChange = [&](TObject*) { ++changes; };
    const std::string before = axis->Name();
    axis->SetName(before);
    axis->SetStartPercent(axis->StartPercent());
    axis->SetMin(axis->Min());
    axis->SetLayer(100);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(axis->NameOld(), "");
    axis->SetName("Gain");
    EXPECT_EQ(axis->NameOld(), before);
    EXPECT_GT(changes, 0);
}

TEST(PlotObjectsTest, NewObjectsAreNamedAfterTheHighestNumberOfTheirKind) {
    TiPlotComponent plot(nullptr);
    test::UseFakeClasses(plot);
    EXPECT_EQ(plot.GetXAxis(plot.AddXAxis())->Name(), "X-Axis 1");
    plot.GetXAxis(plot.AddXAxis())->SetName("X-Axis 3");
    TiPlotXAxis* fourth = plot.GetXAxis(plot.AddXAxis());
    EXPECT_EQ(fourth->Name(), "X-Axis 4");
    EXPECT_EQ(fourth->Title(), "X-Axis 4");

    const int a = plot.AddChannel();
    plot.GetChannel(a)->SetName("channel 7");
    EXPECT_EQ(plot.GetChannel(plot.AddChannel())->Name(), "Channel 8");
    plot.GetChannel(a)->SetName("Channel 9223372036854775807");
    const int saturated = plot.AddChannel();
    EXPECT_EQ(plot.GetChannel(saturated)->Name(), "Channel 9223372036854775807");
    plot.GetChannel(saturated)->SetName("Channel 9");
    for (const char* name : {"Channel A", "Channel -2", "Channel 5x"}) {
        plot.GetChannel(a)->SetName(name);
        EXPECT_EQ(plot.Master()->ChannelManager()->GetNextName(), "Channel 10") << name;
    }
    EXPECT_EQ(plot.GetLabel(plot.AddLabel())->Caption(), "Label 1");
    const int annotation = plot.AddAnnotation();
    EXPECT_EQ(plot.GetAnnotation(annotation)->Name(), "");
    EXPECT_EQ(plot.GetChannelByName("CHANNEL 8"), plot.GetChannel(1));
    EXPECT_EQ(plot.GetChannelIndexByName("none"), -1);
}

TEST(PlotObjectsTest, ChannelColoursFollowThePaletteLeastUsedFirst) {
    TiPlotComponent plot(nullptr);
    test::UseFakeClasses(plot);
    std::vector<TColor> colours;
    for (int i = 0; i < 31; ++i) colours.push_back(plot.GetChannel(plot.AddChannel())->Color());
    EXPECT_EQ(colours[0], clRed);
    EXPECT_EQ(colours[1], clYellow);
    EXPECT_EQ(colours[2], clBlue);
    EXPECT_EQ(colours[13], clGray);
    EXPECT_EQ(colours[29], static_cast<TColor>(RGB(128, 255, 128)));
    EXPECT_EQ(colours[30], clYellow);  // all used once, and red counted twice

    TiPlotComponent other(nullptr);
    test::UseFakeClasses(other);
    other.AddChannel();
    other.GetChannel(other.AddChannel())->SetColor(clBlue);
    EXPECT_EQ(other.GetChannel(other.AddChannel())->Color(), clYellow);
}

TEST(PlotObjectsTest, NewChannelsDataViewsAndCursorsTakeTheFirstAxesAndChannel) {
    TiPlotComponent plot(nullptr);
    test::UseFakeClasses(plot);
    plot.AddXAxis();
    plot.AddYAxis();
    TiPlotChannelCustom* channel = plot.GetChannel(plot.AddChannel());
    EXPECT_EQ(channel->TitleText(), "Channel 1");
    EXPECT_EQ(channel->XAxisName(), "X-Axis 1");
    EXPECT_EQ(channel->YAxisName(), "Y-Axis 1");
    TiPlotDataView* view = plot.GetDataView(plot.AddDataView());
    EXPECT_EQ(view->GridXAxisName(), "X-Axis 1");
    TiPlotDataCursor* cursor = plot.GetDataCursor(plot.AddDataCursor());
    EXPECT_EQ(cursor->ChannelName(), "Channel 1");
    EXPECT_EQ(cursor->DataView(), view);
    TiPlotLimit* limit = plot.GetLimit(plot.AddLimit());
    EXPECT_EQ(limit->YAxisName(), "Y-Axis 1");
    plot.DeleteDataView(0);
    EXPECT_EQ(cursor->DataView(), nullptr);
}

TEST(PlotObjectsTest, AddAndRemoveEventsCarryTheIndexAmongTheirKind) {
    TiPlotComponent plot(nullptr);
    test::UseFakeClasses(plot);
    plot.AddXAxis();
    plot.AddYAxis();
    std::vector<std::string> log;
    plot.OnAddChannel = [&](int i) {
        log.push_back("add " + std::to_string(i) + " of " + std::to_string(plot.ChannelCount()));
    };
    plot.OnRemoveChannel = [&](int i) {
        log.push_back("remove " + std::to_string(i) + " of " + std::to_string(plot.ChannelCount()));
    };
    plot.AddChannel();
    plot.AddChannel();
    plot.DeleteChannel(1);
    EXPECT_EQ(log, (std::vector<std::string>{"add 0 of 1", "add 1 of 2", "remove 1 of 2"}));
    EXPECT_EQ(plot.ChannelCount(), 1);
}

TEST(PlotObjectsTest, RemovedObjectsAreForgottenByThePlotBeforeItsEventFires) {
    TiPlotComponent plot(nullptr);
    plot.SetBounds(0, 0, 400, 200);
    test::UseFakeClasses(plot);
    plot.AddToolBar();
    plot.AddLegend();
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddDataView();
    test::RenderPlot(plot);
    plot.iMouseDown(mbLeft, {}, 200, 100);  // on the data view
    ASSERT_EQ(plot.MouseDownObject(), plot.GetDataView(0));
    TiPlotObject* seen = plot.GetDataView(0);
    plot.OnRemoveDataView = [&](int index) {
        EXPECT_EQ(index, 0);
        seen = plot.MouseDownObject();
    };
    plot.DeleteDataView(0);
    EXPECT_EQ(seen, nullptr);
    plot.iMouseUp(mbLeft, {}, 200, 100);
    EXPECT_EQ(plot.LastMouseClickObject(), nullptr);
}

TEST(PlotObjectsTest, DeletingTheTitleLabelIsRefusedAndRemoveAllKeepsIt) {
    TiPlotComponent plot(nullptr);
    EXPECT_EQ(plot.TitleText(), "");
    EXPECT_FALSE(plot.TitleVisible());
    EXPECT_EQ(plot.TitleFont(), plot.Font());
    plot.SetTitleText("ignored");
    EXPECT_EQ(plot.LabelCount(), 0);
    for (int i = 0; i < 3; ++i) plot.AddLabel();
    plot.SetTitleText("Gate");
    EXPECT_EQ(Message([&] { plot.DeleteLabel(0); }),
              "Label Index 0 can not be Deleted (Resevered for Title)");
    plot.RemoveAllLabels();
    EXPECT_EQ(plot.LabelCount(), 1);
    EXPECT_EQ(plot.TitleText(), "Gate");
}

TEST(PlotObjectsTest, SettingsReachEveryObjectAndLaterOnes) {
    TiPlotComponent plot(nullptr);
    TiPlotXAxis* axis = plot.GetXAxis(plot.AddXAxis());
    plot.SetUserCanEditObjects(false);
    EXPECT_FALSE(axis->UserCanEdit());
    EXPECT_FALSE(plot.GetYAxis(plot.AddYAxis())->UserCanEdit());
    int invalidations = 0;
    plot.Master()->OnInvalidateNow = [&](TObject*) { ++invalidations; };
    plot.SetXYAxesReverse(true);
    EXPECT_TRUE(axis->XYAxesReversed());
    EXPECT_TRUE(plot.GetYAxis(0)->Horizontal());
    EXPECT_FALSE(axis->Horizontal());
    EXPECT_EQ(invalidations, 1);
}

TEST(PlotObjectsTest, DefaultsOfANewPlot) {
    TiPlotComponent plot(nullptr);
    EXPECT_EQ(plot.Width(), 500);
    EXPECT_EQ(plot.Height(), 200);
    EXPECT_EQ(plot.GetBackGroundColor(), clBlack);
    EXPECT_EQ(plot.GetBorderStyle(), ibsLowered);
    EXPECT_TRUE(plot.GetAutoFrameRate());
    EXPECT_EQ(plot.GetUpdateFrameRate(), 60);
    EXPECT_EQ(plot.OuterMarginLeft(), 5);
    EXPECT_EQ(plot.HintsPause(), 500);
    EXPECT_EQ(plot.HintsHidePause(), 2500);
    EXPECT_EQ(plot.PrintMarginTop(), 1.0);
    EXPECT_EQ(plot.PrintOrientation(), poLandscape);
    EXPECT_EQ(plot.PrintDocumentName(), "Untitled");
    EXPECT_TRUE(plot.ClipAnnotationsToAxes());
    EXPECT_TRUE(plot.UserCanEditObjects());
    EXPECT_EQ(plot.DataViewZHorz(), 1);
    EXPECT_EQ(plot.DataViewZVert(), 1);
    // Every declared default is what a new plot holds.
    for (const TPropInfo* p : plot.ClassInfo().Properties()) {
        if (p->Default() && p->Name() != "Visible" && p->Name() != "Enabled" &&
            p->Name() != "Tag" && p->Name() != "Anchors" && p->Name() != "Align" &&
            p->Name() != "Cursor" && p->Name() != "TabStop" && p->Name() != "DoubleBuffered") {
            EXPECT_TRUE(p->IsDefaultValue(&plot)) << p->Name();
        }
    }
}

TEST(PlotObjectsTest, DeclaredDefaultsOfEveryObjectClassHoldForANewObject) {
    TiPlotComponent plot(nullptr);
    const std::vector<TiPlotObject*> objects = {
        plot.GetXAxis(plot.AddXAxis()),       plot.GetYAxis(plot.AddYAxis()),
        plot.GetDataView(plot.AddDataView()), plot.GetLegend(plot.AddLegend()),
        plot.GetToolBar(plot.AddToolBar()),   plot.GetLabel(plot.AddLabel()),
    };
    for (TiPlotObject* object : objects) {
        for (const TPropInfo* p : object->ClassInfo().Properties()) {
            if (!p->Default() || p->Name() == "ZOrder") continue;  // the layout's to choose
            if (object->Kind() == TiPlotObjectKind::ToolBar && p->Name() == "Horizontal") continue;
            if (object->Kind() == TiPlotObjectKind::Label && p->Name() == "Horizontal") continue;
            if (object->Kind() == TiPlotObjectKind::XAxis && p->Name() == "Horizontal") continue;
            EXPECT_TRUE(p->IsDefaultValue(object)) << object->ClassName() << "." << p->Name();
        }
    }
}

// ---- buttons

TEST(PlotObjectsTest, HeldButtonRepeatsAfterHalfASecondThenEvery50ms) {
    TManualClock clock;
    TObject owner;
    TiPlotButton button(&owner);
    button.SetDrawRect({0, 0, 20, 20});
    button.SetTimerEnabled(true);
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    button.DoMouseDown(mbLeft, {}, 5, 5, 5, 5, nullptr);
    clock.Advance(milliseconds(499));
    EXPECT_EQ(clicks, 0);
    clock.Advance(milliseconds(701));  // 1.2 s held: 500, 550, ..., 1200
    EXPECT_EQ(clicks, 15);
    button.DoMouseRelease(mbLeft, {}, 5, 5, 5, 5, false, nullptr);
    EXPECT_EQ(clicks, 16);
    clock.Advance(milliseconds(1000));
    EXPECT_EQ(clicks, 16);

    button.DoMouseDown(mbLeft, {}, 5, 5, 5, 5, nullptr);
    button.DoMouseRelease(mbLeft, {}, 50, 5, 50, 5, false, nullptr);
    EXPECT_EQ(clicks, 16);
}

TEST(PlotObjectsTest, GroupedButtonClicksItsGroupFirst) {
    TObject owner;
    std::vector<std::string> log;
    for (int group : {3, 0}) {
        TiPlotButton button(&owner);
        button.SetDrawRect({0, 0, 20, 20});
        button.SetGroupIndex(group);
        button.OnGroupClick = [&](TObject*) { log.push_back("group"); };
        button.OnClick = [&](TObject*) { log.push_back("click"); };
        button.DoMouseDown(mbLeft, {}, 5, 5, 5, 5, nullptr);
        button.DoMouseRelease(mbLeft, {}, 5, 5, 5, 5, false, nullptr);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"group", "click", "click"}));
}

TEST(PlotObjectsTest, ToolBarGroupsExcludeEachOtherAndHiddenOnesTakeNoRoom) {
    TiPlotComponent plot(nullptr);
    TiPlotToolBar* bar = plot.GetToolBar(plot.AddToolBar());
    EXPECT_TRUE(bar->Button(iptbbtScrollAxesMode)->Down());
    EXPECT_FALSE(bar->ShowSelectButton());
    EXPECT_FALSE(bar->ShowPreviewButton());
    EXPECT_EQ(bar->GetRequiredWidth(nullptr), 36);
    bar->SetSmallButtons(true);
    EXPECT_EQ(bar->GetRequiredWidth(nullptr), 28);
    EXPECT_EQ(bar->Button(iptbbtCopy)->ImageName(), "SMALLCOPY");
    bar->SetZoomInOutFactor(0.5);
    EXPECT_EQ(bar->ZoomInOutFactor(), 1);

    bar->DoButtonClickZoomBox();
    EXPECT_TRUE(bar->ZoomBoxActive());
    bar->DoButtonClickSelect();
    EXPECT_TRUE(plot.GetSelectMode());
    EXPECT_FALSE(bar->ZoomBoxActive());
    plot.SetSelectMode(false);
    EXPECT_FALSE(bar->SelectActive());

    std::vector<std::string> events;
    plot.OnBeforeToolBarButtonClick = [&](int, TiPlotToolBarButtonType type, bool& cancel) {
        events.push_back("before " + std::to_string(type));
        cancel = type == iptbbtCursor;
    };
    plot.OnToolBarButtonClick = [&](int, TiPlotToolBarButtonType type) {
        events.push_back("after " + std::to_string(type));
    };
    bar->DoButtonClickCursor();
    EXPECT_FALSE(bar->CursorActive());
    bar->DoButtonClickZoomAxesMode();
    EXPECT_TRUE(bar->Button(iptbbtZoomAxesMode)->Down());
    EXPECT_FALSE(bar->Button(iptbbtScrollAxesMode)->Down());
    EXPECT_EQ(events, (std::vector<std::string>{"before 8", "before 3", "after 3"}));
}

// ---- the layout manager

class LayoutManagerTest : public ::testing::Test {
protected:
    TiPlotLayoutManager* Layout() { return plot_.Master()->LayoutManager(); }
    TiPlotComponent plot_{nullptr};
};

TEST_F(LayoutManagerTest, ConflictingAxisPushesTheBandAndTheDataViewOut) {
    TiPlotXAxis* first = plot_.GetXAxis(plot_.AddXAxis());
    EXPECT_EQ(first->ZOrder(), 0);
    TiPlotXAxis* second = plot_.GetXAxis(plot_.AddXAxis());
    EXPECT_EQ(second->ZOrder(), 0);
    EXPECT_EQ(first->ZOrder(), 1);
    EXPECT_EQ(plot_.DataViewZHorz(), 2);
    EXPECT_EQ(plot_.DataViewZVert(), 1);
    EXPECT_EQ(Layout()->BottomUniqueCount(), 2);
}

TEST_F(LayoutManagerTest, SharesThatDoNotOverlapShareOneBand) {
    plot_.DisableLayoutManager();
    TiPlotXAxis* left = plot_.GetXAxis(plot_.AddXAxis());
    TiPlotXAxis* right = plot_.GetXAxis(plot_.AddXAxis());
    left->SetStopPercent(50);
    right->SetStartPercent(50);
    plot_.EnableLayoutManager();
    Layout()->InsertZOrder(left, 0, iidMerge);
    Layout()->InsertZOrder(right, 0, iidMerge);
    EXPECT_EQ(left->ZOrder(), 0);
    EXPECT_EQ(right->ZOrder(), 0);
    EXPECT_EQ(Layout()->BottomUniqueCount(), 1);
    ASSERT_EQ(Layout()->BottomList().size(), 2u);
    EXPECT_EQ(Layout()->BottomList()[0].first, "000000");
    EXPECT_EQ(Layout()->BottomList()[1].first, "000050");
}

TEST_F(LayoutManagerTest, InsertAboveMovesOnlyTheBandsBeyond) {
    plot_.DisableLayoutManager();
    std::vector<TiPlotLegend*> legends;
    for (int band : {1, 2, 3}) {
        TiPlotLegend* legend = plot_.GetLegend(plot_.AddLegend());
        legend->SetHorizontal(true);
        legend->SetZOrder(band);
        legends.push_back(legend);
    }
    TiPlotLegend* inserted = plot_.GetLegend(plot_.AddLegend());
    inserted->SetHorizontal(true);
    plot_.EnableLayoutManager();
    Layout()->InsertZOrder(inserted, 2, iidAbove);
    EXPECT_EQ(legends[0]->ZOrder(), 1);
    EXPECT_EQ(legends[1]->ZOrder(), 2);
    EXPECT_EQ(legends[2]->ZOrder(), 4);
    EXPECT_EQ(inserted->ZOrder(), 3);
}

TEST_F(LayoutManagerTest, RemovingCloseTheGapOnlyWhenAloneInTheBand) {
    plot_.DisableLayoutManager();
    TiPlotLegend* a = plot_.GetLegend(plot_.AddLegend());
    TiPlotLegend* b = plot_.GetLegend(plot_.AddLegend());
    TiPlotLegend* c = plot_.GetLegend(plot_.AddLegend());
    a->SetZOrder(2);
    b->SetZOrder(2);
    c->SetZOrder(3);
    plot_.EnableLayoutManager();
    Layout()->RemoveZOrder(a);
    EXPECT_EQ(c->ZOrder(), 3);
    plot_.DeleteLegend(plot_.Master()->LegendManager()->GetIndex(b));
    EXPECT_EQ(c->ZOrder(), 3);
    plot_.DeleteLegend(plot_.Master()->LegendManager()->GetIndex(a));
    EXPECT_EQ(c->ZOrder(), 2);
}

TEST_F(LayoutManagerTest, SidesFollowTheStandInsAndReversedAxesMoveAcross) {
    plot_.DisableLayoutManager();
    TiPlotToolBar* bar = plot_.GetToolBar(plot_.AddToolBar());
    bar->SetZOrder(3);
    TiPlotLegend* legend = plot_.GetLegend(plot_.AddLegend());
    legend->SetZOrder(2);
    plot_.AddXAxis();
    plot_.AddYAxis();
    plot_.EnableLayoutManager();
    EXPECT_EQ(Layout()->TopList().size(), 1u);
    EXPECT_EQ(Layout()->TopList()[0].second, bar);
    EXPECT_TRUE(bar->ReverseSide());
    EXPECT_EQ(Layout()->RightList()[0].second, legend);
    EXPECT_EQ(Layout()->BottomList()[0].second, plot_.GetXAxis(0));
    EXPECT_EQ(Layout()->LeftList()[0].second, plot_.GetYAxis(0));
    plot_.SetXYAxesReverse(true);
    EXPECT_EQ(Layout()->LeftList()[0].second, plot_.GetXAxis(0));
    EXPECT_EQ(Layout()->BottomList()[0].second, plot_.GetYAxis(0));
}

TEST_F(LayoutManagerTest, KeysPadBandAndStartAndCountUniqueBands) {
    TiPlotLegend* legend = plot_.GetLegend(plot_.AddLegend());
    legend->SetZOrder(2);
    legend->SetStartPercent(49.5);
    EXPECT_EQ(legend->GetZOrderKey(), "002");
    EXPECT_EQ(legend->GetStartPercentKey(), "050");
    const TiLayoutSideList list = {
        {"000000", nullptr}, {"001000", nullptr}, {"001050", nullptr}, {"003000", nullptr}};
    EXPECT_EQ(TiPlotLayoutManager::CountUniqueZOrders(list), 3);
    EXPECT_EQ(TiPlotLayoutManager::CountUniqueZOrders({}), 0);
}

// ---- the translation table

TEST(PlotTranslationTest, NewestPairWinsAndSavingAndLoadingReversesTheOrder) {
    test::TTempFolder folder;
    TiPlotComponent plot(nullptr);
    EXPECT_EQ(plot.AddTranslation("OK", "Yes"), 0);
    EXPECT_EQ(plot.AddTranslation("OK", "Fine"), 0);
    TiPlotTranslationManager* table = plot.GetTranslationManager();
    EXPECT_EQ(table->FindReplacement("OK"), "Fine");
    EXPECT_EQ(table->FindReplacement("ok"), "ok");
    EXPECT_EQ(table->FindReplacement("Edit..."), "Edit...");
    table->SaveToFile(folder.File("t.txt"));
    table->LoadFromFile(folder.File("t.txt"));
    EXPECT_EQ(table->Count(), 2);
    EXPECT_EQ(table->FindReplacement("OK"), "Yes");
}

TEST(PlotTranslationTest, FileLinesSplitAtTheFirstTabAndATablessLineStopsTheLoad) {
    test::TTempFolder folder;
    {
        std::ofstream file(folder.File("t.txt"));
        file << "OK\tAccept\tnow\r\nCancel\tStop\r\nBroken line\r\nLast\tOne\r\n";
    }
    TiPlotComponent plot(nullptr);
    plot.AddTranslation("Old", "Pair");
    TiPlotTranslationManager* table = plot.GetTranslationManager();
    const std::string message = Message([&] { table->LoadFromFile(folder.File("t.txt")); });
    EXPECT_EQ(message, "Error Loading Data - Invalid Format - Tab Deliminator Missing");
    EXPECT_EQ(table->Count(), 2);
    EXPECT_EQ(table->FindReplacement("OK"), "Accept\tnow");
    EXPECT_EQ(table->FindReplacement("Old"), "Old");
    plot.RemoveAllTranslations();
    EXPECT_EQ(plot.TranslationCount(), 0);
}

}  // namespace
}  // namespace dsp
