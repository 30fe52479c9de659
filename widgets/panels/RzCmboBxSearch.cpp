// The combo box's keyboard: the search string, the list styles' incremental search with its
// 1500 ms time-out, the editable styles' type-ahead completion, completion when the program sets
// the text, and the key-press rules.

#include <algorithm>

#include "framework/controls/EditBuffer.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "widgets/panels/RzCmboBx.h"

namespace dsp {

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kEnter = 13;
constexpr char16_t kEscape = 27;
constexpr char16_t kCtrlC = 3;
constexpr char16_t kCtrlV = 22;
constexpr char16_t kCtrlX = 24;

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

// ---- search string

std::string TRzCustomComboBox::SearchString() const { return CharsToUtf8(searchString_); }

void TRzCustomComboBox::ClearSearchString() { searchString_.clear(); }

void TRzCustomComboBox::Beep() {
    if (beepOnInvalidKey_) MessageBeep();
}

void TRzCustomComboBox::RestartSearchTimer() {
    timer_->SetEnabled(false);
    timer_->SetInterval(1500);
    timer_->SetEnabled(true);
}

void TRzCustomComboBox::SearchTimerFired() {
    if (keyCount_ != 0) return;
    timer_->SetEnabled(false);
    ClearSearchString();
}

bool TRzCustomComboBox::FindItem(const std::string& text) {
    const int index = IndexOf(text);
    if (index < 0) return false;
    SetItemIndex(index);
    return true;
}

bool TRzCustomComboBox::FindClosestItem(const std::string& text) {
    const int index = FindString(text);
    if (index < 0) return false;
    SetItemIndex(index);
    return true;
}

void TRzCustomComboBox::ForceText(const std::string& text) {
    if (Text() == text) return;
    completing_ = false;
    SetText(text);
    completing_ = true;
}

int TRzCustomComboBox::CaretPos() { return Field().Buffer().Caret(); }

// ---- key press rules

void TRzCustomComboBox::KeyDown(TKeyCode& key, TShiftState shift) {
    const bool alt = shift.Contains(ssAlt);
    if (ListStyle()) {
        if (readOnly_) {
            key = 0;
            return;
        }
        switch (key) {
            case VK_ESCAPE:
            case VK_PRIOR:
            case VK_NEXT:
            case VK_END:
            case VK_HOME:
            case VK_LEFT:
            case VK_UP:
            case VK_RIGHT:
            case VK_DOWN: ClearSearchString(); break;
            default: break;
        }
        TCustomComboBox::KeyDown(key, shift);
        return;
    }
    sysKeyDown_ = alt;
    if (alt && readOnly_ && key != VK_F4) {
        key = 0;
        return;
    }
    if (AutoComplete()) {
        switch (key) {
            case VK_PRIOR:
            case VK_NEXT:
            case VK_UP:
            case VK_DOWN:
                typing_ = true;
                ClearSearchString();
                if (readOnly_) key = 0;
                break;
            case VK_END:
            case VK_HOME:
            case VK_LEFT:
            case VK_RIGHT: searchString_ = Utf8ToChars(Text()); break;
            case VK_INSERT:
                if (shift.Contains(ssShift)) {
                    if (allowEdit_) {
                        pastePending_ = true;
                    } else {
                        key = 0;
                    }
                }
                break;
            case VK_DELETE: {
                std::u32string text = Utf8ToChars(Text());
                const int start = Field().Buffer().SelStart();
                const int length = std::max(Field().Buffer().SelLength(), 1);
                if (start < static_cast<int>(text.size())) {
                    text.erase(static_cast<std::size_t>(start),
                               static_cast<std::size_t>(
                                   std::min<int>(length, static_cast<int>(text.size()) - start)));
                }
                searchString_ = text;
                const bool allSelected = Field().Buffer().SelLength() == Field().Buffer().Length();
                if (!allowEdit_ && !allSelected) key = 0;
                break;
            }
            case VK_F4:
                if (readOnly_) key = 0;
                break;
            default: break;
        }
    }
    if (key != 0) TCustomComboBox::KeyDown(key, shift);
}

// The rules every typed key passes, then OnKeyPress, then AutoDropDown.
void TRzCustomComboBox::KeyPress(char16_t& key) {
    if (ListStyle()) {
        if (readOnly_) {
            key = 0;
            return;
        }
        if (key >= 32 && key <= 255) {
            ListSearchKey(key);
            return;
        }
        if (key == kBackspace) {
            ListBackspace(key);
            return;
        }
    } else {
        if (sysKeyDown_) {
            sysKeyDown_ = false;
        } else if (readOnly_) {
            if (tabOnEnter_ && key == kEnter && !DroppedDown() && HandleAllocated()) {
                PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
            }
            if (key != kCtrlC) key = 0;
            return;
        } else if (AutoComplete() && !IsSurrogate(key)) {
            EditableKey(key);
            return;
        }
    }
    char16_t typed = key;
    RaiseKeyPress(typed);
    key = typed;
}

void TRzCustomComboBox::RaiseKeyPress(char16_t& key) {
    if (tabOnEnter_ && key == kEnter && !DroppedDown()) {
        key = 0;
        if (HandleAllocated()) PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    if (Style() == csDropDown && MaxLength() > 0 && key >= 32 &&
        static_cast<int>(Utf8ToChars(Text()).size()) >= MaxLength() &&
        Field().Buffer().SelLength() == 0) {
        Beep();
        key = 0;
        return;
    }
    TCustomComboBox::KeyPress(key);
    if (AutoDropDown()) {
        if (key == VK_TAB) {
            if (DroppedDown()) SetDroppedDown(false);
        } else if (key != kBackspace && key != kEscape && !DroppedDown()) {
            SetDroppedDown(true);
        }
    }
}

// ---- list styles: incremental search

void TRzCustomComboBox::SelectFound(int index) {
    SetItemIndex(index);
    Click();
    Change();
}

void TRzCustomComboBox::ListSearchKey(char16_t& key) {
    keyCount_ = 1;
    std::u32string copy = searchString_;
    copy += static_cast<char32_t>(key);
    const int index = FindString(CharsToUtf8(copy));
    if (index >= 0) {
        SelectFound(index);
        searchString_ = copy;
        char16_t typed = key;
        RaiseKeyPress(typed);
    } else {
        Beep();
    }
    RestartSearchTimer();
    keyCount_ = 0;
    // The character never reaches the list itself.
    key = 0;
}

void TRzCustomComboBox::ListBackspace(char16_t& key) {
    char16_t typed = key;
    key = 0;
    if (searchString_.empty()) {
        Beep();
        return;
    }
    searchString_.pop_back();
    if (searchString_.empty()) {
        SetItemIndex(-1);
        Click();
        Change();
        ClearSearchString();
        RaiseKeyPress(typed);
        return;
    }
    const int index = FindString(CharsToUtf8(searchString_));
    if (index >= 0) {
        SelectFound(index);
        RaiseKeyPress(typed);
    } else {
        Beep();
    }
}

// ---- editable styles: type-ahead completion

bool TRzCustomComboBox::DoAutoComplete(char16_t) {
    const std::string search = CharsToUtf8(searchString_);
    if (search.empty()) return false;
    const int index = FindString(search);
    if (index < 0) return false;
    const int before = ItemIndex();
    const std::u32string item = Utf8ToChars(Items()->Strings(index));
    const int typed = static_cast<int>(searchString_.size());
    if (keepSearchCase_) {
        // The user's letters, then the rest of the item.
        std::u32string shown = searchString_;
        if (item.size() > searchString_.size()) shown += item.substr(searchString_.size());
        typing_ = true;
        SetText(CharsToUtf8(shown));
        typing_ = false;
    } else {
        SetItemIndex(-1);
        SetItemIndex(index);
    }
    Click();
    Change();
    // The caret after what was typed, the completion's tail selected.
    Field().SetSelection(typed, std::max(static_cast<int>(item.size()) - typed, 0));
    Invalidate();
    if (ItemIndex() != before && OnMatch) OnMatch(this);
    return true;
}

void TRzCustomComboBox::EditableKey(char16_t& key) {
    std::u32string copy = searchString_;
    const int caret = CaretPos();
    const int selStart = Field().Buffer().SelStart();
    const int selLength = Field().Buffer().SelLength();
    const int size = static_cast<int>(copy.size());
    switch (key) {
        case kBackspace: {
            if (copy.empty()) {
                Beep();
                return;
            }
            if (caret >= size) {
                copy.pop_back();
            } else if (selLength > 0 && allowEdit_) {
                copy.erase(static_cast<std::size_t>(std::min(selStart, size)),
                           static_cast<std::size_t>(selLength));
            } else if (allowEdit_ && caret > 0) {
                copy.erase(static_cast<std::size_t>(caret - 1), 1);
            }
            Change();
            if (copy.empty()) {
                char16_t typed = key;
                SetItemIndex(-1);
                if (keepSearchCase_) SetText("");
                ClearSearchString();
                Click();
                Change();
                RaiseKeyPress(typed);
                key = 0;
                return;
            }
            searchString_ = copy;
            if (DoAutoComplete(key)) key = 0;
            return;
        }
        case kEnter: {
            if (DroppedDown() && OnSelEndOk) OnSelEndOk(this);
            enterPressed_ = true;
            char16_t typed = key;
            RaiseKeyPress(typed);
            key = typed;
            return;
        }
        case kCtrlV:
        case kCtrlX:
            if (!allowEdit_) {
                key = 0;
            } else {
                pastePending_ = true;
            }
            return;
        case kEscape:
            ClearSearchString();
            if (!DroppedDown()) key = 0;
            return;
        default: break;
    }
    if (key < 32) {
        char16_t typed = key;
        RaiseKeyPress(typed);
        key = typed;
        return;
    }
    RaiseKeyPress(key);
    if (key == 0) return;
    const std::u32string old = searchString_;
    int at = std::min(caret, size);
    if (selLength > 0) {
        const int start = std::min(selStart, size);
        copy.erase(static_cast<std::size_t>(start),
                   static_cast<std::size_t>(std::min(selLength, size - start)));
        at = start;
    }
    copy.insert(static_cast<std::size_t>(at), 1, static_cast<char32_t>(key));
    searchString_ = copy;
    if (DoAutoComplete(key)) {
        key = 0;
        return;
    }
    if (allowEdit_) {
        // The edit keeps what was typed, without a completion tail; the key goes in next.
        typing_ = true;
        SetText(CharsToUtf8(old));
        typing_ = false;
        Field().SetSelection(std::min(at, static_cast<int>(old.size())), 0);
        return;
    }
    Beep();
    searchString_ = old;
    key = 0;
}

// ---- text set by the program

void TRzCustomComboBox::CompleteText() {
    const bool typing = typing_;
    typing_ = false;
    if (!completing_ || typing || !AutoComplete() || Style() != csDropDown || DroppedDown() ||
        ComponentState().Contains(csDesigning)) {
        return;
    }
    if (enterPressed_) {
        enterPressed_ = false;
    } else {
        searchString_ = Utf8ToChars(Text());
    }
    if (searchString_.empty()) return;
    const int index = FindString(CharsToUtf8(searchString_));
    if (index < 0) return;
    const int typed = static_cast<int>(searchString_.size());
    const int length = static_cast<int>(Utf8ToChars(Items()->Strings(index)).size());
    completing_ = false;
    SetItemIndex(index);
    completing_ = true;
    Field().SetSelection(typed, std::max(length - typed, 0));
    Invalidate();
}

void TRzCustomComboBox::DefaultHandler(TMessage& message) {
    TCustomComboBox::DefaultHandler(message);
    if ((message.Msg == WM_KEYDOWN || message.Msg == WM_CHAR) && pastePending_) {
        pastePending_ = false;
        if (allowEdit_ && IsEditable() && AutoComplete()) {
            searchString_ = Utf8ToChars(Text());
            DoAutoComplete(0);
        }
    }
    if (message.Msg == WM_CHAR && IsEditable() && IsSurrogate(CharOf(message))) {
        // Characters beyond the basic plane are typed as they come; the search follows the text.
        searchString_ = Utf8ToChars(Text());
    }
}

void TRzCustomComboBox::DoExit() {
    ClearSearchString();
    if (Style() == csDropDown) {
        const std::string text = Text();
        if (!text.empty() && IndexOf(text) < 0 && OnNotInList) OnNotInList(this);
    }
    TCustomComboBox::DoExit();
}

}  // namespace dsp
