// The component base: repaint requests under the frame-rate gate and the scheduler, painting
// with the error face, the internal timer, and the property file; the shared stream and value
// classes.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/runtime/ManualClock.h"
#include "framework/text/DateTime.h"
#include "framework/text/StringList.h"
#include "plot/engine/iClasses.h"
#include "plot/engine/iVCLComponent.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

using std::chrono::milliseconds;

// A component that counts its repaints and can be told to fail while painting.
class TCountingComponent : public TiCustomComponent {
public:
    using TiCustomComponent::TiCustomComponent;
    void RepaintNow() override {
        ++repaints;
        TiCustomComponent::RepaintNow();
    }
    void PaintToCanvas(TCanvas* canvas) override {
        if (!failure.empty()) throw Exception(failure);
        canvas->Brush()->SetColor(clGreen);
        canvas->FillRect({0, 0, Width(), Height()});
    }
    int repaints = 0;
    std::string failure;
};

class ComponentTest : public ::testing::Test {
protected:
    // Starts from a repaint just carried out, at a known time.
    void Settle(TCountingComponent& c) {
        c.RepaintNow();
        c.repaints = 0;
    }
    TManualClock clock_;
};

struct GateCase {
    const char* name;
    bool autoFrameRate;
    int rate;
    bool inBatch;
    int elapsedMs;
    int repaints;
    bool pending;
};

TEST_F(ComponentTest, RequestsRepaintAtOnceOrHoldThemByGateAndBatch) {
    const GateCase cases[] = {
        {"no gate", false, 60, false, 0, 1, false},
        {"gap not passed", true, 60, false, 5, 0, true},
        {"a hair short of 1/60 s", true, 60, false, 16, 0, true},
        {"gap passed", true, 60, false, 17, 1, false},
        {"rate 0 switches the gate off", true, 0, false, 0, 1, false},
        {"batch holds with the gate on", true, 60, true, 500, 0, true},
        {"batch holds with the gate off", false, 60, true, 500, 0, true},
    };
    for (const GateCase& c : cases) {
        SCOPED_TRACE(c.name);
        TCountingComponent component(nullptr);
        component.SetAutoFrameRate(c.autoFrameRate);
        component.SetUpdateFrameRate(c.rate);
        Settle(component);
        if (c.inBatch) component.BeginUpdate();
        clock_.Advance(milliseconds(c.elapsedMs));
        component.RequestRepaint();
        EXPECT_EQ(component.repaints, c.repaints);
        EXPECT_EQ(component.GetNeedsRepaint(), c.pending);
    }
}

TEST_F(ComponentTest, HeldBackRepaintIsCarriedOutAtTheEndOfItsGapNotAtTheTick) {
    TCountingComponent component(nullptr);
    component.SetAutoFrameRate(true);
    Settle(component);
    clock_.Advance(milliseconds(5));
    for (int i = 0; i < 1000; ++i) component.RequestRepaint();
    EXPECT_EQ(component.repaints, 0);
    clock_.Advance(milliseconds(11));  // 16 ms after the last repaint: still inside the gap
    EXPECT_EQ(component.repaints, 0);
    clock_.Advance(milliseconds(1));  // 17 ms
    EXPECT_EQ(component.repaints, 1);
    EXPECT_FALSE(component.GetNeedsRepaint());
    clock_.Advance(milliseconds(2000));
    EXPECT_EQ(component.repaints, 1);
}

TEST_F(ComponentTest, WallClockSetBackDoesNotFreezeTheGate) {
    TDateTime wall = EncodeDate(2024, 10, 27) + 3.0 / 24;
    SetNowFunction([&wall] { return wall; });
    TCountingComponent component(nullptr);
    component.SetAutoFrameRate(true);
    Settle(component);
    wall -= 1.0 / 24;  // the local clock goes back an hour
    clock_.Advance(milliseconds(20));
    component.RequestRepaint();
    EXPECT_EQ(component.repaints, 1);
    clock_.Advance(milliseconds(5));
    component.RequestRepaint();
    clock_.Advance(milliseconds(20));
    EXPECT_EQ(component.repaints, 2);
    SetNowFunction(nullptr);
}

TEST_F(ComponentTest, BatchGivesOneRepaintAtItsEndWhateverTheTicksSaw) {
    TCountingComponent component(nullptr);
    component.SetAutoFrameRate(true);
    Settle(component);
    component.BeginUpdate();
    for (int i = 0; i < 50; ++i) component.RequestFullRepaint();
    clock_.Advance(milliseconds(3000));  // three scheduler ticks pass the open batch by
    EXPECT_EQ(component.repaints, 0);
    component.EndUpdate();
    EXPECT_EQ(component.repaints, 1);
}

TEST_F(ComponentTest, SwitchingTheGateOffClosesAnOpenBatch) {
    TCountingComponent component(nullptr);
    component.SetAutoFrameRate(true);
    component.BeginUpdate();
    component.RequestRepaint();
    component.SetAutoFrameRate(false);
    EXPECT_FALSE(component.GetUpdateActive());
    EXPECT_FALSE(component.GetNeedsRepaint());
}

// A scheduler client without a window, for the tick alone.
struct TFakeClient : IUpdateClient {
    virtual ~TFakeClient() = default;
    bool GetUpdateActive() const override { return active; }
    bool GetNeedsRepaint() const override { return pending; }
    int GetUpdateFrameRate() const override { return rate; }
    TClockTime GetLastUpdate() const override { return last; }
    void RepaintNow() override {
        ++repaints;
        pending = false;
    }
    bool active = false;
    bool pending = true;
    int rate = 60;
    TClockTime last{};
    int repaints = 0;
};

TEST_F(ComponentTest, TickRepaintsOnlyPendingComponentsOutsideABatchWhoseGapPassed) {
    struct TickCase {
        const char* name;
        bool active;
        bool pending;
        int rate;
        int agoMs;
        int repaints;
    };
    const TickCase cases[] = {
        {"due", false, true, 60, 20, 1},
        {"inside its gap", false, true, 60, 10, 0},
        {"nothing pending", false, false, 60, 20, 0},
        {"batch open", true, true, 60, 5000, 0},
        {"no gate", false, true, 0, 0, 1},
    };
    TiUpdateObject& scheduler = TiUpdateObject::Instance();
    for (const TickCase& c : cases) {
        SCOPED_TRACE(c.name);
        TFakeClient client;
        client.active = c.active;
        client.pending = c.pending;
        client.rate = c.rate;
        client.last = MonotonicTime();
        clock_.Advance(milliseconds(c.agoMs));
        scheduler.AddUpdateControl(&client);
        scheduler.Tick();
        scheduler.RemoveUpdateControl(&client);
        EXPECT_EQ(client.repaints, c.repaints);
    }
}

TEST_F(ComponentTest, TickRunsWhileComponentsAreRegisteredAndStopsWithTheLast) {
    TiUpdateObject& scheduler = TiUpdateObject::Instance();
    ASSERT_EQ(scheduler.Count(), 0);
    TFakeClient first;
    TFakeClient second;
    scheduler.AddUpdateControl(&first);
    EXPECT_TRUE(scheduler.TimerEnabled());
    scheduler.AddUpdateControl(&second);
    scheduler.RemoveUpdateControl(&first);
    EXPECT_TRUE(scheduler.TimerEnabled());
    scheduler.RemoveUpdateControl(&second);
    EXPECT_FALSE(scheduler.TimerEnabled());
    {
        TCountingComponent component(nullptr);
        EXPECT_EQ(scheduler.Count(), 1);
    }
    EXPECT_EQ(scheduler.Count(), 0);
}

TEST_F(ComponentTest, PaintFailureShowsItsMessageWhiteOnBlackAndTheNextPaintStartsAfresh) {
    TCountingComponent component(nullptr);
    component.SetBounds(0, 0, 160, 40);
    component.failure = "Division by zero";
    TBitmap failed(160, 40);
    component.PaintTo(*failed.Canvas(), 0, 0);
    EXPECT_EQ(failed.PixelAt(150, 35), RGB(0, 0, 0));
    int white = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 100; ++x) white += failed.PixelAt(x, y) == RGB(255, 255, 255);
    }
    EXPECT_GT(white, 20);

    component.failure.clear();
    TBitmap fine(160, 40);
    component.PaintTo(*fine.Canvas(), 0, 0);
    EXPECT_EQ(fine.PixelAt(150, 35), static_cast<TColorRef>(clGreen));
    EXPECT_EQ(fine.PixelAt(5, 5), static_cast<TColorRef>(clGreen));
}

TEST_F(ComponentTest, InternalTimerWaitsItsFirstDelayThenRepeats) {
    TCountingComponent component(nullptr);
    std::vector<long long> fired;
    const TClockTime start = MonotonicTime();
    component.OnInternalTimer = [&](TObject*) {
        fired.push_back(std::chrono::duration_cast<milliseconds>(MonotonicTime() - start).count());
    };
    component.InternalTimerStart(1000, 50);
    component.InternalTimerStart(10, 10);  // already running: no change
    clock_.Advance(milliseconds(1120));
    EXPECT_EQ(fired, (std::vector<long long>{1000, 1050, 1100}));
    component.InternalTimerStop();
    EXPECT_FALSE(component.InternalTimerRunning());
    fired.clear();
    clock_.Advance(milliseconds(500));
    EXPECT_TRUE(fired.empty());
}

TEST_F(ComponentTest, SameBoundsAskForNoRepaint) {
    TCountingComponent component(nullptr);
    component.SetBounds(0, 0, 100, 50);
    component.repaints = 0;
    component.SetBounds(0, 0, 100, 50);
    EXPECT_EQ(component.repaints, 0);
    component.SetBounds(0, 0, 101, 50);
    EXPECT_EQ(component.repaints, 1);
}

TEST_F(ComponentTest, PropertyFileNamesTheClassAndLeavesOutNameAndPlacement) {
    test::TTempFolder folder;
    TCountingComponent component(nullptr);
    component.SetName("Plot1");
    component.SetUpdateFrameRate(30);
    component.SavePropertiesToFile(folder.File("p.txt"));
    TStringList lines;
    lines.LoadFromFile(folder.File("p.txt"));
    ASSERT_GT(lines.Count(), 0);
    EXPECT_EQ(lines.Strings(0), "File Type = TCountingComponent");
    EXPECT_GE(lines.IndexOf("UpdateFrameRate = 30"), 0);
    for (const char* left : {"Name = Plot1", "Left = 0", "Width = 0", "Visible = 1"}) {
        EXPECT_LT(lines.IndexOf(left), 0) << left;
    }

    component.SetOptionSaveAllProperties(true);
    component.SavePropertiesToFile(folder.File("all.txt"));
    TStringList all;
    all.LoadFromFile(folder.File("all.txt"));
    EXPECT_GE(all.IndexOf("Visible = 1"), 0);
    EXPECT_LT(all.IndexOf("Name = Plot1"), 0);

    TCountingComponent loaded(nullptr);
    loaded.LoadPropertiesFromFile(folder.File("p.txt"));
    EXPECT_EQ(loaded.GetUpdateFrameRate(), 30);
}

TEST_F(ComponentTest, FailedPropertyLoadReportsAndLeavesNoBatchOpen) {
    test::TTempFolder folder;
    {
        std::ofstream file(folder.File("bad.txt"));
        file << "File Type = TCountingComponent\r\nUpdateFrameRate = fast\r\n";
    }
    TCountingComponent component(nullptr);
    try {
        component.LoadPropertiesFromFile(folder.File("bad.txt"));
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.Message()).rfind("Error Loading Properties - ", 0), 0u);
    }
    EXPECT_FALSE(component.GetUpdateActive());
    EXPECT_THROW(component.LoadPropertiesFromFile(folder.File("missing.txt")), Exception);
    EXPECT_FALSE(component.GetUpdateActive());
}

// ---- the shared classes

TEST(PlotClassesTest, MemoryStreamWritesUpTo255CharactersAndReadsToItsLastByte) {
    TiMemoryStream stream;
    EXPECT_NO_THROW(stream.WriteString(std::string(255, 'x')));
    try {
        stream.WriteString(std::string(256, 'x'));
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "String Exceeds 255 Characters");
    }
    // A stream whose last byte closes a tag is read whole; only reading past it fails.
    TiXMLMemoryStream xml;
    xml.WriteBuffer(std::string_view("\r\n<Scheme>"));
    xml.SetPosition(0);
    EXPECT_EQ(xml.GetNextPiece(), "Scheme");
    try {
        xml.GetNextPiece();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "EOF");
    }
}

TEST(PlotClassesTest, XmlValuesKeepAngleBracketsAndAmpersands) {
    TiXMLMemoryStream xml;
    xml.WriteElement("Caption", "a < b && c > d &lt;");
    const std::string written(reinterpret_cast<const char*>(xml.Memory()),
                              static_cast<std::size_t>(xml.Size()));
    EXPECT_EQ(written, "<Caption>a &lt; b &amp;&amp; c &gt; d &amp;lt;</Caption>\r\n");
    xml.SetPosition(0);
    std::string value;
    xml.GetElement("Caption", value);
    EXPECT_EQ(value, "a < b && c > d &lt;");
}

TEST(PlotClassesTest, XmlReaderFindsAnElementValueAndStopsBehindIt) {
    TiXMLMemoryStream xml;
    xml.StartElement("Scheme");
    xml.WriteElement("Name", "Dark");
    xml.EndElement("Scheme");
    xml.SetPosition(0);
    std::string value;
    xml.GetElement("Name", value);
    EXPECT_EQ(value, "Dark");
    EXPECT_EQ(xml.PeekNextPiece(), "/Scheme");
    EXPECT_EQ(xml.GetNextPiece(), "/Scheme");

    TiXMLMemoryStream broken;
    broken.WriteBuffer(std::string_view("<Name>x<Name>\r\n"));
    broken.SetPosition(0);
    EXPECT_THROW(broken.GetElement("Name", value), Exception);
}

TEST(PlotClassesTest, ValueClassesKeepColumnExtremesAndGrowByTheirRule) {
    TiPlotMinMaxPoint column;
    for (double y : {3.0, 7.0, 1.0}) column.AddData(10, 0.5, y);
    EXPECT_FALSE(column.Empty);
    EXPECT_EQ(column.YFirst, 3);
    EXPECT_EQ(column.YLast, 1);
    EXPECT_EQ(column.YMax, 7);
    EXPECT_EQ(column.YMin, 1);

    TiLimitDataList list;
    std::vector<int> capacities;
    for (int i = 0; i < 95; ++i) {
        const int before = list.Capacity();
        list.Add(i, 2 * i, 3 * i);
        if (list.Capacity() != before) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95}));
    EXPECT_EQ(list.Value3(94), 282);
    EXPECT_THROW(list.Value1(95), Exception);
    EXPECT_THROW(list.SetCapacity(134217728), Exception);
    list.SetCapacity(10);
    EXPECT_EQ(list.Count(), 10);
}

// ---- OPC items without the OPC support library

// A component with a switch and a level to bind, as a check box or a gauge would have.
class TBindable : public TiCustomComponent {
    DSP_PUBLISHED(TBindable, TiCustomComponent) {
        using P = Published<TBindable>;
        return {
            P::Property("Checked", &TBindable::checked, &TBindable::SetChecked),
            P::Property("Level", &TBindable::level, &TBindable::level),
            P::Property("Style", &TBindable::style, &TBindable::style),
            P::Property("Label", &TBindable::label, &TBindable::label),
        };
    }

public:
    using TiCustomComponent::TiCustomComponent;
    void PaintToCanvas(TCanvas*) override {}
    void SetChecked(bool value) {
        checked = value;
        echoed = OPCPropertyChanged("Checked", TVariant(value));
    }
    bool checked = false;
    double level = 0;
    TiBevelStyle style = ibsNone;
    std::string label;
    bool echoed = false;
};

TEST(PlotOpcTest, ItemsNeverActivateWithoutTheLibrary) {
    TBindable component(nullptr);
    const int index = component.OPCAddItem();
    TiOPCItem* item = component.OPCItemManager()->Item(index);
    item->SetPropertyName("Checked");
    EXPECT_EQ(item->PropertyType(), tkEnumeration);
    item->SetServerName("X");
    item->SetItemName("Tag1");
    item->SetAutoConnect(true);
    item->Activate();
    item->Loaded();
    EXPECT_FALSE(item->Active());
    EXPECT_FALSE(item->UpdateSuspended());
    EXPECT_EQ(component.GetOPCItemComputerName(index), "Local");
    EXPECT_EQ(component.GetOPCItemUpdateRate(index), 500);
    EXPECT_FALSE(component.OPCPropertyChanged("Checked", TVariant(true)));
    EXPECT_THROW(OPCCheckLoaded(), Exception);
    component.OPCRemoveAllItems();
    EXPECT_EQ(component.OPCItemCount(), 0);
}

TEST(PlotOpcTest, GoodValuesAreScaledIntegersStayIntegersOthersPass) {
    TBindable component(nullptr);
    TiOPCItem* item = component.OPCItemManager()->Item(component.OPCAddItem());
    item->SetScalar(2.5);
    item->SetOffset(1);
    item->SetQuality(0xC0);
    const TVariant integer = item->ScaleIncoming(TVariant(10));
    EXPECT_EQ(integer.VarType(), varInteger);
    EXPECT_EQ(integer.AsInteger(), 26);
    const TVariant real = item->ScaleIncoming(TVariant::OfType(varDouble, TVariant(10)));
    EXPECT_EQ(real.VarType(), varDouble);
    EXPECT_EQ(real.AsDouble(), 26.0);
    EXPECT_EQ(item->ScaleIncoming(TVariant("10")).AsString(), "10");
    item->SetQuality(0x40);
    EXPECT_FALSE(item->QualityGood());
    EXPECT_EQ(item->ScaleIncoming(TVariant(10)).AsInteger(), 10);
}

TEST(PlotOpcTest, IncomingValueSetsItsPropertyWithoutEchoingIt) {
    TBindable component(nullptr);
    TiOPCItem* item = component.OPCItemManager()->Item(component.OPCAddItem());
    item->SetPropertyName("checked");
    item->SetQuality(0xC0);
    std::vector<int> delivered;
    component.OnBeforeNewOPCData = [](int, TVariant& data) { data = TVariant("True"); };
    component.OnNewOPCData = [&](int index) { delivered.push_back(index); };
    item->NewData();
    EXPECT_TRUE(component.checked);
    EXPECT_FALSE(component.echoed);
    EXPECT_EQ(delivered, (std::vector<int>{0}));
}

TEST(PlotOpcTest, PropertyByPathConvertsTheValueTextForEachKind) {
    TBindable component(nullptr);
    TiVCLComponent::SetPropertyByPath(&component, "", TVariant("yes"), "CHECKED");
    EXPECT_TRUE(component.checked);
    TiVCLComponent::SetPropertyByPath(&component, "", TVariant("0"), "Checked");
    EXPECT_FALSE(component.checked);
    TiVCLComponent::SetPropertyByPath(&component, "", TVariant("2.5"), "Level");
    EXPECT_EQ(component.level, 2.5);
    TiVCLComponent::SetPropertyByPath(&component, "", TVariant(2), "Style");
    EXPECT_EQ(component.style, ibsLowered);
    TiVCLComponent::SetPropertyByPath(&component, "", TVariant("text"), "Label");
    EXPECT_EQ(component.label, "text");
    TiVCLComponent::SetPropertyByPath(&component, "", TVariant(5), "NoSuchThing");
    EXPECT_THROW(TiVCLComponent::SetPropertyByPath(&component, "", TVariant("x"), "Level"),
                 EConvertError);
    EXPECT_EQ(component.OPCGetPropertyKind("level"), tkFloat);
    EXPECT_EQ(component.OPCGetPropertyKind("Font.Color"), tkInteger);
    EXPECT_EQ(component.OPCGetPropertyKind("Nothing"), tkUnknown);
}

}  // namespace
}  // namespace dsp
