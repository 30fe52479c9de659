// OPC through a stand-in for the OPC support library: when items ask for a signal, what a new
// value does, the binding's errors, the items and groups in the form stream, the group manager
// and its explorer, and the channels fed by their groups.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/TreeView.h"
#include "framework/core/Exceptions.h"
#include "framework/runtime/MainThread.h"
#include "framework/text/Filer.h"
#include "framework/text/Streams.h"
#include "plot/engine/iOPCManager.h"
#include "plot/engine/iPlot.h"
#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/FakeOPCLibrary.h"

namespace dsp {
namespace {

std::string MessageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no exception)";
}

class PlotOpcLibraryTest : public ::testing::Test {
protected:
    TiOPCItem* NewItem(const std::string& property, const std::string& group,
                       const std::string& server, const std::string& item) {
        TiOPCItem* i = plot_.OPCItemManager()->Item(plot_.OPCAddItem());
        i->SetPropertyName(property);
        i->SetGroupName(group);
        i->SetServerName(server);
        i->SetItemName(item);
        return i;
    }
    test::TFakeOPCLibrary library_;
    TiXYPlot plot_{nullptr};
};

struct TActivationCase {
    const char* name;
    const char* property;
    const char* group;
    const char* server;
    const char* item;
    bool asks;
};
void PrintTo(const TActivationCase& c, std::ostream* os) { *os << c.name; }

class PlotOpcActivation : public PlotOpcLibraryTest,
                          public ::testing::WithParamInterface<TActivationCase> {};

TEST_P(PlotOpcActivation, AnItemAsksForASignalOnlyWithAPropertyAnItemAndAGroupOrServer) {
    const TActivationCase& c = GetParam();
    TiOPCItem* item = NewItem(c.property, c.group, c.server, c.item);
    item->SetAutoConnect(true);  // the plot is not loading: activates at once
    EXPECT_EQ(item->Active(), c.asks);
    EXPECT_EQ(library_.signals.size(), c.asks ? 1u : 0u);
}

// clang-format off
const TActivationCase kActivationCases[] = {
    {"ServerWithoutGroup", "BackGroundColor", "", "X", "Tag", true},
    {"GroupWithoutServer", "BackGroundColor", "G", "", "Tag", true},
    {"NeitherGroupNorServer", "BackGroundColor", " ", "", "Tag", false},
    {"NoItemName", "BackGroundColor", "G", "X", "  ", false},
    {"NoPropertyName", "", "G", "X", "Tag", false},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Opc, PlotOpcActivation, ::testing::ValuesIn(kActivationCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(PlotOpcLibraryTest, SignalsCarryTheItemsSettingsAndANewRateMakesThemAgain) {
    TiOPCItem* colour = NewItem("BackGroundColor", "", "Server", "Colour");
    TiOPCItem* title = NewItem("TitleText", "", "Server", "Title");
    colour->SetUpdateRate(250);  // inactive: only stored
    EXPECT_TRUE(library_.TakeLog().empty());
    colour->Activate();
    title->ActivateSuspend();
    const test::TFakeOPCLibrary::TSignal& c = *library_.SignalOf("Colour");
    EXPECT_EQ(c.computer, "Local");
    EXPECT_EQ(c.updateRate, 250);
    EXPECT_EQ(c.dataType, varEmpty);  // the server's own type
    EXPECT_FALSE(c.suspended);
    EXPECT_EQ(library_.SignalOf("Title")->dataType, varOleStr);  // a text property
    EXPECT_TRUE(title->UpdateSuspended());
    library_.TakeLog();
    colour->SetUpdateRate(100);  // active: the signal is made again
    EXPECT_EQ(library_.TakeLog(),
              (std::vector<std::string>{"SignalRemove 1", "SignalAdd Colour in "}));
    EXPECT_EQ(library_.SignalOf("Colour")->updateRate, 100);
    colour->Deactivate();
    EXPECT_FALSE(colour->Active());
}

TEST_F(PlotOpcLibraryTest, GoodValuesArriveScaledOnTheUiThreadAndSetTheProperty) {
    TiOPCItem* item = NewItem("BackGroundColor", "", "Server", "Colour");
    item->SetScalar(2.5);
    item->SetOffset(1);
    item->Activate();
    test::TFakeOPCLibrary::TSignal& signal = *library_.SignalOf("Colour");
    signal.data = TVariant(10);
    signal.timeStamp = 45000.5;
    signal.callback->NewDataReady(0);
    EXPECT_EQ(plot_.GetBackGroundColor(), clBlack);  // not before the UI thread runs it
    CheckSynchronize();
    EXPECT_EQ(item->Data().VarType(), varInteger);
    EXPECT_EQ(item->Data().AsInteger(), 26);
    EXPECT_EQ(item->TimeStamp(), 45000.5);
    EXPECT_EQ(plot_.GetBackGroundColor(), 26);
    // Bad quality: as it came.
    signal.quality = 0x40;
    signal.data = TVariant(10);
    signal.callback->NewDataReady(0);
    CheckSynchronize();
    EXPECT_EQ(item->Data().AsInteger(), 10);
    // A change of the property goes back to the server.
    plot_.OPCPropertyChanged("BackGroundColor", TVariant(7));
    ASSERT_EQ(signal.sent.size(), 1u);
    EXPECT_EQ(signal.sent[0].AsInteger(), 7);
}

TEST_F(PlotOpcLibraryTest, ACallbackForAnItemThatWentIsDropped) {
    TiOPCItem* item = NewItem("BackGroundColor", "", "Server", "Colour");
    item->Activate();
    const auto callback = library_.SignalOf("Colour")->callback;
    plot_.OPCRemoveAllItems();
    callback->NewDataReady(0);
    CheckSynchronize();  // nothing to reach; nothing touched
    EXPECT_TRUE(library_.signals.empty());
}

TEST_F(PlotOpcLibraryTest, TheBindingNamesAMissingEntryAndRaisesTheLibrarysError) {
    library_.missing.insert("SignalAdd");
    EXPECT_EQ(MessageOf([] { opc::SignalAdd("", "", "", "", 0, false, 0, nullptr); }),
              "Function \"SignalAdd\" not found in \"fake-opc.so\".");
    library_.error = "Server not reachable";
    EXPECT_EQ(MessageOf([] { opc::CloseAllServerConnections(); }), "Server not reachable");
    EXPECT_EQ(MessageOf([] { opc::CloseAllServerConnections(); }), "(no exception)");
    SetOPCLibrary(nullptr);
    EXPECT_EQ(MessageOf([] { opc::GroupResume(1); }), "OPC Support Library Not Found");
    EXPECT_EQ(opc::ManagerCreated(), 0);
    SetOPCLibrary(&library_);
}

TEST_F(PlotOpcLibraryTest, ItemsInTheFormStreamComeBackInOrderAndConnect) {
    TiOPCItem* first = NewItem("BackGroundColor", "", "Server", "First");
    NewItem("TitleText", "", "Server", "Second")->SetAutoConnect(false);
    first->SetAutoConnect(false);
    plot_.OPCItemManager()->Item(0)->SetAutoConnect(true);  // written with AutoConnect on
    plot_.OPCItemManager()->Item(1)->SetAutoConnect(true);
    TMemoryStream stream;
    WriteComponentStream(stream, plot_);
    library_.signals.clear();
    stream.SetPosition(0);
    TiXYPlot copy(nullptr);
    ReadComponentStream(stream, copy);
    ASSERT_EQ(copy.OPCItemCount(), 2);
    EXPECT_EQ(copy.GetOPCItemItemName(0), "First");
    EXPECT_EQ(copy.GetOPCItemItemName(1), "Second");
    EXPECT_TRUE(copy.OPCItemManager()->Item(0)->Active());
    EXPECT_TRUE(copy.OPCItemManager()->Item(1)->Active());
}

// ---- the group manager

TEST_F(PlotOpcLibraryTest, GroupsAreFoundByNameOrHandleAndReportTheirUpdates) {
    TiOPCManager manager(nullptr);
    manager.SetBounds(10, 20, 100, 100);
    EXPECT_EQ(manager.Width(), 28);
    EXPECT_EQ(manager.Height(), 28);
    EXPECT_EQ(manager.Left(), 10);
    EXPECT_TRUE(manager.FirstInstance());
    manager.GroupAdd("TEMP", "Local", "Server", 500);
    manager.GroupAdd("Level", "Local", "Server", 250);
    EXPECT_EQ(manager.GetGroupIndex("temp"), 0);
    EXPECT_EQ(manager.GetGroupIndex("none"), -1);
    const int handle = manager.GetGroup(1)->DLLGroupHandle();
    EXPECT_EQ(manager.FindGroupByHandle(handle), manager.GetGroup(1));
    std::vector<std::string> updates;
    manager.OnBeforeGroupUpdate = [&](TObject*, const std::string& name) {
        updates.push_back("before " + name);
    };
    manager.OnAfterGroupUpdate = [&](TObject*, const std::string& name) {
        updates.push_back("after " + name);
    };
    library_.groups.at(handle).callback->BeforeGroupUpdate(handle);
    library_.groups.at(handle).callback->AfterGroupUpdate(handle);
    library_.groups.at(handle).callback->AfterGroupUpdate(999);
    CheckSynchronize();
    EXPECT_EQ(updates, (std::vector<std::string>{"before Level", "after Level", "after "}));

    library_.TakeLog();
    manager.GetGroup(0)->SetUpdateRate(500);  // unchanged: nothing
    manager.GetGroup(0)->SetUpdateRate(100);
    manager.GetGroup(0)->Suspend();
    EXPECT_EQ(library_.TakeLog().size(), 2u);
    EXPECT_THROW(manager.GroupDelete(2), EListError);
    manager.GroupClear();
    EXPECT_EQ(manager.GroupCount(), 0);
    EXPECT_TRUE(library_.groups.empty());
    manager.GroupClear();
    EXPECT_TRUE(library_.TakeLog().size() == 2u);  // the two deletes, nothing more
}

TEST_F(PlotOpcLibraryTest, GroupsTravelInTheFormStreamAndRegisterAgain) {
    TMemoryStream stream;
    {
        TiOPCManager empty(nullptr);
        WriteComponentStream(stream, empty);
        stream.SetPosition(0);
        EXPECT_EQ(stream.ReadRest().find("Groups"), std::string::npos);
    }
    TiOPCManager source(nullptr);
    source.GroupAdd("A", "Local", "S1", 100);
    source.GroupAdd("B", "Remote", "S2", 200);
    TMemoryStream written;
    WriteComponentStream(written, source);
    written.SetPosition(0);
    library_.groups.clear();
    TiOPCManager copy(nullptr);
    ReadComponentStream(written, copy);
    ASSERT_EQ(copy.GroupCount(), 2);
    EXPECT_EQ(copy.GetGroup(0)->Name(), "A");
    EXPECT_EQ(copy.GetGroup(1)->OPCServerName(), "S2");
    EXPECT_EQ(copy.GetGroup(1)->UpdateRate(), 200);
    EXPECT_EQ(library_.groups.size(), 2u);
    EXPECT_NE(copy.GetGroup(1)->DLLGroupHandle(), 0);
}

TEST(PlotOpcManagerTest, WithoutTheLibraryGroupsLiveOnTheListAlone) {
    TiOPCManager manager(nullptr);
    EXPECT_FALSE(manager.FirstInstance());
    manager.GroupAdd("A", "Local", "S", 100);
    EXPECT_EQ(manager.GetGroup(0)->DLLGroupHandle(), 0);
    EXPECT_THROW(manager.GetGroup(0)->Resume(), Exception);
    EXPECT_THROW(manager.CloseAllServerConnections(), Exception);
    EXPECT_THROW(manager.ExplorerShow(), Exception);
    // The window is made, with its two roots, but not shown.
    ASSERT_NE(OPCExplorerForm(), nullptr);
    EXPECT_FALSE(OPCExplorerForm()->Visible());
    EXPECT_EQ(OPCExplorerForm()->TreeView->Items()->TopCount(), 2);
    manager.GroupDelete(0);
    EXPECT_EQ(manager.GroupCount(), 0);
}

TEST_F(PlotOpcLibraryTest, ExplorerListsTheOpenConnections) {
    library_.connections = {"Server B", "Server A"};
    TiOPCManager manager(nullptr);
    manager.ExplorerShow();
    TiOPCExplorerForm* explorer = OPCExplorerForm();
    ASSERT_NE(explorer, nullptr);
    EXPECT_TRUE(explorer->Visible());
    TTreeNode* servers = explorer->ServersTreeNode();
    ASSERT_EQ(servers->Count(), 2);
    EXPECT_EQ(servers->Item(0)->Text(), "Server A");
    EXPECT_EQ(explorer->GroupsTreeNode()->Count(), 0);
    explorer->Hide();
}

// ---- channels

TEST_F(PlotOpcLibraryTest, AnXYChannelAddsAPointAtEveryUpdateOfItsGroup) {
    TiXYPlotChannel* channel = plot_.GetChannel(0);
    channel->SetOPCServerName("Server");
    channel->SetOPCItemName("X");
    channel->SetOPCItem2Name("Y");
    channel->OPCActivate();
    ASSERT_EQ(library_.groups.size(), 1u);
    const auto& [groupHandle, group] = *library_.groups.begin();
    EXPECT_EQ(library_.SignalOf("X")->group, group.name);
    EXPECT_EQ(library_.SignalOf("Y")->group, group.name);
    library_.SignalOf("X")->data = TVariant(3.0);
    library_.SignalOf("Y")->data = TVariant(4.0);
    library_.SignalOf("X")->callback->NewDataReady(0);
    library_.SignalOf("Y")->callback->NewDataReady(0);
    group.callback->AfterGroupUpdate(groupHandle);
    CheckSynchronize();
    ASSERT_EQ(channel->Count(), 1);
    EXPECT_EQ(channel->GetDataX(0), 3);
    EXPECT_EQ(channel->GetDataY(0), 4);
    EXPECT_TRUE(channel->OPCActive());
    channel->OPCUpdateSuspend();
    EXPECT_EQ(library_.TakeLog().back(), "GroupSuspend " + std::to_string(groupHandle));
}

TEST_F(PlotOpcLibraryTest, AStripChartChannelStampsItsValuesOrWaitsForItsGroup) {
    TiPlot plot(nullptr);
    TiPlotChannel* channel = plot.GetChannel(0);
    channel->SetOPCServerName("Server");
    channel->SetOPCItemName("Level");
    channel->OPCActivate();  // the server's time stamp: item 0 alone, no group
    EXPECT_TRUE(library_.groups.empty());
    test::TFakeOPCLibrary::TSignal& level = *library_.SignalOf("Level");
    level.data = TVariant(7.5);
    level.timeStamp = 45001;
    level.callback->NewDataReady(0);
    CheckSynchronize();
    ASSERT_EQ(channel->Count(), 1);
    EXPECT_EQ(channel->GetDataX(0), 45001);
    EXPECT_EQ(channel->GetDataY(0), 7.5);

    channel->SetOPCXValueSource(iopcxvsOPCItem);
    channel->SetOPCItem2Name("Flow");
    channel->OPCActivate();
    ASSERT_EQ(library_.groups.size(), 1u);
    EXPECT_EQ(library_.SignalOf("Flow")->group, library_.groups.begin()->second.name);
    library_.SignalOf("Level")->callback->NewDataReady(0);  // waits for the group
    CheckSynchronize();
    EXPECT_EQ(channel->Count(), 1);
}

}  // namespace
}  // namespace dsp
