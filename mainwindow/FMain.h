#pragma once
// TfmMain: the editor's main window. It derives from the processor operations over the link
// session (TfmMainOperations over TfmMainSession) and adds the shell: the form with every
// control of its fourteen pages (laid out in FMainLayout*.cpp), creation and closing, the
// language texts, showing a parameter image, page switching, the layout on resize and the
// channel-strip conventions with the linked display. The channel-strip editing (gain, delay,
// routing, links, overlays, EQ, crossovers, dragging, dynamics, typed values) lives in units of
// its own; every handler of the form is declared here and wired by the layout, so an editing
// unit only fills its bodies.
//
// Controls are found by composing their names (mainwindow/StripNames.h): a handler serves every
// strip of a kind and looks up the strip's other controls. A name that does not resolve ends the
// operation at that point; the form holds every name used.
//
// The form is fmMain's; the dialogs are created after it (app/main.cpp), so everything here
// tests their globals for null.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "dialogs/ChannelWindow.h"
#include "dialogs/MainWindowServices.h"
#include "framework/controls/ControlTypes.h"
#include "framework/controls/UpDown.h"
#include "mainwindow/FMainOperations.h"
#include "mainwindow/FMainSession.h"
#include "mainwindow/StripNames.h"

namespace dsp {

class Plot;
class TFormBuilder;
class TWinControl;
class TImage;
class TMainMenu;
class TSingleInstance;
class TAdvSmoothSplashScreen;
class TiXYPlot;
class TRzGroupBox;
class LMyFFTDrawPhase;
class TMyPEQAllpass;

class TfmMain : public TfmMainOperations, public IMainWindowServices, public IChannelWindow {
public:
    // The window's design size (outer, frame and menu included); below it the window scrolls.
    static constexpr int kDesignWidth = 1118;
    static constexpr int kDesignHeight = 720;
    // PageIndex of the function pages (the channel pages are 0 to 8).
    static constexpr int kPageComp = 9;
    static constexpr int kPageDelay = 10;
    static constexpr int kPageGain = 11;
    static constexpr int kPageMatrix = 12;
    static constexpr int kPageGate = 13;
    static constexpr int kPageCount = 14;

    explicit TfmMain(TComponent* owner);
    ~TfmMain() override;

    // A page's name in its panels' and button's names: "InA" .. "Out6", "Comp", "Delay",
    // "Gain", "Matrix", "Gate".
    static std::string PageName(int page);

    // The single-instance service's application name ("dsp-editor"); empty (the default) leaves
    // creation without the check, as the tests need. Set before the window is created.
    static void SetSingleInstanceName(std::string name);

    // ---- creation and closing
    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);

    // ---- what the shell's dialogs ask of the window
    std::string GetText(const std::string& key) const override;
    // The quit dialog's OK: FExitConfirmed, then the window is asked to close again.
    void ConfirmExitAndClose() override;
    void CancelExit() override;
    // The factory-default dialog's OK (the session's factory reset).
    void ConfirmFactoryReset() override;
    // The channel dialogs' view of the session (the session's own answers).
    bool IsApplyingImage() const override { return TfmMainSession::IsApplyingImage(); }
    int GetDeviceId() const override { return TfmMainSession::GetDeviceId(); }
    void SendCommand(const LCmd& record, bool noCoalesce, bool framed) override {
        TfmMainSession::SendCommand(record, noCoalesce, framed);
    }

    // ---- the menu's dialogs (FMainDialogHooks.cpp)
    void AboutClick(TObject* sender) override;
    void Rs232CodeClick(TObject* sender) override;
    void TestToneClick(TObject* sender) override;

    // ---- language
    void ApplyLanguage();
    void ChineseSimplifiedClick(TObject* sender);
    void EnglishClick(TObject* sender);

    // ---- showing the image
    void ApplyUnitImage() override;

    // ---- pages
    void rzbMenuInAClick(TObject* sender);

    // ---- layout
    void FormResize(TObject* sender);

    // ---- confirmations (menu Exit, File > Factory Default)
    void ExitClick(TObject* sender) override;
    void ShowFactoryDialog() override;

    // ---- strip conventions and linked display
    std::uint16_t GetLinkGroupMask(int channel) const;
    void ShowLinkedGain(int channel, int position);
    void ShowLinkedDelay(int channel, int position, int markerLeft);
    void ShowLinkedPolarity(int channel, bool inverted);
    void ShowLinkedMute(int channel, bool muted);
    void lbMatrixHpLpInAClick(TObject* sender);
    void lbMatrixDelayInAClick(TObject* sender);
    void lbMatrixCompOut1Click(TObject* sender);
    void lbMatrixChNameInAMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void lbMatrixChNameInAMouseLeave(TObject* sender);

    // ---- gain, mute, polarity (FMainGain.cpp)
    void isGainInAChange(TObject* sender);
    void isGainBackupInAChange(TObject* sender);
    void rzbMuteInAClick(TObject* sender);
    void rzbMuteBackupInAClick(TObject* sender);
    void rzbPhaseInAClick(TObject* sender);
    void rzbPhaseBackupInAClick(TObject* sender);

    // ---- delay (FMainDelay.cpp)
    void isDelayInAChange(TObject* sender);
    void rzbUnit0Click(TObject* sender);
    void UpdateDelayLine(int channel);
    void lbDelayLineInAMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                 int y);
    void lbDelayLineInAMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void lbDelayLineInAMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x,
                               int y);
    void cvdDelayInBKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdDelayInAExit(TObject* sender);

    // ---- routing (FMainMatrix.cpp)
    void rzbAMatrixOut1Click(TObject* sender);
    void rzbAMatrixOut2Click(TObject* sender);
    void rzbAMatrixOut3Click(TObject* sender);
    void rzbAMatrixOut4Click(TObject* sender);
    void rzbAMatrixOut5Click(TObject* sender);
    void rzbAMatrixOut6Click(TObject* sender);
    void DrawRoutingLines();
    void rzgFftMatrixPaint(TObject* sender);
    void BlockDiagramClick(TObject* sender);

    // ---- links, copies, names (FMainLinks.cpp)
    std::uint16_t GetLinkMask(int channel) const override;
    void SetLinkMask(int channel, std::uint16_t mask) override;
    // Online the processor copies the pair and, with reRead, the whole image is read back.
    // Offline, with reRead (the copy dialog), the copy reaches the target's link group as the
    // links stand, then the image is shown; without it (a link change, whose masks are being
    // rewritten) only the pair is copied, as the processor does.
    void CopyChannel(int from, int to, std::uint8_t reRead) override;
    void CommitLinks() override;
    void ShowOverlayButtons(int channel, bool visible) override;
    void ShowLinkCaption(int leader, int channel) override;
    void ShowGainPage() override;
    const ChannelNameBytes& GetChannelName(int channel) const override;
    void SetChannelName(int channel, const ChannelNameBytes& name) override;
    void LinkClick(TObject* sender);
    void CopyClick(TObject* sender);
    void ChNameListClick(TObject* sender);
    void lbMatrixChNameInAClick(TObject* sender);

    // ---- overlays and view switches (FMainOverlays.cpp)
    void MarkCurveDirty(int ch) override;
    void RefreshOverviewCurves();
    void RefreshOverlayCurves(int channel);
    void vrbShowAGainClick(TObject* sender);
    void vrbShow1GainClick(TObject* sender);
    void vrbShowBInAClick(TObject* sender);
    void vrbShowAInBClick(TObject* sender);
    void vrbShowAInCClick(TObject* sender);
    void vrbShow2Out1Click(TObject* sender);
    void vrbShow1Out2Click(TObject* sender);
    void vrbShow1Out3Click(TObject* sender);
    void vrbShow1Out4Click(TObject* sender);
    void vrbShow1Out5Click(TObject* sender);
    void vrbShow1Out6Click(TObject* sender);
    void rbShowGainInAClick(TObject* sender);
    void rbShowPhaseInAClick(TObject* sender);

    // ---- EQ bands (FMainEq.cpp)
    void ClearBandSelection() override;
    // The band's values in the strip's three faders and boxes; enabled or not.
    void ShowBandFields(int channel, bool enabled, double q, double gainDb, double freqHz);
    void SelectFirstBands();
    void UpdatePeqCurve(int channel);
    void FocusEqFreqEdit(int channel);
    void rzbEq1InAClick(TObject* sender);
    void isEqFreqInAChange(TObject* sender);
    void isEqBwInAChange(TObject* sender);
    void isEqGainInAChange(TObject* sender);
    void tmEqCurveTimer(TObject* sender);
    void cvdEqFreqInAKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdEqFreqInAExit(TObject* sender);
    void peqPeqInAChange(TObject* sender);
    void peqPeqInAEditMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                int y);
    void peqPeqInAPeqTypeMouseWheel(TObject* sender, TShiftState shift, int wheelDelta,
                                    TPoint mousePos, bool& handled);

    // ---- crossovers (FMainCrossover.cpp)
    void UpdateHighPassCurve(int channel);
    void UpdateLowPassCurve(int channel);
    // One crossover filter's total curve (slope 0..20, frequency in Hz) and its handle; base is
    // the high-pass total's slot, the low-pass total and the design's sections follow it.
    void DesignCrossoverCurve(bool highPass, int slope, float freqHz, int base, int channel);
    void isLowCutFreqInAChange(TObject* sender);
    void isHighCutFreqInAChange(TObject* sender);
    void rzcLowCutSlopInAChange(TObject* sender);
    void rzcHighCutSlopInAChange(TObject* sender);
    void rzcLowCutSlopInAMouseWheel(TObject* sender, TShiftState shift, int wheelDelta,
                                    TPoint mousePos, bool& handled);
    void rzcHighCutSlopInAMouseWheel(TObject* sender, TShiftState shift, int wheelDelta,
                                     TPoint mousePos, bool& handled);
    void rzbLowCutBypassInAClick(TObject* sender);
    void rzbHighCutBypassInAClick(TObject* sender);
    void tmHpLpCurveTimer(TObject* sender);

    // ---- dragging on the views (FMainDrag.cpp)
    void fftDrawInAMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void fftDrawInAMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void fftDrawInAMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void tmMouseEqCurveTimer(TObject* sender);

    // ---- EQ reset, show-all, bypass (FMainEqButtons.cpp)
    void ResetChannelEq(int channel) override;
    void vrbEqResetInAClick(TObject* sender);
    void vrbEqShowAllInAClick(TObject* sender);
    void vrbEqBypassInAClick(TObject* sender);

    // ---- compressor (FMainCompressor.cpp)
    void ApplyCompressorValue(int channel, int field, int value);
    void ShowLinkedCompressor(int channel, int field, int value);
    void DrawCompressorCurve(int channel);
    void isCompThresholdOut1Change(TObject* sender);
    void isCompAttackOut1Change(TObject* sender);
    void isCompReleaseOut1Change(TObject* sender);
    void udCompRatioOut1ChangingEx(TObject* sender, bool& allowChange, int newValue,
                                   TUpDownDirection direction);
    void udCompKneeOut1ChangingEx(TObject* sender, bool& allowChange, int newValue,
                                  TUpDownDirection direction);
    void isCompThresholdOut1MouseDown(TObject* sender, TMouseButton button, TShiftState shift,
                                      int x, int y);
    void cvdCompThresholdOut1MouseDown(TObject* sender, TMouseButton button, TShiftState shift,
                                       int x, int y);
    void lbCompOut1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void tmCompDispTimer(TObject* sender);

    // ---- gate (FMainGate.cpp)
    void ApplyGateValue(int channel, int field, int value);
    void ShowLinkedGate(int channel, int field, int value);
    void DrawGateCurve(int channel);
    void isGateThresholdInAChange(TObject* sender);
    void isGateAttackInAChange(TObject* sender);
    void isGateReleaseInAChange(TObject* sender);
    void isGateHoldInAChange(TObject* sender);
    void cvdGateThresholdInAMouseDown(TObject* sender, TMouseButton button, TShiftState shift,
                                      int x, int y);
    void cvdGateAttackInAMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                   int y);
    void cvdGateReleaseInAMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                    int y);
    void lbGateInAMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void lbMatrixGateInAClick(TObject* sender);

    // ---- typed values (FMainTypedValues.cpp)
    void cvdCompThresholdOut1KeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdCompThresholdOut1Exit(TObject* sender);
    void cvdCompAttackOut1KeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdCompAttackOut1Exit(TObject* sender);
    void cvdCompReleaseOut1KeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdCompReleaseOut1Exit(TObject* sender);
    void cvdCompKneeOut1KeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdCompKneeOut1Exit(TObject* sender);
    void cvdCompRatioOut1KeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdCompRatioOut1Exit(TObject* sender);
    void cvdGateThresholdInAKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdGateThresholdInAExit(TObject* sender);
    void cvdGateAttackInAKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdGateAttackInAExit(TObject* sender);
    void cvdGateReleaseInAKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdGateReleaseInAExit(TObject* sender);
    void cvdGateHoldInAKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void cvdGateHoldInAExit(TObject* sender);

    // ---- for whoever watches the program run (its trace, the benchmarks)
    // Once, when the window's first paint has gone to the screen.
    TNotifyEvent OnFirstPaint;
    // After each whole image has been shown (at start, after a read-back, a file, a copy).
    TNotifyEvent OnImageShown;

    // ---- state, for the dialogs and tests
    int Page() const { return FPage; }
    int ExtraHeight() const { return FExtraHeight; }
    bool ExitConfirmed() const { return FExitConfirmed; }
    bool StartingUp() const { return FStartingUp; }
    Plot& ChannelPlot(int index) { return *FPlots.at(static_cast<std::size_t>(index)); }
    std::uint32_t OverlayMask(int index) const {
        return FOverlayMasks.at(static_cast<std::size_t>(index));
    }

    // The component of this form named stem + side word + channel character, of class T; null
    // when there is none or it is of another class.
    template <typename T>
    T* StripControl(std::string_view stem, int channel) const {
        return dynamic_cast<T*>(FindComponent(StripName(stem, channel)));
    }
    // The same by a whole name.
    template <typename T>
    T* Control(const std::string& name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }

protected:
    // ---- fields of the shell and the editing (the session's are in TfmMainSession)
    bool FStartingUp = false;
    bool FExitConfirmed = false;
    std::array<std::unique_ptr<Plot>, 11> FPlots;
    int FSelectedBand = -1;
    int FPage = kPageGain;
    int FCurveEditKind = 0;
    int FCurveEditChannel = 0;
    double FCurveEditGain = 0;
    float FCurveEditQ = 0;
    float FCurveEditFreq = 0;
    int FCurveEditBypass = 0;
    int FCurveEditType = 0;
    int FCurveEditBand = 0;
    int FCurveEditSlope = 0;
    int FExtraHeight = 0;
    std::array<std::uint32_t, 11> FOverlayMasks{};
    int FDelayDragging = 0;
    int FCompDispChannel = 0;

    // Components of the shell that code touches directly (the rest are found by name).
    TMainMenu* MainMenu = nullptr;
    TMenuItem* File = nullptr;
    TMenuItem* BlockDiagram = nullptr;
    TMenuItem* Link = nullptr;
    TMenuItem* Copy = nullptr;
    TMenuItem* LanguageSel = nullptr;
    TMenuItem* ChineseSimplified = nullptr;
    TMenuItem* ChineseTraditional = nullptr;
    TMenuItem* English = nullptr;
    TMenuItem* Help = nullptr;
    TRzGroupBox* rzgFunction = nullptr;
    TRzGroupBox* rzgMain = nullptr;
    TRzGroupBox* rzgPreset = nullptr;
    TiXYPlot* ipComp = nullptr;
    TiXYPlot* ipGate = nullptr;
    TAdvSmoothSplashScreen* asScreen = nullptr;
    TTimer* tmEqCurve = nullptr;
    TTimer* tmHpLpCurve = nullptr;
    TTimer* tmMouseEqCurve = nullptr;
    TTimer* tmCompDisp = nullptr;

private:
    // A composed name that does not resolve: ends the operation that looked it up.
    struct TNameMissing {
        std::string name;
    };
    // The control, or TNameMissing.
    template <typename T>
    T& Need(std::string_view stem, int channel) const {
        T* control = StripControl<T>(stem, channel);
        if (control == nullptr) throw TNameMissing{StripName(stem, channel)};
        return *control;
    }
    template <typename T>
    T& Need(const std::string& name) const {
        T* control = Control<T>(name);
        if (control == nullptr) throw TNameMissing{name};
        return *control;
    }

    // ---- the form (FMainLayout*.cpp)
    void BuildForm();
    void BuildMenu(TFormBuilder& build);
    void BuildFunctionStrip(TFormBuilder& build);
    void BuildPageArea(TFormBuilder& build);
    void BuildPresetStrip(TFormBuilder& build);
    void BuildTimers(TFormBuilder& build);
    // One routine per kind of strip.
    void BuildChannelPage(TFormBuilder& build, TWinControl* area, int ch);
    void BuildGainStrip(TFormBuilder& build, TWinControl* panel, int ch, int left);
    void BuildDelayRow(TFormBuilder& build, TWinControl* linePanel, int ch);
    void BuildDelayStrip(TFormBuilder& build, TWinControl* panel, int ch, int left);
    void BuildCompStrip(TFormBuilder& build, TWinControl* panel, int ch, int left);
    void BuildGateStrip(TFormBuilder& build, TWinControl* panel, int ch, int left);
    void BuildMatrixRow(TFormBuilder& build, TWinControl* graph, int ch);
    void BuildRoutingGroup(TFormBuilder& build, TWinControl* panel, int ch, int left);
    void BuildMeterGroup(TFormBuilder& build, TWinControl* graph, bool compressor, int index,
                         int left, int top);
    // The function pages.
    void BuildGainPage(TFormBuilder& build, TWinControl* area);
    void BuildGatePage(TFormBuilder& build, TWinControl* area);
    void BuildCompPage(TFormBuilder& build, TWinControl* area);
    void BuildDelayPage(TFormBuilder& build, TWinControl* area);
    void BuildMatrixPage(TFormBuilder& build, TWinControl* area);

    // ---- the dialogs' side of the operations (null-tested: the dialogs come after the window)
    // Showing an image: the test-signal mode, the leaders and captions, a link row.
    void ShowTestSignalInDialog();
    void ShowLinksInDialog();
    void ShowLinkMaskInDialog(int channel, std::uint16_t mask);
    // Whether start-up has created the dialogs yet (the layout waits for them).
    bool DialogsExist() const;

    // ---- pieces of the operations
    void CheckSingleInstance();
    // Closing: the quit dialog shown without blocking (when it exists); the transports
    // closed without a word to the processor.
    void ShowExitDialog();
    void CloseTransportsQuietly();
    void RaiseFromSecondInstance();
    // Showing an image, one strip at a time.
    void ApplyInputStrip(int ch);
    void ApplyOutputStrip(int ch);
    void ApplyCrossover(int ch);
    void ApplyGainPolarityDelayMuteBypass(int ch);
    void ApplyEqTable(int ch);
    void RedrawGatePlotFromInA();
    // The texts of one strip.
    void ApplyStripLanguage(int ch);
    // The height and width tables.
    void ApplyHeightRules(int dy);
    void ApplyWidthRules(int dx);
    void PlaceDelayMarkers();
    // The stage label of the matrix page clicked: clicks the page button and releases
    // the Matrix page's.
    void OpenPageFromMatrix(const std::string& pageButton);
    // A gain fader moved (its twin's stem given), a mute or polarity button clicked.
    void GainFaderChanged(TObject* sender, const char* twinStem);
    void MuteClicked(TObject* sender, const char* twinStem);
    void PolarityClicked(TObject* sender, const char* twinStem);
    // A typed delay taken from its box (Enter or leaving it).
    void TakeTypedDelay(TObject* sender);
    // A routing button of an output channel (3 to 8) clicked.
    void RoutingClicked(TObject* sender, int channel);

    // The first paint of the window (OnFirstPaint).
    void PresetStripPainted(TObject* sender);

    // ---- pieces of the editing units
    // Overlays: a lamp of host plot h clicked; a Mag or Phase switch clicked.
    void LampClick(TObject* sender, int host);
    void SwitchViewMode(TObject* sender, bool phase);
    // EQ bands: the band button of band b (0-based); band b of a channel shown as the selected
    // band; a band's curve record; the change road's Q rules on a type change.
    static std::string BandButtonName(int band, int channel);
    void SelectBand(int channel, int band);
    void SetBandCurve(int channel, int band, double gainDb, double freqHz, double q, int type,
                      bool bypassed);
    double ApplyTypeChangeQRules(TMyPEQAllpass& table, int channel, int band, int type, double q);
    // Crossovers: the crossover roads of one filter (high-pass or low-pass); its curve shown.
    void CrossoverFaderChanged(TObject* sender, bool highPass);
    void CrossoverSlopeChanged(TObject* sender, bool highPass);
    void ShowCrossoverCurve(int channel, bool highPass);
    // Dragging: whether marker slot k of a view is within reach of (x, y) at the given scale; a
    // held band or crossover handle dragged to a frequency (and a gain).
    bool MarkerWithinReach(const LMyFFTDrawPhase& view, const TMyPEQAllpass& table, int slot, int x,
                           int y, double scale) const;
    void DragBand(TMyPEQAllpass& table, int channel, float freqHz, double gainDb);
    void DragHandle(TMyPEQAllpass& table, int channel, bool highPass, float freqHz);
    // Compressor and gate: the dynamics' changes.
    void CompressorFaderChanged(TObject* sender, int field);
    void CompressorStepperChanging(TObject* sender, int field, int value);
    void GateFaderChanged(TObject* sender, int field);
    bool DrawGateCurveFor(int channel);
    // Typed values: a typed value taken from a dynamics box.
    enum class TTypedFamily { Level, Time, Knee, Ratio };
    void TakeTypedValue(TObject* sender, const char* target, TTypedFamily family);

    std::unique_ptr<TSingleInstance> singleInstance_;
    bool painted_ = false;
    // Dragging: the last mouse position a response view reported (any view).
    int FLastMoveX = 0;
    int FLastMoveY = 0;
};

// The global main window (created first by the program).
extern TfmMain* fmMain;

}  // namespace dsp
