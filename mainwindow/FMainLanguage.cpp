// The main window's texts in the current language, and the language menu.

#include <utility>

#include "components/MyPEQAllpass.h"
#include "framework/controls/Control.h"
#include "framework/controls/Menus.h"
#include "mainwindow/FMain.h"
#include "mainwindow/LanguageTexts.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

namespace {

using TKeyed = std::pair<const char*, const char*>;

// Menu items and their keys, in the order they are written (Connected is written by state
// between BlockDiagram and Connect).
constexpr TKeyed kMenuBefore[] = {
    {"File", "SID_FILE"},         {"Open", "SID_OPEN"},
    {"Save", "SID_SAVE"},         {"Upload", "SID_UPLOAD"},
    {"Download", "SID_DOWNLOAD"}, {"FactoryDefault", "SID_RETRUN_FACTORY"},
    {"Exit", "SID_EXIT"},         {"BlockDiagram", "SID_BLOCK"}};
constexpr TKeyed kMenuAfter[] = {{"Connect", "SID_CONNECT"},
                                 {"ConnectHelp", "SID_CONNECT_HELP"},
                                 {"Lock", "SID_LOCK"},
                                 {"LockSetup", "SID_LOCK_SETUP"},
                                 {"SettingID", "SID_SET_ID"},
                                 {"NetworkSetup", "SID_SET_NETWORK"},
                                 {"TestTone", "SID_TEST_TONE"},
                                 {"Link", "SID_LINK"},
                                 {"Copy", "SID_COPY"},
                                 {"ChNameList", "SID_CH_NAME_LIST"},
                                 {"LanguageSel", "SID_LANGUAGE"},
                                 {"ChineseSimplified", "SID_CHINESE_SIMPLIFIED"},
                                 {"ChineseTraditional", "SID_CHINESE_TRODITIONAL"},
                                 {"English", "SID_ENGLISH"},
                                 {"Help", "SID_HELP"},
                                 {"Rs232Code", "SID_RS232_CODE"},
                                 {"About", "SID_ABOUT"}};
// Labels and buttons of the function pages.
constexpr TKeyed kFunctionLabels[] = {
    {"lbGainInput", "SID_IN"},          {"lbGainOutput", "SID_OUT"},
    {"lbDelayInput", "SID_IN"},         {"lbDelayOutput", "SID_OUT"},
    {"lbDelayUnit", "SID_DELAY_UNIT"},  {"lbFftDelayIn", "SID_IN_DELAY"},
    {"lbFftDelayOut", "SID_OUT_DELAY"}, {"rzbUnit0", "SID_UNIT_MS"},
    {"rzbUnit1", "SID_UNIT_M"},         {"rzbUnit2", "SID_UNIT_FT"},
    {"lbFftGainIn", "SID_IN"},          {"lbFftGainOut", "SID_OUT"}};
// Strip stems and their keys, for every strip (before the polarity, which goes by state).
constexpr TKeyed kStripBeforePhase[] = {
    {"lbFftParam", "SID_PARAM_KEY"}, {"lbGain", "SID_GAIN"}, {"rzbMute", "SID_MUTE"}};
constexpr TKeyed kStripAfterPhase[] = {{"lbEqParam", "SID_EQ_PARAM"},
                                       {"lbEqFreq", "SID_EQ_FREQ"},
                                       {"lbEqBw", "SID_EQ_BW"},
                                       {"lbEqGain", "SID_EQ_GAIN"},
                                       {"lbEq", "SID_EQ_PARAM_TITLE"},
                                       {"lbLowCutFreq", "SID_HPF"},
                                       {"lbLowCutSlop", "SID_HLP_SLOP"},
                                       {"rzbLowCutBypass", "SID_HLP_BYPASS"},
                                       {"lbHighCutFreq", "SID_LPF"},
                                       {"lbHighCutSlop", "SID_HLP_SLOP"},
                                       {"rzbHighCutBypass", "SID_HLP_BYPASS"}};
constexpr TKeyed kInputGate[] = {{"lbGateThreshold", "SID_COMP_THRESHOLD"},
                                 {"lbGateAttack", "SID_COMP_ATTACK"},
                                 {"lbGateRelease", "SID_COMP_RELEASE"},
                                 {"lbGateHold", "SID_GATE_HOLD"}};
constexpr TKeyed kEqButtons[] = {{"vrbEqShowAll", "SID_SHOW_ALL_EQ"},
                                 {"vrbEqReset", "SID_RESET_EQ"},
                                 {"vrbEqBypass", "SID_BYPASS_EQ"}};
constexpr TKeyed kOutputCompressor[] = {{"lbCompRatio", "SID_COMP_RATIO"},
                                        {"lbCompThreshold", "SID_COMP_THRESHOLD"},
                                        {"lbCompAttack", "SID_COMP_ATTACK"},
                                        {"lbCompRelease", "SID_COMP_RELEASE"},
                                        {"lbCompKnee", "SID_COMP_KNEE"}};

}  // namespace

void TfmMain::ApplyLanguage() {
    try {
        // 1. The menu.
        for (const auto& [name, key] : kMenuBefore) Need<TMenuItem>(name).SetCaption(GetText(key));
        Need<TMenuItem>("Connected")
            .SetCaption(GetText(FSessionOpen ? "SID_DISCONNECT" : "SID_CONNECT"));
        for (const auto& [name, key] : kMenuAfter) Need<TMenuItem>(name).SetCaption(GetText(key));
        // 2. The window's own controls.
        Need<TControl>("rzbMenuLink")
            .SetCaption(GetText(FSessionOpen ? "SID_ONLINE" : "SID_OFFLINE"));
        Need<TControl>("lPreset").SetCaption(GetText("SID_PRESET"));
        Need<TControl>("lAddress").SetCaption(GetText("SID_ADDRESS"));
        Need<TControl>("bStore").SetCaption(GetText("SID_BT_STORE"));
        Need<TControl>("bRecall").SetCaption(GetText("SID_BT_RECALL"));
        // 3. The Gain page's twins.
        for (int ch = 0; ch < kChannelCount; ++ch) {
            Need<TControl>("rzbMuteBackup", ch).SetCaption(GetText("SID_MUTE"));
            TRzBmpButton& phase = Need<TRzBmpButton>("rzbPhaseBackup", ch);
            phase.SetCaption(GetText(phase.Down() ? "SID_PHASE_ON" : "SID_PHASE_OFF"));
        }
        // 4. The function pages' labels.
        for (const auto& [name, key] : kFunctionLabels) {
            Need<TControl>(name).SetCaption(GetText(key));
        }
        // 5. Every strip; 6. the gate page's title after the inputs; 7. the compressor page's
        // after the outputs.
        for (int ch = 0; ch < kChannelCount; ++ch) {
            ApplyStripLanguage(ch);
            if (ch == kInputCount - 1) {
                Need<TControl>("lbGateName")
                    .SetCaption(std::string("In ") + static_cast<char>('A' + FGateChannel) + "  " +
                                GetText("SID_GATE"));
            }
        }
        Need<TControl>("lbCompName")
            .SetCaption("Out " + std::to_string(FCompChannel - 2) + "  " + GetText("SID_COMP"));
    } catch (const TNameMissing&) {
        // The form holds every name; a missing one ends the texts here.
    }
}

void TfmMain::ApplyStripLanguage(int ch) {
    for (const auto& [stem, key] : kStripBeforePhase) {
        Need<TControl>(stem, ch).SetCaption(GetText(key));
    }
    TRzBmpButton& phase = Need<TRzBmpButton>("rzbPhase", ch);
    phase.SetCaption(GetText(phase.Down() ? "SID_PHASE_ON" : "SID_PHASE_OFF"));
    for (const auto& [stem, key] : kStripAfterPhase) {
        Need<TControl>(stem, ch).SetCaption(GetText(key));
    }
    if (IsInput(ch)) {
        for (const auto& [stem, key] : kInputGate)
            Need<TControl>(stem, ch).SetCaption(GetText(key));
    }
    for (const auto& [stem, key] : kEqButtons) Need<TControl>(stem, ch).SetCaption(GetText(key));
    if (!IsInput(ch)) {
        for (const auto& [stem, key] : kOutputCompressor) {
            Need<TControl>(stem, ch).SetCaption(GetText(key));
        }
    }
    TMyPEQAllpass& table = Need<TMyPEQAllpass>("peqPeq", ch);
    for (int type = 0; type < 7; ++type) {
        table.SetEqTypeString(GetText("SID_EQ_TYPE" + std::to_string(type)), type);
    }
    table.SetBypassString(GetText("SID_EQ_BYPASS"));
    table.ChangeLanguage();
}

void TfmMain::ChineseSimplifiedClick(TObject* sender) { EnglishClick(sender); }

void TfmMain::EnglishClick(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (item == nullptr) return;
    static constexpr const char* kNames[] = {kLanguageChineseGB, "ChineseBIG5", kLanguageEnglish};
    const auto tag = item->Tag();
    if (tag >= 0 && tag <= 2) {
        TMenuItem* items[] = {ChineseSimplified, ChineseTraditional, English};
        FLanguage = kNames[tag];
        if (items[tag]->Checked()) return;
        for (int i = 0; i < 3; ++i) items[i]->SetChecked(i == tag);
    }
    ApplyLanguage();
    if (auto* table = StripControl<TMyPEQAllpass>("peqPeq", 0)) table->Repaint();
}

}  // namespace dsp
