#pragma once
// TRzRegIniFile: named values in sections, kept in an ini file or under a registry key with one
// interface for both. This system has no registry: a registry key is an ini file of its own under
// the user's configuration folder (XDG), one section per subkey, and the special folders are their
// XDG counterparts:
//   sfUserAppDataRoaming  $XDG_CONFIG_HOME (~/.config)
//   sfUserAppDataLocal    $XDG_DATA_HOME (~/.local/share)
//   sfUserDocuments       $XDG_DOCUMENTS_DIR (~/Documents)
//   sfProgramData         the first folder of $XDG_CONFIG_DIRS (/etc/xdg)
//   registry keys         $XDG_CONFIG_HOME/dsp-editor/registry/<root>/<key path>.ini
//
// Path rules of the ini file: with a special folder, the file goes into that folder (with the
// directory part of Path, made when missing) under Path's file name (or the program's) with
// ".ini"; otherwise a bare name goes next to the program with ".ini", an empty Path becomes the
// program's name with ".ini", and a Path with a directory is used as it stands. The resolved name
// replaces Path. Every write goes to disk at once, the file whole or not at all.

#include <memory>
#include <string>
#include <string_view>

#include "framework/core/Component.h"
#include "framework/core/Set.h"
#include "framework/core/TypeInfo.h"
#include "framework/text/DateTime.h"

namespace dsp {

class TStrings;
class TStream;
class TMemIniFile;

enum TRzPathType { ptIniFile, ptRegistry };
DSP_ENUM_NAMES(TRzPathType, "ptIniFile", "ptRegistry")

enum TRzRegKey {
    hkeyClassesRoot,
    hkeyCurrentUser,
    hkeyLocalMachine,
    hkeyUsers,
    hkeyPerformanceData,
    hkeyCurrentConfig,
    hkeyDynData
};
DSP_ENUM_NAMES(TRzRegKey, "hkeyClassesRoot", "hkeyCurrentUser", "hkeyLocalMachine", "hkeyUsers",
               "hkeyPerformanceData", "hkeyCurrentConfig", "hkeyDynData")

enum TRzRegAccessKey {
    keyQueryValue,
    keySetValue,
    keyCreateSubKey,
    keyEnumerateSubKeys,
    keyNotify,
    keyCreateLink,
    keyRead,
    keyWrite,
    keyExecute,
    keyAllAccess
};
DSP_ENUM_NAMES(TRzRegAccessKey, "keyQueryValue", "keySetValue", "keyCreateSubKey",
               "keyEnumerateSubKeys", "keyNotify", "keyCreateLink", "keyRead", "keyWrite",
               "keyExecute", "keyAllAccess")
using TRzRegAccess = Set<TRzRegAccessKey>;

enum TRzSpecialFolder {
    sfNone,
    sfUserAppDataRoaming,
    sfUserAppDataLocal,
    sfUserDocuments,
    sfProgramData
};
DSP_ENUM_NAMES(TRzSpecialFolder, "sfNone", "sfUserAppDataRoaming", "sfUserAppDataLocal",
               "sfUserDocuments", "sfProgramData")

enum TRzIniFileEncoding { feDefault, feUTF8, feUnicode };
DSP_ENUM_NAMES(TRzIniFileEncoding, "feDefault", "feUTF8", "feUnicode")

// The folder a special folder stands for (without a trailing delimiter); empty for sfNone or when
// the environment names none.
std::string SpecialFolderPath(TRzSpecialFolder folder);
// The root key's name as the registry files are grouped ("HKEY_CURRENT_USER").
std::string RegistryRootName(TRzRegKey key);
// The ini file that holds a registry key path ("\Software\Temp\App") under a root.
std::string RegistryKeyFile(TRzRegKey key, const std::string& keyPath);

class TRzRegIniFile : public TComponent {
    DSP_PUBLISHED(TRzRegIniFile, TComponent) {
        using P = Published<TRzRegIniFile>;
        return {
            P::Property("Path", &TRzRegIniFile::Path, &TRzRegIniFile::SetPath),
            P::Property("PathType", &TRzRegIniFile::PathType, &TRzRegIniFile::SetPathType)
                .Default(ptIniFile),
            P::Property("RegKey", &TRzRegIniFile::RegKey, &TRzRegIniFile::SetRegKey)
                .Default(hkeyCurrentUser),
            P::Property("RegAccess", &TRzRegIniFile::RegAccess, &TRzRegIniFile::SetRegAccess)
                .Default(TRzRegAccess{keyAllAccess}),
            P::Property("SpecialFolder", &TRzRegIniFile::SpecialFolder,
                        &TRzRegIniFile::SetSpecialFolder)
                .Default(sfNone),
            P::Property("FileEncoding", &TRzRegIniFile::FileEncoding,
                        &TRzRegIniFile::SetFileEncoding)
                .Default(feDefault),
        };
    }

public:
    explicit TRzRegIniFile(TComponent* owner);
    ~TRzRegIniFile() override;

    const std::string& Path() const { return path_; }
    void SetPath(const std::string& value);
    TRzPathType PathType() const { return pathType_; }
    void SetPathType(TRzPathType value);
    TRzRegKey RegKey() const { return regKey_; }
    void SetRegKey(TRzRegKey value);
    TRzRegAccess RegAccess() const { return regAccess_; }
    void SetRegAccess(TRzRegAccess value);
    TRzSpecialFolder SpecialFolder() const { return specialFolder_; }
    void SetSpecialFolder(TRzSpecialFolder value);
    // Kept with the settings; the files are written in UTF-8, the system's own encoding.
    TRzIniFileEncoding FileEncoding() const { return fileEncoding_; }
    void SetFileEncoding(TRzIniFileEncoding value);

    // The file the values are kept in now (the store is made first when needed).
    std::string StorageFile();

    bool SectionExists(std::string_view section);
    bool ValueExists(std::string_view section, std::string_view name);
    bool ReadBool(std::string_view section, std::string_view name, bool fallback);
    void WriteBool(std::string_view section, std::string_view name, bool value);
    int ReadInteger(std::string_view section, std::string_view name, int fallback);
    void WriteInteger(std::string_view section, std::string_view name, int value);
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view fallback);
    void WriteString(std::string_view section, std::string_view name, std::string_view value);
    double ReadFloat(std::string_view section, std::string_view name, double fallback);
    void WriteFloat(std::string_view section, std::string_view name, double value);
    // Dates and times are kept as their day numbers.
    TDateTime ReadDate(std::string_view section, std::string_view name, TDateTime fallback);
    void WriteDate(std::string_view section, std::string_view name, TDateTime value);
    TDateTime ReadTime(std::string_view section, std::string_view name, TDateTime fallback);
    void WriteTime(std::string_view section, std::string_view name, TDateTime value);
    TDateTime ReadDateTime(std::string_view section, std::string_view name, TDateTime fallback);
    void WriteDateTime(std::string_view section, std::string_view name, TDateTime value);
    // Bytes as hexadecimal digits; reading appends them to the stream and returns their count.
    int ReadBinaryStream(std::string_view section, std::string_view name, TStream& value);
    void WriteBinaryStream(std::string_view section, std::string_view name, TStream& value);

    void ReadSection(std::string_view section, TStrings& names);
    void ReadSections(TStrings& sections);
    // Under a registry key: the value names sorted, "Default" for the unnamed value, binary
    // values as two hexadecimal digits and a blank per byte.
    void ReadSectionValues(std::string_view section, TStrings& lines);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view name);

private:
    TMemIniFile& Store();
    void Written();

    std::string path_;
    TRzPathType pathType_ = ptIniFile;
    TRzRegKey regKey_ = hkeyCurrentUser;
    TRzRegAccess regAccess_{keyAllAccess};
    TRzSpecialFolder specialFolder_ = sfNone;
    TRzIniFileEncoding fileEncoding_ = feDefault;
    bool refreshStorage_ = true;
    std::unique_ptr<TMemIniFile> ini_;
};

}  // namespace dsp
