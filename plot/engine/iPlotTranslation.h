#pragma once
// The plot's translation table: pairs of a built-in text and its replacement. Every place that
// shows a built-in text (menu items, hints, form captions) asks the table first. New pairs go to
// the front, so the pair added last wins when two have the same source text.

#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"

namespace dsp {

class TReader;
class TWriter;

class TiPlotTranslationObject : public TPersistent {
    DSP_PUBLISHED(TiPlotTranslationObject, TPersistent) {
        using P = Published<TiPlotTranslationObject>;
        return {
            P::Property("OriginalString", &TiPlotTranslationObject::FOriginalString,
                        &TiPlotTranslationObject::FOriginalString),
            P::Property("ReplacementString", &TiPlotTranslationObject::FReplacementString,
                        &TiPlotTranslationObject::FReplacementString),
        };
    }

public:
    // Both texts start as "Unknown"; the insert handler hears of the pair at once.
    TiPlotTranslationObject(TNotifyEvent onInsert, TNotifyEvent onRemove);
    ~TiPlotTranslationObject() override;

    const std::string& OriginalString() const { return FOriginalString; }
    void SetOriginalString(const std::string& value) { FOriginalString = value; }
    const std::string& ReplacementString() const { return FReplacementString; }
    void SetReplacementString(const std::string& value) { FReplacementString = value; }

private:
    TNotifyEvent FOnInsert;
    TNotifyEvent FOnRemove;
    std::string FOriginalString = "Unknown";
    std::string FReplacementString = "Unknown";
};

class TiPlotTranslationManager : public TObject {
public:
    TiPlotTranslationManager(TNotifyEvent onInsert, TNotifyEvent onRemove);
    ~TiPlotTranslationManager() override;

    void Clear();
    void Delete(int index);
    TiPlotTranslationObject* CreateObject();
    // A new pair; its index, which is always 0.
    int Add();
    TiPlotTranslationObject* GetItem(int index) const;
    int Count() const { return static_cast<int>(FList.size()); }
    // The replacement of the first pair whose source text equals text exactly, else text.
    std::string FindReplacement(const std::string& text) const;
    bool DoWriteToStream() const { return !FList.empty(); }
    // The form stream's collection of the pairs in list order. Reading puts each pair read at
    // the front, as every new pair goes, so a table comes back in the reverse order.
    void WriteToStream(TWriter& writer) const;
    void ReadFromStream(TReader& reader);
    // One line per pair: source, a tab, replacement. Written whole or not at all.
    void SaveToFile(const std::string& fileName) const;
    // Replaces the table by the file's pairs; a line without a tab stops the load with an
    // error, keeping the pairs read before it.
    void LoadFromFile(const std::string& fileName);

    void NotificationInsert(TObject* sender);
    void NotificationRemove(TObject* sender);

private:
    std::vector<TiPlotTranslationObject*> FList;
    TNotifyEvent FOnInsert;
    TNotifyEvent FOnRemove;
};

}  // namespace dsp
