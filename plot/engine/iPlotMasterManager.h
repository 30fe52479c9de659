#pragma once
// TiPlotMasterManager: the hub of one plot. It owns every object manager of the plot (one per
// kind, the manager of all objects, the layout manager and the translation manager), creates
// new objects on request, and is the one receiver of every object's and manager's insert,
// remove, rename, change and focus notifications, which it passes to the managers in a fixed
// order and then to the plot: an insertion after the managers list the object (so its index is
// valid), a removal before they drop it. It also keeps the plot's property editor while one is
// open (the editor itself comes with plot/decor) and keeps it in step with the objects.

#include <array>
#include <memory>

#include "plot/engine/iPlotDecorServices.h"
#include "plot/engine/iPlotLayoutManager.h"
#include "plot/engine/iPlotManagers.h"
#include "plot/engine/iPlotTranslation.h"

namespace dsp {

class TCustomForm;

class TiPlotMasterManager : public TObject {
public:
    explicit TiPlotMasterManager(TWinControl* owner);
    ~TiPlotMasterManager() override;

    // Each makes one object of its kind with the plot as owner and returns its index in its
    // kind's manager.
    int AddToolBar();
    int AddLegend();
    int AddTable();
    int AddXAxis();
    int AddYAxis();
    int AddChannel();
    int AddDataView();
    int AddDataCursor();
    int AddLimit();
    int AddLabel();
    int AddAnnotation();
    int AddTranslation();

    bool UserCanEditObjects() const { return FUserCanEditObjects; }
    // Also copied into every object now listed; objects added later get it on insertion.
    void SetUserCanEditObjects(bool value);
    bool XYAxesReverse() const { return FXYAxesReverse; }
    void SetXYAxesReverse(bool value);
    void SetChannelClass(TiPlotObjectFactory channelClass);
    void ShowToolBars(bool value);
    void ClearAllData();
    void DeSelectAll();
    // A form's texts through the translation table (nothing when the table is empty): the
    // caption, every control's text and item texts, every pop-up menu's items.
    void TranslateForm(TCustomForm* form);

    // ---- the property editor
    TWinControl* Owner() const { return FOwner; }
    // Opens the editor (through the decor services; nothing without them).
    void EditProperties();
    // An object's "Edit..." request: the editor on the object's page.
    void EditObject(TObject* sender);
    TCustomForm* EditorForm() const { return FEditorForm; }
    IPlotEditor* Editor() const { return editor_; }
    // The editor made for this plot (null forgets it without freeing it).
    void SetEditorForm(TCustomForm* form, IPlotEditor* editor);
    // The pages last shown in the editor's fourteen page controls, restored at its next opening.
    static constexpr int kEditorPageControlCount = 14;
    int EditorPageIndex(int pageControl) const { return editorPageIndexes_.at(pageControl); }
    void SetEditorPageIndex(int pageControl, int index) {
        editorPageIndexes_.at(pageControl) = index;
    }

    // The notification handlers every object and manager of the plot is given.
    void NotificationInsert(TObject* sender);
    void NotificationRemove(TObject* sender);
    void NotificationRename(TObject* sender);
    void NotificationChange(TObject* sender);
    void NotificationSetFocus(TObject* sender);

    TiPlotObjectManager* ObjectManager() const { return FPlotObjectManager; }
    TiPlotToolBarManager* ToolBarManager() const { return FToolBarManager; }
    TiPlotLegendManager* LegendManager() const { return FLegendManager; }
    TiPlotTableManager* TableManager() const { return FTableManager; }
    TiPlotXAxisManager* XAxisManager() const { return FXAxisManager; }
    TiPlotYAxisManager* YAxisManager() const { return FYAxisManager; }
    TiPlotChannelManager* ChannelManager() const { return FChannelManager; }
    TiPlotDataViewManager* DataViewManager() const { return FDataViewManager; }
    TiPlotDataCursorManager* DataCursorManager() const { return FDataCursorManager; }
    TiPlotLimitManager* LimitManager() const { return FLimitManager; }
    TiPlotLabelManager* LabelManager() const { return FLabelManager; }
    TiPlotAnnotationManager* AnnotationManager() const { return FAnnotationManager; }
    TiPlotLayoutManager* LayoutManager() const { return FLayoutManager; }
    TiPlotTranslationManager* TranslationManager() const { return FTranslationManager; }

    TNotifyEvent OnInvalidateNow;
    TNotifyEvent OnChange;
    TNotifyEvent OnInsert;
    TNotifyEvent OnRemove;

private:
    template <typename M>
    M* Make();
    int Add(TiPlotObjectOwnedManager* manager);
    // The per-kind managers in the order the notifications reach them.
    std::vector<TiPlotObjectOwnedManager*> KindManagers() const;
    TiPlotObjectOwnedManager* ManagerOfKind(TiPlotObjectKind kind) const;

    TWinControl* FOwner;
    bool FUserCanEditObjects = true;
    TiPlotToolBarManager* FToolBarManager = nullptr;
    TiPlotLegendManager* FLegendManager = nullptr;
    TiPlotTableManager* FTableManager = nullptr;
    TiPlotXAxisManager* FXAxisManager = nullptr;
    TiPlotYAxisManager* FYAxisManager = nullptr;
    TiPlotChannelManager* FChannelManager = nullptr;
    TiPlotDataViewManager* FDataViewManager = nullptr;
    TiPlotDataCursorManager* FDataCursorManager = nullptr;
    TiPlotLimitManager* FLimitManager = nullptr;
    TiPlotLabelManager* FLabelManager = nullptr;
    TiPlotAnnotationManager* FAnnotationManager = nullptr;
    TiPlotTranslationManager* FTranslationManager = nullptr;
    TiPlotLayoutManager* FLayoutManager = nullptr;
    TiPlotObjectManager* FPlotObjectManager = nullptr;
    TiPlotObjectFactory FChannelClass;
    bool FXYAxesReverse = false;
    TCustomForm* FEditorForm = nullptr;
    IPlotEditor* editor_ = nullptr;
    std::array<int, kEditorPageControlCount> editorPageIndexes_{};
    // The editor while it is told of a change, unless it is closing.
    IPlotEditor* OpenEditor() const;
};

}  // namespace dsp
