#include "tests/dialogs/FakeChannelWindow.h"

#include <filesystem>

#include "dialogs/ChannelNames.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PngImage.h"
#include "mainwindow/LanguageTexts.h"
#include "model/Lcmd.h"

namespace dsp::test {

TFakeChannelWindow::TFakeChannelWindow() {
    SetChannelWindow(this);
    SetMainWindowServices(this);
}

TFakeChannelWindow::~TFakeChannelWindow() {
    SetChannelWindow(nullptr);
    SetMainWindowServices(nullptr);
}

std::string TFakeChannelWindow::GetText(const std::string& key) const {
    return LookUpText(language, key);
}

void TFakeChannelWindow::SendCommand(const LCmd& record, bool noCoalesce, bool) {
    std::string call = "send " + std::to_string(record.GetCode());
    for (std::uint8_t byte : record.GetData()) call += " " + std::to_string(byte);
    if (!noCoalesce) call += " coalescable";
    calls.push_back(call);
}

std::uint16_t TFakeChannelWindow::GetLinkMask(int channel) const {
    return masks[static_cast<std::size_t>(channel)];
}

void TFakeChannelWindow::SetLinkMask(int channel, std::uint16_t mask) {
    masks[static_cast<std::size_t>(channel)] = mask;
    calls.push_back("SetLinkMask " + std::to_string(channel) + " " + std::to_string(mask));
}

void TFakeChannelWindow::CopyChannel(int from, int to, std::uint8_t reRead) {
    calls.push_back("CopyChannel " + std::to_string(from) + " " + std::to_string(to) + " " +
                    std::to_string(reRead));
}

void TFakeChannelWindow::ShowOverlayButtons(int channel, bool visible) {
    calls.push_back("ShowOverlayButtons " + std::to_string(channel) + " " + (visible ? "1" : "0"));
}

void TFakeChannelWindow::ShowLinkCaption(int leader, int channel) {
    calls.push_back("ShowLinkCaption " + std::to_string(leader) + " " + std::to_string(channel));
}

const ChannelNameBytes& TFakeChannelWindow::GetChannelName(int channel) const {
    return names[static_cast<std::size_t>(channel)];
}

void TFakeChannelWindow::SetChannelName(int channel, const ChannelNameBytes& name) {
    names[static_cast<std::size_t>(channel)] = name;
    std::string call = "SetChannelName " + std::to_string(channel);
    for (std::uint8_t byte : name) call += " " + std::to_string(byte);
    calls.push_back(call);
}

std::vector<std::string> TFakeChannelWindow::CallsOf(const std::string& kind) const {
    std::vector<std::string> found;
    for (const std::string& call : calls) {
        if (call.rfind(kind + " ", 0) == 0 || call == kind) found.push_back(call);
    }
    return found;
}

void KeepDialogPicture(TCustomForm& form, const std::string& name) {
    const std::filesystem::path folder = DSP_DIALOG_ARTIFACT_FOLDER;
    std::filesystem::create_directories(folder);
    auto picture = form.RenderToImage();
    TPngImage png;
    png.Assign(picture.get());
    png.SaveToFile((folder / (name + ".png")).string());
}

}  // namespace dsp::test
