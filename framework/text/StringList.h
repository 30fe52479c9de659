#pragma once
// TStringList: a TStrings that keeps its lines itself, optionally sorted.
// - IndexOf and Find compare without case unless CaseSensitive is set.
// - A sorted list finds its place by binary search; a line equal to existing ones goes before
//   them when duplicates are accepted, is ignored (dupIgnore, the default) or refused (dupError).
// - Insert, and writing a line, are refused on a sorted list.
// - With OwnsObjects the list frees the object of every line it deletes.

#include <functional>
#include <string>
#include <vector>

#include "framework/text/Strings.h"

namespace dsp {

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;

    int Count() const override { return static_cast<int>(items_.size()); }
    int Add(const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const std::string& text) const override;

    // Binary search of a sorted list: true when found, index at the first equal line, or where
    // the text would go.
    bool Find(const std::string& text, int& index) const;
    void Sort();
    // Sorts with compare (negative, zero or positive, as CompareText); the order of equal lines
    // is kept.
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);
    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool owns) { ownsObjects_ = owns; }

    // Fired before and after every change, and once around a BeginUpdate/EndUpdate batch.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void SetUpdateState(bool updating) override;
    int CompareStrings(const std::string& a, const std::string& b) const override;

    virtual void Changing();
    virtual void Changed();

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    void CheckIndex(int index) const;
    void InsertItem(int index, const std::string& text, TObject* object);

    std::vector<Item> items_;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupIgnore;
    bool caseSensitive_ = false;
    bool ownsObjects_ = false;
};

}  // namespace dsp
