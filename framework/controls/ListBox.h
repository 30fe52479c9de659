#pragma once
// TListBox: a list of lines in the classic look. The rules the program relies on:
// - setting ItemIndex by program selects and shows the line and raises nothing; the user's
//   selection (mouse, arrows, a typed first letter) raises OnClick;
// - owner-drawn lists (lbOwnerDrawFixed with ItemHeight, lbOwnerDrawVariable with OnMeasureItem)
//   draw each line in OnDrawItem on Canvas, which comes prepared with the font, the line's
//   brush and text colour;
// - TopIndex is the first line shown; the list scrolls with its scroll bar, the wheel (three
//   lines a notch) and the keys;
// - with DragMode dmAutomatic a line can be dragged; the list accepts itself as the source when
//   OnDragOver (or a DragOver override) says so, and OnDragDrop receives the drop.
// The lines are kept by the list itself (Items), so a long list costs only its text.

#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/DragTypes.h"
#include "framework/controls/ItemStrings.h"
#include "framework/controls/WinControl.h"

namespace dsp {

class TScrollTracker;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
DSP_ENUM_NAMES(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable")

enum TOwnerDrawStateItem {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit,
};
using TOwnerDrawState = Set<TOwnerDrawStateItem>;

using TDrawItemEvent =
    std::function<void(TWinControl* control, int index, TRect rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TWinControl* control, int index, int& height)>;

class TCustomListBox : public TWinControl {
    DSP_PUBLISHED(TCustomListBox, TWinControl) {
        using P = Published<TCustomListBox>;
        return {
            P::Property("BorderStyle", &TCustomListBox::BorderStyle,
                        &TCustomListBox::SetBorderStyle)
                .Default(bsSingle),
            P::Property("DragMode", &TCustomListBox::DragMode, &TCustomListBox::SetDragMode)
                .Default(dmManual),
            P::Property("ExtendedSelect", &TCustomListBox::ExtendedSelect,
                        &TCustomListBox::SetExtendedSelect)
                .Default(true),
            P::Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight)
                .Default(13),
            P::Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems),
            P::Property("MultiSelect", &TCustomListBox::MultiSelect,
                        &TCustomListBox::SetMultiSelect)
                .Default(false),
            P::Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted)
                .Default(false),
            P::Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle)
                .Default(lbStandard),
        };
    }

public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* value);
    int Count() const { return items_->Count(); }
    void AddItem(const std::string& text, TObject* object) { items_->AddObject(text, object); }
    void Clear() { items_->Clear(); }
    void DeleteSelected();

    int ItemIndex() const { return itemIndex_; }
    // Selects (and shows) the line; raises nothing. -1 selects none.
    void SetItemIndex(int value);
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int value);

    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool value) { extendedSelect_ = value; }
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    void SelectAll();
    void ClearSelection();

    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle value);
    // The height of every line (the owner-drawn fixed style); standard lists take it from the
    // font.
    int ItemHeight() const;
    void SetItemHeight(int value);
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode value) { dragMode_ = value; }

    // The line at a client point; with existing only a line that is there, else -1; without,
    // the line the point would fall on (Count for below the last).
    int ItemAtPos(TPoint pos, bool existing) const;
    // Where a line is drawn (client coordinates); empty when it is not shown.
    TRect ItemRect(int index) const;
    // Lines that fit in the list.
    int VisibleCount() const;

    // The canvas OnDrawItem draws on.
    TCanvas* Canvas() const;

    // Starts a drag of the list as the source (DragMode dmManual callers).
    void BeginDrag();
    bool Dragging() const { return dragging_; }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TNotifyEvent OnStartDrag;
    TEndDragEvent OnEndDrag;

protected:
    // Draws one line: OnDrawItem when the list is owner-drawn and it is set, otherwise the
    // line's text in the canvas's colours.
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // Asked while a drag moves over the list: the default accepts what OnDragOver accepts.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void PaintWindow(TCanvas& canvas) override;
    bool WheelScroll(int rows) override;

    // The area the lines are drawn in (inside the border, left of the scroll bar).
    TRect ItemsRect() const;
    // The user's selection of a line: selects it and raises OnClick.
    void UserSelect(int index, TShiftState shift);

private:
    void ItemsChanged(TItemChange change, int index, int other);
    int LineHeight(int index) const;
    int RowsFrom(int top, int height) const;
    int MaxTopIndex() const;
    bool NeedsScrollBar() const;
    TRect ScrollBarRect() const;
    void MakeVisible(int index);
    void ClickKey(unsigned key, TShiftState shift);
    void TypeSearch(char16_t ch);
    void EndDrag(TPoint p, bool drop);

    std::unique_ptr<TItemStrings> items_;
    std::unique_ptr<TControlCanvas> canvas_;
    std::unique_ptr<TScrollTracker> scroll_;
    std::vector<bool> selected_;  // MultiSelect only, one per line
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 13;
    int itemIndex_ = -1;
    int topIndex_ = 0;
    int anchor_ = -1;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    TDragMode dragMode_ = dmManual;
    bool mouseSelecting_ = false;
    bool dragPending_ = false;
    bool dragging_ = false;
    bool dragAccepted_ = false;
    TPoint dragStart_;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};

}  // namespace dsp
