#include "plot/engine/iPlotComponent.h"

#include "framework/core/Exceptions.h"
#include "framework/desktop/Metafile.h"
#include "framework/graphics/Picture.h"
#include "plot/engine/iPlotAnnotation.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotDataCursor.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotLimit.h"
#include "plot/engine/iPlotTable.h"

namespace dsp {

TiPlotComponent::TiPlotComponent(TComponent* owner) : TiCustomComponent(owner) {
    SetBounds(Left(), Top(), 500, 200);
    SetBackGroundColor(clBlack);
    SetBorderStyle(ibsLowered);
    SetUpdateFrameRate(60);
    SetAutoFrameRate(true);

    FMaster = std::make_unique<TiPlotMasterManager>(this);
    FMaster->OnChange = [this](TObject* s) { ObjectChanged(s); };
    FMaster->OnRemove = [this](TObject* s) { ObjectRemoved(s); };
    FMaster->OnInsert = [this](TObject* s) { ObjectInserted(s); };
    FMaster->OnInvalidateNow = [this](TObject*) { RepaintNow(); };

    FPopupMenu = new TPopupMenu(this);
    FHintsFont = std::make_unique<TFont>();
    for (auto& list : imageLists_) {
        list = std::make_unique<TImageList>(nullptr);
        list->SetSize(24, 24);
    }
    annotationDefaultFont_ = std::make_unique<TFont>();
    annotationDefaultFont_->SetColor(clWhite);

    FMaster->SetUserCanEditObjects(true);
    OnInternalTimer = [this](TObject*) { HintTimerFired(); };
}

TiPlotComponent::~TiPlotComponent() {
    FMouseDownObject = nullptr;
    FLastMouseOverObject = nullptr;
    FLastMouseClickObject = nullptr;
    FLastHintObject = nullptr;
    FAxesCollisionList.clear();
    // The objects go without notifications: the plot is going.
    FMaster->OnChange = nullptr;
    FMaster->OnRemove = nullptr;
    FMaster->OnInsert = nullptr;
    FMaster->OnInvalidateNow = nullptr;
    if (FMaster->ObjectManager() != nullptr) FMaster->ObjectManager()->ShutDownSetup();
    FMaster.reset();
}

// ---- notifications from the master

int TiPlotComponent::IndexOf(const TiPlotObject* object) const {
    if (object == nullptr || !FMaster) return -1;
    switch (object->Kind()) {
        case TiPlotObjectKind::ToolBar: return FMaster->ToolBarManager()->GetIndex(object);
        case TiPlotObjectKind::Legend: return FMaster->LegendManager()->GetIndex(object);
        case TiPlotObjectKind::Table: return FMaster->TableManager()->GetIndex(object);
        case TiPlotObjectKind::XAxis: return FMaster->XAxisManager()->GetIndex(object);
        case TiPlotObjectKind::YAxis: return FMaster->YAxisManager()->GetIndex(object);
        case TiPlotObjectKind::Channel: return FMaster->ChannelManager()->GetIndex(object);
        case TiPlotObjectKind::DataView: return FMaster->DataViewManager()->GetIndex(object);
        case TiPlotObjectKind::DataCursor: return FMaster->DataCursorManager()->GetIndex(object);
        case TiPlotObjectKind::Limit: return FMaster->LimitManager()->GetIndex(object);
        case TiPlotObjectKind::Label: return FMaster->LabelManager()->GetIndex(object);
        case TiPlotObjectKind::Annotation: return FMaster->AnnotationManager()->GetIndex(object);
        default: return -1;
    }
}

void TiPlotComponent::ObjectInserted(TObject* object) {
    auto* plotObject = dynamic_cast<TiPlotObject*>(object);
    if (plotObject == nullptr) return;
    TiPlotObjectIndexEvent* add = EventsOf(plotObject->Kind()).add;
    if (add != nullptr && *add) (*add)(IndexOf(plotObject));
}

void TiPlotComponent::ObjectRemoved(TObject* object) {
    auto* plotObject = dynamic_cast<TiPlotObject*>(object);
    if (plotObject == nullptr) return;
    // The object, or one of its buttons, which go with it.
    const auto going = [plotObject](const TiPlotObject* o) {
        return o != nullptr && (o == plotObject || plotObject->OwnsButton(o));
    };
    if (going(FMouseDownObject)) FMouseDownObject = nullptr;
    if (going(FLastMouseOverObject)) FLastMouseOverObject = nullptr;
    if (going(FLastMouseClickObject)) FLastMouseClickObject = nullptr;
    if (going(FLastHintObject)) FLastHintObject = nullptr;
    TiPlotObjectIndexEvent* remove = EventsOf(plotObject->Kind()).remove;
    if (remove != nullptr && *remove) (*remove)(IndexOf(plotObject));
}

void TiPlotComponent::ObjectChanged(TObject*) { RequestRepaint(); }

// ---- adding, deleting, finding

int TiPlotComponent::AddChannel() { return FMaster->AddChannel(); }
int TiPlotComponent::AddDataView() { return FMaster->AddDataView(); }
int TiPlotComponent::AddDataCursor() { return FMaster->AddDataCursor(); }
int TiPlotComponent::AddXAxis() { return FMaster->AddXAxis(); }
int TiPlotComponent::AddYAxis() { return FMaster->AddYAxis(); }
int TiPlotComponent::AddLegend() { return FMaster->AddLegend(); }
int TiPlotComponent::AddTable() { return FMaster->AddTable(); }
int TiPlotComponent::AddToolBar() { return FMaster->AddToolBar(); }
int TiPlotComponent::AddLimit() { return FMaster->AddLimit(); }
int TiPlotComponent::AddLabel() { return FMaster->AddLabel(); }

int TiPlotComponent::AddAnnotation() {
    const int index = FMaster->AddAnnotation();
    TiPlotAnnotation* annotation = GetAnnotation(index);
    annotation->SetBrushStyle(annotationDefaultBrushStyle_);
    annotation->SetBrushColor(annotationDefaultBrushColor_);
    annotation->SetPenStyle(annotationDefaultPenStyle_);
    annotation->SetPenColor(annotationDefaultPenColor_);
    annotation->SetPenWidth(FAnnotationDefaultPenWidth);
    annotation->SetReference(annotationDefaultReference_);
    annotation->SetReferencePositionX(annotationDefaultReferencePositionX_);
    annotation->SetReferencePositionY(annotationDefaultReferencePositionY_);
    annotation->SetReferenceSizeX(annotationDefaultReferenceSizeX_);
    annotation->SetReferenceSizeY(FAnnotationDefaultReferenceSizeY);
    annotation->SetFont(annotationDefaultFont_.get());
    return index;
}

int TiPlotComponent::AddTranslation(const std::string& originalString,
                                    const std::string& replacementString) {
    const int index = FMaster->AddTranslation();
    TiPlotTranslationObject* pair = FMaster->TranslationManager()->GetItem(index);
    pair->SetOriginalString(originalString);
    pair->SetReplacementString(replacementString);
    return index;
}

void TiPlotComponent::DeleteFrom(TiPlotObjectOwnedManager* manager, int index) {
    TiPlotObject::FreeObject(manager->GetPlotObject(index));
}

void TiPlotComponent::ClearManager(TiPlotObjectOwnedManager* manager) {
    manager->Clear();
    RepaintNow();
}

#define DSP_PLOT_DELETE(Name, K)                    \
    void TiPlotComponent::Delete##Name(int index) { \
        DeleteFrom(FMaster->K##Manager(), index);   \
        RepaintNow();                               \
    }
DSP_PLOT_DELETE(ToolBar, ToolBar)
DSP_PLOT_DELETE(Legend, Legend)
DSP_PLOT_DELETE(Table, Table)
DSP_PLOT_DELETE(XAxis, XAxis)
DSP_PLOT_DELETE(YAxis, YAxis)
DSP_PLOT_DELETE(DataView, DataView)
DSP_PLOT_DELETE(DataCursor, DataCursor)
DSP_PLOT_DELETE(Channel, Channel)
DSP_PLOT_DELETE(Annotation, Annotation)
DSP_PLOT_DELETE(Limit, Limit)
#undef DSP_PLOT_DELETE

void TiPlotComponent::DeleteLabel(int index) {
    if (index == 0) throw Exception("Label Index 0 can not be Deleted (Resevered for Title)");
    DeleteFrom(FMaster->LabelManager(), index);
}

void TiPlotComponent::DeleteTranslation(int index) {
    FMaster->TranslationManager()->Delete(index);
    RepaintNow();
}

void TiPlotComponent::RemoveAllToolBars() { ClearManager(FMaster->ToolBarManager()); }
void TiPlotComponent::RemoveAllLegends() { ClearManager(FMaster->LegendManager()); }
void TiPlotComponent::RemoveAllTables() { ClearManager(FMaster->TableManager()); }
void TiPlotComponent::RemoveAllXAxes() { ClearManager(FMaster->XAxisManager()); }
void TiPlotComponent::RemoveAllYAxes() { ClearManager(FMaster->YAxisManager()); }
void TiPlotComponent::RemoveAllDataViews() { ClearManager(FMaster->DataViewManager()); }
void TiPlotComponent::RemoveAllDataCursors() { ClearManager(FMaster->DataCursorManager()); }
void TiPlotComponent::RemoveAllChannels() { ClearManager(FMaster->ChannelManager()); }
void TiPlotComponent::RemoveAllAnnotations() { ClearManager(FMaster->AnnotationManager()); }
void TiPlotComponent::RemoveAllLimits() { ClearManager(FMaster->LimitManager()); }

void TiPlotComponent::RemoveAllLabels() {
    while (LabelCount() > 1) DeleteFrom(FMaster->LabelManager(), 1);
}

void TiPlotComponent::RemoveAllTranslations() {
    FMaster->TranslationManager()->Clear();
    RepaintNow();
}

int TiPlotComponent::ChannelCount() const { return FMaster->ChannelManager()->GetCount(); }
int TiPlotComponent::DataViewCount() const { return FMaster->DataViewManager()->GetCount(); }
int TiPlotComponent::DataCursorCount() const { return FMaster->DataCursorManager()->GetCount(); }
int TiPlotComponent::LegendCount() const { return FMaster->LegendManager()->GetCount(); }
int TiPlotComponent::TableCount() const { return FMaster->TableManager()->GetCount(); }
int TiPlotComponent::ToolBarCount() const { return FMaster->ToolBarManager()->GetCount(); }
int TiPlotComponent::XAxisCount() const { return FMaster->XAxisManager()->GetCount(); }
int TiPlotComponent::YAxisCount() const { return FMaster->YAxisManager()->GetCount(); }
int TiPlotComponent::LimitCount() const { return FMaster->LimitManager()->GetCount(); }
int TiPlotComponent::LabelCount() const { return FMaster->LabelManager()->GetCount(); }
int TiPlotComponent::AnnotationCount() const { return FMaster->AnnotationManager()->GetCount(); }
int TiPlotComponent::TranslationCount() const { return FMaster->TranslationManager()->Count(); }

TiPlotChannelCustom* TiPlotComponent::GetChannel(int index) const {
    return FMaster->ChannelManager()->GetItem(index);
}
TiPlotXAxis* TiPlotComponent::GetXAxis(int index) const {
    return FMaster->XAxisManager()->GetItem(index);
}
TiPlotYAxis* TiPlotComponent::GetYAxis(int index) const {
    return FMaster->YAxisManager()->GetItem(index);
}
TiPlotToolBar* TiPlotComponent::GetToolBar(int index) const {
    return FMaster->ToolBarManager()->GetItem(index);
}
TiPlotDataCursor* TiPlotComponent::GetDataCursor(int index) const {
    return FMaster->DataCursorManager()->GetItem(index);
}
TiPlotLegend* TiPlotComponent::GetLegend(int index) const {
    return FMaster->LegendManager()->GetItem(index);
}
TiPlotTable* TiPlotComponent::GetTable(int index) const {
    return FMaster->TableManager()->GetItem(index);
}
TiPlotDataView* TiPlotComponent::GetDataView(int index) const {
    return FMaster->DataViewManager()->GetItem(index);
}
TiPlotLimit* TiPlotComponent::GetLimit(int index) const {
    return FMaster->LimitManager()->GetItem(index);
}
TiPlotLabel* TiPlotComponent::GetLabel(int index) const {
    return FMaster->LabelManager()->GetItem(index);
}
TiPlotAnnotation* TiPlotComponent::GetAnnotation(int index) const {
    return FMaster->AnnotationManager()->GetItem(index);
}

std::string TiPlotComponent::GetTranslationOriginalString(int index) const {
    return FMaster->TranslationManager()->GetItem(index)->OriginalString();
}

std::string TiPlotComponent::GetTranslationReplacementString(int index) const {
    return FMaster->TranslationManager()->GetItem(index)->ReplacementString();
}

#define DSP_PLOT_BY_NAME(Name, K, Type)                                           \
    Type* TiPlotComponent::Get##Name##ByName(const std::string& value) const {    \
        return static_cast<Type*>(FMaster->K##Manager()->GetObjectByName(value)); \
    }                                                                             \
    int TiPlotComponent::Get##Name##IndexByName(const std::string& value) const { \
        return FMaster->K##Manager()->GetIndexByName(value);                      \
    }
DSP_PLOT_BY_NAME(Channel, Channel, TiPlotChannelCustom)
DSP_PLOT_BY_NAME(XAxis, XAxis, TiPlotXAxis)
DSP_PLOT_BY_NAME(YAxis, YAxis, TiPlotYAxis)
DSP_PLOT_BY_NAME(DataCursor, DataCursor, TiPlotDataCursor)
DSP_PLOT_BY_NAME(DataView, DataView, TiPlotDataView)
DSP_PLOT_BY_NAME(Label, Label, TiPlotLabel)
DSP_PLOT_BY_NAME(Legend, Legend, TiPlotLegend)
DSP_PLOT_BY_NAME(Table, Table, TiPlotTable)
DSP_PLOT_BY_NAME(Limit, Limit, TiPlotLimit)
DSP_PLOT_BY_NAME(ToolBar, ToolBar, TiPlotToolBar)
DSP_PLOT_BY_NAME(Annotation, Annotation, TiPlotAnnotation)
#undef DSP_PLOT_BY_NAME

TiPlotObjectManager* TiPlotComponent::GetObjectManager() const {
    return FMaster ? FMaster->ObjectManager() : nullptr;
}

TiPlotTranslationManager* TiPlotComponent::GetTranslationManager() const {
    return FMaster ? FMaster->TranslationManager() : nullptr;
}

TImageList* TiPlotComponent::GetImageList(int index) const {
    if (index < 0 || index >= static_cast<int>(imageLists_.size())) return nullptr;
    return imageLists_[static_cast<std::size_t>(index)].get();
}

void TiPlotComponent::DisableLayoutManager() { FMaster->LayoutManager()->SetEnabled(false); }
void TiPlotComponent::EnableLayoutManager() { FMaster->LayoutManager()->SetEnabled(true); }
void TiPlotComponent::RefreshLayoutManager() {
    FMaster->LayoutManager()->SetEnabled(false);
    FMaster->LayoutManager()->SetEnabled(true);
}

void TiPlotComponent::EnableAllTracking() {
    for (int i = 0; i < XAxisCount(); ++i) GetXAxis(i)->SetTrackingEnabled(true);
    for (int i = 0; i < YAxisCount(); ++i) GetYAxis(i)->SetTrackingEnabled(true);
}

void TiPlotComponent::DisableAllTracking() {
    for (int i = 0; i < XAxisCount(); ++i) GetXAxis(i)->SetTrackingEnabled(false);
    for (int i = 0; i < YAxisCount(); ++i) GetYAxis(i)->SetTrackingEnabled(false);
}

void TiPlotComponent::ClearAllData() {
    if (FLoggingActive) LogDeactivate();
    FMaster->ClearAllData();
}

// ---- settings

int TiPlotComponent::DataViewZHorz() const {
    return FMaster->LayoutManager()->DataViewHorz()->ZOrder();
}
void TiPlotComponent::SetDataViewZHorz(int value) {
    FMaster->LayoutManager()->DataViewHorz()->SetZOrder(value);
    FMaster->LayoutManager()->RebuildSideLists();
}
int TiPlotComponent::DataViewZVert() const {
    return FMaster->LayoutManager()->DataViewVert()->ZOrder();
}
void TiPlotComponent::SetDataViewZVert(int value) {
    FMaster->LayoutManager()->DataViewVert()->SetZOrder(value);
    FMaster->LayoutManager()->RebuildSideLists();
}

bool TiPlotComponent::XYAxesReverse() const { return FMaster->LayoutManager()->XYAxesReverse(); }
void TiPlotComponent::SetXYAxesReverse(bool value) { FMaster->SetXYAxesReverse(value); }
bool TiPlotComponent::UserCanEditObjects() const { return FMaster->UserCanEditObjects(); }
void TiPlotComponent::SetUserCanEditObjects(bool value) { FMaster->SetUserCanEditObjects(value); }

bool TiPlotComponent::TitleVisible() const {
    return LabelCount() > 0 ? GetLabel(0)->Visible() : false;
}
void TiPlotComponent::SetTitleVisible(bool value) {
    if (LabelCount() > 0) GetLabel(0)->SetVisible(value);
}
std::string TiPlotComponent::TitleText() const {
    return LabelCount() > 0 ? GetLabel(0)->Caption() : std::string();
}
void TiPlotComponent::SetTitleText(const std::string& value) {
    if (LabelCount() > 0) GetLabel(0)->SetCaption(value);
}
TFont* TiPlotComponent::TitleFont() const {
    return LabelCount() > 0 ? GetLabel(0)->Font() : Font();
}
void TiPlotComponent::SetTitleFont(TFont* value) {
    if (LabelCount() > 0) GetLabel(0)->SetFont(value);
}
double TiPlotComponent::TitleMargin() const {
    return LabelCount() > 0 ? GetLabel(0)->MarginBottom() : 0;
}
void TiPlotComponent::SetTitleMargin(double value) {
    if (LabelCount() > 0) GetLabel(0)->SetMarginBottom(value);
}

void TiPlotComponent::SetDataFileColumnSeparator(TiPlotDataFileColumnSeparator value) {
    if (value == FDataFileColumnSeparator) return;
    if (FLoggingActive) {
        throw Exception("Data File Column Seperator can not be changed while logging active");
    }
    FDataFileColumnSeparator = value;
}

void TiPlotComponent::SetDataFileFormat(TiPlotDataFileFormat value) {
    if (FLoggingActive) throw Exception("Data File Format can not be changed while logging active");
    FDataFileFormat = value;
}

}  // namespace dsp
