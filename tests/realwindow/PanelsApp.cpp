// The application of the panel widgets' journey: a toggle group of two bitmap buttons, a slope
// combo box that completes what is typed, and an LED power button, on a transparent group box.
// Every named control logs its events (JourneyApp.h); the widgets' own handlers log their state.

#include "framework/controls/Form.h"
#include "framework/core/Resources.h"
#include "tests/realwindow/JourneyApp.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/panels/RzPanel.h"
#include "widgets/panels/VrButtons.h"

namespace dsp {
namespace {

template <typename T>
T* Add(TCustomForm& form, TWinControl* parent, const std::string& name, int left, int top,
       int width, int height) {
    auto* control = new T(&form);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

const char* const kSlopes[] = {"BW -6",  "BL -6",  "BW -12", "BL -12", "LK -12", "BW -18", "BL -18",
                               "BW -24", "BL -24", "LK -24", "BW -30", "BL -30", "BW -36", "BL -36",
                               "LK -36", "BW -42", "BL -42", "BW -48", "BL -48", "LK -48"};

class TfmMain : public TForm {
public:
    explicit TfmMain(TComponent* owner) : TForm(owner) {
        SetName("fmMain");
        SetCaption("Journey Panels");
        SetClientSize(320, 160);
        auto* box = Add<TRzGroupBox>(*this, this, "rzgStrip", 10, 10, 300, 140);
        box->SetGroupStyle(gsCustom);
        box->SetTransparent(true);
        TBitmap strip;
        strip.LoadFromResourceName(HInstance, "BTN_MUTE");
        TRzBmpButton* mutes[2];
        for (int i = 0; i < 2; ++i) {
            auto* b = Add<TRzBmpButton>(*this, box, i == 0 ? "rzbMuteA" : "rzbMuteB", 10 + i * 60,
                                        10, 48, 20);
            b->Bitmaps()->SetTransparentColor(clTeal);
            b->Bitmaps()->AssignStrip(strip, 4);
            b->SetGroupIndex(1);
            b->SetAllowAllUp(false);
            mutes[i] = b;
        }
        for (TRzBmpButton* b : mutes) {
            b->OnClick = [mutes](TObject*) {
                journey::Log(std::string("mutes ") + (mutes[0]->Down() ? "A" : "-") +
                             (mutes[1]->Down() ? "B" : "-"));
            };
        }
        auto* slope = Add<TRzComboBox>(*this, box, "rzcSlope", 10, 50, 60, 22);
        slope->SetColor(0x00FFFFDF);
        slope->SetFlatButtons(true);
        for (const char* s : kSlopes) slope->Add(s);
        slope->OnMatch = [slope](TObject*) {
            journey::Log("rzcSlope OnMatch " + slope->Text() + " tail " + slope->SelText());
        };
        auto* led = Add<TVrPowerButton>(*this, box, "vrbShow", 10, 90, 88, 16);
        led->SetColor(clBlack);
        led->SetBevelWidth(0);
        led->SetOutlineWidth(0);
        led->Palette()->SetLow(clOlive);
        led->Palette()->SetHigh(clYellow);
        led->Font()->SetColor(clYellow);
        led->SetCaption("Show all");
        led->OnClick = [led](TObject*) {
            journey::Log(std::string("vrbShow Active ") + (led->Active() ? "1" : "0"));
        };
    }
};

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    return dsp::journey::Run(argc, argv, [] {
        dsp::TfmMain* main = nullptr;
        dsp::CreateForm(main);
        dsp::journey::Watch(*main);
    });
}
