#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/TypeInfo.h"

namespace dsp {

enum TTestStyle { tsPlain, tsBold, tsRaised };
DSP_ENUM_NAMES(TTestStyle, "tsPlain", "tsBold", "tsRaised")

// An enumeration without identifiers, as a colour type with far-apart values may be.
enum TTestColor : int { tcNone = 0x1FFFFFFF, tcRed = 0xFF };

enum TTestSide { tdLeft, tdTop, tdRight, tdBottom };
DSP_ENUM_NAMES(TTestSide, "tdLeft", "tdTop", "tdRight", "tdBottom")
using TTestSides = Set<TTestSide>;

namespace {

class TTestFont : public TPersistent {
    DSP_PUBLISHED(TTestFont, TPersistent) {
        using P = Published<TTestFont>;
        return {P::Property("Size", &TTestFont::size, &TTestFont::size).Default(8)};
    }

public:
    int size = 8;
};

// A widget-like class: every kind once, a field property, a read-only one and a stored rule.
class TGadget : public TComponent {
    DSP_PUBLISHED(TGadget, TComponent) {
        using P = Published<TGadget>;
        return {
            P::Property("Color", &TGadget::Color, &TGadget::SetColor)
                .Default(0xFFFFFF)
                .Stored(&TGadget::IsColorStored),
            P::Property("ParentColor", &TGadget::parentColor, &TGadget::parentColor).Default(false),
            P::Property("Style", &TGadget::style, &TGadget::style).Default(tsPlain),
            P::Property("Sides", &TGadget::sides, &TGadget::sides)
                .Default(TTestSides{tdLeft, tdTop, tdRight, tdBottom}),
            P::Property("Ratio", &TGadget::ratio, &TGadget::ratio),
            P::Property("Caption", &TGadget::Caption, &TGadget::SetCaption),
            P::Property("Font", &TGadget::Font, &TGadget::SetFont),
            P::Property("Version", &TGadget::Version),
        };
    }

public:
    explicit TGadget(TComponent* owner) : TComponent(owner) {}

    int Color() const { return color_; }
    void SetColor(int c) {
        color_ = c;
        ++colorWrites;
    }
    bool IsColorStored() const { return !parentColor; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c) { caption_ = c; }
    TTestFont* Font() const { return font_.get(); }
    void SetFont(TTestFont* f) { font_->size = f->size; }
    std::string Version() const { return "1.0"; }

    bool parentColor = false;
    TTestStyle style = tsPlain;
    TTestSides sides{tdLeft, tdTop, tdRight, tdBottom};
    double ratio = 0.5;
    int colorWrites = 0;

private:
    int color_ = 0xFFFFFF;
    std::string caption_;
    std::unique_ptr<TTestFont> font_ = std::make_unique<TTestFont>();
};

// Lists Color again with another default and adds one property of its own.
class TDarkGadget : public TGadget {
    DSP_PUBLISHED(TDarkGadget, TGadget) {
        using P = Published<TDarkGadget>;
        return {
            P::Property("Glow", &TDarkGadget::glow, &TDarkGadget::glow).Default(0),
            P::Property("color", &TDarkGadget::Color, &TDarkGadget::SetColor).Default(0),
            P::Property("Tint", &TDarkGadget::tint, &TDarkGadget::tint).Default(tcNone),
        };
    }

public:
    using TGadget::TGadget;
    int glow = 0;
    TTestColor tint = tcNone;
};

// A class without a list of its own has its base class's properties.
class TPlainGadget : public TGadget {
public:
    using TGadget::TGadget;
};

std::vector<std::string> NamesOf(const TClassInfo& info) {
    std::vector<std::string> names;
    for (const TPropInfo* p : info.Properties()) names.push_back(p->Name());
    return names;
}

TEST(TypeInfoTest, PropertiesComeInDeclarationOrderBaseClassFirst) {
    const std::vector<std::string> gadget{"Name",  "Tag",   "Color",   "ParentColor", "Style",
                                          "Sides", "Ratio", "Caption", "Font",        "Version"};
    EXPECT_EQ(NamesOf(TGadget::StaticClassInfo()), gadget);
    TPlainGadget plain(nullptr);
    EXPECT_EQ(NamesOf(plain.ClassInfo()), gadget);

    // A property listed again keeps its base position and takes its new default.
    TDarkGadget dark(nullptr);
    std::vector<std::string> darkNames = gadget;
    darkNames[2] = "color";
    darkNames.push_back("Glow");
    darkNames.push_back("Tint");
    EXPECT_EQ(NamesOf(dark.ClassInfo()), darkNames);
    EXPECT_EQ(GetPropInfo(&dark, "COLOR")->Default(), 0);
    EXPECT_EQ(GetPropInfo(&plain, "Color")->Default(), 0xFFFFFF);
    EXPECT_TRUE(dark.ClassInfo().InheritsFrom(TComponent::StaticClassInfo()));

    const TPropInfo* tint = GetPropInfo(&dark, "Tint");
    EXPECT_EQ(tint->Kind(), tkInteger);
    EXPECT_TRUE(tint->IsDefaultValue(&dark));
    tint->SetOrdinal(&dark, tcRed);
    EXPECT_EQ(dark.tint, tcRed);
    EXPECT_FALSE(TGadget::StaticClassInfo().InheritsFrom(dark.ClassInfo()));
}

TEST(TypeInfoTest, KindsAndValuesByKind) {
    TGadget g(nullptr);
    struct Case {
        const char* name;
        TTypeKind kind;
    };
    for (const Case& c :
         {Case{"Tag", tkInteger}, Case{"ParentColor", tkEnumeration}, Case{"Style", tkEnumeration},
          Case{"Sides", tkSet}, Case{"Ratio", tkFloat}, Case{"Caption", tkString},
          Case{"Font", tkClass}}) {
        ASSERT_NE(GetPropInfo(&g, c.name), nullptr) << c.name;
        EXPECT_EQ(GetPropInfo(&g, c.name)->Kind(), c.kind) << c.name;
    }

    GetPropInfo(&g, "style")->SetOrdinal(&g, tsRaised);
    EXPECT_EQ(g.style, tsRaised);
    EXPECT_EQ(GetPropInfo(&g, "Style")->EnumInfo()->NameOf(2), "tsRaised");
    EXPECT_EQ(GetPropInfo(&g, "Sides")->EnumInfo()->ValueOf("TDBOTTOM"), 3);
    GetPropInfo(&g, "Sides")->SetOrdinal(&g, 0b0101);
    EXPECT_EQ(g.sides, (TTestSides{tdLeft, tdRight}));
    GetPropInfo(&g, "Ratio")->SetFloat(&g, 2.25);
    EXPECT_EQ(g.ratio, 2.25);
    GetPropInfo(&g, "Caption")->SetString(&g, "Gain");
    EXPECT_EQ(g.Caption(), "Gain");
    EXPECT_EQ(GetPropInfo(&g, "Font")->GetObject(&g), g.Font());
    EXPECT_EQ(GetPropInfo(&g, "ParentColor")->EnumInfo()->names,
              (std::vector<std::string>{"False", "True"}));
}

TEST(TypeInfoTest, WritesGoThroughTheSetter) {
    TGadget g(nullptr);
    GetPropInfo(&g, "Color")->SetOrdinal(&g, 0x0000FF);
    EXPECT_EQ(g.Color(), 0x0000FF);
    EXPECT_EQ(g.colorWrites, 1);
    TTestFont bigger;
    bigger.size = 12;
    GetPropInfo(&g, "Font")->SetObject(&g, &bigger);
    EXPECT_EQ(g.Font()->size, 12);
    EXPECT_NE(g.Font(), &bigger);  // the setter copies into the owned font
}

TEST(TypeInfoTest, DefaultAndStoredRules) {
    TGadget g(nullptr);
    const TPropInfo* color = GetPropInfo(&g, "Color");
    EXPECT_TRUE(color->IsDefaultValue(&g));
    g.SetColor(0);
    EXPECT_FALSE(color->IsDefaultValue(&g));
    EXPECT_TRUE(color->IsStored(&g));
    g.parentColor = true;
    EXPECT_FALSE(color->IsStored(&g));

    EXPECT_TRUE(GetPropInfo(&g, "Sides")->IsDefaultValue(&g));
    EXPECT_FALSE(GetPropInfo(&g, "Name")->IsStored(&g));
    // Properties without a declared default are never "at their default".
    EXPECT_FALSE(GetPropInfo(&g, "Ratio")->IsDefaultValue(&g));
    EXPECT_FALSE(GetPropInfo(&g, "Ratio")->Default().has_value());
}

TEST(TypeInfoTest, MisuseIsRefused) {
    TGadget g(nullptr);
    TTestFont font;
    const TPropInfo* style = GetPropInfo(&g, "Style");
    EXPECT_THROW(style->SetOrdinal(&g, 3), EPropertyConvertError);
    EXPECT_THROW(style->SetOrdinal(&g, -1), EPropertyConvertError);
    EXPECT_THROW(GetPropInfo(&g, "Sides")->SetOrdinal(&g, 0b10000), EPropertyConvertError);
    EXPECT_EQ(g.style, tsPlain);
    EXPECT_THROW(GetPropInfo(&g, "Version")->SetString(&g, "2.0"), EPropertyError);
    EXPECT_FALSE(GetPropInfo(&g, "Version")->HasSetter());
    EXPECT_THROW(GetPropInfo(&g, "Caption")->SetFloat(&g, 1.0), EPropertyError);
    EXPECT_THROW(style->SetOrdinal(&font, 1), EInvalidCast);
    EXPECT_THROW(GetPropInfo(&g, "Font")->SetObject(&g, &g), EInvalidCast);
    EXPECT_EQ(GetPropInfo(&g, "NoSuchThing"), nullptr);
    EXPECT_EQ(GetPropInfo(nullptr, "Tag"), nullptr);
}

}  // namespace
}  // namespace dsp
