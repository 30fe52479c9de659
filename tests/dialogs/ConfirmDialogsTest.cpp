// The confirmation dialogs: their texts in the main window's language each time they show, what
// OK and Cancel do, and their look in both languages (kept as pictures in
// build/artifacts/dialogs).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/FExit.h"
#include "dialogs/FFactory.h"
#include "dialogs/FPeqRst.h"
#include "dialogs/MainWindowServices.h"
#include "framework/controls/Label.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PngImage.h"
#include "mainwindow/LanguageTexts.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {
namespace {

// The main window's side, recorded.
class TFakeMainWindow : public IMainWindowServices {
public:
    TFakeMainWindow() { SetMainWindowServices(this); }
    ~TFakeMainWindow() override { SetMainWindowServices(nullptr); }

    std::string GetText(const std::string& key) const override { return LookUpText(language, key); }
    void ConfirmExitAndClose() override { calls.push_back("ConfirmExitAndClose"); }
    void CancelExit() override { calls.push_back("CancelExit"); }
    void ResetChannelEq(int channel) override {
        calls.push_back("ResetChannelEq " + std::to_string(channel) +
                        (peqRstVisibleAtReset != nullptr && peqRstVisibleAtReset->Visible()
                             ? " shown"
                             : " hidden"));
    }
    void ConfirmFactoryReset() override { calls.push_back("ConfirmFactoryReset"); }

    std::string language = kLanguageEnglish;
    std::vector<std::string> calls;
    const TCustomForm* peqRstVisibleAtReset = nullptr;
};

void Keep(TCustomForm& form, const std::string& name) {
    const std::filesystem::path folder = DSP_DIALOG_ARTIFACT_FOLDER;
    std::filesystem::create_directories(folder);
    auto picture = form.RenderToImage();
    TPngImage png;
    png.Assign(picture.get());
    png.SaveToFile((folder / (name + ".png")).string());
}

template <typename T>
std::unique_ptr<T> Make() {
    auto form = std::make_unique<T>(nullptr);
    form->AfterConstruction();
    return form;
}

TEST(ConfirmDialogs, TextsComeInTheWindowsLanguageEachTimeTheyShow) {
    TFakeMainWindow main;
    auto exit = Make<TfmExit>();
    auto peqRst = Make<TfmPeqRst>();
    auto factory = Make<TfmFactory>();
    struct TShown {
        TConfirmDialog* dialog;
        const char* name;
        const char* english[4];
        const char* chinese[4];
    };
    const TShown dialogs[] = {
        {exit.get(),
         "exit",
         {"Information", "Are you sure to quit ?", "OK", "Cancel"},
         {"讯息", "您确定要退出吗 ?", "确定", "取消"}},
        {peqRst.get(),
         "peqrst",
         {"Information", "Are you sure to RESET EQ ?", "OK", "Cancel"},
         {"提示", "您确定要重置均衡吗 ?", "确定", "取消"}},
        {factory.get(),
         "factory",
         {"Information", "Are you Sure to Return Factory Default?", "OK", "Cancel"},
         {"讯息", "确定要恢复机器出厂设置?", "确定", "取消"}},
    };
    for (const char* language : {kLanguageEnglish, kLanguageChineseGB}) {
        main.language = language;
        const bool chinese = main.language == kLanguageChineseGB;
        for (const TShown& shown : dialogs) {
            shown.dialog->Show();
            const char* const* texts = chinese ? shown.chinese : shown.english;
            EXPECT_EQ(shown.dialog->Caption(), texts[0]) << shown.name;
            EXPECT_EQ(shown.dialog->Message()->Caption(), texts[1]) << shown.name;
            EXPECT_EQ(shown.dialog->OkButton()->Caption(), texts[2]) << shown.name;
            EXPECT_EQ(shown.dialog->CancelButton()->Caption(), texts[3]) << shown.name;
            Keep(*shown.dialog, std::string(shown.name) + (chinese ? "_zh" : "_en"));
            shown.dialog->Hide();
        }
    }
    EXPECT_EQ(factory->CancelButton()->Name(), "bnCancel");
    EXPECT_EQ(peqRst->Message()->Name(), "lbReset");
}

TEST(ConfirmDialogs, OkAndCancelDoWhatTheyConfirm) {
    TFakeMainWindow main;
    auto exit = Make<TfmExit>();
    auto peqRst = Make<TfmPeqRst>();
    auto factory = Make<TfmFactory>();
    main.peqRstVisibleAtReset = peqRst.get();

    exit->Show();
    exit->CancelButton()->Click();
    EXPECT_FALSE(exit->Visible());
    exit->Show();
    exit->OkButton()->Click();

    // The EQ reset: the dialog goes first, then the channel it was opened for is reset.
    peqRst->FResetChannel = 5;
    peqRst->Show();
    peqRst->OkButton()->Click();
    EXPECT_FALSE(peqRst->Visible());
    peqRst->Show();
    peqRst->CancelButton()->Click();

    factory->Show();
    factory->CancelButton()->Click();
    factory->Show();
    factory->OkButton()->Click();
    EXPECT_FALSE(factory->Visible());

    EXPECT_EQ(main.calls,
              (std::vector<std::string>{"CancelExit", "ConfirmExitAndClose",
                                        "ResetChannelEq 5 hidden", "ConfirmFactoryReset"}));
}

}  // namespace
}  // namespace dsp
