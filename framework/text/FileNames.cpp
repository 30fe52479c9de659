#include "framework/text/FileNames.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

namespace dsp {

namespace {

std::size_t LastSlash(std::string_view name) { return name.rfind('/'); }

}  // namespace

std::string ExtractFilePath(std::string_view fileName) {
    const auto slash = LastSlash(fileName);
    return slash == std::string_view::npos ? std::string()
                                           : std::string(fileName.substr(0, slash + 1));
}

std::string ExtractFileDir(std::string_view fileName) {
    const auto slash = LastSlash(fileName);
    if (slash == std::string_view::npos) return {};
    return slash == 0 ? std::string("/") : std::string(fileName.substr(0, slash));
}

std::string ExtractFileName(std::string_view fileName) {
    const auto slash = LastSlash(fileName);
    return std::string(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
}

std::string ExtractFileExt(std::string_view fileName) {
    const std::string name = ExtractFileName(fileName);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
    const std::string ext = ExtractFileExt(fileName);
    return std::string(fileName.substr(0, fileName.size() - ext.size())) + std::string(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string s(path);
    if (s.empty() || s.back() != '/') s.push_back('/');
    return s;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    std::string s(path);
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

std::string ExpandFileName(std::string_view fileName) {
    std::string path(fileName);
    if (path.empty() || path[0] != '/') path = IncludeTrailingPathDelimiter(GetCurrentDir()) + path;
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i <= path.size()) {
        const std::size_t slash = path.find('/', i);
        const std::size_t end = slash == std::string::npos ? path.size() : slash;
        const std::string part = path.substr(i, end - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = end + 1;
    }
    std::string result;
    for (const std::string& part : parts) result += "/" + part;
    if (result.empty() || (!path.empty() && path.back() == '/' && path != "/")) result += "/";
    return result;
}

bool FileExists(const std::string& fileName) {
    struct stat st {};
    return ::stat(fileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& path) {
    const std::string dir = ExcludeTrailingPathDelimiter(path);
    if (dir.empty()) return false;
    if (DirectoryExists(dir)) return true;
    const std::string parent = ExtractFileDir(dir);
    if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
    return ::mkdir(dir.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(dir));
}

bool DeleteFile(const std::string& fileName) { return ::unlink(fileName.c_str()) == 0; }

std::string GetCurrentDir() {
    std::vector<char> buffer(PATH_MAX);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

bool SetCurrentDir(const std::string& path) { return ::chdir(path.c_str()) == 0; }

std::string ProgramFileName() {
    std::vector<char> buffer(PATH_MAX);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return {};
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

std::string ProgramFolder() { return ExtractFilePath(ProgramFileName()); }

}  // namespace dsp
