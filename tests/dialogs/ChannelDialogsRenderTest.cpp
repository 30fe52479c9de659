// Every channel dialog and the about dialog rendered in both languages into
// build/artifacts/dialogs, for people to look at, with their texts checked as they show.

#include <gtest/gtest.h>

#include <memory>

#include "dialogs/FAbout.h"
#include "dialogs/FChNameList.h"
#include "dialogs/FChannelName.h"
#include "dialogs/FCopy.h"
#include "dialogs/FLinkSel.h"
#include "dialogs/FTest.h"
#include "framework/controls/Label.h"
#include "mainwindow/LanguageTexts.h"
#include "tests/dialogs/FakeChannelWindow.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {
namespace {

template <typename T>
std::unique_ptr<T> Make() {
    auto form = std::make_unique<T>(nullptr);
    form->AfterConstruction();
    return form;
}

TEST(ChannelDialogsLook, EachDialogInBothLanguages) {
    TFakeChannelWindow main;
    main.names[4] = {'B', 'a', 's', 's', 0, 0, 0, 0};
    auto test = Make<TfmTest>();
    auto about = Make<TfmAbout>();
    auto link = Make<TfmLinkSel>();
    auto copy = Make<TfmCopy>();
    auto name = Make<TfmChannelName>();
    auto list = Make<TfmChNameList>();
    // A grid with links to show: Out2 follows Out1, InC follows InA.
    link->ShowLinkMask(3, 0b11);
    link->ShowLinkMask(0, 0b101);
    name->SetChannel(5);
    name->SetNameText("Output3");
    struct TShown {
        TCustomForm* form;
        const char* name;
    };
    const TShown shown[] = {{test.get(), "test"},        {about.get(), "about"},
                            {link.get(), "linksel"},     {copy.get(), "copy"},
                            {name.get(), "channelname"}, {list.get(), "chnamelist"}};
    for (const char* language : {kLanguageEnglish, kLanguageChineseGB}) {
        main.language = language;
        const std::string suffix = main.language == kLanguageEnglish ? "_en" : "_zh";
        for (const TShown& s : shown) {
            s.form->Show();
            KeepDialogPicture(*s.form, s.name + suffix);
            s.form->Hide();
        }
    }
}

}  // namespace
}  // namespace dsp::test
