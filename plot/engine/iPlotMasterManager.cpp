#include "plot/engine/iPlotMasterManager.h"

#include "framework/controls/Form.h"
#include "framework/controls/Menus.h"
#include "framework/text/Strings.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotToolBar.h"

namespace dsp {

template <typename M>
M* TiPlotMasterManager::Make() {
    return new M(
        FOwner, [this](TObject* s) { NotificationChange(s); },
        [this](TObject* s) { NotificationInsert(s); },
        [this](TObject* s) { NotificationRemove(s); },
        [this](TObject* s) { NotificationRename(s); });
}

TiPlotMasterManager::TiPlotMasterManager(TWinControl* owner) : FOwner(owner) {
    FPlotObjectManager = Make<TiPlotObjectManager>();
    FToolBarManager = Make<TiPlotToolBarManager>();
    FLegendManager = Make<TiPlotLegendManager>();
    FTableManager = Make<TiPlotTableManager>();
    FChannelManager = Make<TiPlotChannelManager>();
    FDataCursorManager = Make<TiPlotDataCursorManager>();
    FDataViewManager = Make<TiPlotDataViewManager>();
    FXAxisManager = Make<TiPlotXAxisManager>();
    FYAxisManager = Make<TiPlotYAxisManager>();
    FLimitManager = Make<TiPlotLimitManager>();
    FLabelManager = Make<TiPlotLabelManager>();
    FAnnotationManager = Make<TiPlotAnnotationManager>();
    FLayoutManager = Make<TiPlotLayoutManager>();
    FTranslationManager =
        new TiPlotTranslationManager([this](TObject* s) { NotificationInsert(s); },
                                     [this](TObject* s) { NotificationRemove(s); });

    FChannelManager->SetAxisManagers(FXAxisManager, FYAxisManager);
    FDataViewManager->SetAxisManagers(FXAxisManager, FYAxisManager);
    FDataCursorManager->SetManagers(FChannelManager, FDataViewManager);
    FLimitManager->SetAxisManagers(FXAxisManager, FYAxisManager);
    FUserCanEditObjects = true;
}

TiPlotMasterManager::~TiPlotMasterManager() {
    // The editor goes first: it must not hear of the objects going away.
    if (FEditorForm != nullptr) {
        TCustomForm* form = FEditorForm;
        SetEditorForm(nullptr, nullptr);
        delete form;
    }
    // Each manager frees its objects first (their removals reach the managers still present),
    // then tells of itself, and is forgotten.
    auto destroy = [](auto*& manager) {
        auto* m = manager;
        delete m;
        manager = nullptr;
    };
    destroy(FToolBarManager);
    destroy(FLegendManager);
    destroy(FTableManager);
    destroy(FChannelManager);
    destroy(FXAxisManager);
    destroy(FYAxisManager);
    destroy(FDataViewManager);
    destroy(FDataCursorManager);
    destroy(FLimitManager);
    destroy(FLabelManager);
    destroy(FAnnotationManager);
    destroy(FTranslationManager);
    destroy(FPlotObjectManager);
    destroy(FLayoutManager);
}

std::vector<TiPlotObjectOwnedManager*> TiPlotMasterManager::KindManagers() const {
    std::vector<TiPlotObjectOwnedManager*> managers;
    for (TiPlotObjectOwnedManager* m : std::initializer_list<TiPlotObjectOwnedManager*>{
             FToolBarManager, FLegendManager, FTableManager, FXAxisManager, FYAxisManager,
             FChannelManager, FDataViewManager, FDataCursorManager, FLimitManager, FLabelManager,
             FAnnotationManager}) {
        if (m != nullptr) managers.push_back(m);
    }
    return managers;
}

TiPlotObjectOwnedManager* TiPlotMasterManager::ManagerOfKind(TiPlotObjectKind kind) const {
    for (TiPlotObjectOwnedManager* m : KindManagers()) {
        if (m->ObjectKind() == kind) return m;
    }
    return nullptr;
}

// ---- notifications

void TiPlotMasterManager::NotificationInsert(TObject* sender) {
    if (auto* object = dynamic_cast<TiPlotObject*>(sender)) {
        if (FPlotObjectManager != nullptr) FPlotObjectManager->NotificationInsert(object);
        if (FLayoutManager != nullptr) FLayoutManager->NotificationInsert(object);
        if (TiPlotObjectOwnedManager* m = ManagerOfKind(object->Kind())) {
            m->NotificationInsert(object);
        }
        object->SetOnSetFocus([this](TObject* s) { NotificationSetFocus(s); });
        object->SetOnInvalidateNow([this](TObject* s) {
            if (OnInvalidateNow) OnInvalidateNow(s);
        });
        object->SetUserCanEdit(FUserCanEditObjects);
        object->SetOnEdit([this](TObject* s) { EditObject(s); });
        object->SetXYAxesReversed(FXYAxesReverse);
        if (IPlotEditor* editor = OpenEditor()) editor->ObjectInserted(object);
    } else if (dynamic_cast<TiPlotTranslationObject*>(sender) != nullptr) {
        if (FTranslationManager != nullptr) FTranslationManager->NotificationInsert(sender);
    }
    if (OnInsert) OnInsert(sender);
}

void TiPlotMasterManager::NotificationRemove(TObject* sender) {
    if (OnRemove) OnRemove(sender);
    if (dynamic_cast<TiPlotTranslationObject*>(sender) != nullptr) {
        if (FTranslationManager != nullptr) FTranslationManager->NotificationRemove(sender);
        return;
    }
    if (auto* object = dynamic_cast<TiPlotObject*>(sender)) {
        if (IPlotEditor* editor = OpenEditor()) editor->ObjectRemoved(object);
        if (FPlotObjectManager != nullptr) FPlotObjectManager->NotificationRemove(object);
        if (FLayoutManager != nullptr) FLayoutManager->NotificationRemove(object);
        for (TiPlotObjectOwnedManager* m : KindManagers()) m->NotificationRemove(object);
        return;
    }
    // A manager that is going away: forget it, and so do the managers that refer to it.
    auto forget = [sender](auto*& field) {
        if (static_cast<TObject*>(field) == sender) field = nullptr;
    };
    forget(FToolBarManager);
    forget(FLegendManager);
    forget(FTableManager);
    forget(FXAxisManager);
    forget(FYAxisManager);
    forget(FChannelManager);
    forget(FDataViewManager);
    forget(FDataCursorManager);
    forget(FLimitManager);
    forget(FLabelManager);
    forget(FAnnotationManager);
    forget(FLayoutManager);
    forget(FTranslationManager);
    forget(FPlotObjectManager);
    if (FChannelManager != nullptr) FChannelManager->ForgetManager(sender);
    if (FDataViewManager != nullptr) FDataViewManager->ForgetManager(sender);
    if (FLimitManager != nullptr) FLimitManager->ForgetManager(sender);
    if (FDataCursorManager != nullptr) FDataCursorManager->ForgetManager(sender);
}

void TiPlotMasterManager::NotificationRename(TObject* sender) {
    auto* object = dynamic_cast<TiPlotObject*>(sender);
    if (object == nullptr) return;
    for (TiPlotObjectOwnedManager* m : KindManagers()) m->NotificationRename(object);
    if (FLayoutManager != nullptr) FLayoutManager->NotificationRename(object);
    if (IPlotEditor* editor = OpenEditor()) editor->ObjectRenamed(object);
}

void TiPlotMasterManager::NotificationSetFocus(TObject* sender) {
    auto* object = dynamic_cast<TiPlotObject*>(sender);
    if (object == nullptr) return;
    for (TiPlotObjectOwnedManager* m : KindManagers()) m->NotificationSetFocus(object);
    if (FLayoutManager != nullptr) FLayoutManager->NotificationSetFocus(object);
}

void TiPlotMasterManager::NotificationChange(TObject*) {
    if (OnChange) OnChange(this);
}

// ---- adding objects

int TiPlotMasterManager::Add(TiPlotObjectOwnedManager* manager) {
    TiPlotObject* object = manager->CreateObject();
    object->DoInsert();
    return manager->GetCount() - 1;
}

int TiPlotMasterManager::AddToolBar() { return Add(FToolBarManager); }
int TiPlotMasterManager::AddLegend() { return Add(FLegendManager); }
int TiPlotMasterManager::AddTable() { return Add(FTableManager); }
int TiPlotMasterManager::AddXAxis() { return Add(FXAxisManager); }
int TiPlotMasterManager::AddYAxis() { return Add(FYAxisManager); }
int TiPlotMasterManager::AddChannel() { return Add(FChannelManager); }
int TiPlotMasterManager::AddDataView() { return Add(FDataViewManager); }
int TiPlotMasterManager::AddDataCursor() { return Add(FDataCursorManager); }
int TiPlotMasterManager::AddLimit() { return Add(FLimitManager); }
int TiPlotMasterManager::AddLabel() { return Add(FLabelManager); }
int TiPlotMasterManager::AddAnnotation() { return Add(FAnnotationManager); }
int TiPlotMasterManager::AddTranslation() { return FTranslationManager->Add(); }

// ---- settings and bulk operations

void TiPlotMasterManager::SetUserCanEditObjects(bool value) {
    FUserCanEditObjects = value;
    for (TiPlotObjectOwnedManager* m :
         {static_cast<TiPlotObjectOwnedManager*>(FChannelManager),
          static_cast<TiPlotObjectOwnedManager*>(FXAxisManager),
          static_cast<TiPlotObjectOwnedManager*>(FYAxisManager),
          static_cast<TiPlotObjectOwnedManager*>(FDataViewManager),
          static_cast<TiPlotObjectOwnedManager*>(FToolBarManager),
          static_cast<TiPlotObjectOwnedManager*>(FLegendManager),
          static_cast<TiPlotObjectOwnedManager*>(FTableManager),
          static_cast<TiPlotObjectOwnedManager*>(FDataCursorManager),
          static_cast<TiPlotObjectOwnedManager*>(FLimitManager),
          static_cast<TiPlotObjectOwnedManager*>(FLabelManager),
          static_cast<TiPlotObjectOwnedManager*>(FAnnotationManager)}) {
        if (m == nullptr) continue;
        for (TiPlotObject* object : m->Items()) object->SetUserCanEdit(value);
    }
}

void TiPlotMasterManager::SetXYAxesReverse(bool value) {
    FXYAxesReverse = value;
    if (FLayoutManager != nullptr) FLayoutManager->SetXYAxesReverse(value);
    for (TiPlotObjectOwnedManager* m :
         {static_cast<TiPlotObjectOwnedManager*>(FChannelManager),
          static_cast<TiPlotObjectOwnedManager*>(FXAxisManager),
          static_cast<TiPlotObjectOwnedManager*>(FYAxisManager),
          static_cast<TiPlotObjectOwnedManager*>(FDataViewManager),
          static_cast<TiPlotObjectOwnedManager*>(FToolBarManager),
          static_cast<TiPlotObjectOwnedManager*>(FLegendManager),
          static_cast<TiPlotObjectOwnedManager*>(FTableManager),
          static_cast<TiPlotObjectOwnedManager*>(FDataCursorManager),
          static_cast<TiPlotObjectOwnedManager*>(FLimitManager),
          static_cast<TiPlotObjectOwnedManager*>(FLabelManager),
          static_cast<TiPlotObjectOwnedManager*>(FAnnotationManager)}) {
        if (m == nullptr) continue;
        for (TiPlotObject* object : m->Items()) object->SetXYAxesReversed(value);
    }
    if (OnInvalidateNow) OnInvalidateNow(this);
}

void TiPlotMasterManager::SetChannelClass(TiPlotObjectFactory channelClass) {
    FChannelClass = channelClass;
    if (FChannelManager != nullptr) FChannelManager->SetChannelClass(std::move(channelClass));
}

void TiPlotMasterManager::ShowToolBars(bool value) {
    if (FToolBarManager == nullptr) return;
    for (TiPlotObject* toolBar : FToolBarManager->Items()) toolBar->SetVisible(value);
}

void TiPlotMasterManager::ClearAllData() {
    if (FChannelManager != nullptr) {
        for (int i = 0; i < FChannelManager->GetCount(); ++i) FChannelManager->GetItem(i)->Clear();
    }
    if (FXAxisManager != nullptr) {
        for (int i = 0; i < FXAxisManager->GetCount(); ++i) {
            FXAxisManager->GetItem(i)->ResetFirstAlign();
        }
    }
    if (FYAxisManager != nullptr) {
        for (int i = 0; i < FYAxisManager->GetCount(); ++i) {
            FYAxisManager->GetItem(i)->ResetFirstAlign();
        }
    }
}

void TiPlotMasterManager::DeSelectAll() {
    if (FPlotObjectManager != nullptr) FPlotObjectManager->ClearAllUserSelections();
}

namespace {

void TranslateMenu(TMenuItem* item, const TiPlotTranslationManager& table) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* sub = item->Items(i);
        sub->SetCaption(table.FindReplacement(sub->Caption()));
        TranslateMenu(sub, table);
    }
}

}  // namespace

// ---- the property editor

IPlotEditor* TiPlotMasterManager::OpenEditor() const {
    return editor_ != nullptr && !editor_->IsClosing() ? editor_ : nullptr;
}

void TiPlotMasterManager::SetEditorForm(TCustomForm* form, IPlotEditor* editor) {
    FEditorForm = form;
    editor_ = editor;
}

void TiPlotMasterManager::EditProperties() {
    if (IPlotDecorServices* services = PlotDecorServices()) services->EditProperties(this);
}

void TiPlotMasterManager::EditObject(TObject* sender) {
    auto* object = dynamic_cast<TiPlotObject*>(sender);
    IPlotDecorServices* services = PlotDecorServices();
    if (object != nullptr && services != nullptr) services->EditObject(this, object);
}

void TiPlotMasterManager::TranslateForm(TCustomForm* form) {
    if (form == nullptr || FTranslationManager == nullptr || FTranslationManager->Count() == 0) {
        return;
    }
    if (form == FEditorForm && editor_ != nullptr && editor_->IsClosing()) return;
    const TiPlotTranslationManager& table = *FTranslationManager;
    form->SetCaption(table.FindReplacement(form->Caption()));
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        if (auto* control = dynamic_cast<TControl*>(component)) {
            control->SetText(table.FindReplacement(control->Text()));
            // Item texts: of combo boxes, list boxes and radio groups ("Items").
            const TPropInfo* items = GetPropInfo(control, "Items");
            if (items != nullptr && items->Kind() == tkClass) {
                if (auto* strings = dynamic_cast<TStrings*>(items->GetObject(control))) {
                    for (int k = 0; k < strings->Count(); ++k) {
                        const std::string text = strings->Strings(k);
                        const std::string replaced = table.FindReplacement(text);
                        if (replaced != text) strings->SetStrings(k, replaced);
                    }
                }
            }
        } else if (auto* menu = dynamic_cast<TPopupMenu*>(component)) {
            TranslateMenu(menu->Items(), table);
        }
    }
}

}  // namespace dsp
