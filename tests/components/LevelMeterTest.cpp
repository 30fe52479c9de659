// The level meter: segment layout, the lit sequences of the main window's meters and lamps,
// colour and count changes, relayout after a resize, the ranges the arithmetic cannot serve and
// what the meter shows on screen.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/LProgressBar.h"
#include "framework/controls/Form.h"
#include "framework/controls/Shape.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Colors.h"
#include "framework/text/PropertyText.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

constexpr TColor kLampOff = RGB(155, 78, 0);
constexpr TColor kLampOn = RGB(255, 151, 70);

TShape* Segment(const LProgressBar& meter, int number) {
    return dynamic_cast<TShape*>(meter.FindComponent("shape" + std::to_string(number)));
}

// The segments' colours from the top, one letter each: m maroon, o olive, g green (unlit);
// R red, Y yellow, L lime (lit); a lamp's b (off) and B (on); ? anything else.
std::string Colours(const LProgressBar& meter) {
    std::string text;
    for (int number = 1; number <= meter.SegmentCount(); ++number) {
        switch (Segment(meter, number)->Brush()->Color()) {
            case clMaroon: text += 'm'; break;
            case clOlive: text += 'o'; break;
            case clGreen: text += 'g'; break;
            case clRed: text += 'R'; break;
            case clYellow: text += 'Y'; break;
            case clLime: text += 'L'; break;
            case kLampOff: text += 'b'; break;
            case kLampOn: text += 'B'; break;
            default: text += '?'; break;
        }
    }
    return text;
}

std::vector<int> Tops(const LProgressBar& meter) {
    std::vector<int> tops;
    for (int number = 1; number <= meter.SegmentCount(); ++number) {
        tops.push_back(Segment(meter, number)->Top());
    }
    return tops;
}

class LevelMeterTest : public ::testing::Test {
protected:
    void SetUp() override { form_ = test::MakeForm(200, 260); }

    LProgressBar* Meter(int first, int second, int third, int max, int height) {
        auto* meter = test::Place(new LProgressBar(form_.get()), form_.get(), 10, 10, 14, height);
        meter->SetFirstNum(first);
        meter->SetSecondNum(second);
        meter->SetThirdNum(third);
        meter->SetMax(max);
        return meter;
    }

    std::unique_ptr<TForm> form_;
};

TEST_F(LevelMeterTest, ANewMeterIsABlackPanelOfFiveUnlitSegments) {
    LProgressBar meter(nullptr);
    EXPECT_EQ(meter.Width(), 14);
    EXPECT_EQ(meter.Height(), 132);
    EXPECT_EQ(meter.Color(), clBlack);
    EXPECT_EQ(meter.BevelInner(), bvLowered);
    EXPECT_EQ(meter.BevelOuter(), bvLowered);
    EXPECT_EQ(meter.Max(), 100);
    EXPECT_EQ(meter.GetPosition(), 0);
    EXPECT_EQ(Colours(meter), "moggg");
    EXPECT_EQ(Tops(meter), (std::vector<int>{-1, 25, 51, 78, 104}));
    const TShape& top = *Segment(meter, 1);
    EXPECT_EQ(top.Left(), 0);
    EXPECT_EQ(top.Width(), 14);
    EXPECT_EQ(top.Height(), 28);
    EXPECT_EQ(top.Parent(), &meter);
    EXPECT_EQ(top.Pen()->Color(), clBlack);
    EXPECT_EQ(top.Pen()->Width(), 1);
}

TEST_F(LevelMeterTest, AStoredFormSetsAMeterUpByName) {
    LProgressBar meter(nullptr);
    const auto& properties = meter.ClassInfo().Properties();
    std::vector<std::string> names;
    for (const TPropInfo* p : properties) names.push_back(p->Name());
    const std::vector<std::string> own(names.end() - 12, names.end());
    EXPECT_EQ(own, (std::vector<std::string>{"FirstColor", "SecondColor", "ThirdColor", "FirstNum",
                                             "SecondNum", "ThirdNum", "Position", "Max", "Min",
                                             "LFirstColor", "LSecondColor", "LThirdColor"}));
    // Max is written whenever it is not 0, so a meter left at 100 keeps it.
    EXPECT_FALSE(GetPropInfo(&meter, "Max")->IsDefaultValue(&meter));
    for (const auto& [path, text] :
         std::vector<std::pair<const char*, const char*>>{{"Height", "199"},
                                                          {"SecondNum", "2"},
                                                          {"ThirdNum", "6"},
                                                          {"Max", "9"},
                                                          {"Position", "8"}}) {
        SetPropTextByPath(&meter, path, text);
    }
    EXPECT_EQ(Colours(meter), "mYYLLLLLL");
}

TEST_F(LevelMeterTest, MetersOfTheMainWindowLightFromTheBottomUp) {
    struct TStep {
        int v;
        const char* shown;
    };
    struct TCase {
        const char* name;
        int first, second, third, max, height;
        std::vector<int> tops;
        std::vector<TStep> steps;
    };
    const std::vector<TCase> cases = {
        {"input meter",
         1,
         2,
         6,
         9,
         199,
         {-1, 21, 43, 65, 87, 109, 131, 153, 175},
         {{0, "moogggggg"},
          {3, "moogggLLL"},
          {8, "mYYLLLLLL"},
          {9, "RYYLLLLLL"},
          {15, "RYYLLLLLL"},
          {-4, "moogggggg"}}},
        {"output meter",
         1,
         3,
         4,
         8,
         179,
         {-1, 21, 43, 66, 88, 110, 133, 155},
         {{1, "mooogggL"}, {5, "mooYLLLL"}, {8, "RYYYLLLL"}, {0, "mooogggg"}}},
        {"three segments up to 1", 1, 1, 1, 1, 132, {-1, 43, 87}, {{1, "RYL"}, {0, "mog"}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        LProgressBar* meter = Meter(c.first, c.second, c.third, c.max, c.height);
        EXPECT_EQ(Tops(*meter), c.tops);
        for (const TStep& step : c.steps) {
            SCOPED_TRACE(step.v);
            meter->SetPosition(step.v);
            EXPECT_EQ(Colours(*meter), step.shown);
        }
        delete meter;
    }
}

TEST_F(LevelMeterTest, ALimitLampTurnsOnAtOneAndOffAtZero) {
    LProgressBar* lamp = Meter(0, 1, 0, 1, 22);
    lamp->SetSecondColor(kLampOff);
    lamp->SetLSecondColor(kLampOn);
    EXPECT_EQ(Colours(*lamp), "b");
    EXPECT_EQ(Tops(*lamp), std::vector<int>{-1});
    EXPECT_EQ(Segment(*lamp, 1)->Height(), 24);
    lamp->SetPosition(1);
    EXPECT_EQ(Colours(*lamp), "B");
    lamp->SetPosition(0);
    EXPECT_EQ(Colours(*lamp), "b");
}

TEST_F(LevelMeterTest, TheValueAlreadyHeldChangesNothingEvenOverDarkenedSegments) {
    LProgressBar* meter = Meter(1, 2, 6, 9, 199);
    meter->SetPosition(5);
    meter->SetFirstColor(clMaroon + 1);  // no segment of the top zone is lit
    meter->SetThirdColor(clGreen + 1);   // darkens the five lit ones
    EXPECT_EQ(Colours(*meter), "?oo??????");
    meter->SetThirdColor(clGreen);
    meter->SetFirstColor(clMaroon);
    meter->SetPosition(5);
    EXPECT_EQ(Colours(*meter), "moogggggg") << "5 is held already";
    meter->SetPosition(4);
    EXPECT_EQ(Colours(*meter), "mooggLLLL");
}

TEST_F(LevelMeterTest, SegmentsLightAndDarkenByTheColourTheyShow) {
    LProgressBar* meter = Meter(1, 2, 6, 9, 199);
    meter->SetPosition(7);
    EXPECT_EQ(Colours(*meter), "moYLLLLLL");
    // A new lit colour takes over only the zone's segments that show the old one.
    meter->SetLThirdColor(clRed);
    EXPECT_EQ(Colours(*meter), "moYRRRRRR");
    EXPECT_EQ(meter->LThirdColor(), clRed);
    // The third zone now shows the first zone's lit colour, so it darkens to maroon.
    meter->SetPosition(0);
    EXPECT_EQ(Colours(*meter), "moommmmmm");
    // And a third zone in the second zone's unlit colour lights yellow.
    meter->SetThirdColor(clOlive);
    meter->SetPosition(9);
    EXPECT_EQ(Colours(*meter), "RYYYYYYYY");
}

TEST_F(LevelMeterTest, ZoneCountsInsertAndFreeSegmentsAndNumberThemWithoutGaps) {
    LProgressBar* meter = Meter(1, 1, 3, 100, 132);
    TShape* bottom = Segment(*meter, 5);
    meter->SetPosition(100);
    meter->SetFirstNum(3);
    EXPECT_EQ(meter->SegmentCount(), 7);
    EXPECT_EQ(Colours(*meter), "mmmoggg") << "every segment shows unlit";
    EXPECT_EQ(meter->GetPosition(), 100);
    EXPECT_EQ(Segment(*meter, 7), bottom) << "the segments below are renumbered, not remade";
    EXPECT_EQ(Segment(*meter, 8), nullptr);
    EXPECT_EQ(Tops(*meter), (std::vector<int>{-1, 17, 36, 55, 74, 93, 112}));

    meter->SetSecondNum(3);
    EXPECT_EQ(Colours(*meter), "mmmoooggg");
    EXPECT_EQ(Segment(*meter, 9), bottom);

    meter->SetFirstNum(0);
    meter->SetSecondNum(1);
    EXPECT_EQ(meter->SegmentCount(), 4);
    EXPECT_EQ(Colours(*meter), "oggg");
    EXPECT_EQ(Segment(*meter, 4), bottom);
    EXPECT_EQ(Segment(*meter, 5), nullptr);

    // The third zone loses its bottom segments; nothing is renumbered.
    TShape* thirdTop = Segment(*meter, 2);
    meter->SetThirdNum(1);
    EXPECT_EQ(Colours(*meter), "og");
    EXPECT_EQ(Segment(*meter, 2), thirdTop);
    EXPECT_EQ(Tops(*meter), (std::vector<int>{-1, 65}));
}

TEST_F(LevelMeterTest, AResizedMeterLaysItsSegmentsOutAgainWhenItNextPaints) {
    LProgressBar* meter = Meter(1, 2, 6, 9, 199);
    test::ShowAndPaint(*form_);
    meter->SetPosition(4);
    meter->SetBounds(10, 10, 20, 122);
    test::PaintPending(*form_);
    EXPECT_EQ(Tops(*meter), (std::vector<int>{-1, 12, 26, 39, 53, 66, 80, 93, 107}));
    EXPECT_EQ(Segment(*meter, 1)->Width(), 20);
    EXPECT_EQ(Segment(*meter, 1)->Height(), 15);
    EXPECT_EQ(Colours(*meter), "mooggLLLL") << "the colours stay";
}

TEST_F(LevelMeterTest, RangesTheStepCannotServeLightAllOrNothing) {
    struct TCase {
        const char* name;
        int first, second, third, min, max;
        std::vector<std::pair<int, const char*>> steps;
    };
    const std::vector<TCase> cases = {
        {"Max 0", 1, 1, 1, 0, 0, {{-1, "mog"}, {0, "mog"}, {1, "RYL"}, {-2, "mog"}}},
        {"Max below Min", 1, 1, 1, 5, 2, {{1, "mog"}, {2, "RYL"}, {9, "RYL"}, {0, "mog"}}},
        {"negative Max", 1, 1, 1, -9, -3, {{-5, "mog"}, {-3, "RYL"}}},
        {"Min below 0", 1, 1, 1, -6, 3, {{-4, "mog"}, {2, "mYL"}, {-6, "mog"}}},
        {"no segments", 0, 0, 0, 0, 9, {{4, ""}, {9, ""}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        LProgressBar meter(nullptr);
        meter.SetFirstNum(c.first);
        meter.SetSecondNum(c.second);
        meter.SetThirdNum(c.third);
        meter.SetMin(c.min);
        meter.SetMax(c.max);
        for (const auto& [v, shown] : c.steps) {
            SCOPED_TRACE(v);
            meter.SetPosition(v);
            EXPECT_EQ(Colours(meter), shown);
        }
    }
}

TEST_F(LevelMeterTest, ShowsLitSegmentsBetweenDarkOutlines) {
    LProgressBar* meter = Meter(1, 2, 6, 9, 199);
    test::ShowAndPaint(*form_);
    meter->SetPosition(3);
    test::PaintPending(*form_);
    // Bottom segment 9 spans 175..198; the next one up ends on row 176 and its outline merges
    // with segment 9's top line.
    EXPECT_EQ(test::ShownPixel(*meter, 7, 185), static_cast<TColorRef>(clLime));
    EXPECT_EQ(test::ShownPixel(*meter, 7, 175), static_cast<TColorRef>(clBlack));
    EXPECT_EQ(test::ShownPixel(*meter, 0, 185), static_cast<TColorRef>(clBlack));
    EXPECT_EQ(test::ShownPixel(*meter, 7, 100), static_cast<TColorRef>(clGreen));
    EXPECT_EQ(test::ShownPixel(*meter, 7, 10), static_cast<TColorRef>(clMaroon));
}

}  // namespace
}  // namespace dsp
