#pragma once
// A fresh folder for one test, removed with everything in it afterwards; the current directory
// is put back as it was.

#include <filesystem>
#include <string>

#include <unistd.h>

namespace dsp::test {

class TTempFolder {
public:
    TTempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "dsp-desktop-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
        previousDir_ = std::filesystem::current_path();
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previousDir_, ignored);
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
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
