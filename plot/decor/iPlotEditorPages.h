#pragma once
// The pages of the plot property editor as data: for every control its name (whose prefix names
// the kind of object it edits), caption, the property it edits, its kind, range and choices, the
// tab it sits on, and the order in which a page is written. One builder makes the controls from
// these tables and one binder loads and writes them.

#include <string>
#include <vector>

#include "plot/engine/iPlotObjects.h"

namespace dsp {

enum class TiEditKind {
    Text,        // an edit read and written as text
    Integer,     // an edit read and written as an integer, with spin buttons when ranged
    Float,       // an edit read and written as a number
    Check,       // a check box
    Choice,      // a drop-down list: item index = the enumeration's ordinal
    Radio,       // a radio group: item index = ordinal
    Colour,      // a colour picker
    Font,        // a font picker: the object's font is assigned from it and back
    Name,        // a drop-down list of object names, written as its text
    EditChoice,  // an editable drop-down list, written as its text on every change
    Button,      // a push button (no property)
    OpenPicker,  // a file-open button (no property)
    SavePicker,  // a file-save button (no property)
    Display,     // a label showing a value (no property)
};

// A "..." value-converter button beside a number edit, opening on this page.
enum class TiConverter { None, Interval, DateTime };

struct TiEditorField {
    std::string name;
    // "Caption", or "Group/Caption" for a control in a captioned group box.
    std::string caption;
    // The published property (dotted path) of the edited object; empty for none.
    std::string property;
    TiEditKind kind = TiEditKind::Text;
    // Spin buttons beside an integer edit: a step of 0 means none; min = max = 0 is unbounded.
    int min = 0;
    int max = 0;
    int step = 0;
    std::vector<std::string> choices;
    TiConverter converter = TiConverter::None;
    // Loaded and written only for strip-chart channels; hidden on a plot of XY channels.
    bool stripOnly = false;
    // File pickers: filter, default extension, the file must exist.
    std::string filter;
    std::string defaultExt;
    bool mustExist = false;
};

struct TiEditorTab {
    std::string caption;
    std::vector<TiEditorField> fields;
    int columns = 2;
    // A page control of tabs placed after the fields, filling what remains.
    std::string innerPageControl;
    std::vector<TiEditorTab> inner;
    bool hidden = false;
    // Hidden on a plot of XY channels.
    bool stripOnly = false;
};

struct TiEditorPage {
    std::string caption;
    // The name prefix of every control of the page (the enabling rule goes by it).
    std::string prefix;
    TiPlotObjectKind kind = TiPlotObjectKind::Other;
    std::string pageControl;
    std::string listName;
    bool listVisible = true;
    std::string addButton;
    std::string removeButton;
    std::vector<TiEditorTab> tabs;
    // The properties in the order the page writes them; empty: the tables' order.
    std::vector<std::string> writeOrder;
};

// The editor's pages after "Control" and "Layout", in tab order.
const std::vector<TiEditorPage>& PlotEditorObjectPages();
// The "Control" page's tabs (the plot's own settings).
const std::vector<TiEditorTab>& PlotEditorControlTabs();
// The order the plot's own settings are written back.
const std::vector<std::string>& PlotEditorControlWriteOrder();
// Every field of the tabs, nested tabs included, in table order.
std::vector<const TiEditorField*> AllFields(const std::vector<TiEditorTab>& tabs);

}  // namespace dsp
