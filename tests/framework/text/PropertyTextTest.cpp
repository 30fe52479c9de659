#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/text/PropertyText.h"

namespace dsp {

enum TFrameSide { sdLeft, sdTop, sdRight, sdBottom };
DSP_ENUM_NAMES(TFrameSide, "sdLeft", "sdTop", "sdRight", "sdBottom")
enum TFrameKind { fkNone, fkFlat, fkBold };
DSP_ENUM_NAMES(TFrameKind, "fkNone", "fkFlat", "fkBold")

namespace {

class TLabelFont : public TPersistent {
    DSP_PUBLISHED(TLabelFont, TPersistent) {
        using P = Published<TLabelFont>;
        return {
            P::Property("Color", &TLabelFont::color, &TLabelFont::color).Default(0),
            P::Property("Name", &TLabelFont::name, &TLabelFont::name),
        };
    }

public:
    int color = 0;
    std::string name = "Arial";
};

class TAxisLike : public TPersistent {
    DSP_PUBLISHED(TAxisLike, TPersistent) {
        using P = Published<TAxisLike>;
        return {
            P::Property("Min", &TAxisLike::min, &TAxisLike::min),
            P::Property("TitleFont", &TAxisLike::TitleFont),
        };
    }

public:
    double min = 0;
    TLabelFont* TitleFont() const { return font_.get(); }

private:
    std::unique_ptr<TLabelFont> font_ = std::make_unique<TLabelFont>();
};

class TPlotLike : public TComponent {
    DSP_PUBLISHED(TPlotLike, TComponent) {
        using P = Published<TPlotLike>;
        return {
            P::Property("Visible", &TPlotLike::visible, &TPlotLike::visible).Default(true),
            P::Property("FrameSides", &TPlotLike::sides, &TPlotLike::sides),
            P::Property("FrameStyle", &TPlotLike::kind, &TPlotLike::kind).Default(fkFlat),
            P::Property("Hotkey", &TPlotLike::hotkey, &TPlotLike::hotkey),
            P::Property("XAxis", &TPlotLike::XAxis),
            P::Property("Caption", &TPlotLike::caption, &TPlotLike::caption),
        };
    }

public:
    using TComponent::TComponent;
    bool visible = true;
    Set<TFrameSide> sides{sdLeft, sdTop, sdRight, sdBottom};
    TFrameKind kind = fkFlat;
    char hotkey = 'G';
    std::string caption;
    TAxisLike* XAxis() const { return axis_.get(); }

private:
    std::unique_ptr<TAxisLike> axis_ = std::make_unique<TAxisLike>();
};

TEST(PropertyTextTest, DottedPathsReachNestedObjects) {
    TPlotLike plot(nullptr);
    SetPropTextByPath(&plot, "XAxis.TitleFont.Color", "255");
    SetPropTextByPath(&plot, "xaxis.min", "-100.5");
    EXPECT_EQ(plot.XAxis()->TitleFont()->color, 255);
    EXPECT_EQ(plot.XAxis()->min, -100.5);
    EXPECT_EQ(GetPropTextByPath(&plot, "XAxis.TitleFont.Name"), "Arial");

    const TPropertyRef ref = FindPropertyByPath(&plot, "XAxis.TitleFont.Color");
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref.instance, plot.XAxis()->TitleFont());
    EXPECT_FALSE(ref.property->IsDefaultValue(ref.instance));

    // Steps that do not exist, or go through a value that is not an object, lead nowhere.
    EXPECT_FALSE(FindPropertyByPath(&plot, "YAxis.Min"));
    EXPECT_FALSE(FindPropertyByPath(&plot, "Caption.Length"));
    EXPECT_EQ(FindPropertyByPath(&plot, "XAxis").property->Kind(), tkClass);
    try {
        SetPropTextByPath(&plot, "XAxis.Max", "1");
        FAIL();
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Property XAxis.Max does not exist");
    }
}

TEST(PropertyTextTest, TextFormsOfEveryKind) {
    TPlotLike plot(nullptr);
    struct Case {
        const char* name;
        const char* set;
        const char* read;
    };
    const Case cases[] = {
        {"Tag", " 42", "42"},
        {"Visible", "False", "False"},
        {"Visible", "1", "True"},
        {"FrameStyle", "FKBOLD", "fkBold"},
        {"FrameStyle", "0", "fkNone"},
        {"FrameSides", "[sdTop, sdBottom]", "[sdTop,sdBottom]"},
        {"FrameSides", "5", "[sdLeft,sdRight]"},
        {"FrameSides", "[]", "[]"},
        {"Hotkey", "Q", "Q"},
        {"Caption", "Gain #13", "Gain #13"},
    };
    for (const Case& c : cases) {
        SetPropTextByPath(&plot, c.name, c.set);
        EXPECT_EQ(GetPropTextByPath(&plot, c.name), c.read) << c.name << " = " << c.set;
    }
    EXPECT_THROW(SetPropTextByPath(&plot, "FrameStyle", "fkWavy"), EPropertyConvertError);
    EXPECT_THROW(SetPropTextByPath(&plot, "FrameStyle", "7"), EPropertyConvertError);
    EXPECT_THROW(SetPropTextByPath(&plot, "FrameSides", "[sdLeft,sdMiddle]"),
                 EPropertyConvertError);
    EXPECT_THROW(SetPropTextByPath(&plot, "Tag", "4x"), EConvertError);
    EXPECT_THROW(SetPropTextByPath(&plot, "XAxis.Min", "1,5"), EConvertError);
    EXPECT_THROW(GetPropTextByPath(&plot, "XAxis"), EPropertyError);
    EXPECT_EQ(plot.kind, fkNone);  // refused values change nothing
}

TEST(PropertyTextTest, PushingOneSettingToManyWidgetsByName) {
    // What a frame controller does: set a named property on every control that has it.
    TComponent form(nullptr);
    auto* a = new TPlotLike(&form);
    auto* b = new TPlotLike(&form);
    new TComponent(&form);  // has no FrameStyle: skipped
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* c = form.Components(i);
        if (const TPropInfo* p = GetPropInfo(c, "FrameStyle")) SetPropText(c, *p, "fkBold");
    }
    EXPECT_EQ(a->kind, fkBold);
    EXPECT_EQ(b->kind, fkBold);
}

}  // namespace
}  // namespace dsp
