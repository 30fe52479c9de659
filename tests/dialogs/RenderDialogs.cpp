// Renders the dialogs of the processor operations in English and in Chinese, for people to look
// at (not a test):
//   dialogs_render_samples <folder>      writes <folder>/<dialog>_<language>.png

#include <cstdio>
#include <string>

#include "dialogs/FLockPassWord.h"
#include "dialogs/FLockSetup.h"
#include "dialogs/FRecallPreset.h"
#include "dialogs/FStoreName.h"
#include "dialogs/FStorePreset.h"
#include "dialogs/OperationsWindow.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ValueListEditor.h"
#include "framework/graphics/PngImage.h"
#include "link/forms/FNetworkSetup.h"
#include "link/forms/NetworkSetupHost.h"
#include "mainwindow/LanguageTexts.h"
#include "model/Lcmd.h"
#include "tests/framework/controls/SampleProgram.h"

namespace dsp {
namespace {

// The main window as the dialogs see it, in one language, offline.
class TSampleWindow : public IOperationsWindow, public INetworkSetupHost {
public:
    explicit TSampleWindow(std::string language) : language_(std::move(language)) {
        SetOperationsWindow(this);
        SetNetworkSetupHost(this);
    }
    ~TSampleWindow() override {
        SetOperationsWindow(nullptr);
        SetNetworkSetupHost(nullptr);
    }

    std::string GetText(const std::string& key) const override {
        return LookUpText(language_, key);
    }
    bool IsOnline() const override { return false; }
    void StorePreset(int, const PresetNameBytes&) override {}
    void RecallPreset(int) override {}
    int GetDeviceId() const override { return 1; }
    void SendCommand(const LCmd&, bool, bool) override {}
    void Disconnect() override {}
    void WatchReply(std::uint8_t) override {}
    TReplyWait AwaitedReply() const override { return TReplyWait::LinkClosed; }
    void ContinueAfterUnlock() override {}
    void SetDeviceId(int) override {}
    std::uint32_t GetDeviceIp() const override { return 0xC0A80201; }
    void SetDeviceIp(std::uint32_t) override {}
    void SetAutoIp(bool) override {}
    void ReconnectSocket(const std::string&) override {}
    void ShowIpCaption(const std::string&) override {}
    void ShowInformation(const std::string&) override {}

private:
    std::string language_;
};

void Save(TForm& form, const std::string& path) {
    auto shot = form.RenderToImage();
    TPngImage png;
    png.Assign(shot.get());
    png.SaveToFile(path);
    std::printf("wrote %s\n", path.c_str());
}

int Run(const std::string& folder) {
    for (const char* language : {kLanguageEnglish, kLanguageChineseGB}) {
        const std::string suffix = std::string("_") + language + ".png";
        TSampleWindow window(language);
        fmStorePreset = new TfmStorePreset(nullptr);
        fmRecallPreset = new TfmRecallPreset(nullptr);
        fmStoreName = new TfmStoreName(nullptr);
        fmLockSetup = new TfmLockSetup(nullptr);
        fmLockPassWord = new TfmLockPassWord(nullptr);
        fmNetworkSetup = new TfmNetworkSetup(nullptr);
        const char* names[] = {"Bass", "Vocal Warm", "Club Night", "低音加强", "Stage Left"};
        for (int i = 0; i < 5; ++i) {
            fmStorePreset->SetPresetName(i, names[i]);
            fmRecallPreset->SetPresetName(i + 1, names[i]);
        }
        fmStorePreset->Show();
        fmStorePreset->vledPresetName->SetRow(5);
        Save(*fmStorePreset, folder + "/store_preset" + suffix);
        fmStoreName->FormActivate(fmStoreName);
        Save(*fmStoreName, folder + "/store_name" + suffix);
        fmStorePreset->Close();
        fmRecallPreset->Show();
        Save(*fmRecallPreset, folder + "/recall_preset" + suffix);
        fmRecallPreset->Close();
        fmLockSetup->Show();
        Save(*fmLockSetup, folder + "/lock_setup" + suffix);
        fmLockSetup->Close();
        fmLockPassWord->Show();
        Save(*fmLockPassWord, folder + "/unlock" + suffix);
        fmLockPassWord->Close();
        fmNetworkSetup->PrepareFor(false);
        fmNetworkSetup->Show();
        Save(*fmNetworkSetup, folder + "/network_setup" + suffix);
        fmNetworkSetup->Close();
        delete fmNetworkSetup;
        delete fmLockPassWord;
        delete fmLockSetup;
        delete fmStoreName;
        delete fmRecallPreset;
        delete fmStorePreset;
    }
    return 0;
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) { return dsp::test::RunSampleProgram(argc, argv, dsp::Run); }
