// The application of the splash journey: a main form that owns the program's splash screen.
// The splash shows while the main form is made and stays (it does not close when the main form
// shows) until it is clicked twice. It logs:
//   splash mode M exposed E    the ladder step it took (translucent, shaped, plain) and
//                              whether its window was on the screen before the work went on
//   splash OnClick             a click on it (the second hides it)
//   splash OnClose

#include <string>

#include "framework/controls/TopLevelWindow.h"
#include "tests/realwindow/JourneyApp.h"
#include "tests/widgets/styled/SplashSamples.h"
#include "widgets/styled/AdvSmoothSplashScreen.h"

namespace dsp {
namespace {

const char* ModeName(TLayeredMode mode) {
    switch (mode) {
        case TLayeredMode::Translucent: return "translucent";
        case TLayeredMode::ShapedOpaque: return "shaped";
        case TLayeredMode::Plain: break;
    }
    return "plain";
}

class TfmSplashMain : public TForm {
public:
    explicit TfmSplashMain(TComponent* owner) : TForm(owner) {
        SetName("fmMain");
        SetCaption("Splash Main");
        SetPosition(poScreenCenter);
        SetClientSize(400, 300);
        auto* splash = new TAdvSmoothSplashScreen(this);
        test::ConfigureProgramSplash(*splash, test::ProgramSplashPicture());
        splash->SetCloseOnMainFormShow(false);
        splash->OnClick = [splash, clicks = 0](TObject*) mutable {
            journey::Log("splash OnClick");
            if (++clicks == 2) splash->Hide();
        };
        splash->OnClose = [](TObject*) { journey::Log("splash OnClose"); };
        // As the form stream ends: the splash shows at once.
        splash->Loaded();
        TSplashScreenWindow* window = splash->SplashWindow();
        if (window == nullptr) return;
        window->SetCaption("Splash Window");
        const bool exposed = WaitForWindowExposed(*window, 0);
        journey::Log(std::string("splash mode ") + ModeName(LayeredMode(*window)) + " exposed " +
                     (exposed ? "1" : "0"));
    }
};

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    return dsp::journey::Run(argc, argv, [] {
        dsp::TfmSplashMain* main = nullptr;
        dsp::CreateForm(main);
        dsp::journey::Watch(*main);
    });
}
