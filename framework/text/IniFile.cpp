#include "framework/text/IniFile.h"

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "framework/text/Strings.h"
#include "framework/text/WholeFile.h"

namespace dsp {

namespace {

void Fill(TStrings& list, const std::vector<std::string>& lines) {
    list.BeginUpdate();
    try {
        list.Clear();
        for (const std::string& line : lines) list.Add(line);
    } catch (...) {
        list.EndUpdate();
        throw;
    }
    list.EndUpdate();
}

}  // namespace

detail::IniDocument TCustomIniFile::LoadDocument() const {
    auto text = ReadWholeFile(fileName_);
    return text ? detail::IniDocument(*text) : detail::IniDocument();
}

void TCustomIniFile::SaveDocument(const detail::IniDocument& document) const {
    std::string error;
    if (!WriteWholeFile(fileName_, document.Text(), &error)) {
        throw EIniFileException("Unable to write to " + fileName_);
    }
}

bool TCustomIniFile::SectionExists(std::string_view section) {
    return Document().HasSection(section);
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view name) {
    return Document().Value(section, name).has_value();
}

std::string TCustomIniFile::ReadString(std::string_view section, std::string_view name,
                                       std::string_view fallback) {
    auto value = Document().Value(section, name);
    return value ? *value : std::string(fallback);
}

void TCustomIniFile::WriteString(std::string_view section, std::string_view name,
                                 std::string_view value) {
    if (!Document().SetValue(section, name, value)) {
        throw EIniFileException("Unable to write [" + std::string(section) + "] " +
                                std::string(name) + " to " + FileName());
    }
    Changed();
}

int TCustomIniFile::ReadInteger(std::string_view section, std::string_view name, int fallback) {
    auto value = Document().Value(section, name);
    return value ? StrToIntDef(*value, fallback) : fallback;
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view name, int value) {
    WriteString(section, name, IntToStr(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view name, bool fallback) {
    return ReadInteger(section, name, fallback ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view name, bool value) {
    WriteString(section, name, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(std::string_view section, std::string_view name, double fallback) {
    auto value = Document().Value(section, name);
    return value ? StrToFloatDef(*value, fallback) : fallback;
}

void TCustomIniFile::WriteFloat(std::string_view section, std::string_view name, double value) {
    WriteString(section, name, FloatToStr(value));
}

void TCustomIniFile::ReadSection(std::string_view section, TStrings& names) {
    Fill(names, Document().Keys(section));
}

void TCustomIniFile::ReadSections(TStrings& sections) { Fill(sections, Document().Sections()); }

void TCustomIniFile::ReadSectionValues(std::string_view section, TStrings& lines) {
    detail::IniDocument& document = Document();
    std::vector<std::string> pairs;
    for (const std::string& key : document.Keys(section)) {
        pairs.push_back(key + "=" + document.Value(section, key).value_or(""));
    }
    Fill(lines, pairs);
}

void TCustomIniFile::EraseSection(std::string_view section) {
    if (Document().EraseSection(section)) Changed();
}

void TCustomIniFile::DeleteKey(std::string_view section, std::string_view name) {
    if (Document().DeleteKey(section, name)) Changed();
}

detail::IniDocument& TIniFile::Document() {
    document_ = LoadDocument();
    return document_;
}

void TIniFile::Changed() { SaveDocument(document_); }

TMemIniFile::TMemIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {
    document_ = LoadDocument();
}

void TMemIniFile::UpdateFile() { SaveDocument(document_); }

void TMemIniFile::Rereading() { document_ = LoadDocument(); }

}  // namespace dsp
