#pragma once
// File-name and folder helpers. Paths use "/"; a folder path from ExtractFilePath keeps its
// trailing "/", one from ExtractFileDir does not.

#include <string>
#include <string_view>

namespace dsp {

std::string ExtractFilePath(std::string_view fileName);  // "/a/b.prs" -> "/a/"
std::string ExtractFileDir(std::string_view fileName);   // "/a/b.prs" -> "/a"
std::string ExtractFileName(std::string_view fileName);  // "/a/b.prs" -> "b.prs"
// The extension with its point ("/a/b.prs" -> ".prs"); empty when the name has none.
std::string ExtractFileExt(std::string_view fileName);
// Replaces the extension (or appends one); an empty extension removes it.
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
// An absolute path for a name relative to the current directory, with "." and ".." resolved.
std::string ExpandFileName(std::string_view fileName);

bool FileExists(const std::string& fileName);  // a file, not a folder
bool DirectoryExists(const std::string& path);
// Creates the folder and every missing folder above it; false when that fails.
bool ForceDirectories(const std::string& path);
bool DeleteFile(const std::string& fileName);

std::string GetCurrentDir();
bool SetCurrentDir(const std::string& path);

// The running program's own file ("/opt/dsp/dspeditor") and folder ("/opt/dsp/").
std::string ProgramFileName();
std::string ProgramFolder();

}  // namespace dsp
