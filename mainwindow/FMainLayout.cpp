// The main window's form: the menu, the function strip with the page buttons, the page area with
// its backgrounds and fourteen pages, the preset strip, the timers of the editing and the splash
// screen. Components are made in the order a form resource holds them (each parent before its
// children), their stored properties set first; the handlers are assigned when the builder
// finishes, so none runs while the form loads.
//
// Design size: 1118 x 720 outer, a client area of 1110 x 674 under the menu. The function strip
// takes the top 45 pixels, the page area (rzgMain) the remaining 629, and the preset strip lies
// over the page area's last 48. In the page area every page has a graph panel (top 4, 284 high)
// and a parameter panel (top 292, 286 high, 1070 wide and centred); the backgrounds change from
// the graph plate to the parameter plate at 256 + 34 = 290 and to the preset strip's foot at
// 256 + 323 = 579, rows that move down with the window's extra height as the panels do.

#include "framework/controls/FormBuilder.h"
#include "framework/controls/FormMenu.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/Menus.h"
#include "framework/runtime/Timer.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLayoutKit.h"
#include "mainwindow/SharedConstants.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzPanel.h"
#include "widgets/styled/AdvSmoothSplashScreen.h"

namespace dsp {

using namespace mainlayout;

namespace {

// The page buttons, left to right: caption, PageIndex (Tag) and left edge.
struct TPageButton {
    const char* caption;
    int page;
    int left;
};
// clang-format off
constexpr TPageButton kPageButtons[] = {
    {"Gain", TfmMain::kPageGain, 8},    {"Gate", TfmMain::kPageGate, 76},
    {"Comp", TfmMain::kPageComp, 144},  {"Delay", TfmMain::kPageDelay, 212},
    {"Matrix", TfmMain::kPageMatrix, 280},
    {"InA", 0, 360}, {"InB", 1, 428}, {"InC", 2, 496},
    {"Out1", 3, 576}, {"Out2", 4, 644}, {"Out3", 5, 712}, {"Out4", 6, 780}, {"Out5", 7, 848},
    {"Out6", 8, 916},
};
// clang-format on
constexpr int kPageButtonTop = 10;
constexpr int kPageButtonWidth = 64;
constexpr int kPageButtonHeight = 24;

}  // namespace

void TfmMain::BuildForm() {
    TFormBuilder build(*this);
    SetName("fmMain");
    SetColor(kFormColour);
    SetPosition(poScreenCenter);
    SetBounds(Left(), Top(), kDesignWidth, kDesignHeight);
    Font()->SetName(kFontName);
    Font()->SetHeight(-11);
    BuildMenu(build);
    BuildFunctionStrip(build);
    BuildPageArea(build);
    BuildPresetStrip(build);
    BuildTimers(build);
    build.Handle(OnCreate, this, &TfmMain::FormCreate);
    build.Handle(OnClose, this, &TfmMain::FormClose);
    build.Handle(OnResize, this, &TfmMain::FormResize);
    build.Finish();
    BindOperationComponents();
}

void TfmMain::BuildMenu(TFormBuilder& build) {
    MainMenu = build.Create<TMainMenu>("MainMenu");
    auto item = [&](const char* name, TMenuItem* parent, const char* caption, bool visible = true) {
        auto* made = build.Create<TMenuItem>(name);
        made->SetCaption(caption);
        made->SetVisible(visible);
        parent->Add(made);
        return made;
    };
    TMenuItem* root = MainMenu->Items();
    File = item("File", root, "File");
    item("Open", File, "Open");
    item("Save", File, "Save");
    item("N1", File, "-");
    item("Upload", File, "Upload");
    item("Download", File, "Download");
    item("FactoryDefault", File, "Factory Default", false);
    item("N2", File, "-");
    item("Exit", File, "Exit");
    BlockDiagram = item("BlockDiagram", root, "Diagram", false);
    TMenuItem* connect = item("Connect", root, "Connect", false);
    item("Connected", connect, "Connect");
    item("ConnectHelp", connect, "Connect Help", false);
    item("Lock", root, "Lock");
    item("SettingID", root, "Setting ID", false);
    item("NetworkSetup", root, "Setting ID/IP", false);
    item("TestTone", root, "Test Tone");
    Link = item("Link", root, "Link");
    Copy = item("Copy", root, "Copy");
    item("ChNameList", root, "Channel Name");
    LanguageSel = item("LanguageSel", root, "Language");
    ChineseSimplified = item("ChineseSimplified", LanguageSel, "Chinese");
    ChineseSimplified->SetTag(0);
    ChineseTraditional = item("ChineseTraditional", LanguageSel, "Troditional Chinese", false);
    ChineseTraditional->SetTag(1);
    English = item("English", LanguageSel, "English");
    English->SetTag(2);
    English->SetChecked(true);
    Help = item("Help", root, "Help");
    item("Rs232Code", Help, "RS232 Code Table");
    item("About", Help, "About");
    item("LockSetup", Help, "Lock", false);
    item("MemoShow", Help, "Memo", false);
    item("HidData", Help, "HID Data", false);
    SetFormMenu(*this, MainMenu);

    build.Handle(ChineseSimplified->OnClick, this, &TfmMain::ChineseSimplifiedClick);
    build.Handle(English->OnClick, this, &TfmMain::EnglishClick);
    build.Handle(BlockDiagram->OnClick, this, &TfmMain::BlockDiagramClick);
    build.Handle(Link->OnClick, this, &TfmMain::LinkClick);
    build.Handle(Copy->OnClick, this, &TfmMain::CopyClick);
    build.Handle(Need<TMenuItem>("ChNameList").OnClick, this, &TfmMain::ChNameListClick);
}

void TfmMain::BuildFunctionStrip(TFormBuilder& build) {
    rzgFunction = Area(build, "rzgFunction", this, 0, 0, 1115, 45);
    Picture(build, "imFunctionBase", rzgFunction, 0, 0, 1115, 45, "FUNCTION_STRIP", true, false)
        ->SetAlign(alClient);
    for (const TPageButton& b : kPageButtons) {
        const bool channel = b.page < kChannelCount;
        const std::string name =
            channel ? StripName("rzbMenu", b.page) : std::string("rzbMenu") + b.caption;
        TRzBmpButton* button = Button(build, name, rzgFunction, b.left, kPageButtonTop,
                                      kPageButtonWidth, kPageButtonHeight, b.caption,
                                      channel ? "BTN_PAGE" : "BTN_PAGE_FUNCTION", 1, false, b.page);
        button->SetShowHint(channel);
        if (b.page == kPageGain) {
            button->SetDown(true);
            button->Font()->SetColor(clLime);
        }
        build.Handle(button->OnClick, this, &TfmMain::rzbMenuInAClick);
    }
    TRzBmpButton* link = Button(build, "rzbMenuLink", rzgFunction, 1040, kPageButtonTop, 68,
                                kPageButtonHeight, "OffLine", "BTN_LINK_STATE", 2, true, 0);
    // Clear of the state lamp at the left of the face.
    link->Font()->SetStyle({});
}

void TfmMain::BuildPageArea(TFormBuilder& build) {
    rzgMain = Area(build, "rzgMain", this, 0, 45, 1112, 629);
    Picture(build, "imLeftUpBase", rzgMain, 0, 0, 1082, 256, "MAIN_UPPER_LEFT", true, false);
    Picture(build, "imRightUpBase", rzgMain, 1077, 0, 35, 256, "MAIN_UPPER_RIGHT", true, false);
    Picture(build, "imLeftDownBase", rzgMain, 0, 256, 1082, 373, "MAIN_LOWER_LEFT", true, false);
    Picture(build, "imRightDownBase", rzgMain, 1077, 256, 35, 373, "MAIN_LOWER_RIGHT", true, false);
    for (int ch = 0; ch < kChannelCount; ++ch) BuildChannelPage(build, rzgMain, ch);
    BuildGainPage(build, rzgMain);
    BuildGatePage(build, rzgMain);
    BuildCompPage(build, rzgMain);
    BuildDelayPage(build, rzgMain);
    BuildMatrixPage(build, rzgMain);
}

void TfmMain::BuildPresetStrip(TFormBuilder& build) {
    rzgPreset = Area(build, "rzgPreset", this, 10, 626, 1090, 48);
    build.Handle(rzgPreset->OnPaint, this, &TfmMain::PresetStripPainted);
    // A display: lime figures on black, as the processor's own front panel shows them.
    auto display = [&](const char* name, int left, int width, const char* caption,
                       TAlignment alignment) {
        TLabel* label = Label(build, name, rzgPreset, left, 11, width, 26, caption,
                              TTextLook::Channel, alignment);
        label->SetTransparent(false);
        label->SetColor(clBlack);
        label->Font()->SetName("Courier New");
        label->Font()->SetHeight(-16);
        return label;
    };
    Label(build, "lPreset", rzgPreset, 14, 11, 66, 26, "Preset", TTextLook::Heading);
    display("lbPstNum", 82, 48, "F00", taCenter);
    display("lbPstName", 134, 170, "", taLeftJustify);
    Button(build, "bStore", rzgPreset, 322, 12, 84, 24, "Store", "BTN_ACTION", 0, false, 0);
    Button(build, "bRecall", rzgPreset, 412, 12, 84, 24, "Recall", "BTN_ACTION", 0, false, 0);
    Label(build, "lAddress", rzgPreset, 640, 11, 76, 26, "Address", TTextLook::Heading,
          taRightJustify);
    display("lbShowIdNumber", 722, 96, "ID : 1", taCenter);
    display("lbShowIp", 822, 250, "", taCenter);
    Label(build, "lbStatus", rzgPreset, 0, 0, 10, 10, "", TTextLook::Text)->SetVisible(false);
}

void TfmMain::BuildTimers(TFormBuilder& build) {
    auto timer = [&](const char* name, void (TfmMain::*handler)(TObject*)) {
        auto* made = build.Create<TTimer>(name);
        made->SetEnabled(false);
        made->SetInterval(1);
        // Disabled, so its handler cannot run while the form loads.
        made->SetOnTimer([this, handler](TObject* sender) { (this->*handler)(sender); });
        return made;
    };
    tmEqCurve = timer("tmEqCurve", &TfmMain::tmEqCurveTimer);
    tmHpLpCurve = timer("tmHpLpCurve", &TfmMain::tmHpLpCurveTimer);
    tmMouseEqCurve = timer("tmMouseEqCurve", &TfmMain::tmMouseEqCurveTimer);
    tmCompDisp = timer("tmCompDisp", &TfmMain::tmCompDispTimer);

    // The splash screen shows while the window loads (from its Loaded) and hides when the
    // window is shown.
    asScreen = build.Create<TAdvSmoothSplashScreen>("asScreen");
    TBasicProgramInfo& info = *asScreen->BasicProgramInfo();
    TSplashHeadingText& name = *info.ProgramName();
    name.SetText(std::string(AppTitle));
    // Tahoma's stand-in is wider than Tahoma; Arial's keeps the name clear of the version.
    name.Font()->SetName("Arial");
    name.Font()->SetHeight(-29);
    name.Font()->SetStyle({fsBold});
    name.Font()->SetColor(clWhite);
    name.SetPosX(85);
    name.SetPosY(130);
    name.SetHatchStyle(HatchStyleDivot);
    name.SetColorStart(clWhite);
    name.SetColorEnd(clWhite);
    name.SetLocation(ilCustom);
    TSplashHeadingText& version = *info.ProgramVersion();
    version.SetText("Ver 1.0");
    version.Font()->SetName("Tahoma");
    version.Font()->SetHeight(-19);
    version.Font()->SetStyle({});
    version.SetPosX(480);
    version.SetPosY(140);
    version.SetHatchStyle(HatchStyleDivot);
    version.SetColorStart(clWhite);
    version.SetColorEnd(clWhite);
    version.SetLocation(ilCustom);
    TGDIPFill& fill = *asScreen->Fill();
    fill.Picture()->LoadFromResourceName("SPLASH");
    fill.SetPicturePosition(ppBottomCenter);
    fill.SetOpacity(249);
    fill.SetColor(clNone);
    fill.SetColorTo(clNone);
    fill.SetBorderColor(clNone);
    fill.SetRounding(0);
    fill.SetShadowOffset(0);
    fill.SetGlow(gmNone);
    asScreen->SetTimeOut(100);
    TGDIPSplashProgress& bar = *asScreen->ProgressBar();
    bar.SetLeft(160);
    bar.SetTop(220);
    bar.SetHeight(12);
    bar.SetStep(10);
    bar.SetMaximum(100);
    bar.SetValueFormat("%.0f%%");
    asScreen->ListItems()->Add()->SetHTMLText(
        "<FONT size=\"20\" color=\"clWhite\">Loading Program....</FONT><br>");
    TSplashListItemsSettings& list = *asScreen->ListItemsSettings();
    list.Rect()->SetLeft(180);
    list.Rect()->SetTop(210);
    list.Rect()->SetWidth(500);
    list.Rect()->SetHeight(250);
    list.HTMLFont()->SetName("Tahoma");
    list.HTMLFont()->SetHeight(-11);
    asScreen->SetDisplayStyle(dsNormal);
}

}  // namespace dsp
