#include "framework/controls/ItemStrings.h"

#include <QString>

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/text/StrUtils.h"

namespace dsp {

void TItemStrings::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EStringListError::IndexOutOfBounds(index);
}

void TItemStrings::Notify(TItemChange change, int index, int other) {
    if (listener_) listener_(change, index, other);
}

int TItemStrings::Add(const std::string& text) {
    int index = Count();
    if (sorted_) {
        // After the lines that sort before or equal to it, as a sorted native list does.
        const auto it = std::upper_bound(
            items_.begin(), items_.end(), text,
            [](const std::string& t, const Item& item) { return CompareText(t, item.text) < 0; });
        index = static_cast<int>(it - items_.begin());
    }
    items_.insert(items_.begin() + index, Item{text, nullptr, 0});
    Notify(TItemChange::Inserted, index);
    return index;
}

void TItemStrings::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count()) throw EStringListError::IndexOutOfBounds(index);
    items_.insert(items_.begin() + index, Item{text, nullptr, 0});
    Notify(TItemChange::Inserted, index);
}

void TItemStrings::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    Notify(TItemChange::Deleted, index);
}

void TItemStrings::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Notify(TItemChange::Cleared, -1);
}

void TItemStrings::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(items_[index1], items_[index2]);
    Notify(TItemChange::Exchanged, index1, index2);
}

void TItemStrings::SetSorted(bool value) {
    if (sorted_ == value) return;
    sorted_ = value;
    if (!sorted_ || items_.size() < 2) return;
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Item& a, const Item& b) { return CompareText(a.text, b.text) < 0; });
    Notify(TItemChange::Cleared, -1);
}

int TItemStrings::ItemData(int index) const {
    CheckIndex(index);
    return items_[index].data;
}

void TItemStrings::SetItemData(int index, int value) {
    CheckIndex(index);
    items_[index].data = value;
}

std::string TItemStrings::Get(int index) const {
    CheckIndex(index);
    return items_[index].text;
}

void TItemStrings::Put(int index, const std::string& text) {
    CheckIndex(index);
    if (items_[index].text == text) return;
    items_[index].text = text;
    Notify(TItemChange::Changed, index);
}

TObject* TItemStrings::GetObject(int index) const {
    CheckIndex(index);
    return items_[index].object;
}

void TItemStrings::PutObject(int index, TObject* object) {
    CheckIndex(index);
    items_[index].object = object;
}

void TItemStrings::SetUpdateState(bool updating) {
    if (!updating) Notify(TItemChange::EndUpdate, -1);
}

namespace {

template <typename Match>
int FindFrom(const TStrings& items, int after, Match match) {
    const int n = items.Count();
    if (n == 0) return -1;
    const int start = (after < -1 || after >= n) ? 0 : after + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (start + k) % n;
        if (match(QString::fromStdString(items.Strings(i)))) return i;
    }
    return -1;
}

}  // namespace

int FindItemPrefix(const TStrings& items, std::string_view prefix, int after) {
    if (prefix.empty()) return -1;
    const QString p = QString::fromUtf8(prefix.data(), static_cast<qsizetype>(prefix.size()));
    return FindFrom(items, after,
                    [&](const QString& s) { return s.startsWith(p, Qt::CaseInsensitive); });
}

int FindItemExact(const TStrings& items, std::string_view text, int after) {
    const QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return FindFrom(items, after,
                    [&](const QString& s) { return s.compare(t, Qt::CaseInsensitive) == 0; });
}

}  // namespace dsp
