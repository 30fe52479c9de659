#pragma once
// The item list of list boxes and combo boxes: a TStrings kept by the control itself, which hears
// of every change so that it can keep its selection and its top line in step and repaint.
// Adding to a sorted list puts the line in its place (compared without case); inserting at an
// index always inserts there, as the native lists do.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/text/Strings.h"

namespace dsp {

enum class TItemChange { Inserted, Deleted, Cleared, Changed, Exchanged, EndUpdate };

class TItemStrings : public TStrings {
public:
    // Told after each change with the index it concerns (the first of two exchanged lines for
    // Exchanged, -1 for Cleared and EndUpdate).
    using TListener = std::function<void(TItemChange change, int index, int other)>;

    explicit TItemStrings(TListener listener) : listener_(std::move(listener)) {}

    int Count() const override { return static_cast<int>(items_.size()); }
    int Add(const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;

    bool Sorted() const { return sorted_; }
    // Sorting on sorts the lines there are.
    void SetSorted(bool value);

    // A number the control keeps with each line (the height of an owner-drawn line, say).
    int ItemData(int index) const;
    void SetItemData(int index, int value);

protected:
    std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void SetUpdateState(bool updating) override;

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
        int data = 0;
    };
    void CheckIndex(int index) const;
    void Notify(TItemChange change, int index, int other = -1);

    std::vector<Item> items_;
    bool sorted_ = false;
    TListener listener_;
};

// The first line after `after` (going round to the top) whose text begins with prefix, compared
// without case in any script; -1 for an empty prefix or when none does. after = -1 starts at the
// top.
int FindItemPrefix(const TStrings& items, std::string_view prefix, int after = -1);
// The same for a whole line equal to text without case.
int FindItemExact(const TStrings& items, std::string_view text, int after = -1);

}  // namespace dsp
