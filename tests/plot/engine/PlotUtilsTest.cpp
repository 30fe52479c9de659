// The plot engine's free routines: property lines, text drawing, precision and time spans,
// paper sizes and oriented rectangles.

#include <gtest/gtest.h>

#include <string>

#include "framework/controls/Form.h"
#include "framework/controls/Panel.h"
#include "framework/core/Exceptions.h"
#include "framework/text/StringList.h"
#include "plot/engine/iPlotUtils.h"
#include "tests/plot/engine/RecordingCanvas.h"

namespace dsp {
namespace {

// A persistent object with one property of each kind the property lines know.
class TSettings : public TPersistent {
    DSP_PUBLISHED(TSettings, TPersistent) {
        using P = Published<TSettings>;
        return {
            P::Property("Caption", &TSettings::caption, &TSettings::caption),
            P::Property("Count", &TSettings::count, &TSettings::count).Default(3),
            P::Property("Style", &TSettings::style, &TSettings::style).Default(fsBold),
            P::Property("Ratio", &TSettings::ratio, &TSettings::ratio),
            P::Property("Font", &TSettings::Font, &TSettings::SetFont),
            P::Property("Fixed", &TSettings::Fixed),
        };
    }

public:
    TFont* Font() const { return font.get(); }
    void SetFont(TFont* value) { font->Assign(value); }
    int Fixed() const { return 7; }

    std::string caption;
    int count = 3;
    TFontStyle style = fsBold;
    double ratio = 0;
    std::unique_ptr<TFont> font = std::make_unique<TFont>();
};

std::vector<std::string> Lines(const TStringList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
    return out;
}

TEST(PlotUtilsTest, PropertyLinesRoundTripEveryKindAndLineBreaks) {
    TSettings saved;
    saved.caption = "a\r\nb";
    saved.count = 5;
    saved.ratio = 1.5;
    saved.font->SetColor(255);
    TStringList lines;
    SavePropertiesToStrings(&saved, "Obj", lines, false, nullptr);
    const std::vector<std::string> written = Lines(lines);
    EXPECT_EQ(written.front(), "Obj.Caption = a#13#10b");
    EXPECT_NE(std::find(written.begin(), written.end(), "Obj.Count = 5"), written.end());
    EXPECT_NE(std::find(written.begin(), written.end(), "Obj.Ratio = 1.5"), written.end());
    EXPECT_NE(std::find(written.begin(), written.end(), "Obj.Font.Color = 255"), written.end());
    // A property without a setter is never written; Size follows Height and is not stored.
    for (const std::string& line : written) {
        EXPECT_EQ(line.find("Fixed"), std::string::npos);
        EXPECT_EQ(line.find("Font.Size"), std::string::npos);
    }

    TSettings loaded;
    LoadPropertiesFromStrings(&loaded, "Obj", lines);
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(loaded.caption, "a\r\nb");
    EXPECT_EQ(loaded.count, 5);
    EXPECT_EQ(loaded.ratio, 1.5);
    EXPECT_EQ(loaded.font->Color(), 255);
}

TEST(PlotUtilsTest, DifferentialSaveSkipsOnlyOrdinalsAtTheirDefault) {
    TSettings settings;
    TStringList lines;
    SavePropertiesToStrings(&settings, "", lines, true, nullptr);
    const std::vector<std::string> written = Lines(lines);
    EXPECT_EQ(std::find(written.begin(), written.end(), "Count = 3"), written.end());
    EXPECT_EQ(std::find(written.begin(), written.end(), "Style = 0"), written.end());
    EXPECT_NE(std::find(written.begin(), written.end(), "Ratio = 0"), written.end());
    EXPECT_NE(std::find(written.begin(), written.end(), "Caption = "), written.end());
}

TEST(PlotUtilsTest, LongAndChineseValuesAreKeptWhole) {
    TSettings saved;
    std::string text;
    for (int i = 0; i < 120; ++i) text += "增益";
    saved.caption = text;
    TStringList lines;
    SavePropertiesToStrings(&saved, "", lines, false, nullptr);
    TSettings loaded;
    LoadPropertiesFromStrings(&loaded, "", lines);
    EXPECT_EQ(loaded.caption, text);
}

TEST(PlotUtilsTest, LoadingOnePathStopsAtTheFirstLineOfAnother) {
    TSettings settings;
    TStringList lines;
    lines.SetText("Font.Color = 255\r\nFont.Size = 9\r\nCaption = x\r\n");
    LoadPropertiesFromStrings(settings.font.get(), "Font", lines);
    EXPECT_EQ(settings.font->Color(), 255);
    EXPECT_EQ(settings.font->Size(), 9);
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Strings(0), "Caption = x");
}

TEST(PlotUtilsTest, LinesNamingNothingAreSkippedAndBadNumbersRaise) {
    TSettings settings;
    TStringList lines;
    lines.SetText("Count.Bar = 1\r\nNoSuch = 4\r\nRatio = 2,25\r\n");
    LoadPropertiesFromStrings(&settings, "", lines);
    EXPECT_EQ(settings.count, 3);
    EXPECT_EQ(settings.ratio, 2.25);
    lines.SetText("Count = many\r\n");
    EXPECT_THROW(LoadPropertiesFromStrings(&settings, "", lines), EConvertError);
}

TEST(PlotUtilsTest, ExtractValueFindsTheKeyWithoutCaseAndRemovesItsLine) {
    TStringList lines;
    lines.SetText("a = 1\r\n  File Type =  Plot Channel Config \r\nb = 2\r\n");
    std::string value;
    ASSERT_TRUE(ExtractValue("file type", value, lines));
    EXPECT_EQ(value, "Plot Channel Config");
    EXPECT_EQ(lines.Count(), 2);
    EXPECT_FALSE(ExtractValue("missing", value, lines));
}

TEST(PlotUtilsTest, EngravedTextOnlyWhenDisabledAndColouredAndDrawn) {
    struct Case {
        const char* name;
        bool enabled;
        TColor color;
        TiTextFlags flags;
        std::size_t drawn;
    };
    const Case cases[] = {
        {"enabled", true, clRed, kTextLeft, 1},
        {"disabled in black", false, clBlack, kTextLeft, 1},
        {"disabled in red", false, clRed, kTextLeft, 2},
        {"disabled, measuring only", false, clRed, kTextCalcRect, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TRecordingCanvas canvas(50, 20);
        canvas.Font()->SetColor(clNavy);
        TRect r{5, 5, 40, 15};
        DrawTextFormatted(&canvas, "Hi", r, c.flags, c.enabled, c.color);
        const auto calls = canvas.CallsOf("DrawText");
        ASSERT_EQ(calls.size(), c.drawn);
        if (c.drawn == 2) {
            EXPECT_EQ(calls[0].rect, (TRect{6, 6, 41, 16}));
        }
        EXPECT_EQ(canvas.Font()->Color(), clNavy);
    }
}

TEST(PlotUtilsTest, TextFlagBitsMapToFormatsWithPrefixInverted) {
    EXPECT_EQ(TextFlagsToFormat(kTextLeft), DT_NOPREFIX);
    EXPECT_EQ(TextFlagsToFormat(kTextShowPrefix | kTextCenter), DT_CENTER);
    EXPECT_EQ(TextFlagsToFormat(kTextRight | kTextVCenter | kTextSingleLine | kTextNoClip |
                                kTextCalcRect | kTextWordEllipsis),
              DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_CALCRECT | DT_WORD_ELLIPSIS |
                  DT_NOPREFIX);
}

TEST(PlotUtilsTest, PrecisionToDecimalsCountsTheDigitsTheSpanLeaves) {
    struct Case {
        int precision;
        TiPrecisionStyle style;
        double span;
        int decimals;
    };
    const Case cases[] = {
        {4, ipsSignificantDigits, 2500, 0}, {4, ipsSignificantDigits, 100, 1},
        {4, ipsSignificantDigits, 0.5, 4},  {4, ipsSignificantDigits, 0.05, 5},
        {4, ipsSignificantDigits, 0, 1},    {0, ipsSignificantDigits, 0.5, 0},
        {2, ipsSignificantDigits, 120, 0},  {3, ipsFixedDecimalPoints, 1e9, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrecisionToDecimals(c.precision, c.style, 0, c.span), c.decimals)
            << c.precision << " " << c.span;
    }
}

TEST(PlotUtilsTest, TimeSpansInWholeUnitsWithTheirOverflowAnswers) {
    EXPECT_EQ(DateTimeToSeconds(1.5), 129600);
    EXPECT_EQ(DateTimeToMilliseconds(1.0 / 86400 * 2.5), 2500);
    EXPECT_EQ(DateTimeToHours(2.25), 54);
    EXPECT_EQ(DateTimeToMinutes(-0.5), 10000);
    EXPECT_EQ(DateTimeToSeconds(-0.5), 2147483647);
    EXPECT_EQ(DateTimeToMilliseconds(30), 2147483647);
}

TEST(PlotUtilsTest, PaperSizesAndOrientedRectangles) {
    double w = 0;
    double h = 0;
    GetPaperSizeInches(9, w, h);
    EXPECT_NEAR(w, 8.2677, 1e-4);
    EXPECT_NEAR(h, 11.6929, 1e-4);
    for (int code : {1, 200}) {
        GetPaperSizeInches(code, w, h);
        EXPECT_EQ(w, 8.5);
        EXPECT_EQ(h, 11);
    }
    EXPECT_EQ(MakeOrientedRect(true, 1, 5, 3, 2), (TRect{2, 1, 5, 3}));
    EXPECT_EQ(MakeOrientedRect(false, 3, 5, 1, 2), (TRect{1, 2, 3, 5}));
    EXPECT_EQ(MakeOrientedPoint(true, 30, 70), (TPoint{70, 30}));
}

TEST(PlotUtilsTest, OwnerFormIsTheFirstFormUpTheChainElseTheLastWindowedControl) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    TComponent inner(panel);
    EXPECT_EQ(FindOwnerForm(&inner), &form);
    TPanel alone(nullptr);
    TComponent onPanel(&alone);
    EXPECT_EQ(FindOwnerForm(&onPanel), &alone);
    TComponent orphan(nullptr);
    EXPECT_EQ(FindOwnerForm(&orphan), nullptr);
}

TEST(PlotUtilsTest, MaxLineWidthTakesTheWidestLineOfAnyBreak) {
    test::TRecordingCanvas canvas(10, 10);
    const int wide = canvas.TextWidth("WWWW");
    EXPECT_EQ(GetMaxLineWidth(&canvas, "a\r\nWWWW\rb\n"), wide);
    EXPECT_EQ(GetMaxLineWidth(&canvas, ""), 0);
}

}  // namespace
}  // namespace dsp
