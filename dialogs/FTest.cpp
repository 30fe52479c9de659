#include "dialogs/FTest.h"

#include "dialogs/ChannelWindow.h"
#include "dialogs/DialogLook.h"
#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Panel.h"
#include "model/Lcmd.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

TfmTest* fmTest = nullptr;

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 196;

constexpr const char* kSineFrequencies[TfmTest::kSineCount] = {
    "20Hz",  "25Hz",   "31.5Hz",  "40Hz",   "50Hz",    "63Hz",   "80Hz",    "100Hz",
    "125Hz", "160Hz",  "200Hz",   "250Hz",  "315Hz",   "400Hz",  "500Hz",   "630Hz",
    "800Hz", "1KHz",   "1.25KHz", "1.6KHz", "2KHz",    "2.5KHz", "3.15KHz", "4KHz",
    "5KHz",  "6.3KHz", "8KHz",    "10KHz",  "12.5KHz", "16KHz",  "20KHz"};

}  // namespace

TfmTest::TfmTest(TComponent* owner) : TForm(owner) {
    using namespace dialoglook;
    TFormBuilder build(*this);
    SetName("fmTest");
    SetUpDialog(*this, kWidth, kHeight);
    SetCaption("Input Signal Select");
    imBackground = AddBackground(build, *this, "DIALOG_PLATE");
    plSignal = AddField(build, "plSignal", this, 14, 14, kWidth - 28, 126);
    struct TModeButton {
        TRadioButton*& button;
        const char* name;
        const char* caption;
    };
    const TModeButton modes[] = {{rbAnalogIn, "rbAnalogIn", "Analog Input"},
                                 {rbPinkNoise, "rbPinkNoise", "Pink Noise"},
                                 {rbWhiteNoise, "rbWhiteNoise", "White Noise"},
                                 {rbSineWave, "rbSineWave", "Sine Wave"}};
    int mode = 0;
    for (const TModeButton& m : modes) {
        m.button = build.Add<TRadioButton>(m.name, plSignal, 18, 12 + mode * 28, 136, 20);
        m.button->SetColor(kField);
        m.button->SetCaption(m.caption);
        m.button->SetTag(mode);
        build.Handle(m.button->OnClick, this, &TfmTest::rbAnalogInClick);
        ++mode;
    }
    rbAnalogIn->SetChecked(true);
    cbSineFreq = build.Add<TComboBox>("cbSineFreq", plSignal, 158, 94, 92, 21);
    // Pick-only: a typed text is never a frequency.
    cbSineFreq->SetStyle(csDropDownList);
    cbSineFreq->SetParentFont(false);
    cbSineFreq->Font()->SetName(kFontName);
    cbSineFreq->Font()->SetHeight(-12);
    cbSineFreq->Font()->SetColor(clBlack);
    for (const char* frequency : kSineFrequencies) cbSineFreq->Items()->Add(frequency);
    cbSineFreq->SetItemIndex(0);
    bnExit = AddButton(build, "bnExit", this, kWidth - 94, kHeight - 42, "Exit");
    build.Handle(cbSineFreq->OnSelect, this, &TfmTest::cbSineFreqSelect);
    build.Handle(bnExit->OnClick, this, &TfmTest::bnExitClick);
    build.Handle(OnShow, this, &TfmTest::FormShow);
    build.Finish();
}

TfmTest::~TfmTest() {
    if (fmTest == this) fmTest = nullptr;
}

void TfmTest::FormShow(TObject*) {
    IChannelWindow* main = ChannelWindow();
    if (main == nullptr) return;
    SetCaption(main->GetText("SID_TEST_TITLE"));
    bnExit->SetCaption(main->GetText("SID_EXIT"));
    rbAnalogIn->SetCaption(main->GetText("SID_ANALOG_IN"));
    rbWhiteNoise->SetCaption(main->GetText("SID_WHITE_IN"));
    rbPinkNoise->SetCaption(main->GetText("SID_PINK_IN"));
    rbSineWave->SetCaption(main->GetText("SID_SINE_IN"));
}

void TfmTest::SendMode(int mode) {
    IChannelWindow* main = ChannelWindow();
    if (main == nullptr || main->IsApplyingImage()) return;
    const int index = cbSineFreq->ItemIndex();
    main->SendCommand(CM_MCS_WORK_MODE(static_cast<std::uint8_t>(main->GetDeviceId()),
                                       static_cast<std::uint8_t>(mode),
                                       static_cast<std::uint8_t>(index < 0 ? 0 : index)),
                      true, true);
}

void TfmTest::rbAnalogInClick(TObject* sender) {
    auto* button = dynamic_cast<TRadioButton*>(sender);
    if (button == nullptr) return;
    SendMode(static_cast<int>(button->Tag()));
}

void TfmTest::cbSineFreqSelect(TObject*) {
    IChannelWindow* main = ChannelWindow();
    if (main == nullptr || main->IsApplyingImage()) return;
    // Checking the sine button from here is a click when it changes the button: the mode then
    // goes out twice, as the processor has always been sent it.
    rbSineWave->SetChecked(true);
    SendMode(kSineMode);
}

void TfmTest::bnExitClick(TObject*) { Close(); }

void TfmTest::ShowMode(int mode, int sineIndex) {
    TRadioButton* const buttons[] = {rbAnalogIn, rbPinkNoise, rbWhiteNoise, rbSineWave};
    if (mode < 0 || mode > kSineMode) return;
    buttons[mode]->SetChecked(true);
    if (mode == kSineMode && sineIndex >= 0 && sineIndex < kSineCount) {
        cbSineFreq->SetItemIndex(sineIndex);
    }
}

}  // namespace dsp
