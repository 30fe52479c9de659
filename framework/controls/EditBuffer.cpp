#include "framework/controls/EditBuffer.h"

#include <algorithm>

namespace dsp {

namespace {
// Bytes that are not UTF-8 become the lone low surrogates U+DC80 to U+DCFF, which no valid text
// holds, so that they come back unchanged.
constexpr char32_t kStrayByteBase = 0xDC00;
}  // namespace

std::u32string Utf8ToChars(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int extra = 0;
        char32_t c = b;
        if (b >= 0xF0 && b < 0xF8) {
            extra = 3;
            c = b & 0x07;
        } else if (b >= 0xE0) {
            extra = 2;
            c = b & 0x0F;
        } else if (b >= 0xC0) {
            extra = 1;
            c = b & 0x1F;
        }
        if (b >= 0xF8 || (b >= 0x80 && b < 0xC0) || (extra > 0 && i + extra >= utf8.size())) {
            // A stray or cut byte is kept as an escape that turns back into the same byte.
            out.push_back(kStrayByteBase + b);
            ++i;
            continue;
        }
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const auto cb = static_cast<unsigned char>(utf8[i + k]);
            if ((cb & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            c = (c << 6) | (cb & 0x3F);
        }
        if (!valid) {
            out.push_back(kStrayByteBase + b);
            ++i;
            continue;
        }
        out.push_back(c);
        i += extra + 1;
    }
    return out;
}

std::string CharsToUtf8(std::u32string_view chars) {
    std::string out;
    out.reserve(chars.size());
    for (char32_t c : chars) {
        if (c >= kStrayByteBase + 0x80 && c <= kStrayByteBase + 0xFF) {
            out.push_back(static_cast<char>(c - kStrayByteBase));
        } else if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

namespace {

enum class CharClass { Space, Word, Other };

CharClass ClassOf(char32_t c) {
    if (c == U' ' || c == U'\t' || c == U'\r' || c == U'\n') return CharClass::Space;
    if ((c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') ||
        c == U'_' || c >= 0x80)
        return CharClass::Word;
    return CharClass::Other;
}

// CR LF and lone CR become LF.
std::u32string Normalised(std::u32string chars) {
    std::u32string out;
    out.reserve(chars.size());
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == U'\r') {
            out.push_back(U'\n');
            if (i + 1 < chars.size() && chars[i + 1] == U'\n') ++i;
        } else {
            out.push_back(chars[i]);
        }
    }
    return out;
}

}  // namespace

std::string EditBuffer::Text() const { return CharsToUtf8(text_); }

void EditBuffer::SetText(std::string_view utf8) {
    text_ = Normalised(Utf8ToChars(utf8));
    Changed();
    caret_ = anchor_ = 0;
    hasUndo_ = false;
    undoText_.clear();
}

std::string EditBuffer::SelText() const {
    return CharsToUtf8(std::u32string_view(text_).substr(SelStart(), SelLength()));
}

int EditBuffer::Clamp(int pos) const { return std::clamp(pos, 0, Length()); }

void EditBuffer::SetSelection(int start, int length) {
    start = Clamp(start);
    anchor_ = start;
    caret_ = Clamp(length < 0 ? Length() : start + length);
}

void EditBuffer::MoveCaret(int pos, bool extend) {
    caret_ = Clamp(pos);
    if (!extend) anchor_ = caret_;
}

void EditBuffer::Remember() {
    Changed();
    hasUndo_ = true;
    undoText_ = text_;
    undoCaret_ = caret_;
}

bool EditBuffer::Insert(std::string_view utf8, int maxLength) {
    std::u32string chars = Normalised(Utf8ToChars(utf8));
    if (maxLength > 0) {
        const int room = maxLength - (Length() - SelLength());
        if (room <= 0) return false;
        if (static_cast<int>(chars.size()) > room) chars.resize(room);
    }
    if (chars.empty() && !HasSelection()) return false;
    Remember();
    const int start = SelStart();
    text_.replace(start, SelLength(), chars);
    caret_ = anchor_ = start + static_cast<int>(chars.size());
    return true;
}

void EditBuffer::ReplaceSelection(std::string_view utf8) {
    const std::u32string chars = Normalised(Utf8ToChars(utf8));
    Remember();
    const int start = SelStart();
    text_.replace(start, SelLength(), chars);
    caret_ = anchor_ = start + static_cast<int>(chars.size());
}

bool EditBuffer::DeleteSelection() {
    if (!HasSelection()) return false;
    Remember();
    const int start = SelStart();
    text_.erase(start, SelLength());
    caret_ = anchor_ = start;
    return true;
}

bool EditBuffer::DeleteBackward() {
    if (HasSelection()) return DeleteSelection();
    if (caret_ == 0) return false;
    Remember();
    text_.erase(caret_ - 1, 1);
    anchor_ = --caret_;
    return true;
}

bool EditBuffer::DeleteForward() {
    if (HasSelection()) return DeleteSelection();
    if (caret_ >= Length()) return false;
    Remember();
    text_.erase(caret_, 1);
    anchor_ = caret_;
    return true;
}

bool EditBuffer::Undo() {
    if (!hasUndo_) return false;
    Changed();
    std::swap(text_, undoText_);
    std::swap(caret_, undoCaret_);
    caret_ = Clamp(caret_);
    anchor_ = caret_;
    return true;
}

const std::vector<int>& EditBuffer::LineStarts() const {
    if (lineStarts_.empty()) {
        lineStarts_.push_back(0);
        for (int i = 0; i < Length(); ++i)
            if (text_[i] == U'\n') lineStarts_.push_back(i + 1);
    }
    return lineStarts_;
}

int EditBuffer::LineCount() const { return static_cast<int>(LineStarts().size()); }

int EditBuffer::LineStart(int line) const {
    const auto& starts = LineStarts();
    if (line <= 0) return 0;
    if (line >= static_cast<int>(starts.size())) return Length();
    return starts[line];
}

int EditBuffer::LineLength(int line) const {
    if (line < 0 || line >= LineCount()) return 0;
    const int end = line + 1 < LineCount() ? LineStart(line + 1) - 1 : Length();
    return end - LineStart(line);
}

int EditBuffer::LineOf(int pos) const {
    const auto& starts = LineStarts();
    pos = Clamp(pos);
    const auto after = std::upper_bound(starts.begin(), starts.end(), pos);
    return static_cast<int>(after - starts.begin()) - 1;
}

int EditBuffer::PreviousWordStart(int pos) const {
    pos = Clamp(pos);
    while (pos > 0 && ClassOf(text_[pos - 1]) == CharClass::Space) --pos;
    if (pos == 0) return 0;
    const CharClass cls = ClassOf(text_[pos - 1]);
    while (pos > 0 && ClassOf(text_[pos - 1]) == cls) --pos;
    return pos;
}

int EditBuffer::NextWordStart(int pos) const {
    pos = Clamp(pos);
    const int n = Length();
    if (pos < n) {
        const CharClass cls = ClassOf(text_[pos]);
        if (cls != CharClass::Space)
            while (pos < n && ClassOf(text_[pos]) == cls) ++pos;
    }
    while (pos < n && ClassOf(text_[pos]) == CharClass::Space) ++pos;
    return pos;
}

void EditBuffer::WordAt(int pos, int& start, int& end) const {
    pos = Clamp(pos);
    const int n = Length();
    if (n == 0) {
        start = end = 0;
        return;
    }
    if (pos == n) --pos;
    const CharClass cls = ClassOf(text_[pos]);
    start = pos;
    end = pos;
    while (start > 0 && ClassOf(text_[start - 1]) == cls) --start;
    while (end < n && ClassOf(text_[end]) == cls) ++end;
}

char32_t TTypedUnits::Take(char16_t unit) {
    if (unit >= 0xD800 && unit < 0xDC00) {
        high_ = unit;
        return 0;
    }
    const char16_t high = high_;
    high_ = 0;
    if (unit >= 0xDC00 && unit < 0xE000) {
        if (high == 0) return 0;
        return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (unit - 0xDC00);
    }
    return unit;
}

}  // namespace dsp
