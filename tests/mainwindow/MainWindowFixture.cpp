#include "tests/mainwindow/MainWindowFixture.h"

#include <filesystem>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PngImage.h"

namespace dsp::test {

TMainWindowFixture::TMainWindowFixture() {
    window_ = new TfmMain(nullptr);
    fmMain = window_;
    window_->AfterConstruction();
}

TMainWindowFixture::~TMainWindowFixture() { delete window_; }

std::unique_ptr<TBitmap> TMainWindowFixture::Render() { return window_->RenderToImage(); }

std::string TMainWindowFixture::KeepPicture(const TBitmap& picture, const std::string& name) {
    const std::filesystem::path folder = DSP_ARTIFACT_FOLDER;
    std::filesystem::create_directories(folder);
    const std::string path = (folder / (name + ".png")).string();
    TPngImage png;
    png.Assign(const_cast<TBitmap*>(&picture));
    png.SaveToFile(path);
    return path;
}

}  // namespace dsp::test
