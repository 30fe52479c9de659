#pragma once
// TMemo: a text box of many lines in the classic look. Lines gives the text line by line (a
// final line break makes no empty last line); Text joins the lines with CR LF. With WordWrap
// long lines wrap at the box's width; ScrollBars adds scroll bars. Typing follows the edit
// box's rules (MaxLength limits typing only, ReadOnly, OnChange after every change, Text set
// by the program leaves the caret at the start); Enter starts a new line when WantReturns,
// Tab types a tab when WantTabs. A hidden memo keeps its text and nothing else.

#include <memory>
#include <vector>

#include "framework/controls/EditBuffer.h"
#include "framework/controls/StdControlTypes.h"
#include "framework/controls/WinControl.h"
#include "framework/core/FrameworkKey.h"
#include "framework/text/Strings.h"

namespace dsp {

class TScrollTracker;

class TCustomMemo : public TWinControl {
    DSP_PUBLISHED(TCustomMemo, TWinControl) {
        using P = Published<TCustomMemo>;
        return {
            P::Property("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment)
                .Default(taLeftJustify),
            P::Property("BorderStyle", &TCustomMemo::BorderStyle, &TCustomMemo::SetBorderStyle)
                .Default(bsSingle),
            P::Property("HideSelection", &TCustomMemo::HideSelection,
                        &TCustomMemo::SetHideSelection)
                .Default(true),
            P::Property("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines),
            P::Property("MaxLength", &TCustomMemo::MaxLength, &TCustomMemo::SetMaxLength)
                .Default(0),
            P::Property("ReadOnly", &TCustomMemo::ReadOnly, &TCustomMemo::SetReadOnly)
                .Default(false),
            P::Property("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars)
                .Default(ssNone),
            P::Property("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns)
                .Default(true),
            P::Property("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs)
                .Default(false),
            P::Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)
                .Default(true),
        };
    }

public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* value);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    int SelStart() const { return buffer_.SelStart(); }
    void SetSelStart(int value);
    int SelLength() const { return buffer_.SelLength(); }
    void SetSelLength(int value);
    std::string SelText() const { return buffer_.SelText(); }
    void SelectAll();
    void Clear() { SetText(""); }
    // The caret as (column, line) of Lines.
    TPoint CaretPos() const;
    void SetCaretPos(TPoint value);
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    // The first row shown (rows are the wrapped lines).
    int TopRow() const { return topRow_; }
    void SetTopRow(int value);
    int RowCount() const;
    int VisibleRows() const;

    TNotifyEvent OnChange;

    // The line model behind Lines, and the notice that Lines changed it.
    EditBuffer& Buffer(TFrameworkKey) { return buffer_; }
    void TextChangedByLines(TFrameworkKey);

protected:
    virtual void Change();
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void PaintWindow(TCanvas& canvas) override;
    bool WheelScroll(int rows) override;

private:
    struct Row {
        int start;  // character positions in the buffer
        int end;    // without the line break
    };
    const std::vector<Row>& Rows() const;
    void RowsChanged() { rowsValid_ = false; }
    int RowOf(int pos) const;
    TRect TextRect() const;
    TRect VerticalBar() const;
    int LineHeight() const;
    int XOf(int pos) const;
    int PosAt(TPoint p) const;
    void CaretMoved();
    void MakeCaretVisible();
    void UserChanged();
    bool TypeText(const std::string& text);
    void HandleKeyDown(unsigned key, TShiftState shift);
    void CharTyped(char16_t ch);
    void MoveVertically(int rows, bool extend);

    EditBuffer buffer_;
    TTypedUnits typed_;
    std::unique_ptr<TStrings> lines_;
    std::unique_ptr<TScrollTracker> scroll_;
    mutable std::vector<Row> rows_;
    mutable bool rowsValid_ = false;
    mutable int rowsWidth_ = -1;
    TAlignment alignment_ = taLeftJustify;
    TBorderStyle borderStyle_ = bsSingle;
    bool hideSelection_ = true;
    int maxLength_ = 0;
    bool readOnly_ = false;
    TScrollStyle scrollBars_ = ssNone;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    bool wordWrap_ = true;
    bool modified_ = false;
    bool selecting_ = false;
    int topRow_ = 0;
    int desiredX_ = -1;  // the column kept while moving up and down
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};

}  // namespace dsp
