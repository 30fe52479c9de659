#include "plot/engine/iPlotToolBar.h"

#include <cmath>

#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataCursor.h"

namespace dsp {

// ---- buttons

TiPlotToolBarButton::TiPlotToolBarButton(TiPlotToolBar* toolBar, TiPlotToolBarButtonStyle style,
                                         TiPlotToolBarButtonType type, int group, std::string hint,
                                         std::string largeImage, std::string smallImage)
    : TiPlotButton(toolBar->Owner()),
      FHint(std::move(hint)),
      FStyle(style),
      type_(type),
      FImageName(largeImage),
      largeImage_(std::move(largeImage)),
      smallImage_(std::move(smallImage)),
      FToolBar(toolBar) {
    SetGroupIndex(group);
}

void TiPlotToolBarButton::UseSmallImage(bool small) {
    FImageName = small ? smallImage_ : largeImage_;
    FImageIndex = -1;
}

// ---- toolbar

namespace {

struct TButtonEntry {
    TiPlotToolBarButtonStyle style;
    TiPlotToolBarButtonType type;
    int group;
    const char* hint;
    const char* large;
    const char* small;
};

// clang-format off
constexpr TButtonEntry kEntries[] = {
    {iptbbsButton, iptbbtResume, 0, "Resume All (Tracking)", "AUTO", "SMALLAUTO"},
    {iptbbsButton, iptbbtPause, 0, "Pause All (Tracking)", "PAUSE", "SMALLPAUSE"},
    {iptbbsSpacer, iptbbtResume, 0, "", "", ""},
    {iptbbsButton, iptbbtScrollAxesMode, 2, "Scroll (Axes)", "SCROLL", "SMALLSCROLL"},
    {iptbbsButton, iptbbtZoomAxesMode, 2, "Zoom (Axes)", "ZOOM", "SMALLZOOM"},
    {iptbbsSpacer, iptbbtResume, 0, "", "", ""},
    {iptbbsButton, iptbbtZoomOut, 0, "Zoom Out All Axes", "ZOOMOUT", "SMALLZOOMOUT"},
    {iptbbsButton, iptbbtZoomIn, 0, "Zoom In All Axes", "ZOOMIN", "SMALLZOOMIN"},
    {iptbbsSpacer, iptbbtResume, 0, "", "", ""},
    {iptbbsButton, iptbbtSelect, -1, "Select", "SELECT", "SMALLSELECT"},
    {iptbbsButton, iptbbtZoomBox, -1, "Zoom Box", "SCROLLBOX", "SMALLSCROLLBOX"},
    {iptbbsButton, iptbbtCursor, -2, "Cursor", "CURSOR", "SMALLCURSOR"},
    {iptbbsSpacer, iptbbtResume, 0, "", "", ""},
    {iptbbsButton, iptbbtEdit, 0, "Properties", "PROPERTIES", "SMALLPROPERTIES"},
    {iptbbsSpacer, iptbbtResume, 0, "", "", ""},
    {iptbbsButton, iptbbtCopy, 0, "Copy to Clipboard", "COPY", "SMALLCOPY"},
    {iptbbsButton, iptbbtSave, 0, "Save to File", "SAVE", "SMALLSAVE"},
    {iptbbsButton, iptbbtPrint, 0, "Print", "PRINTER", "SMALLPRINTER"},
    {iptbbsButton, iptbbtPreview, 0, "Preview", "PREVIEW", "SMALLPREVIEW"},
};
// clang-format on

}  // namespace

TiPlotToolBar::TiPlotToolBar(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                             TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotLayoutObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                         std::move(onRename)),
      FImageList(std::make_unique<TImageList>(nullptr)) {
    FImageList->SetSize(24, 24);
    SetHorizontal(true);
    for (const TButtonEntry& e : kEntries) {
        auto button = std::make_unique<TiPlotToolBarButton>(this, e.style, e.type, e.group, e.hint,
                                                            e.large, e.small);
        TiPlotToolBarButton* b = button.get();
        if (e.style == iptbbsButton) {
            b->OnInvalidate = [this](TObject*) { InvalidateNow(); };
            b->OnGroupClick = [this, b](TObject*) { GroupClick(b); };
            b->OnClick = [this, type = e.type](TObject*) {
                switch (type) {
                    case iptbbtResume: DoButtonClickResume(); break;
                    case iptbbtPause: DoButtonClickPause(); break;
                    case iptbbtScrollAxesMode: DoButtonClickScrollAxesMode(); break;
                    case iptbbtZoomAxesMode: DoButtonClickZoomAxesMode(); break;
                    case iptbbtZoomIn: DoButtonClickZoomIn(); break;
                    case iptbbtZoomOut: DoButtonClickZoomOut(); break;
                    case iptbbtSelect: DoButtonClickSelect(); break;
                    case iptbbtZoomBox: DoButtonClickZoomBox(); break;
                    case iptbbtCursor: DoButtonClickCursor(); break;
                    case iptbbtEdit: DoButtonClickEdit(); break;
                    case iptbbtCopy: DoButtonClickCopy(); break;
                    case iptbbtSave: DoButtonClickSave(); break;
                    case iptbbtPrint: DoButtonClickPrint(); break;
                    case iptbbtPreview: DoButtonClickPreview(); break;
                    default: break;
                }
            };
        }
        FButtonList.push_back(std::move(button));
    }
    Button(iptbbtScrollAxesMode)->SetDown(true);
    for (TiPlotToolBarButtonType type : {iptbbtCursor, iptbbtZoomBox, iptbbtSelect}) {
        Button(type)->OnDownChange = [this](TObject*) { DoChange(); };
    }
    Button(iptbbtSelect)->SetVisible(false);
    Button(iptbbtPreview)->SetVisible(false);
    ApplyButtonSize();
}

TiPlotToolBar::~TiPlotToolBar() = default;

TiPlotToolBarButton* TiPlotToolBar::Button(TiPlotToolBarButtonType type) const {
    for (const auto& b : FButtonList) {
        if (b->Style() == iptbbsButton && b->ButtonType() == type) return b.get();
    }
    return nullptr;
}

bool TiPlotToolBar::Shown(TiPlotToolBarButtonType type) const { return Button(type)->Visible(); }

void TiPlotToolBar::Show(std::initializer_list<TiPlotToolBarButtonType> types, bool value) {
    for (TiPlotToolBarButtonType type : types) Button(type)->SetVisible(value);
    DoChange();
}

int TiPlotToolBar::GetRequiredWidth(TCanvas*) { return FSmallButtons ? 28 : 36; }

TiPlotObject* TiPlotToolBar::SetMouseOverObject(int x, int y) {
    TiPlotLayoutObject::SetMouseOverObject(x, y);
    for (const auto& b : FButtonList) {
        if (b->Visible() && PtInRect(b->DrawRect(), {x, y})) return b.get();
    }
    return this;
}

bool TiPlotToolBar::OwnsButton(const TiPlotObject* object) const {
    for (const auto& b : FButtonList) {
        if (b.get() == object) return true;
    }
    return false;
}

void TiPlotToolBar::NotificationSetFocus(TiPlotObject* sender) {
    if (sender != this && sender != nullptr && sender->UserSelected()) SetUserSelected(false);
}

void TiPlotToolBar::ClearPopupMenuItems(TPopupMenu* popupMenu) {
    TiPlotLayoutObject::ClearPopupMenuItems(popupMenu);
    AddEditMenuItem(popupMenu);
}

bool TiPlotToolBar::CursorActive() const { return Button(iptbbtCursor)->Down(); }
bool TiPlotToolBar::ZoomBoxActive() const { return Button(iptbbtZoomBox)->Down(); }
bool TiPlotToolBar::SelectActive() const { return Button(iptbbtSelect)->Down(); }

void TiPlotToolBar::TurnOffCursor() { Button(iptbbtCursor)->SetDown(false); }

void TiPlotToolBar::GroupClick(TiPlotToolBarButton* button) {
    for (const auto& b : FButtonList) {
        if (b.get() != button && b->GroupIndex() == button->GroupIndex()) b->SetDown(false);
    }
}

void TiPlotToolBar::SetZoomInOutFactor(double value) {
    if (!(value >= 1)) value = 1;
    SetDoubleProperty(value, FZoomInOutFactor, &T::DoChange);
}

void TiPlotToolBar::SetFlatButtons(bool value) {
    if (value == FFlatButtons) return;
    FFlatButtons = value;
    for (const auto& b : FButtonList) b->SetFlat(value);
    DoChange();
}

void TiPlotToolBar::SetSmallButtons(bool value) {
    if (value == FSmallButtons) return;
    FSmallButtons = value;
    ApplyButtonSize();
    DoChange();
}

void TiPlotToolBar::ApplyButtonSize() {
    for (const auto& b : FButtonList) b->UseSmallImage(FSmallButtons);
    FImageList->Clear();
    const int size = FSmallButtons ? 16 : 24;
    FImageList->SetSize(size, size);
}

// ---- actions

bool TiPlotToolBar::BeforeClick(TiPlotToolBarButtonType type) {
    bool cancel = false;
    if (Plot() != nullptr) Plot()->DoBeforeToolBarButtonClick(this, type, cancel);
    return cancel;
}

void TiPlotToolBar::AfterClick(TiPlotToolBarButtonType type) {
    if (Plot() != nullptr) Plot()->DoToolBarButtonClick(this, type);
}

template <typename F>
void TiPlotToolBar::ForEachAxis(F&& f) {
    if (Plot() == nullptr) return;
    for (int i = 0; i < Plot()->XAxisCount(); ++i) f(static_cast<TiPlotAxis*>(Plot()->GetXAxis(i)));
    for (int i = 0; i < Plot()->YAxisCount(); ++i) f(static_cast<TiPlotAxis*>(Plot()->GetYAxis(i)));
}

void TiPlotToolBar::DoButtonClickResume() {
    if (BeforeClick(iptbbtResume)) return;
    if (CursorActive()) DoButtonClickCursor();
    if (SelectActive()) DoButtonClickSelect();
    if (Plot() != nullptr) {
        Plot()->GetObjectManager()->ClearAllUserSelections();
        Plot()->EnableAllTracking();
    }
    AfterClick(iptbbtResume);
}

void TiPlotToolBar::DoButtonClickPause() {
    if (BeforeClick(iptbbtPause)) return;
    if (Plot() != nullptr) Plot()->DisableAllTracking();
    AfterClick(iptbbtPause);
}

void TiPlotToolBar::DoButtonClickScrollAxesMode() {
    if (BeforeClick(iptbbtScrollAxesMode)) return;
    Button(iptbbtScrollAxesMode)->SetDown(true);
    Button(iptbbtZoomAxesMode)->SetDown(false);
    ForEachAxis([](TiPlotAxis* axis) { axis->SetMode(ipamScroll); });
    AfterClick(iptbbtScrollAxesMode);
}

void TiPlotToolBar::DoButtonClickZoomAxesMode() {
    if (BeforeClick(iptbbtZoomAxesMode)) return;
    Button(iptbbtZoomAxesMode)->SetDown(true);
    Button(iptbbtScrollAxesMode)->SetDown(false);
    ForEachAxis([](TiPlotAxis* axis) { axis->SetMode(ipamZoom); });
    AfterClick(iptbbtZoomAxesMode);
}

void TiPlotToolBar::DoButtonClickZoomOut() {
    if (BeforeClick(iptbbtZoomOut)) return;
    DoButtonClickPause();
    ForEachAxis([this](TiPlotAxis* axis) {
        axis->Zoom(axis->ScaleType() == ipstLinear ? FZoomInOutFactor : 1);
    });
    AfterClick(iptbbtZoomOut);
}

void TiPlotToolBar::DoButtonClickZoomIn() {
    if (BeforeClick(iptbbtZoomIn)) return;
    DoButtonClickPause();
    ForEachAxis([this](TiPlotAxis* axis) {
        axis->Zoom(axis->ScaleType() == ipstLinear ? 1 / FZoomInOutFactor : -1);
    });
    AfterClick(iptbbtZoomIn);
}

void TiPlotToolBar::DoButtonClickEdit() {
    // The editor stays open as long as the user edits: no event after it.
    if (BeforeClick(iptbbtEdit)) return;
    if (Plot() != nullptr) Plot()->Master()->EditProperties();
}

void TiPlotToolBar::DoButtonClickCopy() {
    if (BeforeClick(iptbbtCopy)) return;
    if (Plot() != nullptr) Plot()->CopyToClipBoard();
    AfterClick(iptbbtCopy);
}

void TiPlotToolBar::DoButtonClickSave() {
    if (BeforeClick(iptbbtSave)) return;
    if (Plot() != nullptr) Plot()->Save();
    AfterClick(iptbbtSave);
}

void TiPlotToolBar::DoButtonClickPrint() {
    if (BeforeClick(iptbbtPrint)) return;
    if (Plot() != nullptr) Plot()->PrintChart();
    AfterClick(iptbbtPrint);
}

void TiPlotToolBar::DoButtonClickPreview() {
    if (BeforeClick(iptbbtPreview)) return;
    if (Plot() != nullptr) Plot()->PreviewChart();
    AfterClick(iptbbtPreview);
}

void TiPlotToolBar::DoButtonClickSelect() {
    if (BeforeClick(iptbbtSelect)) return;
    TiPlotToolBarButton* select = Button(iptbbtSelect);
    select->SetDown(!select->Down());
    Button(iptbbtZoomBox)->SetDown(false);
    if (select->Down() && Plot() != nullptr) Plot()->DisableAllTracking();
    AfterClick(iptbbtSelect);
}

void TiPlotToolBar::DoButtonClickZoomBox() {
    if (BeforeClick(iptbbtZoomBox)) return;
    Button(iptbbtSelect)->SetDown(false);
    TiPlotToolBarButton* zoomBox = Button(iptbbtZoomBox);
    zoomBox->SetDown(!zoomBox->Down());
    AfterClick(iptbbtZoomBox);
}

void TiPlotToolBar::DoButtonClickCursor() {
    if (BeforeClick(iptbbtCursor)) return;
    TiPlotToolBarButton* cursor = Button(iptbbtCursor);
    cursor->SetDown(!cursor->Down());
    if (Plot() != nullptr) {
        for (int i = 0; i < Plot()->DataCursorCount(); ++i) {
            Plot()->GetDataCursor(i)->SetVisible(cursor->Down());
        }
        if (cursor->Down()) {
            Plot()->DisableAllTracking();
            if (Plot()->DataCursorCount() > 0) Plot()->GetDataCursor(0)->SetUserSelected(true);
        }
    }
    AfterClick(iptbbtCursor);
}

}  // namespace dsp
