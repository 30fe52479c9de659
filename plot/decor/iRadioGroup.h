#pragma once
// TiRadioGroup: the plot engine's owner-drawn radio group: a captioned frame holding its items
// column by column, each with a round glyph, on the see-through background of the component
// family. A press and a release on the same item select it (the pressed look follows the
// pointer meanwhile); the arrow keys step through the items, wrapping at the ends.
//
// Hit tests (GetItemAt) use the layout of the last paint.

#include <memory>
#include <string>

#include "framework/graphics/Font.h"
#include "framework/text/StringList.h"
#include "plot/engine/iVCLComponent.h"

namespace dsp {

class TiRadioGroup : public TiCustomComponent {
    DSP_PUBLISHED(TiRadioGroup, TiCustomComponent) {
        using P = Published<TiRadioGroup>;
        return {
            P::Property("Caption", &TiRadioGroup::Caption, &TiRadioGroup::SetCaption),
            P::Property("Font", &TiRadioGroup::Font, &TiRadioGroup::SetFont),
            P::Property("Items", &TiRadioGroup::Items, &TiRadioGroup::SetItems),
            P::Property("ItemIndex", &TiRadioGroup::ItemIndex, &TiRadioGroup::SetItemIndex),
            P::Property("Columns", &TiRadioGroup::Columns, &TiRadioGroup::SetColumns).Default(1),
            P::Property("BackGroundColor", &TiRadioGroup::GetBackGroundColor,
                        &TiRadioGroup::SetBackGroundColor)
                .Default(clBtnFace),
        };
    }

public:
    explicit TiRadioGroup(TComponent* owner);
    ~TiRadioGroup() override;

    // The caption is the control's text, so texts set by name or translated reach it.
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(value); }
    int ItemIndex() const { return FItemIndex; }
    // Clamped to -1 .. Count - 1; a change repaints and fires the change events.
    void SetItemIndex(int value);
    int Columns() const { return FColumns; }
    // Values below 1 are ignored.
    void SetColumns(int value);

    // The item under the point by the last paint's layout; may lie outside 0 .. Count - 1.
    int GetItemAt(int x, int y) const;

    // Fired by every change of ItemIndex (not while loading): OnChangeProtected("ItemIndex"),
    // OnChange, and OnChangeUser when the user selected with the mouse.
    TNotifyEvent OnChange;
    TNotifyEvent OnChangeUser;

    void PaintToCanvas(TCanvas* canvas) override;
    void iWantSpecialKey(TKeyCode& charCode, LRESULT& result) override;
    void iKeyDown(TKeyCode& key, TShiftState shift) override;
    void iKeyUp(TKeyCode& key, TShiftState shift) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseMove(TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void GainFocus() override;
    void LoseFocus() override;

    int MouseDownIndex() const { return FMouseDownIndex; }
    int MaxRows() const { return FMaxRows; }

protected:
    virtual void DoChange();
    void Dispatch(TMessage& message) override;

private:
    void ItemsChange();

    bool FMouseDown = false;
    int FMouseDownIndex = 0;
    bool FKeyDown = false;
    bool FUserGenerated = false;
    int FItemsRowStart = 0;
    double FItemsRowSpacing = 1;
    int FItemsColStart = 14;
    double FItemsColSpacing = 1;
    int FMaxRows = 1;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TStringList> FItems;
    int FItemIndex = 0;
    int FColumns = 1;
};

}  // namespace dsp
