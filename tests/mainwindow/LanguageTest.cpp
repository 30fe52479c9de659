// The window's texts in English and Simplified Chinese: every key the window asks for stands in
// both tables, switching writes the captions by state, and the language menu keeps its check.

#include <gtest/gtest.h>

#include <string>

#include "components/MyPEQAllpass.h"
#include "framework/controls/Label.h"
#include "framework/controls/Menus.h"
#include "mainwindow/LanguageTexts.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzButton.h"
#include "widgets/panels/RzCmboBx.h"

namespace dsp {
namespace {

class MainWindowLanguage : public ::testing::Test {
protected:
    std::string CaptionOf(const std::string& name) {
        auto* control = fixture_.Window().Control<TControl>(name);
        return control == nullptr ? "<missing " + name + ">" : control->Caption();
    }
    std::string MenuCaption(const std::string& name) {
        auto* item = fixture_.Window().Control<TMenuItem>(name);
        return item == nullptr ? "<missing " + name + ">" : item->Caption();
    }
    void Choose(const char* item) { fixture_.Window().Control<TMenuItem>(item)->Click(); }

    test::TMainWindowFixture fixture_;
};

TEST_F(MainWindowLanguage, EveryKeyAskedForStandsInBothTables) {
    test::TTestMainWindow& window = fixture_.Window();
    window.keys.clear();
    Choose("ChineseSimplified");
    Choose("English");
    ASSERT_GE(window.keys.size(), 70u);
    for (const auto* lines : {&EnglishTextLines(), &SimplifiedTextLines()}) {
        for (const std::string& key : window.keys) {
            EXPECT_NE(LookUpText(*lines, key), lines->front()) << key << " is not in a table";
        }
    }
}

TEST_F(MainWindowLanguage, SwitchingWritesEveryPartOfTheWindow) {
    test::TTestMainWindow& window = fixture_.Window();
    struct TText {
        std::string name;
        const char* english;
        const char* chinese;
        bool menu;
    };
    const TText texts[] = {
        {"File", "File", "文件", true},
        {"Exit", "Exit", "取消", true},
        {"Connected", "Connect", "连接机器", true},
        {"LanguageSel", "语言", "Language", true},
        {"MemoShow", "Memo", "Memo", true},
        {"rzbMenuLink", "OffLine", "未连机", false},
        {"bStore", "Store", "保存到机器", false},
        {"lbFftDelayOut", "Output Delay", "输出延迟", false},
        {"rzbUnit2", "ft", "英寸", false},
        {"lbEqParamInA", "PEQ Parameter", "均衡参数调整", false},
        {"rzbHighCutBypassOut6", "Bypass", "旁路", false},
        {"lbGateHoldInC", "Hold", "保持", false},
        {"lbCompKneeOut4", "Knee", "拐点", false},
        {"vrbEqShowAllOut2", "SHOW ALL EQ", "显示所有EQ参数", false},
        {"rzbMuteBackupOut3", "Mute", "静音", false},
        {"lbGateName", "In A  Gate", "In A  噪声门", false},
        {"lbCompName", "Out 1  Compressor", "Out 1  压缩器", false},
    };
    for (const char* item : {"ChineseSimplified", "English", "ChineseSimplified", "English"}) {
        Choose(item);
        const bool chinese = std::string(item) == "ChineseSimplified";
        EXPECT_EQ(window.Language(), chinese ? kLanguageChineseGB : kLanguageEnglish);
        for (const TText& t : texts) {
            const std::string shown = t.menu ? MenuCaption(t.name) : CaptionOf(t.name);
            EXPECT_EQ(shown, chinese ? t.chinese : t.english) << t.name << " after " << item;
        }
        auto* table = window.Control<TMyPEQAllpass>("peqPeqOut5");
        EXPECT_EQ(table->TypeList(0)->Items()->Strings(0), chinese ? "参量均衡" : "Peak");
        EXPECT_EQ(table->BypassButton(8)->Caption(), chinese ? "旁路" : "Bypass");
    }
}

TEST_F(MainWindowLanguage, CaptionsFollowTheStateTheyShow) {
    test::TTestMainWindow& window = fixture_.Window();
    window.Control<TRzBmpButton>("rzbPhaseInB")->SetDown(true);
    window.Control<TRzBmpButton>("rzbPhaseBackupOut4")->SetDown(true);
    window.SetSessionOpen(true);
    window.SetCompChannel(5);
    window.SetGateChannel(2);
    Choose("ChineseSimplified");
    EXPECT_EQ(CaptionOf("rzbPhaseInB"), "反相");
    EXPECT_EQ(CaptionOf("rzbPhaseInA"), "正相");
    EXPECT_EQ(CaptionOf("rzbPhaseBackupOut4"), "反相");
    EXPECT_EQ(CaptionOf("rzbPhaseBackupOut5"), "正相");
    EXPECT_EQ(CaptionOf("rzbMenuLink"), "已连机");
    EXPECT_EQ(MenuCaption("Connected"), "断开机器");
    EXPECT_EQ(CaptionOf("lbGateName"), "In C  噪声门");
    EXPECT_EQ(CaptionOf("lbCompName"), "Out 3  压缩器");
}

TEST_F(MainWindowLanguage, TheCheckedItemChangesNothing) {
    test::TTestMainWindow& window = fixture_.Window();
    auto* english = window.Control<TMenuItem>("English");
    auto* chinese = window.Control<TMenuItem>("ChineseSimplified");
    EXPECT_TRUE(english->Checked());
    EXPECT_FALSE(chinese->Checked());
    window.Control<TControl>("bStore")->SetCaption("marked");
    window.keys.clear();
    english->Click();
    EXPECT_EQ(CaptionOf("bStore"), "marked");
    EXPECT_TRUE(window.keys.empty());
    chinese->Click();
    EXPECT_TRUE(chinese->Checked());
    EXPECT_FALSE(english->Checked());
    EXPECT_FALSE(window.Control<TMenuItem>("ChineseTraditional")->Checked());
    EXPECT_EQ(CaptionOf("bStore"), "保存到机器");
}

}  // namespace
}  // namespace dsp
