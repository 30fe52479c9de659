#include "widgets/panels/RzRegIniFile.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "framework/runtime/Application.h"
#include "framework/text/FileNames.h"
#include "framework/text/Format.h"
#include "framework/text/IniFile.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "framework/text/Streams.h"
#include "framework/text/StringList.h"
#include "framework/text/Strings.h"

namespace dsp {

namespace {

constexpr std::string_view kBinaryPrefix = "hex:";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string HomeFolder() { return Environment("HOME"); }

// An XDG folder: the variable when it holds an absolute path, else the home-relative default.
std::string XdgFolder(const char* variable, const char* homeDefault) {
    const std::string value = Environment(variable);
    if (!value.empty() && value.front() == '/') return ExcludeTrailingPathDelimiter(value);
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    return IncludeTrailingPathDelimiter(home) + homeDefault;
}

// Paths written with the other platform's delimiter.
std::string Slashed(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string ProgramTitle() {
    if (Application != nullptr && !Application->Title().empty()) return Application->Title();
    return ChangeFileExt(ExtractFileName(ProgramFileName()), "");
}

std::string HexOf(const std::vector<std::uint8_t>& bytes, bool spaced) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
        if (spaced) out += ' ';
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The bytes of a hexadecimal text; nothing when a digit is not one.
std::vector<std::uint8_t> BytesOfHex(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    if (text.size() % 2 != 0) return {};
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = HexDigit(text[i]);
        const int lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0) return {};
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return bytes;
}

}  // namespace

std::string SpecialFolderPath(TRzSpecialFolder folder) {
    switch (folder) {
        case sfUserAppDataRoaming: return XdgFolder("XDG_CONFIG_HOME", ".config");
        case sfUserAppDataLocal: return XdgFolder("XDG_DATA_HOME", ".local/share");
        case sfUserDocuments: return XdgFolder("XDG_DOCUMENTS_DIR", "Documents");
        case sfProgramData: {
            std::string dirs = Environment("XDG_CONFIG_DIRS");
            dirs = dirs.substr(0, dirs.find(':'));
            if (dirs.empty() || dirs.front() != '/') return "/etc/xdg";
            return ExcludeTrailingPathDelimiter(dirs);
        }
        default: return {};
    }
}

std::string RegistryRootName(TRzRegKey key) {
    switch (key) {
        case hkeyClassesRoot: return "HKEY_CLASSES_ROOT";
        case hkeyCurrentUser: return "HKEY_CURRENT_USER";
        case hkeyLocalMachine: return "HKEY_LOCAL_MACHINE";
        case hkeyUsers: return "HKEY_USERS";
        case hkeyPerformanceData: return "HKEY_PERFORMANCE_DATA";
        case hkeyCurrentConfig: return "HKEY_CURRENT_CONFIG";
        case hkeyDynData: return "HKEY_DYN_DATA";
    }
    return "HKEY_CURRENT_USER";
}

std::string RegistryKeyFile(TRzRegKey key, const std::string& keyPath) {
    std::string path = Slashed(keyPath);
    while (!path.empty() && path.front() == '/') path.erase(0, 1);
    path = ExcludeTrailingPathDelimiter(path);
    // A key path cannot climb out of the registry folder.
    std::string safe;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (!part.empty() && part != "." && part != "..") safe += (safe.empty() ? "" : "/") + part;
        start = end + 1;
    }
    if (safe.empty()) safe = "root";
    const std::string config = SpecialFolderPath(sfUserAppDataRoaming);
    return config + "/dsp-editor/registry/" + RegistryRootName(key) + "/" + safe + ".ini";
}

TRzRegIniFile::TRzRegIniFile(TComponent* owner) : TComponent(owner) {}

TRzRegIniFile::~TRzRegIniFile() = default;

void TRzRegIniFile::SetPath(const std::string& value) {
    if (path_ == value) return;
    path_ = value;
    refreshStorage_ = true;
}

void TRzRegIniFile::SetPathType(TRzPathType value) {
    if (pathType_ == value) return;
    pathType_ = value;
    refreshStorage_ = true;
}

void TRzRegIniFile::SetRegKey(TRzRegKey value) {
    if (regKey_ == value) return;
    regKey_ = value;
    refreshStorage_ = true;
}

void TRzRegIniFile::SetRegAccess(TRzRegAccess value) {
    if (regAccess_ == value) return;
    regAccess_ = value;
    refreshStorage_ = true;
}

void TRzRegIniFile::SetSpecialFolder(TRzSpecialFolder value) {
    if (specialFolder_ == value) return;
    specialFolder_ = value;
    refreshStorage_ = true;
}

void TRzRegIniFile::SetFileEncoding(TRzIniFileEncoding value) {
    if (fileEncoding_ == value) return;
    fileEncoding_ = value;
    refreshStorage_ = true;
}

TMemIniFile& TRzRegIniFile::Store() {
    if (!refreshStorage_ && ini_) return *ini_;
    ini_.reset();
    std::string p = Slashed(path_);
    std::string file;
    if (pathType_ == ptIniFile) {
        // A path made absolute by an earlier resolution stays as it is.
        if (specialFolder_ != sfNone && (p.empty() || p.front() != '/')) {
            const std::string special = SpecialFolderPath(specialFolder_);
            if (!special.empty()) {
                const std::string folder = IncludeTrailingPathDelimiter(
                    IncludeTrailingPathDelimiter(special) + ExtractFilePath(p));
                ForceDirectories(folder);
                const std::string name =
                    p.empty() ? ExtractFileName(ProgramFileName()) : ExtractFileName(p);
                p = folder + ChangeFileExt(name, ".ini");
            }
        }
        if (!p.empty() && ExtractFilePath(p).empty()) {
            p = ProgramFolder() + ChangeFileExt(p, ".ini");
        } else if (p.empty()) {
            p = ChangeFileExt(ProgramFileName(), ".ini");
        }
        file = p;
    } else {
        if (p.empty()) p = "/Software/Temp/" + ProgramTitle();
        file = RegistryKeyFile(regKey_, p);
        ForceDirectories(ExtractFileDir(file));
        // The key path keeps the registry's own delimiter.
        std::replace(p.begin(), p.end(), '/', '\\');
    }
    path_ = p;
    ini_ = std::make_unique<TMemIniFile>(file);
    refreshStorage_ = false;
    return *ini_;
}

std::string TRzRegIniFile::StorageFile() { return Store().FileName(); }

void TRzRegIniFile::Written() { Store().UpdateFile(); }

bool TRzRegIniFile::SectionExists(std::string_view section) {
    return Store().SectionExists(section);
}

bool TRzRegIniFile::ValueExists(std::string_view section, std::string_view name) {
    return Store().ValueExists(section, name);
}

bool TRzRegIniFile::ReadBool(std::string_view section, std::string_view name, bool fallback) {
    return Store().ReadBool(section, name, fallback);
}

void TRzRegIniFile::WriteBool(std::string_view section, std::string_view name, bool value) {
    Store().WriteBool(section, name, value);
    Written();
}

int TRzRegIniFile::ReadInteger(std::string_view section, std::string_view name, int fallback) {
    return Store().ReadInteger(section, name, fallback);
}

void TRzRegIniFile::WriteInteger(std::string_view section, std::string_view name, int value) {
    Store().WriteInteger(section, name, value);
    Written();
}

std::string TRzRegIniFile::ReadString(std::string_view section, std::string_view name,
                                      std::string_view fallback) {
    return Store().ReadString(section, name, fallback);
}

void TRzRegIniFile::WriteString(std::string_view section, std::string_view name,
                                std::string_view value) {
    Store().WriteString(section, name, value);
    Written();
}

double TRzRegIniFile::ReadFloat(std::string_view section, std::string_view name, double fallback) {
    return Store().ReadFloat(section, name, fallback);
}

void TRzRegIniFile::WriteFloat(std::string_view section, std::string_view name, double value) {
    Store().WriteFloat(section, name, value);
    Written();
}

TDateTime TRzRegIniFile::ReadDate(std::string_view section, std::string_view name,
                                  TDateTime fallback) {
    return ReadFloat(section, name, fallback);
}

void TRzRegIniFile::WriteDate(std::string_view section, std::string_view name, TDateTime value) {
    WriteFloat(section, name, value);
}

TDateTime TRzRegIniFile::ReadTime(std::string_view section, std::string_view name,
                                  TDateTime fallback) {
    return ReadFloat(section, name, fallback);
}

void TRzRegIniFile::WriteTime(std::string_view section, std::string_view name, TDateTime value) {
    WriteFloat(section, name, value);
}

TDateTime TRzRegIniFile::ReadDateTime(std::string_view section, std::string_view name,
                                      TDateTime fallback) {
    return ReadFloat(section, name, fallback);
}

void TRzRegIniFile::WriteDateTime(std::string_view section, std::string_view name,
                                  TDateTime value) {
    WriteFloat(section, name, value);
}

int TRzRegIniFile::ReadBinaryStream(std::string_view section, std::string_view name,
                                    TStream& value) {
    std::string text = ReadString(section, name, "");
    if (pathType_ == ptRegistry && text.starts_with(kBinaryPrefix)) {
        text.erase(0, kBinaryPrefix.size());
    }
    const std::vector<std::uint8_t> bytes = BytesOfHex(text);
    if (!bytes.empty()) value.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return static_cast<int>(bytes.size());
}

void TRzRegIniFile::WriteBinaryStream(std::string_view section, std::string_view name,
                                      TStream& value) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(value.Size() - value.Position()));
    if (!bytes.empty()) value.Read(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    const std::string hex = HexOf(bytes, false);
    WriteString(section, name, pathType_ == ptRegistry ? std::string(kBinaryPrefix) + hex : hex);
}

void TRzRegIniFile::ReadSection(std::string_view section, TStrings& names) {
    Store().ReadSection(section, names);
}

void TRzRegIniFile::ReadSections(TStrings& sections) { Store().ReadSections(sections); }

void TRzRegIniFile::ReadSectionValues(std::string_view section, TStrings& lines) {
    if (pathType_ != ptRegistry) {
        Store().ReadSectionValues(section, lines);
        return;
    }
    TStringList names;
    Store().ReadSection(section, names);
    std::vector<std::string> sorted;
    for (int i = 0; i < names.Count(); ++i) sorted.push_back(names.Strings(i));
    std::sort(sorted.begin(), sorted.end(),
              [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    lines.BeginUpdate();
    lines.Clear();
    for (const std::string& name : sorted) {
        const std::string value = Store().ReadString(section, name, "");
        std::string shown = value;
        if (value.starts_with(kBinaryPrefix)) {
            shown = HexOf(BytesOfHex(std::string_view(value).substr(kBinaryPrefix.size())), true);
        }
        lines.Add((name.empty() ? std::string("Default") : name) + "=" + shown);
    }
    lines.EndUpdate();
}

void TRzRegIniFile::EraseSection(std::string_view section) {
    Store().EraseSection(section);
    Written();
}

void TRzRegIniFile::DeleteKey(std::string_view section, std::string_view name) {
    Store().DeleteKey(section, name);
    Written();
}

}  // namespace dsp
