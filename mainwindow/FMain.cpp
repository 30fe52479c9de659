// The main window's creation and closing.

#include "mainwindow/FMain.h"
#include "mainwindow/LanguageTexts.h"

#include <utility>

#include "components/LMyFFTDrawPhase.h"
#include "dialogs/FExit.h"
#include "dialogs/FFactory.h"
#include "framework/controls/Menus.h"
#include "framework/os/ClientSocket.h"
#include "framework/os/SingleInstance.h"
#include "framework/runtime/Application.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/Timer.h"
#include "link/Lcomm.h"
#include "link/Lnet.h"
#include "link/Lusb.h"
#include "mainwindow/SharedConstants.h"
#include "model/Plot.h"
#include "plot/engine/TransferPlotSetup.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzPanel.h"

namespace dsp {

TfmMain* fmMain = nullptr;

namespace {

std::string& SingleInstanceName() {
    static std::string name;
    return name;
}

// The views of the eleven response calculators, in FPlots order.
constexpr const char* kViewNames[] = {
    "fftDrawInA",  "fftDrawInB",  "fftDrawInC",  "fftDrawOut1",   "fftDrawOut2",   "fftDrawOut3",
    "fftDrawOut4", "fftDrawOut5", "fftDrawOut6", "fftDrawGainIn", "fftDrawGainOut"};

}  // namespace

TfmMain::TfmMain(TComponent* owner) : TfmMainOperations(owner) {
    BuildForm();
    SetMainWindowServices(this);
    SetChannelWindow(this);
}

TfmMain::~TfmMain() {
    if (MainWindowServices() == this) SetMainWindowServices(nullptr);
    if (ChannelWindow() == this) SetChannelWindow(nullptr);
    if (fmMain == this) fmMain = nullptr;
}

std::string TfmMain::GetText(const std::string& key) const { return TfmMainSession::GetText(key); }

void TfmMain::SetSingleInstanceName(std::string name) { SingleInstanceName() = std::move(name); }

void TfmMain::FormCreate(TObject*) {
    // 1. Caption and hint.
    SetCaption(std::string(AppTitle) + " " + std::string(AppVersion));
    SetHint(std::string(AppTitle));
    // 2. One instance per user: a second start raises the first and ends, after creating.
    CheckSingleInstance();
    // 3. Session defaults.
    SetDeviceId(1);
    FSelectedBand = -1;
    FPage = kPageGain;
    FCompChannel = 3;
    FGateChannel = 0;
    // 4. The Gain page's panels, the design size.
    Need<TRzGroupBox>("rzgFftInA").Show();
    Need<TRzGroupBox>("rzgParamGain").Show();
    SetBounds(Left(), Top(), kDesignWidth, kDesignHeight);
    rzgPreset->SetTop(626);
    FExtraHeight = 0;
    // 5. The response calculators on their views, in magnitude.
    for (std::size_t i = 0; i < FPlots.size(); ++i) {
        FPlots[i] = std::make_unique<Plot>(&Need<LMyFFTDrawPhase>(kViewNames[i]));
        FPlots[i]->SetPhaseMode(0);
    }
    // 6. English.
    FLanguage = kLanguageEnglish;
    ChineseSimplified->SetChecked(false);
    ChineseTraditional->SetChecked(false);
    English->SetChecked(true);
    ApplyLanguage();
    // 7. The parameter model with the default image is the session's (made with the window).
    // 8. The first image, while starting up.
    FStartingUp = true;
    ClearBandSelection();
    ApplyUnitImage();
    FStartingUp = false;
    // 9. The Gain page in front.
    Need<TRzGroupBox>("rzgFftGain").BringToFront();
    Need<TRzGroupBox>("rzgParamGain").BringToFront();
    // 10. The connect dialog, shortly.
    tmStartConnect->SetEnabled(true);
    // 11. The overviews, InA and Out1 drawn.
    RefreshOverviewCurves();
    FPlots[9]->ShowCurve(0, ChannelColours[0]);
    FPlots[10]->ShowCurve(3, ChannelColours[3]);
    // 12. The transfer plots' first points (every later redraw replaces exactly as many).
    ReplaceTransferPoints(*ipComp, kCompressorStartCurve, kCompressorStartOperatingPoint);
    ReplaceTransferPoints(*ipGate, kGateStartCurve, kGateStartOperatingPoint);
    // 13. The processor's default address.
    ClientSocket->SetPort(9761);
    ClientSocket->SetAddress(std::string(DefaultDeviceAddress));
    FDeviceIp = 0xC0A80201;
    NetworkSetup->SetVisible(true);
    // 14. The page buttons share their state pictures.
    TRzBmpButton& gain = Need<TRzBmpButton>("rzbMenuGain");
    TRzButtonBitmaps& gainPictures = *gain.Bitmaps();
    TRzButtonBitmaps& comp = *Need<TRzBmpButton>("rzbMenuComp").Bitmaps();
    comp.SetDown(gainPictures.Down());
    comp.SetHot(gainPictures.Hot());
    comp.SetStayDown(gainPictures.StayDown());
    for (const char* name : {"rzbMenuDelay", "rzbMenuMatrix"}) {
        TRzButtonBitmaps& pictures = *Need<TRzBmpButton>(name).Bitmaps();
        pictures.SetHot(gainPictures.Hot());
        pictures.SetStayDown(gainPictures.StayDown());
    }
    TRzButtonBitmaps& inA = *Need<TRzBmpButton>("rzbMenuInA").Bitmaps();
    for (int ch = 0; ch < kChannelCount - 1; ++ch) {
        TRzButtonBitmaps& pictures = *Need<TRzBmpButton>("rzbMenu", ch).Bitmaps();
        pictures.SetDisabled(inA.StayDown());
        pictures.SetDown(inA.Down());
        pictures.SetHot(inA.Hot());
        pictures.SetStayDown(inA.StayDown());
    }
    TRzButtonBitmaps& route = *Need<TRzBmpButton>("rzbAMatrixOut1").Bitmaps();
    for (int ch = kInputCount; ch < kChannelCount; ++ch) {
        for (int input = 0; input < kInputCount; ++input) {
            TRzButtonBitmaps& pictures =
                *Need<TRzBmpButton>(std::string("rzb") + ChannelChar(input) + "Matrix", ch)
                     .Bitmaps();
            pictures.SetDown(route.Down());
            pictures.SetHot(route.Hot());
            pictures.SetStayDown(route.StayDown());
        }
    }
}

void TfmMain::CheckSingleInstance() {
    if (SingleInstanceName().empty()) return;
    singleInstance_ = std::make_unique<TSingleInstance>(SingleInstanceName());
    switch (singleInstance_->Start({})) {
        case TInstanceRole::First:
            singleInstance_->OnSecondInstance = [this](const std::vector<std::string>&) {
                RaiseFromSecondInstance();
            };
            break;
        case TInstanceRole::Second:
            // The first instance has been raised; this one ends without showing its window.
            Application->SetShowMainForm(false);
            Application->Terminate();
            break;
        case TInstanceRole::None:
            // The per-user folder cannot be used: the editor runs on, unguarded.
            break;
    }
}

void TfmMain::RaiseFromSecondInstance() {
    if (WindowState() == wsMinimized) SetWindowState(wsNormal);
    Show();
    BringToFront();
}

void TfmMain::PresetStripPainted(TObject*) {
    if (painted_) return;
    painted_ = true;
    // The preset strip is the last of the window's parts to paint; what is posted now runs once
    // this paint has gone to the screen.
    if (OnFirstPaint) PostToMainThread([this] { OnFirstPaint(this); });
}

void TfmMain::FormClose(TObject*, TCloseAction& action) {
    ShowExitDialog();
    if (!FExitConfirmed) {
        action = caNone;
        return;
    }
    action = caHide;
    CloseTransportsQuietly();
}

void TfmMain::ShowExitDialog() {
    if (fmExit != nullptr) fmExit->Show();
}

void TfmMain::CloseTransportsQuietly() {
    // Serial, USB, network: each closed (its worker stopped), freed, and nothing sent.
    if (FCommLink) {
        FCommLink->CloseLink();
        FCommLink.reset();
    }
    if (FUsbLink) {
        FUsbLink->CloseLink();
        FUsbLink.reset();
    }
    if (FNetLink) {
        FNetLink->CloseLink();
        FNetLink.reset();
    }
}

void TfmMain::ConfirmExitAndClose() {
    FExitConfirmed = true;
    Close();
}

void TfmMain::CancelExit() { FExitConfirmed = false; }

void TfmMain::ConfirmFactoryReset() { FactoryReset(); }

void TfmMain::ExitClick(TObject*) {
    if (fmExit != nullptr && !fmExit->Visible()) fmExit->ShowModal();
}

void TfmMain::ShowFactoryDialog() {
    if (fmFactory != nullptr && !fmFactory->Visible()) fmFactory->ShowModal();
}

}  // namespace dsp
