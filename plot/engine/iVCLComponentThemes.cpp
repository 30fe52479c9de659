// TiVCLComponent: themes, named sets of property values read from the library's and the
// user's theme files.

#include <cstdlib>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Graphic.h"
#include "framework/text/FileNames.h"
#include "framework/text/IniFile.h"
#include "framework/text/StrUtils.h"
#include "plot/engine/iClasses.h"
#include "plot/engine/iVCLComponent.h"

namespace dsp {

namespace {

constexpr const char* kThemeIniName = "PlotEngine.ini";
constexpr const char* kThemeSection = "Themes";
constexpr const char* kLibraryKey = "Library Defined Theme Path";
constexpr const char* kUserKey = "User Defined Theme Path";
constexpr const char* kMalformed = "Error Loading Scheme. XML File Malformed";

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// The machine's configuration folder: the first of $XDG_CONFIG_DIRS, else /etc/xdg.
std::string MachineConfigFolder() {
    const std::string dirs = EnvironmentValue("XDG_CONFIG_DIRS");
    const std::string first = dirs.substr(0, dirs.find(':'));
    return first.empty() ? std::string("/etc/xdg") : first;
}

// The user's configuration folder: $XDG_CONFIG_HOME, else ~/.config; empty without either.
std::string UserConfigFolder() {
    const std::string home = EnvironmentValue("XDG_CONFIG_HOME");
    if (!home.empty()) return home;
    const std::string user = EnvironmentValue("HOME");
    return user.empty() ? std::string() : user + "/.config";
}

void ReadThemePaths(const std::string& folder, std::string& libraryPath, std::string& userPath) {
    if (folder.empty()) return;
    TIniFile ini(IncludeTrailingPathDelimiter(folder) + kThemeIniName);
    const std::string library = Trim(ini.ReadString(kThemeSection, kLibraryKey, ""));
    const std::string user = Trim(ini.ReadString(kThemeSection, kUserKey, ""));
    if (!library.empty()) libraryPath = library;
    if (!user.empty()) userPath = user;
}

void Expect(bool condition) {
    if (!condition) throw Exception(kMalformed);
}

}  // namespace

void TiVCLComponent::GetThemePaths(std::string& libraryPath, std::string& userPath) const {
    libraryPath.clear();
    userPath.clear();
    ReadThemePaths(MachineConfigFolder(), libraryPath, userPath);
    ReadThemePaths(UserConfigFolder(), libraryPath, userPath);
    if (!libraryPath.empty()) libraryPath = IncludeTrailingPathDelimiter(libraryPath);
    if (!userPath.empty()) userPath = IncludeTrailingPathDelimiter(userPath);
}

void TiVCLComponent::ClearThemes() { FThemeCategoryList.clear(); }

void TiVCLComponent::LoadThemes() {
    ClearThemes();
    std::string libraryPath;
    std::string userPath;
    GetThemePaths(libraryPath, userPath);
    const auto readFile = [this](const std::string& fileName, bool user) {
        if (!FileExists(fileName)) return;
        TiXMLMemoryStream stream;
        const std::vector<std::uint8_t> bytes = ReadFileBytes(fileName);
        stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        stream.SetPosition(0);
        ReadSchemeFile(stream, user);
    };
    if (!libraryPath.empty()) readFile(libraryPath + ClassName() + ".xml", false);
    if (!userPath.empty()) readFile(userPath + ClassName() + "User.xml", true);
}

TiVCLComponent::TThemeCategory& TiVCLComponent::GetThemeCategory(const std::string& name) {
    for (TThemeCategory& category : FThemeCategoryList) {
        if (SameText(category.name, name)) return category;
    }
    FThemeCategoryList.push_back({name, {}});
    return FThemeCategoryList.back();
}

void TiVCLComponent::ReadSchemeFile(TiXMLMemoryStream& stream, bool user) {
    stream.GotoElementStart("SchemeTypes");
    while (stream.PeekNextPiece() == "SchemeType") {
        stream.GotoElementStart("SchemeType");
        std::string categoryName;
        stream.GetElement("Name", categoryName);
        TThemeCategory& category = GetThemeCategory(categoryName);
        while (stream.PeekNextPiece() == "Scheme") {
            stream.GotoElementStart("Scheme");
            std::string schemeName;
            stream.GetElement("Name", schemeName);
            TThemeScheme scheme{schemeName,
                                user ? std::unique_ptr<TStringList>(new TiUserSchemeList)
                                     : std::unique_ptr<TStringList>(new TiLibrarySchemeList)};
            TStringList* lines = scheme.lines.get();
            category.schemes.push_back(std::move(scheme));
            stream.GotoElementStart("Properties");
            for (std::string path = stream.PeekNextPiece(); path != "/Properties";
                 path = stream.PeekNextPiece()) {
                // Text outside a tag, or a closing tag out of place, is no property.
                Expect(!path.empty() && path[0] != '/');
                std::string value;
                stream.GetElement(path, value);
                lines->Add(path + " = " + value);
            }
            Expect(stream.GetNextPiece() == "/Properties");
            Expect(stream.GetNextPiece() == "/Scheme");
        }
        Expect(stream.GetNextPiece() == "/SchemeType");
    }
    Expect(stream.GetNextPiece() == "/SchemeTypes");
}

int TiVCLComponent::GetThemeCategoryCount() const {
    return static_cast<int>(FThemeCategoryList.size());
}

std::string TiVCLComponent::GetThemeCategoryName(int categoryIndex) const {
    return FThemeCategoryList.at(static_cast<std::size_t>(categoryIndex)).name;
}

int TiVCLComponent::GetThemeCategorySchemeCount(int categoryIndex) const {
    return static_cast<int>(
        FThemeCategoryList.at(static_cast<std::size_t>(categoryIndex)).schemes.size());
}

const TiVCLComponent::TThemeScheme& TiVCLComponent::Scheme(int categoryIndex,
                                                           int schemeIndex) const {
    return FThemeCategoryList.at(static_cast<std::size_t>(categoryIndex))
        .schemes.at(static_cast<std::size_t>(schemeIndex));
}

std::string TiVCLComponent::GetThemeCategorySchemeName(int categoryIndex, int schemeIndex) const {
    return Scheme(categoryIndex, schemeIndex).name;
}

bool TiVCLComponent::GetThemeCategorySchemeIsUser(int categoryIndex, int schemeIndex) const {
    return dynamic_cast<const TiUserSchemeList*>(Scheme(categoryIndex, schemeIndex).lines.get()) !=
           nullptr;
}

void TiVCLComponent::SplitSchemeLine(const std::string& line, std::string& name,
                                     std::string& value) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        name.clear();
        value.clear();
        return;
    }
    name = Trim(line.substr(0, equals));
    // The reader writes one blank after "=": the value starts behind it and keeps the rest.
    value = equals + 2 <= line.size() ? line.substr(equals + 2) : std::string();
}

void TiVCLComponent::ApplyScheme(int categoryIndex, int schemeIndex) {
    const TStringList& lines = *Scheme(categoryIndex, schemeIndex).lines;
    for (int i = 0; i < lines.Count(); ++i) {
        std::string name;
        std::string value;
        SplitSchemeLine(lines.Strings(i), name, value);
        if (!name.empty()) SetPropertyByPath(this, "", TVariant(value), name);
    }
}

}  // namespace dsp
