// The editor's page tables against the objects they edit: every control names a published
// property of its object, of a type the control can show, and a choice list has one entry per
// value of the property's enumeration. A misspelt property leaves its control disabled without a
// word, and a choice list shorter or longer than the enumeration writes the wrong ordinals.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/TypeInfo.h"
#include "framework/graphics/Graphic.h"
#include "framework/text/PropertyText.h"
#include "plot/decor/iPlotEditor.h"
#include "plot/decor/iPlotEditorPages.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iXYPlot.h"

namespace dsp {
namespace {

// What is wrong with the field on the object, or an empty text.
std::string Mismatch(const TiEditorField& f, TObject* object) {
    TPropertyRef ref = FindPropertyByPath(object, f.property);
    if (!ref) return "no such property";
    const TPropInfo& p = *ref.property;
    const TEnumInfo* e = p.EnumInfo();
    const bool boolean = e == &BooleanEnumInfo();
    switch (f.kind) {
        case TiEditKind::Check: return boolean ? "" : "not a Boolean";
        case TiEditKind::Choice:
        case TiEditKind::Radio:
            if (p.Kind() != tkEnumeration || e == nullptr || boolean) return "not an enumeration";
            // A list may stop short of values the editor does not offer (a pen style of the
            // platform's own beyond the usual seven); one entry too many writes a value the
            // property does not have.
            if (f.choices.empty() || f.choices.size() > e->names.size()) {
                return std::to_string(f.choices.size()) + " entries for " +
                       std::to_string(e->names.size()) + " values of " + e->typeName;
            }
            return "";
        case TiEditKind::Integer: return p.Kind() == tkInteger ? "" : "not an integer";
        case TiEditKind::Float: return p.Kind() == tkFloat ? "" : "not a number";
        case TiEditKind::Text:
        case TiEditKind::Name:
        case TiEditKind::EditChoice: return p.Kind() == tkString ? "" : "not a text";
        case TiEditKind::Colour: return p.Kind() == tkInteger ? "" : "not a colour";
        case TiEditKind::Font:
            return dynamic_cast<TFont*>(p.GetObject(ref.instance)) != nullptr ? "" : "not a font";
        default: return "a control without a property names one";
    }
}

void ExpectFieldsMatch(const std::vector<TiEditorTab>& tabs, TObject* object,
                       const std::string& page) {
    ASSERT_NE(object, nullptr) << page;
    for (const TiEditorField* f : AllFields(tabs)) {
        if (f->property.empty() || f->stripOnly) continue;  // what XY channels do not have
        EXPECT_EQ(Mismatch(*f, object), "") << page << ": " << f->name << " -> " << f->property;
    }
}

// An editor on an XY plot: a channel and a data cursor of the engine's XY classes, a limit and a
// table.
class EditorPagesTest : public ::testing::Test {
protected:
    EditorPagesTest() {
        plot_.AddLimit();
        plot_.AddTable();
        editor_ = CreatePlotEditorForm(plot_.Master());
    }
    ~EditorPagesTest() override { delete editor_; }

    TiXYPlot plot_{nullptr};
    TiPlotEditorForm* editor_ = nullptr;
};

TEST_F(EditorPagesTest, EveryControlEditsAPropertyOfItsObjectThatItCanShow) {
    ExpectFieldsMatch(PlotEditorControlTabs(), &plot_, "Control");
    for (const TiEditorPage& page : PlotEditorObjectPages()) {
        ExpectFieldsMatch(page.tabs, editor_->Selected(page.kind), page.caption);
    }
}

TEST_F(EditorPagesTest, APageWritesEachOfItsPropertiesOnceAndNothingElse) {
    const auto check = [](const std::vector<TiEditorTab>& tabs,
                          const std::vector<std::string>& order, const std::string& page) {
        if (order.empty()) return;  // the tables' order
        std::vector<std::string> properties;
        for (const TiEditorField* f : AllFields(tabs)) {
            if (!f->property.empty()) properties.push_back(f->property);
        }
        std::vector<std::string> written = order;
        std::sort(properties.begin(), properties.end());
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, properties) << page;
    };
    check(PlotEditorControlTabs(), PlotEditorControlWriteOrder(), "Control");
    for (const TiEditorPage& page : PlotEditorObjectPages()) {
        check(page.tabs, page.writeOrder, page.caption);
    }
}

}  // namespace
}  // namespace dsp
