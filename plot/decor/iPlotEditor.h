#pragma once
// TiPlotEditorForm: the run-time property editor of one plot: a tabbed dialog with a page of
// plot-wide settings ("Control"), the layout viewer ("Layout") and one page per kind of plot
// object, each with a list of the plot's objects of that kind. There is no OK or Cancel: every
// committed change of a control writes the whole page into the selected object, which repaints
// the plot, and the editor then reloads its pages, so a value the object adjusts shows at once.
//
// The pages come from the tables of iPlotEditorPages. A page whose list has no selection is
// disabled and empty; the enabling rule goes by the controls' name prefixes. Loading a page never
// fires a change event: every setter used for loading detaches the control's event.
//
// The plot's master manager creates the editor and keeps it in step with the plot's objects;
// EditPlotProperties, EditPlotObject and the other routines below do the master's part.

#include <array>
#include <string>
#include <vector>

#include "framework/controls/Label.h"
#include "framework/controls/Menus.h"
#include "plot/decor/iEditorBasicComponents.h"
#include "plot/decor/iPlotEditorPages.h"
#include "plot/engine/iPlotDecorServices.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotComponent;
class TiPlotMasterManager;
class TiPlotLayoutViewer;
class TiPlotLayoutObject;

class TiPlotEditorForm : public TiCustomEditorForm, public IPlotEditor {
public:
    explicit TiPlotEditorForm(TComponent* owner);
    ~TiPlotEditorForm() override;

    TiPlotMasterManager* Master = nullptr;
    TiPlotComponent* PlotComponent = nullptr;
    bool FIsClosing = false;
    TiPlotLayoutObject* FRightClickObject = nullptr;

    // ---- IPlotEditor
    bool IsClosing() const override { return FIsClosing; }
    void ObjectInserted(TiPlotObject* object) override;
    void ObjectRemoved(TiPlotObject* object) override;
    void ObjectRenamed(TiPlotObject* object) override;

    // ---- pages
    // Reloads every object page: toolbar, legend, X axes, Y axes, channels, data view, cursors,
    // limits, labels, tables.
    void UpdateAll();
    // Reloads the page of one kind from the object selected in its list.
    void UpdatePage(TiPlotObjectKind kind);
    void UpdateToolBarEdit() { UpdatePage(TiPlotObjectKind::ToolBar); }
    void UpdateLegendEdit() { UpdatePage(TiPlotObjectKind::Legend); }
    void UpdateXAxesEdit() { UpdatePage(TiPlotObjectKind::XAxis); }
    void UpdateYAxesEdit() { UpdatePage(TiPlotObjectKind::YAxis); }
    void UpdateChannelEdit() { UpdatePage(TiPlotObjectKind::Channel); }
    void UpdateDataViewEdit() { UpdatePage(TiPlotObjectKind::DataView); }
    void UpdateDataCursorEdit() { UpdatePage(TiPlotObjectKind::DataCursor); }
    void UpdateLimitEdit() { UpdatePage(TiPlotObjectKind::Limit); }
    void UpdateLabelEdit() { UpdatePage(TiPlotObjectKind::Label); }
    void UpdateTableEdit() { UpdatePage(TiPlotObjectKind::Table); }
    // Writes the whole page of the kind into its selected object, then refreshes.
    void PageChange(TiPlotObjectKind kind);
    // The Control page's "Title" tab into the plot's first label.
    void TitleChange();
    // The rest of the Control page into the plot.
    void GeneralChanged();
    // Loads the Control page from the plot, and writes it back.
    void LoadControlPage();
    void WriteControlPage();
    // The log buttons and file name after the plot's logging state.
    void UpdateControlLogControls();

    // Disables (and empties) or enables every control whose name starts with the prefix.
    void DisableEditors(const std::string& prefix);
    void EnableEditors(const std::string& prefix);

    // ---- lists
    TiComponentEditorListBox* ListOf(TiPlotObjectKind kind) const;
    TiPlotObject* Selected(TiPlotObjectKind kind) const;
    // Shows the object's page with the object selected.
    void SelectObject(TiPlotObject* object);
    void AddObject(TiPlotObjectKind kind);
    void RemoveObject(TiPlotObjectKind kind);
    // Fills the kind's list from the plot, selecting the first object.
    void FillList(TiPlotObjectKind kind);

    // ---- name combo boxes: "<None>" (or "<All>") and the objects' names
    void XAxisNameComboBoxDropDown(TiComponentEditorComboBox* combo);
    void YAxisNameComboBoxDropDown(TiComponentEditorComboBox* combo);
    void DataViewGridXAxisNameComboBoxDropDown(TiComponentEditorComboBox* combo);
    void DataViewGridYAxisNameComboBoxDropDown(TiComponentEditorComboBox* combo);
    void ChannelNameComboBoxDropDown(TiComponentEditorComboBox* combo);
    void DataCursorChannelNameComboBoxDropDown(TiComponentEditorComboBox* combo);

    // ---- channel statistics
    void ResetChannelStats();
    void RefreshChannelStats();

    // ---- "Copy Default" on an axis page's "Cursor" or "Legend" tab
    void CopyDefaultFormat(const std::string& axisPrefix, const std::string& tab);

    // ---- the layout page
    TiPlotLayoutViewer* iPlotLayoutViewer = nullptr;
    TPopupMenu* LayoutPopupMenu = nullptr;
    void LayoutPopupMenuPopup();
    void XYAxesReverseMenuItemClick();
    void DeleteMenuItemClick();
    void VisibleMenuItemClick();
    void EditMenuItemClick();

    // Hands the translation method to every value-converter picker of the form.
    void SetFormTranslationMethod(TFormTranslationMethod method);

    // The fourteen page controls whose pages the master remembers, in its order: main,
    // control, channel, X axis, X axis labels, Y axis, Y axis labels, cursor, limit, label,
    // legend, table, data view, custom grid lines.
    std::array<TiComponentEditorPageControl*, 14> RememberedPageControls() const;
    TiComponentEditorPageControl* PageControl = nullptr;
    TiComponentEditorPageControl* ControlPageControl = nullptr;
    // The page of the main page control that shows the kind's objects.
    TTabSheet* PageOf(TiPlotObjectKind kind) const;

    // A control of the form by name, of the class asked for; null when there is none.
    template <typename T>
    T* Control(const std::string& name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }

    // True while the plot's channels are strip-chart channels (the pages then show what only
    // they have).
    bool StripChart() const;

    // A stay-on-top editor shows the plot's values again whenever it is activated.
    void Activate() override;

private:
    struct TPageInfo {
        const TiEditorPage* page = nullptr;
        TTabSheet* sheet = nullptr;
    };
    void BuildControlPage();
    void BuildLayoutPage();
    void BuildObjectPage(const TiEditorPage& page);
    // Places the tab's fields (and its inner page control) in the parent's area.
    void BuildTab(TWinControl* parent, const TiEditorTab& tab, const TRect& area,
                  TiPlotObjectKind kind, bool controlPage);
    void BuildField(TWinControl* parent, const TiEditorField& field, const TRect& cell,
                    TiPlotObjectKind kind, bool controlPage);
    void HookField(TControl* control, const TiEditorField& field, TiPlotObjectKind kind,
                   bool controlPage);
    void LoadField(const TiEditorField& field, TObject* object);
    void WriteField(const TiEditorField& field, TObject* object);
    const TPageInfo* InfoOf(TiPlotObjectKind kind) const;
    void RefillNameCombos(TiPlotObjectKind kind);
    void RefillNameCombo(TiComponentEditorComboBox* combo, const std::string& first,
                         TiPlotObjectKind kind, const std::string& last);
    void ApplyStripChartVisibility();
    void UpdateChannelLogControls();
    void WireFileCommands();

    std::vector<TPageInfo> pages_;
};

// ---- the master manager's part (the decor services run these)

// Makes the editor of the plot, fills its lists and restores its remembered pages.
TiPlotEditorForm* CreatePlotEditorForm(TiPlotMasterManager* master);
// Opens the editor: modal (freed when it closes) or stay-on-top, as the plot says.
void EditPlotProperties(TiPlotMasterManager* master);
// Opens the editor on the page of the object's kind with the object selected.
void EditPlotObject(TiPlotMasterManager* master, TiPlotObject* object);
// The Control page's settings back into the plot (nothing without an open editor).
void PlotBasicPropertyChanged(TiPlotMasterManager* master);

// Puts the plot editor, the save-image dialog and the print preview in place for every plot
// (SetPlotDecorServices).
void InstallPlotDecor();

}  // namespace dsp
