#include "plot/engine/iPlotTranslation.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/text/Filer.h"
#include "framework/text/StringList.h"
#include "framework/text/WholeFile.h"

namespace dsp {

TiPlotTranslationObject::TiPlotTranslationObject(TNotifyEvent onInsert, TNotifyEvent onRemove)
    : FOnInsert(std::move(onInsert)), FOnRemove(std::move(onRemove)) {
    if (FOnInsert) FOnInsert(this);
}

TiPlotTranslationObject::~TiPlotTranslationObject() {
    if (FOnRemove) FOnRemove(this);
}

TiPlotTranslationManager::TiPlotTranslationManager(TNotifyEvent onInsert, TNotifyEvent onRemove)
    : FOnInsert(std::move(onInsert)), FOnRemove(std::move(onRemove)) {
    if (!FOnInsert) throw Exception("OnInsert event handler can not be null");
    if (!FOnRemove) throw Exception("OnRemove event handler can not be null");
    FOnInsert(this);
}

TiPlotTranslationManager::~TiPlotTranslationManager() {
    Clear();
    FOnRemove(this);
}

void TiPlotTranslationManager::Clear() {
    while (!FList.empty()) {
        TiPlotTranslationObject* pair = FList.front();
        delete pair;
        // A pair wired elsewhere leaves the list through its remove handler; make sure it did.
        if (!FList.empty() && FList.front() == pair) FList.erase(FList.begin());
    }
}

void TiPlotTranslationManager::Delete(int index) {
    TiPlotTranslationObject* pair = GetItem(index);
    delete pair;
    const auto it = std::find(FList.begin(), FList.end(), pair);
    if (it != FList.end()) FList.erase(it);
}

TiPlotTranslationObject* TiPlotTranslationManager::CreateObject() {
    return new TiPlotTranslationObject(FOnInsert, FOnRemove);
}

int TiPlotTranslationManager::Add() {
    TiPlotTranslationObject* pair = CreateObject();
    const auto it = std::find(FList.begin(), FList.end(), pair);
    return static_cast<int>(it - FList.begin());
}

void TiPlotTranslationManager::WriteToStream(TWriter& writer) const {
    writer.WriteValue(vaCollection);
    for (TiPlotTranslationObject* pair : FList) {
        writer.WriteListBegin();
        writer.WriteProperties(*pair);
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
}

void TiPlotTranslationManager::ReadFromStream(TReader& reader) {
    Clear();
    if (reader.ReadValue() != vaCollection) return;
    while (!reader.EndOfList()) {
        TiPlotTranslationObject* pair = CreateObject();
        reader.ReadListBegin();
        while (!reader.EndOfList()) reader.ReadProperty(*pair);
        reader.ReadListEnd();
    }
    reader.ReadListEnd();
}

TiPlotTranslationObject* TiPlotTranslationManager::GetItem(int index) const {
    if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
    return FList[static_cast<std::size_t>(index)];
}

std::string TiPlotTranslationManager::FindReplacement(const std::string& text) const {
    for (const TiPlotTranslationObject* pair : FList) {
        if (pair->OriginalString() == text) return pair->ReplacementString();
    }
    return text;
}

void TiPlotTranslationManager::SaveToFile(const std::string& fileName) const {
    try {
        std::string text;
        for (const TiPlotTranslationObject* pair : FList) {
            text += pair->OriginalString() + "\t" + pair->ReplacementString() + "\r\n";
        }
        std::string error;
        if (!WriteWholeFile(fileName, text, &error)) throw EFCreateError(error);
    } catch (const Exception& e) {
        throw Exception("Error Saving Translation Data - " + e.Message());
    }
}

void TiPlotTranslationManager::LoadFromFile(const std::string& fileName) {
    try {
        TStringList lines;
        lines.LoadFromFile(fileName);
        Clear();
        for (int i = 0; i < lines.Count(); ++i) {
            const std::string line = lines.Strings(i);
            const std::size_t tab = line.find('\t');
            if (tab == std::string::npos) {
                throw Exception("Invalid Format - Tab Deliminator Missing");
            }
            TiPlotTranslationObject* pair = CreateObject();
            pair->SetOriginalString(line.substr(0, tab));
            pair->SetReplacementString(line.substr(tab + 1));
        }
    } catch (const Exception& e) {
        throw Exception("Error Loading Data - " + e.Message());
    }
}

void TiPlotTranslationManager::NotificationInsert(TObject* sender) {
    auto* pair = dynamic_cast<TiPlotTranslationObject*>(sender);
    if (pair == nullptr) return;
    if (std::find(FList.begin(), FList.end(), pair) != FList.end()) return;
    FList.insert(FList.begin(), pair);
}

void TiPlotTranslationManager::NotificationRemove(TObject* sender) {
    const auto it = std::find(FList.begin(), FList.end(), sender);
    if (it != FList.end()) FList.erase(it);
}

}  // namespace dsp
