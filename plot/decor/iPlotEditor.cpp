#include "plot/decor/iPlotEditor.h"

#include <algorithm>
#include <utility>

#include "framework/controls/PopupBinding.h"
#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "framework/text/PropertyText.h"
#include "framework/text/StrUtils.h"
#include "plot/decor/iPlotLayoutViewer.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotMasterManager.h"
#include "plot/engine/iPlotTranslation.h"

namespace dsp {

namespace {

constexpr int kRowHeight = 23;
constexpr int kCheckHeight = 20;
constexpr int kGap = 6;
constexpr int kListWidth = 110;

// The caption's group ("Pen" of "Pen/Color"), empty without one; the caption after it.
std::string GroupOf(const std::string& caption) {
    const std::size_t slash = caption.find('/');
    // "Zoom In/Out" and the like are captions, not groups: a group is followed by a word.
    if (slash == std::string::npos || caption.find(' ', slash) == slash + 1) return {};
    if (caption.rfind("Zoom In/Out", 0) == 0 || caption.rfind("Min/Max", 0) == 0) return {};
    return caption.substr(0, slash);
}

std::string LabelOf(const std::string& caption) {
    const std::string group = GroupOf(caption);
    return group.empty() ? caption : caption.substr(group.size() + 1);
}

// A "..." file button sits at the end of the row of the edit before it.
bool BesidePrevious(const TiEditorField& f) {
    return f.kind == TiEditKind::OpenPicker && LabelOf(f.caption) == "...";
}

int FieldHeight(const TiEditorField& f) {
    if (BesidePrevious(f)) return 0;
    if (f.kind == TiEditKind::Radio) return 42;
    if (f.kind == TiEditKind::Check) return kCheckHeight;
    return kRowHeight;
}

// One unit of the flow: a field, or the fields of one group box.
struct TFlowItem {
    std::string group;
    std::vector<const TiEditorField*> fields;
    int Height() const {
        int h = 0;
        for (const TiEditorField* f : fields) h += FieldHeight(*f);
        return group.empty() ? h : h + 22;
    }
};

std::vector<TFlowItem> FlowItems(const std::vector<TiEditorField>& fields) {
    std::vector<TFlowItem> items;
    for (const TiEditorField& f : fields) {
        const std::string group = GroupOf(f.caption);
        if (!group.empty() && !items.empty() && items.back().group == group) {
            items.back().fields.push_back(&f);
        } else {
            items.push_back({group, {&f}});
        }
    }
    return items;
}

// A new page of the page control, already the size of the page control's display area.
TTabSheet* AddSheet(TComponent* owner, TPageControl* pages, const std::string& caption) {
    auto* sheet = new TTabSheet(owner);
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
    const TRect area = pages->DisplayRect();
    sheet->SetBounds(area.Left, area.Top, area.Width(), area.Height());
    return sheet;
}

bool StartsWithText(const std::string& name, const std::string& prefix) {
    return name.size() >= prefix.size() && SameText(name.substr(0, prefix.size()), prefix);
}

// The kinds whose pages the editor has, in the order UpdateAll reloads them.
constexpr TiPlotObjectKind kUpdateOrder[] = {
    TiPlotObjectKind::ToolBar,    TiPlotObjectKind::Legend,  TiPlotObjectKind::XAxis,
    TiPlotObjectKind::YAxis,      TiPlotObjectKind::Channel, TiPlotObjectKind::DataView,
    TiPlotObjectKind::DataCursor, TiPlotObjectKind::Limit,   TiPlotObjectKind::Label,
    TiPlotObjectKind::Table};

}  // namespace

// ---- construction

TiPlotEditorForm::TiPlotEditorForm(TComponent* owner) : TiCustomEditorForm(owner) {
    SetName("iPlotEditorForm");
    SetCaption("Plot");
    SetBorderStyle(bsDialog);
    SetBounds(0, 0, 584, 306);

    PageControl = new TiComponentEditorPageControl(this);
    PageControl->SetName("PageControl");
    PageControl->SetParent(this);
    // The pages' tabs stand in one row: the form is as wide as they need.
    std::vector<std::string> captions = {"Control", "Layout"};
    for (const TiEditorPage& page : PlotEditorObjectPages()) captions.push_back(page.caption);
    TCanvas measure;
    measure.SetFont(PageControl->Font());
    int tabs = 8;
    for (const std::string& caption : captions) tabs += measure.TextWidth(caption) + 12;
    if (tabs > ClientWidth()) SetClientSize(tabs, ClientHeight());
    PageControl->SetBounds(0, 0, ClientWidth(), ClientHeight());
    PageControl->SetAlign(alClient);

    BuildControlPage();
    BuildLayoutPage();
    for (const TiEditorPage& page : PlotEditorObjectPages()) BuildObjectPage(page);
    WireFileCommands();
    PageControl->SetActivePageIndex(0);
}

TiPlotEditorForm::~TiPlotEditorForm() {
    // The plot hears of the editor closing only while its master still knows this editor.
    if (Master != nullptr && Master->EditorForm() == this) {
        Master->SetEditorForm(nullptr, nullptr);
        if (PlotComponent != nullptr && PlotComponent->OnAfterCloseEditor) {
            PlotComponent->OnAfterCloseEditor(this);
        }
    }
}

TTabSheet* TiPlotEditorForm::PageOf(TiPlotObjectKind kind) const {
    const TPageInfo* info = InfoOf(kind);
    return info != nullptr ? info->sheet : nullptr;
}

const TiPlotEditorForm::TPageInfo* TiPlotEditorForm::InfoOf(TiPlotObjectKind kind) const {
    for (const TPageInfo& info : pages_) {
        if (info.page->kind == kind) return &info;
    }
    return nullptr;
}

std::array<TiComponentEditorPageControl*, 14> TiPlotEditorForm::RememberedPageControls() const {
    const auto pc = [this](const char* name) {
        return Control<TiComponentEditorPageControl>(name);
    };
    return {PageControl,
            ControlPageControl,
            pc("ChannelPageControl"),
            pc("XAxisPageControl"),
            pc("XAxisLabelsPageControl"),
            pc("YAxisPageControl"),
            pc("YAxisLabelsPageControl"),
            pc("DataCursorPageControl"),
            pc("LimitPageControl"),
            pc("LabelPageControl"),
            pc("LegendPageControl"),
            pc("TablePageControl"),
            pc("DataViewPageControl"),
            pc("DataViewGridLinesCustomPageControl")};
}

// ---- building from the tables

void TiPlotEditorForm::BuildControlPage() {
    TTabSheet* sheet = AddSheet(this, PageControl, "Control");
    sheet->SetName("ControlTabSheet");
    const TRect display = PageControl->DisplayRect();
    ControlPageControl = new TiComponentEditorPageControl(this);
    ControlPageControl->SetName("ControlPageControl");
    ControlPageControl->SetParent(sheet);
    ControlPageControl->SetBounds(2, 2, display.Width() - 4, display.Height() - 4);
    for (const TiEditorTab& tab : PlotEditorControlTabs()) {
        TTabSheet* inner = AddSheet(this, ControlPageControl, tab.caption);
        const TRect area = ControlPageControl->DisplayRect();
        BuildTab(inner, tab, {0, 0, area.Width(), area.Height()}, TiPlotObjectKind::Other, true);
    }
    ControlPageControl->SetActivePageIndex(0);
}

void TiPlotEditorForm::BuildLayoutPage() {
    TTabSheet* sheet = AddSheet(this, PageControl, "Layout");
    sheet->SetName("LayoutTabSheet");
    const TRect display = PageControl->DisplayRect();
    iPlotLayoutViewer = new TiPlotLayoutViewer(this);
    iPlotLayoutViewer->SetName("iPlotLayoutViewer");
    iPlotLayoutViewer->SetParent(sheet);
    iPlotLayoutViewer->SetBounds(0, 0, display.Width(), display.Height());
    iPlotLayoutViewer->SetAlign(alClient);
    iPlotLayoutViewer->OnChange = [this](TObject*) { UpdateAll(); };
    iPlotLayoutViewer->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
        FRightClickObject = iPlotLayoutViewer->GetMouseOverBlock(x, y);
    };

    LayoutPopupMenu = new TPopupMenu(this);
    LayoutPopupMenu->SetName("LayoutPopupMenu");
    const auto item = [this](const char* name, const char* caption, std::function<void()> click) {
        auto* i = new TMenuItem(this);
        if (name[0] != '\0') i->SetName(name);
        i->SetCaption(caption);
        if (click) i->OnClick = [click = std::move(click)](TObject*) { click(); };
        LayoutPopupMenu->Items()->Add(i);
        return i;
    };
    item("XYAxesReverseMenuItem", "XY-Axes Reverse", [this] { XYAxesReverseMenuItemClick(); });
    item("", "-", nullptr);
    item("AddXAxisMenuItem", "Add X-Axis", [this] {
        if (Master != nullptr) Master->AddXAxis();
    });
    item("AddYAxisMenuItem", "Add Y-Axis", [this] {
        if (Master != nullptr) Master->AddYAxis();
    });
    item("AddLabelMenuItem", "Add Label", [this] {
        if (Master != nullptr) Master->AddLabel();
    });
    item("", "-", nullptr);
    item("DeleteMenuItem", "Delete", [this] { DeleteMenuItemClick(); });
    item("VisibleMenuItem", "Visible", [this] { VisibleMenuItemClick(); });
    item("EditMenuItem", "Edit", [this] { EditMenuItemClick(); });
    LayoutPopupMenu->OnPopup = [this](TObject*) { LayoutPopupMenuPopup(); };
    SetPopupMenu(*iPlotLayoutViewer, LayoutPopupMenu);
}

void TiPlotEditorForm::BuildObjectPage(const TiEditorPage& page) {
    TTabSheet* sheet = AddSheet(this, PageControl, page.caption);
    pages_.push_back({&page, sheet});
    const TRect display = PageControl->DisplayRect();
    const int width = display.Width();
    const int height = display.Height();
    const TiPlotObjectKind kind = page.kind;

    auto* list = new TiComponentEditorListBox(this);
    list->SetName(page.listName);
    list->OnGetData = [list, kind](int index, bool& box, TColor& color, std::string& text) {
        auto* object = dynamic_cast<TiPlotObject*>(list->Items()->Objects(index));
        if (object == nullptr) return;
        text = object->Name();
        box = false;
        const auto colourOf = [&](const char* path) {
            TPropertyRef ref = FindPropertyByPath(object, path);
            if (!ref || !ref.property->IsOrdinal()) return;
            box = true;
            color = static_cast<TColor>(ref.property->GetOrdinal(ref.instance));
        };
        if (kind == TiPlotObjectKind::Channel || kind == TiPlotObjectKind::DataCursor ||
            kind == TiPlotObjectKind::Limit) {
            colourOf("Color");
        } else if (kind == TiPlotObjectKind::XAxis || kind == TiPlotObjectKind::YAxis) {
            colourOf("LabelsFont.Color");
        }
    };
    list->OnClick = [this, kind](TObject*) {
        UpdatePage(kind);
        if (kind == TiPlotObjectKind::Channel) ResetChannelStats();
    };
    list->OnFreeObject = [](TObject* object) {
        if (auto* plotObject = dynamic_cast<TiPlotObject*>(object)) {
            TiPlotObject::FreeObject(plotObject);
        } else {
            delete object;
        }
    };

    int innerLeft = 2;
    if (page.listVisible) {
        list->SetParent(sheet);
        list->SetBounds(4, 4, kListWidth, height - 38);
        innerLeft = kListWidth + 8;
        const auto button = [&](const std::string& name, const char* caption, int left) {
            auto* b = new TiComponentEditorButton(this);
            b->SetName(name);
            b->SetParent(sheet);
            b->SetCaption(caption);
            b->SetBounds(left, height - 30, 53, 25);
            b->SetTabStop(true);
            return b;
        };
        button(page.addButton, "Add", 4)->OnClick = [this, kind](TObject*) { AddObject(kind); };
        auto* remove = button(page.removeButton, "Remove", 61);
        remove->OnClick = [this, kind](TObject*) { RemoveObject(kind); };
        remove->SetEnabled(false);
    }

    // Tabs that are not shown (the hidden lists and name edits) go into a hidden box.
    TWinControl* hiddenHost = nullptr;
    const auto hidden = [&]() {
        if (hiddenHost == nullptr) {
            auto* box = new TiComponentEditorGroupBox(this);
            box->SetParent(sheet);
            box->SetVisible(false);
            box->SetBounds(0, 0, 200, 100);
            hiddenHost = box;
        }
        return hiddenHost;
    };
    if (!page.listVisible) {
        list->SetParent(hidden());
        list->SetBounds(4, 4, 100, 60);
    }

    if (page.pageControl.empty()) {
        // One page without tabs.
        for (const TiEditorTab& tab : page.tabs) {
            if (tab.hidden) {
                BuildTab(hidden(), tab, {110, 4, 200, 60}, kind, false);
            } else {
                BuildTab(sheet, tab, {innerLeft, 2, width, height}, kind, false);
            }
        }
        return;
    }
    auto* pages = new TiComponentEditorPageControl(this);
    pages->SetName(page.pageControl);
    pages->SetParent(sheet);
    pages->SetBounds(innerLeft, 2, width - innerLeft - 2, height - 4);
    for (const TiEditorTab& tab : page.tabs) {
        if (tab.hidden) {
            BuildTab(hidden(), tab, {110, 4, 200, 60}, kind, false);
            continue;
        }
        TTabSheet* inner = AddSheet(this, pages, tab.caption);
        const TRect area = pages->DisplayRect();
        BuildTab(inner, tab, {0, 0, area.Width(), area.Height()}, kind, false);
        if (tab.stripOnly) inner->SetName(page.pageControl + tab.caption.substr(0, 1) + "Sheet");
    }
    pages->SetActivePageIndex(0);
}

void TiPlotEditorForm::BuildTab(TWinControl* parent, const TiEditorTab& tab, const TRect& area,
                                TiPlotObjectKind kind, bool controlPage) {
    const bool innerBeside = !tab.inner.empty() && !tab.fields.empty() && tab.columns == 1;
    const int fieldsWidth = innerBeside ? 200 : area.Width();
    const int columns = std::max(tab.columns, 1);
    const int columnWidth = (fieldsWidth - (columns + 1) * kGap) / columns;
    int column = 0;
    int y = area.Top + kGap;
    int bottom = y;
    for (const TFlowItem& item : FlowItems(tab.fields)) {
        const int h = item.Height();
        if (y + h > area.Bottom - 2 && y > area.Top + kGap && column + 1 < columns) {
            ++column;
            y = area.Top + kGap;
        }
        const int x = area.Left + kGap + column * (columnWidth + kGap);
        if (item.group.empty()) {
            const TiEditorField& f = *item.fields.front();
            const int top = BesidePrevious(f) ? y - kRowHeight : y;
            BuildField(parent, f, {x, top, x + columnWidth, top + kRowHeight}, kind, controlPage);
        } else {
            auto* box = new TiComponentEditorGroupBox(this);
            box->SetParent(parent);
            box->SetCaption(Trim(item.group));
            box->SetBounds(x, y, columnWidth, h - 2);
            int fy = 16;
            for (const TiEditorField* f : item.fields) {
                if (BesidePrevious(*f)) {
                    BuildField(box, *f, {6, fy - kRowHeight, columnWidth - 6, fy}, kind,
                               controlPage);
                    continue;
                }
                BuildField(box, *f, {6, fy, columnWidth - 6, fy + FieldHeight(*f)}, kind,
                           controlPage);
                fy += FieldHeight(*f);
            }
        }
        y += h;
        bottom = std::max(bottom, y);
    }
    if (tab.inner.empty()) return;
    auto* pages = new TiComponentEditorPageControl(this);
    pages->SetName(tab.innerPageControl);
    pages->SetParent(parent);
    if (innerBeside) {
        pages->SetBounds(area.Left + fieldsWidth, area.Top + 2, area.Width() - fieldsWidth - 4,
                         area.Height() - 6);
    } else {
        const int top = tab.fields.empty() ? area.Top + 2 : bottom + 2;
        pages->SetBounds(area.Left + 2, top, area.Width() - 6, area.Bottom - top - 4);
    }
    for (const TiEditorTab& innerTab : tab.inner) {
        TTabSheet* sheet = AddSheet(this, pages, innerTab.caption);
        const TRect inner = pages->DisplayRect();
        BuildTab(sheet, innerTab, {0, 0, inner.Width(), inner.Height()}, kind, controlPage);
    }
    pages->SetActivePageIndex(0);
}

void TiPlotEditorForm::BuildField(TWinControl* parent, const TiEditorField& f, const TRect& cell,
                                  TiPlotObjectKind kind, bool controlPage) {
    const int width = cell.Right - cell.Left;
    const std::string caption = LabelOf(f.caption);
    const int labelWidth = width * 11 / 20;
    const int left = cell.Left + labelWidth;
    const int controlWidth = width - labelWidth;
    const auto label = [&](const std::string& text) {
        auto* l = new TLabel(this);
        l->SetParent(parent);
        l->SetCaption(text);
        l->SetBounds(cell.Left, cell.Top + 4, labelWidth - 4, l->Height());
        return l;
    };
    const auto place = [&](TControl* c, int x, int w, int h) {
        c->SetName(f.name);
        c->SetParent(parent);
        c->SetBounds(x, cell.Top, w, h);
        if (auto* wc = dynamic_cast<TWinControl*>(c)) wc->SetTabStop(true);
    };
    TControl* control = nullptr;
    switch (f.kind) {
        case TiEditKind::Check: {
            auto* box = new TiComponentEditorCheckBox(this);
            box->SetAutoSize(false);
            box->SetCaption(caption);
            place(box, cell.Left, width - 2, 19);
            control = box;
            break;
        }
        case TiEditKind::Radio: {
            auto* radio = new TiComponentEditorRadioGroup(this);
            radio->SetCaption(caption);
            for (const std::string& c : f.choices) radio->Items()->Add(c);
            radio->SetColumns(static_cast<int>(f.choices.size()));
            place(radio, cell.Left, width - 2, FieldHeight(f) - 4);
            control = radio;
            break;
        }
        case TiEditKind::Button:
        case TiEditKind::OpenPicker:
        case TiEditKind::SavePicker: {
            TiComponentEditorButton* button = nullptr;
            if (f.kind == TiEditKind::OpenPicker) {
                auto* open = new TiComponentEditorOpenPicker(this);
                open->SetFilter(f.filter);
                open->SetDefaultExt(f.defaultExt);
                open->SetFileMustExist(f.mustExist);
                button = open;
            } else if (f.kind == TiEditKind::SavePicker) {
                auto* save = new TiComponentEditorSavePicker(this);
                save->SetFilter(f.filter);
                save->SetDefaultExt(f.defaultExt);
                button = save;
            } else {
                button = new TiComponentEditorButton(this);
            }
            button->SetCaption(caption);
            if (BesidePrevious(f)) {
                // At the end of the edit's row, which gives up the room.
                place(button, cell.Right - 23, 21, 21);
                for (int i = parent->ControlCount() - 1; i >= 0; --i) {
                    TControl* edit = parent->Controls(i);
                    if (dynamic_cast<TiComponentEditorEdit*>(edit) != nullptr &&
                        edit->Top() == cell.Top) {
                        edit->SetBounds(edit->Left(), edit->Top(), cell.Right - 25 - edit->Left(),
                                        edit->Height());
                        break;
                    }
                }
            } else {
                place(button, cell.Left, std::min(width - 2, 90), 23);
            }
            control = button;
            break;
        }
        case TiEditKind::Display: {
            label(caption);
            auto* value = new TLabel(this);
            place(value, left, controlWidth, 17);
            value->SetBounds(left, cell.Top + 4, controlWidth, value->Height());
            value->SetCaption("");
            control = value;
            break;
        }
        default: {
            label(caption);
            switch (f.kind) {
                case TiEditKind::Text:
                case TiEditKind::Integer:
                case TiEditKind::Float: {
                    auto* edit = new TiComponentEditorEdit(this);
                    edit->SetText("");
                    const bool spin = f.kind == TiEditKind::Integer && f.step > 0;
                    const bool converter = f.converter != TiConverter::None;
                    const int side = spin ? 16 : converter ? 21 : 0;
                    place(edit, left, controlWidth - side - 2, 21);
                    if (spin) {
                        auto* upDown = new TiUpDown(this);
                        upDown->SetName(f.name + "UpDown");
                        upDown->SetParent(parent);
                        upDown->SetBounds(0, 0, 16, 21);
                        upDown->SetMin(f.min);
                        upDown->SetMax(f.max);
                        upDown->SetIncrement(f.step);
                        upDown->SetAssociate(edit);
                    } else if (converter) {
                        auto* picker = new TiComponentEditorValueConverterPicker(this);
                        picker->SetName(f.name + "Converter");
                        picker->SetParent(parent);
                        picker->SetHint("Date/Time Editor");
                        picker->SetShowHint(true);
                        picker->SetDefaultPage(
                            f.converter == TiConverter::DateTime ? ivcptDateTime : ivcptInterval);
                        picker->SetAssociate(edit);
                    }
                    control = edit;
                    break;
                }
                case TiEditKind::Choice:
                case TiEditKind::Name:
                case TiEditKind::EditChoice: {
                    auto* combo = new TiComponentEditorComboBox(this);
                    combo->SetStyle(f.kind == TiEditKind::EditChoice ? csDropDown : csDropDownList);
                    for (const std::string& c : f.choices) combo->Items()->Add(c);
                    place(combo, left, controlWidth - 2, 21);
                    combo->SetDropDownCount(12);
                    control = combo;
                    break;
                }
                case TiEditKind::Colour: {
                    auto* picker = new TiComponentEditorColorPicker(this);
                    place(picker, left, std::min(controlWidth - 2, 60), 21);
                    control = picker;
                    break;
                }
                case TiEditKind::Font: {
                    auto* picker = new TiComponentEditorFontPicker(this);
                    place(picker, left, std::min(controlWidth - 2, 75), 23);
                    control = picker;
                    break;
                }
                default: break;
            }
            break;
        }
    }
    if (control != nullptr) HookField(control, f, kind, controlPage);
}

void TiPlotEditorForm::HookField(TControl* control, const TiEditorField& f, TiPlotObjectKind kind,
                                 bool controlPage) {
    if (f.property.empty()) return;
    const bool title = controlPage && StartsWithText(f.name, "Title");
    const auto changed = [this, kind, controlPage, title](TObject*) {
        if (title) {
            TitleChange();
        } else if (controlPage) {
            GeneralChanged();
        } else {
            PageChange(kind);
        }
    };
    if (auto* edit = dynamic_cast<TiComponentEditorEdit*>(control)) {
        edit->OnUpdate = changed;
    } else if (auto* check = dynamic_cast<TiComponentEditorCheckBox*>(control)) {
        check->OnClick = changed;
    } else if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(control)) {
        radio->OnChange = changed;
    } else if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(control)) {
        combo->OnChange = changed;
        if (f.kind == TiEditKind::Name) {
            combo->OnDropDown = [this, combo, name = f.name](TObject*) {
                if (name == "DataViewGridXAxisNameComboBox") {
                    DataViewGridXAxisNameComboBoxDropDown(combo);
                } else if (name == "DataViewGridYAxisNameComboBox") {
                    DataViewGridYAxisNameComboBoxDropDown(combo);
                } else if (name == "DataCursorChannelNameComboBox") {
                    DataCursorChannelNameComboBoxDropDown(combo);
                } else if (name == "ChannelXAxisNameComboBox" || name == "LimitXAxisNameComboBox" ||
                           name == "XAxisAlignRefAxisNameComboBox" ||
                           name == "YAxisCartesianChildRefAxisNameComboBox") {
                    XAxisNameComboBoxDropDown(combo);
                } else {
                    YAxisNameComboBoxDropDown(combo);
                }
            };
        }
    } else if (auto* colour = dynamic_cast<TiComponentEditorColorPicker*>(control)) {
        colour->OnChange = changed;
    } else if (auto* font = dynamic_cast<TiComponentEditorFontPicker*>(control)) {
        font->OnChange = changed;
    }
}

// ---- loading and writing one control

void TiPlotEditorForm::LoadField(const TiEditorField& f, TObject* object) {
    TComponent* component = FindComponent(f.name);
    if (component == nullptr || f.property.empty()) return;
    TPropertyRef ref = FindPropertyByPath(object, f.property);
    auto* control = dynamic_cast<TControl*>(component);
    if (!ref) {
        // An object without this setting: nothing to show or edit.
        if (auto* up = Control<TiUpDown>(f.name + "UpDown")) up->Disable();
        if (auto* edit = dynamic_cast<TiComponentEditorEdit*>(control)) {
            edit->Disable();
        } else if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(control)) {
            combo->Disable();
        } else if (auto* colour = dynamic_cast<TiComponentEditorColorPicker*>(control)) {
            colour->Disable();
        } else if (control != nullptr) {
            control->SetEnabled(false);
        }
        if (auto* converter = Control<TControl>(f.name + "Converter")) converter->SetEnabled(false);
        return;
    }
    const TPropInfo& p = *ref.property;
    TObject* instance = ref.instance;
    switch (f.kind) {
        case TiEditKind::Text:
            if (auto* e = dynamic_cast<TiComponentEditorEdit*>(control)) {
                e->SetAsString(p.Kind() == tkString ? p.GetString(instance)
                                                    : GetPropText(instance, p));
            }
            break;
        case TiEditKind::Integer:
            if (auto* e = dynamic_cast<TiComponentEditorEdit*>(control)) {
                e->SetAsInteger(static_cast<int>(p.GetOrdinal(instance)));
            }
            break;
        case TiEditKind::Float:
            if (auto* e = dynamic_cast<TiComponentEditorEdit*>(control)) {
                e->SetAsFloat(p.GetFloat(instance));
            }
            break;
        case TiEditKind::Check:
            if (auto* c = dynamic_cast<TiComponentEditorCheckBox*>(control)) {
                c->SetAsBoolean(p.GetOrdinal(instance) != 0);
            }
            break;
        case TiEditKind::Choice:
            if (auto* c = dynamic_cast<TiComponentEditorComboBox*>(control)) {
                c->SetAsInteger(static_cast<int>(p.GetOrdinal(instance)));
            }
            break;
        case TiEditKind::Radio:
            if (auto* r = dynamic_cast<TiComponentEditorRadioGroup*>(control)) {
                r->SetAsInteger(static_cast<int>(p.GetOrdinal(instance)));
            }
            break;
        case TiEditKind::Colour:
            if (auto* c = dynamic_cast<TiComponentEditorColorPicker*>(control)) {
                c->SetColor(static_cast<TColor>(p.GetOrdinal(instance)));
            }
            break;
        case TiEditKind::Font:
            if (auto* c = dynamic_cast<TiComponentEditorFontPicker*>(control)) {
                if (auto* font = dynamic_cast<TFont*>(p.GetObject(instance))) c->SetFont(font);
            }
            break;
        case TiEditKind::Name:
            if (auto* c = dynamic_cast<TiComponentEditorComboBox*>(control)) {
                c->SetAsInteger(c->Items()->IndexOf(p.GetString(instance)));
            }
            break;
        case TiEditKind::EditChoice:
            if (auto* c = dynamic_cast<TiComponentEditorComboBox*>(control)) {
                c->SetAsString(p.GetString(instance));
            }
            break;
        default: break;
    }
}

void TiPlotEditorForm::WriteField(const TiEditorField& f, TObject* object) {
    auto* control = dynamic_cast<TControl*>(FindComponent(f.name));
    if (control == nullptr || f.property.empty()) return;
    TPropertyRef ref = FindPropertyByPath(object, f.property);
    if (!ref || !ref.property->HasSetter()) return;
    const TPropInfo& p = *ref.property;
    TObject* instance = ref.instance;
    switch (f.kind) {
        case TiEditKind::Text:
            if (auto* e = dynamic_cast<TiComponentEditorEdit*>(control)) {
                if (p.Kind() == tkString) {
                    p.SetString(instance, e->AsString());
                } else {
                    SetPropText(instance, p, e->AsString());
                }
            }
            break;
        case TiEditKind::Integer:
            if (auto* e = dynamic_cast<TiComponentEditorEdit*>(control)) {
                p.SetOrdinal(instance, e->AsInteger());
            }
            break;
        case TiEditKind::Float:
            if (auto* e = dynamic_cast<TiComponentEditorEdit*>(control)) {
                p.SetFloat(instance, e->AsFloat());
            }
            break;
        case TiEditKind::Check:
            if (auto* c = dynamic_cast<TiComponentEditorCheckBox*>(control)) {
                p.SetOrdinal(instance, c->AsBoolean() ? 1 : 0);
            }
            break;
        case TiEditKind::Choice:
            // A list showing no entry has nothing to write.
            if (auto* c = dynamic_cast<TiComponentEditorComboBox*>(control)) {
                if (c->AsInteger() >= 0) p.SetOrdinal(instance, c->AsInteger());
            }
            break;
        case TiEditKind::Radio:
            if (auto* r = dynamic_cast<TiComponentEditorRadioGroup*>(control)) {
                if (r->AsInteger() >= 0) p.SetOrdinal(instance, r->AsInteger());
            }
            break;
        case TiEditKind::Colour:
            if (auto* c = dynamic_cast<TiComponentEditorColorPicker*>(control)) {
                p.SetOrdinal(instance, static_cast<long long>(c->Color()));
            }
            break;
        case TiEditKind::Font:
            if (auto* c = dynamic_cast<TiComponentEditorFontPicker*>(control)) {
                p.SetObject(instance, c->Font());
            }
            break;
        case TiEditKind::Name:
        case TiEditKind::EditChoice:
            if (auto* c = dynamic_cast<TiComponentEditorComboBox*>(control)) {
                p.SetString(instance, c->AsString());
            }
            break;
        default: break;
    }
}

// ---- the enabling rule

void TiPlotEditorForm::DisableEditors(const std::string& prefix) {
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!StartsWithText(c->Name(), prefix)) continue;
        if (dynamic_cast<TPageControl*>(c) != nullptr || dynamic_cast<TTabSheet*>(c) != nullptr ||
            dynamic_cast<TLabel*>(c) != nullptr) {
            continue;
        }
        if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(c)) {
            combo->Disable();
        } else if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(c)) {
            TNotifyEvent saved = std::move(radio->OnChange);
            radio->OnChange = nullptr;
            radio->Disable();
            radio->OnChange = std::move(saved);
        } else if (auto* edit = dynamic_cast<TiComponentEditorEdit*>(c)) {
            edit->Disable();
        } else if (auto* check = dynamic_cast<TiComponentEditorCheckBox*>(c)) {
            TNotifyEvent saved = std::move(check->OnChange);
            check->OnChange = nullptr;
            check->Disable();
            check->OnChange = std::move(saved);
        } else if (auto* colour = dynamic_cast<TiComponentEditorColorPicker*>(c)) {
            colour->Disable();
        } else if (auto* upDown = dynamic_cast<TiUpDown*>(c)) {
            upDown->Disable();
        } else if (auto* control = dynamic_cast<TControl*>(c)) {
            control->SetEnabled(false);
        }
    }
}

void TiPlotEditorForm::EnableEditors(const std::string& prefix) {
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!StartsWithText(c->Name(), prefix)) continue;
        if (dynamic_cast<TPageControl*>(c) != nullptr || dynamic_cast<TTabSheet*>(c) != nullptr ||
            dynamic_cast<TLabel*>(c) != nullptr) {
            continue;
        }
        if (auto* combo = dynamic_cast<TiComponentEditorComboBox*>(c)) {
            combo->Enable();
        } else if (auto* radio = dynamic_cast<TiComponentEditorRadioGroup*>(c)) {
            radio->Enable();
        } else if (auto* edit = dynamic_cast<TiComponentEditorEdit*>(c)) {
            edit->Enable();
        } else if (auto* check = dynamic_cast<TiComponentEditorCheckBox*>(c)) {
            check->Enable();
        } else if (auto* colour = dynamic_cast<TiComponentEditorColorPicker*>(c)) {
            colour->Enable();
        } else if (auto* upDown = dynamic_cast<TiUpDown*>(c)) {
            upDown->Enable();
        } else if (auto* control = dynamic_cast<TControl*>(c)) {
            control->SetEnabled(true);
        }
    }
}

// ---- lists

TiComponentEditorListBox* TiPlotEditorForm::ListOf(TiPlotObjectKind kind) const {
    const TPageInfo* info = InfoOf(kind);
    return info != nullptr ? Control<TiComponentEditorListBox>(info->page->listName) : nullptr;
}

TiPlotObject* TiPlotEditorForm::Selected(TiPlotObjectKind kind) const {
    TiComponentEditorListBox* list = ListOf(kind);
    if (list == nullptr || list->ItemIndex() < 0 || list->ItemIndex() >= list->Count()) {
        return nullptr;
    }
    return dynamic_cast<TiPlotObject*>(list->Items()->Objects(list->ItemIndex()));
}

namespace {

TiPlotObjectManagerCustom* ManagerOf(TiPlotMasterManager* master, TiPlotObjectKind kind) {
    if (master == nullptr) return nullptr;
    switch (kind) {
        case TiPlotObjectKind::ToolBar: return master->ToolBarManager();
        case TiPlotObjectKind::Legend: return master->LegendManager();
        case TiPlotObjectKind::Table: return master->TableManager();
        case TiPlotObjectKind::XAxis: return master->XAxisManager();
        case TiPlotObjectKind::YAxis: return master->YAxisManager();
        case TiPlotObjectKind::Channel: return master->ChannelManager();
        case TiPlotObjectKind::DataView: return master->DataViewManager();
        case TiPlotObjectKind::DataCursor: return master->DataCursorManager();
        case TiPlotObjectKind::Limit: return master->LimitManager();
        case TiPlotObjectKind::Label: return master->LabelManager();
        default: return nullptr;
    }
}

}  // namespace

void TiPlotEditorForm::FillList(TiPlotObjectKind kind) {
    TiComponentEditorListBox* list = ListOf(kind);
    TiPlotObjectManagerCustom* manager = ManagerOf(Master, kind);
    if (list == nullptr) return;
    list->Clear();
    if (manager != nullptr) {
        for (TiPlotObject* object : manager->Items()) list->AddItem("", object);
    }
    list->SetItemIndex(list->Count() > 0 ? 0 : -1);
    UpdatePage(kind);
    if (kind == TiPlotObjectKind::Channel) ResetChannelStats();
}

void TiPlotEditorForm::SelectObject(TiPlotObject* object) {
    TiComponentEditorListBox* list = ListOf(object->Kind());
    if (list == nullptr) return;
    const int index = list->Items()->IndexOfObject(object);
    if (index < 0) return;
    PageControl->SetActivePage(PageOf(object->Kind()));
    list->SetItemIndex(index);
    UpdatePage(object->Kind());
}

void TiPlotEditorForm::AddObject(TiPlotObjectKind kind) {
    if (Master == nullptr) return;
    switch (kind) {
        case TiPlotObjectKind::Channel: Master->AddChannel(); break;
        case TiPlotObjectKind::DataCursor: Master->AddDataCursor(); break;
        case TiPlotObjectKind::Limit: Master->AddLimit(); break;
        case TiPlotObjectKind::Label: Master->AddLabel(); break;
        case TiPlotObjectKind::XAxis: Master->AddXAxis(); break;
        case TiPlotObjectKind::YAxis: Master->AddYAxis(); break;
        case TiPlotObjectKind::Table: Master->AddTable(); break;
        default: return;
    }
    if (TiComponentEditorListBox* list = ListOf(kind)) list->SelectLast();
    UpdatePage(kind);
    if (kind == TiPlotObjectKind::Channel) ResetChannelStats();
}

void TiPlotEditorForm::RemoveObject(TiPlotObjectKind kind) {
    TiComponentEditorListBox* list = ListOf(kind);
    if (list == nullptr || list->ItemIndex() < 0) return;
    list->DeleteSelectedObject();
    UpdatePage(kind);
    if (kind == TiPlotObjectKind::XAxis || kind == TiPlotObjectKind::YAxis) {
        UpdatePage(TiPlotObjectKind::Channel);
    }
    if (kind == TiPlotObjectKind::Channel) ResetChannelStats();
}

void TiPlotEditorForm::ObjectInserted(TiPlotObject* object) {
    TiComponentEditorListBox* list = ListOf(object->Kind());
    if (list == nullptr || list->Items()->IndexOfObject(object) >= 0) return;
    list->AddItem("", object);
    list->SelectLast();
    UpdatePage(object->Kind());
}

void TiPlotEditorForm::ObjectRemoved(TiPlotObject* object) {
    if (object == FRightClickObject) FRightClickObject = nullptr;
    if (iPlotLayoutViewer != nullptr) iPlotLayoutViewer->ForgetObject(object);
    TiComponentEditorListBox* list = ListOf(object->Kind());
    if (list == nullptr) return;
    const bool shown = Selected(object->Kind()) == object;
    list->DeleteObjectIndex(object);
    // The page showed the object: it shows the one selected now.
    if (shown) UpdatePage(object->Kind());
}

void TiPlotEditorForm::ObjectRenamed(TiPlotObject* object) {
    if (TiComponentEditorListBox* list = ListOf(object->Kind())) list->Invalidate();
    const auto follow = [&](std::initializer_list<const char*> names,
                            void (TiPlotEditorForm::*refill)(TiComponentEditorComboBox*)) {
        for (const char* name : names) {
            auto* combo = Control<TiComponentEditorComboBox>(name);
            if (combo == nullptr || combo->AsString() != object->NameOld()) continue;
            (this->*refill)(combo);
            combo->SetAsInteger(combo->Items()->IndexOf(object->Name()));
        }
    };
    switch (object->Kind()) {
        case TiPlotObjectKind::XAxis:
            follow({"ChannelXAxisNameComboBox", "LimitXAxisNameComboBox"},
                   &TiPlotEditorForm::XAxisNameComboBoxDropDown);
            follow({"DataViewGridXAxisNameComboBox"},
                   &TiPlotEditorForm::DataViewGridXAxisNameComboBoxDropDown);
            break;
        case TiPlotObjectKind::YAxis:
            follow({"ChannelYAxisNameComboBox", "LimitYAxisNameComboBox"},
                   &TiPlotEditorForm::YAxisNameComboBoxDropDown);
            follow({"DataViewGridYAxisNameComboBox"},
                   &TiPlotEditorForm::DataViewGridYAxisNameComboBoxDropDown);
            break;
        case TiPlotObjectKind::Channel:
            follow({"DataCursorChannelNameComboBox"},
                   &TiPlotEditorForm::DataCursorChannelNameComboBoxDropDown);
            break;
        default: break;
    }
}

// ---- name combo boxes

void TiPlotEditorForm::RefillNameCombo(TiComponentEditorComboBox* combo, const std::string& first,
                                       TiPlotObjectKind kind, const std::string& last) {
    TiPlotObjectManagerCustom* manager = ManagerOf(Master, kind);
    if (combo == nullptr || manager == nullptr) return;
    const auto translated = [this](const std::string& text) {
        return Master->TranslationManager() != nullptr
                   ? Master->TranslationManager()->FindReplacement(text)
                   : text;
    };
    const std::string kept = combo->AsString();
    TNotifyEvent saved = std::move(combo->OnChange);
    combo->OnChange = nullptr;
    combo->Items()->Clear();
    combo->Items()->Add(translated(first));
    for (TiPlotObject* object : manager->Items()) combo->Items()->Add(object->Name());
    if (!last.empty()) combo->Items()->Add(translated(last));
    combo->SetAsInteger(combo->Items()->IndexOf(kept));
    combo->OnChange = std::move(saved);
}

void TiPlotEditorForm::XAxisNameComboBoxDropDown(TiComponentEditorComboBox* combo) {
    RefillNameCombo(combo, "<None>", TiPlotObjectKind::XAxis, "");
}
void TiPlotEditorForm::YAxisNameComboBoxDropDown(TiComponentEditorComboBox* combo) {
    RefillNameCombo(combo, "<None>", TiPlotObjectKind::YAxis, "");
}
void TiPlotEditorForm::DataViewGridXAxisNameComboBoxDropDown(TiComponentEditorComboBox* combo) {
    RefillNameCombo(combo, "<None>", TiPlotObjectKind::XAxis, "<All>");
}
void TiPlotEditorForm::DataViewGridYAxisNameComboBoxDropDown(TiComponentEditorComboBox* combo) {
    RefillNameCombo(combo, "<None>", TiPlotObjectKind::YAxis, "<All>");
}
void TiPlotEditorForm::ChannelNameComboBoxDropDown(TiComponentEditorComboBox* combo) {
    RefillNameCombo(combo, "<None>", TiPlotObjectKind::Channel, "");
}
void TiPlotEditorForm::DataCursorChannelNameComboBoxDropDown(TiComponentEditorComboBox* combo) {
    RefillNameCombo(combo, "<All>", TiPlotObjectKind::Channel, "");
}

void TiPlotEditorForm::RefillNameCombos(TiPlotObjectKind kind) {
    const auto combo = [this](const char* name) {
        return Control<TiComponentEditorComboBox>(name);
    };
    switch (kind) {
        case TiPlotObjectKind::Channel:
            XAxisNameComboBoxDropDown(combo("ChannelXAxisNameComboBox"));
            YAxisNameComboBoxDropDown(combo("ChannelYAxisNameComboBox"));
            break;
        case TiPlotObjectKind::DataView:
            DataViewGridXAxisNameComboBoxDropDown(combo("DataViewGridXAxisNameComboBox"));
            DataViewGridYAxisNameComboBoxDropDown(combo("DataViewGridYAxisNameComboBox"));
            break;
        case TiPlotObjectKind::DataCursor:
            DataCursorChannelNameComboBoxDropDown(combo("DataCursorChannelNameComboBox"));
            break;
        case TiPlotObjectKind::Limit:
            XAxisNameComboBoxDropDown(combo("LimitXAxisNameComboBox"));
            YAxisNameComboBoxDropDown(combo("LimitYAxisNameComboBox"));
            break;
        case TiPlotObjectKind::XAxis:
            YAxisNameComboBoxDropDown(combo("XAxisCartesianChildRefAxisNameComboBox"));
            XAxisNameComboBoxDropDown(combo("XAxisAlignRefAxisNameComboBox"));
            break;
        case TiPlotObjectKind::YAxis:
            XAxisNameComboBoxDropDown(combo("YAxisCartesianChildRefAxisNameComboBox"));
            YAxisNameComboBoxDropDown(combo("YAxisAlignRefAxisNameComboBox"));
            break;
        default: break;
    }
}

// ---- loading pages

bool TiPlotEditorForm::StripChart() const {
    return PlotComponent != nullptr && PlotComponent->IsStripChart();
}

void TiPlotEditorForm::ApplyStripChartVisibility() {
    const bool strip = StripChart();
    const TPageInfo* info = InfoOf(TiPlotObjectKind::Channel);
    if (info == nullptr) return;
    auto* pages = Control<TPageControl>(info->page->pageControl);
    for (std::size_t t = 0; t < info->page->tabs.size(); ++t) {
        const TiEditorTab& tab = info->page->tabs[t];
        if (tab.stripOnly && pages != nullptr) {
            for (int i = 0; i < pages->PageCount(); ++i) {
                if (pages->Pages(i)->Caption() == tab.caption)
                    pages->Pages(i)->SetTabVisible(strip);
            }
        }
        for (const TiEditorField& f : tab.fields) {
            if (!f.stripOnly || tab.stripOnly) continue;
            if (auto* c = Control<TControl>(f.name)) c->SetVisible(strip);
        }
    }
    // The labels of hidden controls go with them.
    if (auto* combo = Control<TControl>("ChannelInterpolationStyleComboBox")) {
        TWinControl* parent = combo->Parent();
        for (int i = 0; parent != nullptr && i < parent->ControlCount(); ++i) {
            auto* label = dynamic_cast<TLabel*>(parent->Controls(i));
            if (label != nullptr && label->Caption() == "Interpolation Style") {
                label->SetVisible(strip);
            }
        }
    }
}

void TiPlotEditorForm::UpdatePage(TiPlotObjectKind kind) {
    const TPageInfo* info = InfoOf(kind);
    if (info == nullptr) return;
    const TiEditorPage& page = *info->page;
    const bool axis = kind == TiPlotObjectKind::XAxis || kind == TiPlotObjectKind::YAxis;
    if (!axis) RefillNameCombos(kind);
    if (kind == TiPlotObjectKind::Channel) ApplyStripChartVisibility();
    TiPlotObject* object = Selected(kind);
    if (object == nullptr) {
        DisableEditors(page.prefix);
        if (kind == TiPlotObjectKind::Channel) ResetChannelStats();
        return;
    }
    EnableEditors(page.prefix);
    if (axis) RefillNameCombos(kind);
    const bool strip = StripChart();
    for (const TiEditorField* f : AllFields(page.tabs)) {
        if (f->stripOnly && !strip) continue;
        LoadField(*f, object);
    }
    if (kind == TiPlotObjectKind::Channel) UpdateChannelLogControls();
    if (kind == TiPlotObjectKind::Label) {
        if (auto* remove = Control<TControl>(page.removeButton)) {
            remove->SetEnabled(Master == nullptr || Master->LabelManager() == nullptr ||
                               Master->LabelManager()->GetIndex(object) != 0);
        }
    }
    if (TiComponentEditorListBox* list = ListOf(kind)) list->Invalidate();
}

void TiPlotEditorForm::UpdateAll() {
    for (TiPlotObjectKind kind : kUpdateOrder) UpdatePage(kind);
}

void TiPlotEditorForm::UpdateChannelLogControls() {
    TiPlotObject* channel = Selected(TiPlotObjectKind::Channel);
    if (channel == nullptr) return;
    TPropertyRef logging = FindPropertyByPath(channel, "LoggingActive");
    const bool active = logging && logging.property->GetOrdinal(logging.instance) != 0;
    const auto enable = [this](const char* name, bool value) {
        if (auto* c = Control<TControl>(name)) c->SetEnabled(value);
    };
    enable("ChannelLogFileNameEdit", !active);
    enable("ChannelLogFileNamePicker", !active);
    enable("ChannelLogActivateButton", !active);
    enable("ChannelLogDeactivateButton", active);
}

// ---- writing pages

void TiPlotEditorForm::PageChange(TiPlotObjectKind kind) {
    const TPageInfo* info = InfoOf(kind);
    TiPlotObject* object = Selected(kind);
    if (info == nullptr || object == nullptr) return;
    const TiEditorPage& page = *info->page;
    const bool strip = StripChart();
    const std::vector<const TiEditorField*> fields = AllFields(page.tabs);
    std::vector<const TiEditorField*> ordered;
    if (page.writeOrder.empty()) {
        ordered = fields;
    } else {
        for (const std::string& property : page.writeOrder) {
            for (const TiEditorField* f : fields) {
                if (f->property == property) ordered.push_back(f);
            }
        }
    }
    try {
        for (const TiEditorField* f : ordered) {
            if (f->stripOnly && !strip) continue;
            WriteField(*f, object);
        }
    } catch (...) {
        // What the object kept shows again; the refusal reaches the user.
        UpdatePage(kind);
        throw;
    }
    switch (kind) {
        case TiPlotObjectKind::DataCursor:
        case TiPlotObjectKind::Limit: UpdatePage(kind); break;
        case TiPlotObjectKind::Label: {
            UpdatePage(kind);
            auto* label = dynamic_cast<TiPlotLabel*>(object);
            if (label != nullptr && Master != nullptr && Master->LabelManager() != nullptr &&
                Master->LabelManager()->GetIndex(label) == 0) {
                if (auto* c = Control<TiComponentEditorCheckBox>("TitleVisibleCheckBox")) {
                    c->SetAsBoolean(label->Visible());
                }
                if (auto* c = Control<TiComponentEditorEdit>("TitleTextEdit")) {
                    c->SetAsString(label->Caption());
                }
                if (auto* c = Control<TiComponentEditorEdit>("TitleMarginEdit")) {
                    c->SetAsFloat(label->MarginBottom());
                }
                if (auto* c = Control<TiComponentEditorFontPicker>("TitleFontPicker")) {
                    c->SetFont(label->Font());
                }
            }
            break;
        }
        case TiPlotObjectKind::Table: break;
        default: UpdateAll(); break;
    }
    if (kind == TiPlotObjectKind::Channel) {
        TPropertyRef logName = FindPropertyByPath(object, "LogFileName");
        auto* picker = Control<TiComponentEditorOpenPicker>("ChannelLogFileNamePicker");
        if (logName && picker != nullptr) picker->SetFileName(logName.property->GetString(object));
    }
    if (TiComponentEditorListBox* list = ListOf(kind)) list->Invalidate();
}

void TiPlotEditorForm::TitleChange() {
    if (Master == nullptr || Master->LabelManager() == nullptr) return;
    // A plot without a title label has nothing to change.
    if (Master->LabelManager()->GetCount() == 0) return;
    TiPlotLabel* title = Master->LabelManager()->GetItem(0);
    if (auto* c = Control<TiComponentEditorCheckBox>("TitleVisibleCheckBox")) {
        title->SetVisible(c->AsBoolean());
    }
    if (auto* c = Control<TiComponentEditorEdit>("TitleTextEdit")) title->SetCaption(c->AsString());
    if (auto* c = Control<TiComponentEditorEdit>("TitleMarginEdit")) {
        title->SetMarginBottom(c->AsFloat());
    }
    if (auto* c = Control<TiComponentEditorFontPicker>("TitleFontPicker"))
        title->SetFont(c->Font());
    UpdateLabelEdit();
    if (TiComponentEditorListBox* list = ListOf(TiPlotObjectKind::Label)) list->Invalidate();
}

void TiPlotEditorForm::GeneralChanged() {
    if (Master != nullptr) PlotBasicPropertyChanged(Master);
    auto* edit = Control<TiComponentEditorEdit>("ControlLogFileNameEdit");
    auto* picker = Control<TiComponentEditorOpenPicker>("ControlLogFileNamePicker");
    if (edit != nullptr && picker != nullptr) picker->SetFileName(edit->AsString());
}

void TiPlotEditorForm::LoadControlPage() {
    if (PlotComponent == nullptr) return;
    for (const TiEditorField* f : AllFields(PlotEditorControlTabs())) {
        LoadField(*f, PlotComponent);
    }
    const auto folder = [this](const char* name, const std::string& dir) {
        if (auto* open = Control<TiComponentEditorOpenPicker>(name)) open->SetDefaultDir(dir);
        if (auto* save = Control<TiComponentEditorSavePicker>(name)) save->SetDefaultDir(dir);
    };
    folder("ControlPropertiesOpenPicker", PlotComponent->DefaultPropertyDirectory());
    folder("ControlPropertiesSavePicker", PlotComponent->DefaultPropertyDirectory());
    folder("ControlDataOpenPicker", PlotComponent->DefaultDataDirectory());
    folder("ControlDataSavePicker", PlotComponent->DefaultDataDirectory());
    folder("ControlAnnotationOpenPicker", PlotComponent->DefaultAnnotationDirectory());
    folder("ControlAnnotationSavePicker", PlotComponent->DefaultAnnotationDirectory());
    UpdateControlLogControls();
}

void TiPlotEditorForm::WriteControlPage() {
    if (PlotComponent == nullptr) return;
    const std::vector<const TiEditorField*> fields = AllFields(PlotEditorControlTabs());
    for (const std::string& property : PlotEditorControlWriteOrder()) {
        for (const TiEditorField* f : fields) {
            if (f->property == property) WriteField(*f, PlotComponent);
        }
    }
    UpdateControlLogControls();
}

void TiPlotEditorForm::UpdateControlLogControls() {
    const bool active = PlotComponent != nullptr && PlotComponent->LoggingActive();
    const auto enable = [this](const char* name, bool value) {
        if (auto* c = Control<TControl>(name)) c->SetEnabled(value);
    };
    enable("ControlLogFileNameEdit", !active);
    enable("ControlLogFileNamePicker", !active);
    // Logging the plot's channels together comes with the plot's log files.
    enable("ControlLogActivateButton", false);
    enable("ControlLogDeactivateButton", false);
}

// ---- channel statistics

void TiPlotEditorForm::ResetChannelStats() {
    const bool selected = Selected(TiPlotObjectKind::Channel) != nullptr;
    for (const char* name :
         {"ChannelStatsPointCountDisplay", "ChannelStatsPointCapacityDisplay",
          "ChannelStatsMemoryDisplay", "ChannelStatsDataPointSizeDisplay",
          "ChannelStatsMaxDataPointsDisplay", "ChannelStatsXMinDisplay", "ChannelStatsXMaxDisplay",
          "ChannelStatsXMeanDisplay", "ChannelStatsYMinDisplay", "ChannelStatsYMaxDisplay",
          "ChannelStatsYMeanDisplay"}) {
        if (auto* label = Control<TLabel>(name)) label->SetCaption(selected ? "Click Refresh" : "");
    }
}

// ---- Copy Default

void TiPlotEditorForm::CopyDefaultFormat(const std::string& p, const std::string& tab) {
    const std::string to = p + tab;
    auto* fromStyle = Control<TiComponentEditorComboBox>(p + "LabelFormatStyleComboBox");
    auto* fromFormat = Control<TiComponentEditorComboBox>(p + "DateTimeFormatComboBox");
    auto* fromPrecisionStyle =
        Control<TiComponentEditorComboBox>(p + "LabelPrecisionStyleComboBox");
    auto* fromPrecision = Control<TiComponentEditorEdit>(p + "LabelPrecisionEdit");
    auto* fromMinLength = Control<TiComponentEditorEdit>(p + "LabelMinLengthEdit");
    auto* fromAuto = Control<TiComponentEditorCheckBox>(p + "LabelMinLengthAutoAdjustCheckBox");
    if (fromStyle == nullptr || fromFormat == nullptr || fromPrecisionStyle == nullptr ||
        fromPrecision == nullptr || fromMinLength == nullptr || fromAuto == nullptr) {
        return;
    }
    if (auto* c = Control<TiComponentEditorComboBox>(to + "FormatStyleComboBox")) {
        c->SetAsInteger(fromStyle->AsInteger());
    }
    if (auto* c = Control<TiComponentEditorComboBox>(to + "DateTimeFormatComboBox")) {
        c->SetAsString(fromFormat->AsString());
    }
    if (auto* c = Control<TiComponentEditorComboBox>(to + "PrecisionStyleComboBox")) {
        c->SetAsInteger(fromPrecisionStyle->AsInteger());
    }
    if (auto* c = Control<TiComponentEditorEdit>(to + "PrecisionEdit")) {
        c->SetAsInteger(fromPrecision->AsInteger());
    }
    if (auto* c = Control<TiComponentEditorEdit>(to + "MinLengthEdit")) {
        c->SetAsFloat(fromMinLength->AsFloat());
    }
    if (auto* c = Control<TiComponentEditorCheckBox>(to + "MinLengthAutoAdjustCheckBox")) {
        c->SetAsBoolean(fromAuto->AsBoolean());
    }
    PageChange(p == "XAxis" ? TiPlotObjectKind::XAxis : TiPlotObjectKind::YAxis);
}

// ---- the layout page

void TiPlotEditorForm::LayoutPopupMenuPopup() {
    const auto item = [this](const char* name) { return Control<TMenuItem>(name); };
    if (Master != nullptr) item("XYAxesReverseMenuItem")->SetChecked(Master->XYAxesReverse());
    item("DeleteMenuItem")->SetEnabled(false);
    item("VisibleMenuItem")->SetEnabled(false);
    item("EditMenuItem")->SetEnabled(false);
    TiPlotLayoutObject* o = FRightClickObject;
    if (o == nullptr) return;
    const TiPlotObjectKind kind = o->Kind();
    const bool firstLabel = kind == TiPlotObjectKind::Label && Master != nullptr &&
                            Master->LabelManager() != nullptr &&
                            Master->LabelManager()->GetIndex(o) == 0;
    item("DeleteMenuItem")
        ->SetEnabled(kind == TiPlotObjectKind::XAxis || kind == TiPlotObjectKind::YAxis ||
                     kind == TiPlotObjectKind::Table ||
                     (kind == TiPlotObjectKind::Label && !firstLabel));
    item("VisibleMenuItem")->SetEnabled(kind != TiPlotObjectKind::DataView);
    item("VisibleMenuItem")->SetChecked(o->Visible());
    item("EditMenuItem")->SetEnabled(true);
}

void TiPlotEditorForm::XYAxesReverseMenuItemClick() {
    if (Master != nullptr) Master->SetXYAxesReverse(!Master->XYAxesReverse());
}

void TiPlotEditorForm::DeleteMenuItemClick() {
    TiPlotLayoutObject* o = FRightClickObject;
    if (o == nullptr) return;
    FRightClickObject = nullptr;
    TiPlotObject::FreeObject(o);
    UpdateAll();
}

void TiPlotEditorForm::VisibleMenuItemClick() {
    if (FRightClickObject == nullptr) return;
    FRightClickObject->SetVisible(!FRightClickObject->Visible());
    UpdateAll();
}

void TiPlotEditorForm::EditMenuItemClick() {
    TiPlotLayoutObject* o = FRightClickObject;
    if (o == nullptr || o->Kind() == TiPlotObjectKind::Table) return;
    SelectObject(o);
}

void TiPlotEditorForm::SetFormTranslationMethod(TFormTranslationMethod method) {
    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* picker = dynamic_cast<TiComponentEditorValueConverterPicker*>(Components(i))) {
            picker->SetTranslationMethod(method);
        }
    }
}

void TiPlotEditorForm::Activate() {
    TiCustomEditorForm::Activate();
    // A form that stays open beside the plot shows the plot's values whenever it comes back.
    if (PlotComponent != nullptr && PlotComponent->EditorFormStyle() == ipfsStayOnTop) UpdateAll();
}

}  // namespace dsp
