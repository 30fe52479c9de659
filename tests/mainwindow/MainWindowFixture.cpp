#include "tests/mainwindow/MainWindowFixture.h"

#include <filesystem>

#include "framework/controls/Control.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PngImage.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {

std::string TTestMainWindow::GetText(const std::string& key) const {
    keys.insert(key);
    return TfmMain::GetText(key);
}

void TTestMainWindow::ClearBandSelection() {
    hooks.push_back(std::string("ClearBandSelection ") + (IsApplyingImage() ? "1" : "0"));
    TfmMain::ClearBandSelection();
}

void TTestMainWindow::MarkCurveDirty(int ch) {
    hooks.push_back("MarkCurveDirty " + std::to_string(ch) + (IsApplyingImage() ? " 1" : " 0"));
    TfmMain::MarkCurveDirty(ch);
}

TMainWindowFixture::TMainWindowFixture() {
    window_ = new TTestMainWindow(nullptr);
    fmMain = window_;
    window_->AfterConstruction();
}

TMainWindowFixture::~TMainWindowFixture() { delete window_; }

std::unique_ptr<TBitmap> TMainWindowFixture::Render() { return window_->RenderToImage(); }

TRect TMainWindowFixture::PlaceOf(const TControl& control) const {
    TRect r = control.BoundsRect();
    for (const TControl* parent = control.Parent(); parent != nullptr && parent != window_;
         parent = parent->Parent()) {
        r = OffsetRect(r, parent->Left(), parent->Top());
    }
    return r;
}

void TMainWindowFixture::OpenPage(int page) {
    auto* button = window_->Control<TRzBmpButton>("rzbMenu" + TfmMain::PageName(page));
    button->SetDown(true);
    button->Click();
}

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
