#pragma once
// A fresh folder of its own for one test's files, removed with everything in it afterwards
// (even where the test took away its permissions); the current directory is put back as it was,
// since file dialogs and file writers may move it.

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace dsp::test {

class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dsp-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
        std::error_code ignored;
        previousDir_ = std::filesystem::current_path(ignored);
    }
    ~TTempFolder() {
        std::error_code ignored;
        if (!previousDir_.empty()) std::filesystem::current_path(previousDir_, ignored);
        if (path_.empty()) return;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    std::filesystem::path previousDir_;
};

}  // namespace dsp::test
