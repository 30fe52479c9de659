#pragma once
// Ini files. TIniFile works like the platform's profile functions: every read sees the file as
// it is now and every change is written to the file at once (whole or not at all). TMemIniFile
// reads the file once and writes it back on UpdateFile. Both follow the rules of IniDocument.
// A file that cannot be written raises EIniFileException "Unable to write to <file>", a name
// the file cannot hold (IniDocument::SetValue) "Unable to write [<section>] <name> to <file>",
// leaving the file as it was; a missing file reads as empty.

#include <string>
#include <string_view>

#include "framework/core/Object.h"
#include "framework/text/IniDocument.h"

namespace dsp {

class TStrings;

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

    bool SectionExists(std::string_view section);
    bool ValueExists(std::string_view section, std::string_view name);

    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view fallback);
    void WriteString(std::string_view section, std::string_view name, std::string_view value);
    // Decimal, or hexadecimal behind "$" or "0x"; the fallback for anything else.
    int ReadInteger(std::string_view section, std::string_view name, int fallback);
    void WriteInteger(std::string_view section, std::string_view name, int value);
    // An integer other than 0 is true; written as "1" and "0".
    bool ReadBool(std::string_view section, std::string_view name, bool fallback);
    void WriteBool(std::string_view section, std::string_view name, bool value);
    // "." as decimal separator whatever the locale.
    double ReadFloat(std::string_view section, std::string_view name, double fallback);
    void WriteFloat(std::string_view section, std::string_view name, double value);

    // Replace the list's lines with the section's keys, the section names, or key=value lines.
    void ReadSection(std::string_view section, TStrings& names);
    void ReadSections(TStrings& sections);
    void ReadSectionValues(std::string_view section, TStrings& lines);

    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view name);

    virtual void UpdateFile() = 0;

protected:
    // The document to read (fresh from the file for TIniFile).
    virtual detail::IniDocument& Document() = 0;
    // Called after every change of the document.
    virtual void Changed() = 0;
    // Loads the file, empty when it does not exist or cannot be read.
    detail::IniDocument LoadDocument() const;
    void SaveDocument(const detail::IniDocument& document) const;

private:
    std::string fileName_;
};

class TIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;
    // Changes are already on disk.
    void UpdateFile() override {}

protected:
    detail::IniDocument& Document() override;
    void Changed() override;

private:
    detail::IniDocument document_;
};

class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(std::string fileName);
    void UpdateFile() override;
    // Forgets unsaved changes and reads the file again.
    void Rereading();

protected:
    detail::IniDocument& Document() override { return document_; }
    void Changed() override {}

private:
    detail::IniDocument document_;
};

}  // namespace dsp
