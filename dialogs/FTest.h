#pragma once
// TfmTest: the test-signal dialog. The processor feeds its inputs from the analog inputs or from
// its generator (pink noise, white noise, a sine tone of 31 third-octave frequencies); every
// change here is sent at once. Showing a whole image sets the controls without sending.

#include "framework/controls/Form.h"

namespace dsp {

class TComboBox;
class TImage;
class TPanel;
class TRadioButton;
class TRzBmpButton;

class TfmTest : public TForm {
public:
    // The sine frequencies, in the combo box's order (index 0 to 30).
    static constexpr int kSineCount = 31;
    static constexpr int kSineMode = 3;

    explicit TfmTest(TComponent* owner);
    ~TfmTest() override;

    void FormShow(TObject* sender);
    // The click of all four radio buttons: their Tag is the mode.
    void rbAnalogInClick(TObject* sender);
    void cbSineFreqSelect(TObject* sender);
    void bnExitClick(TObject* sender);

    // Shows a mode (0 to 3) and a sine index as an image holds them: the mode's button is
    // checked (its click sends nothing while the window applies the image); the sine index is
    // set only with the sine mode. Other values change nothing.
    void ShowMode(int mode, int sineIndex);

    TImage* imBackground = nullptr;
    TPanel* plSignal = nullptr;
    TRadioButton* rbAnalogIn = nullptr;
    TRadioButton* rbPinkNoise = nullptr;
    TRadioButton* rbWhiteNoise = nullptr;
    TRadioButton* rbSineWave = nullptr;
    TComboBox* cbSineFreq = nullptr;
    TRzBmpButton* bnExit = nullptr;

private:
    void SendMode(int mode);
};

extern TfmTest* fmTest;

}  // namespace dsp
