// The editor's entry point: the application, the main window and every dialog, created once in
// a fixed order (the main window first: it shows its default image before any dialog exists),
// then the message loop until the main window closes. An exception that escapes is shown with
// the application's exception display; the program returns 0.
//
// Two environment variables serve the start script and the tests; the program takes no
// arguments:
//   DSP_EDITOR_SERIAL_PORTS=none  the connect scan leaves the machine's serial ports alone (a
//                                 trial run in a private network namespace touches no hardware)
//   DSP_EDITOR_TRACE=1            one line on standard output per milestone, with the time since
//                                 the process started: "first paint", "image shown", "closed"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/ProgramForms.h"
#include "framework/core/Exceptions.h"
#include "framework/os/SerialPortList.h"
#include "framework/runtime/Application.h"
#include "mainwindow/FMain.h"
#include "mainwindow/SharedConstants.h"

namespace {

const auto kStarted = std::chrono::steady_clock::now();

bool EnvironmentSays(const char* name, const char* value) {
    const char* set = std::getenv(name);
    return set != nullptr && std::string(set) == value;
}

void Trace(const char* milestone) {
    const auto elapsed = std::chrono::steady_clock::now() - kStarted;
    std::printf("dsp-editor: %s %.1f ms\n", milestone,
                std::chrono::duration<double, std::milli>(elapsed).count());
    std::fflush(stdout);
}

}  // namespace

int main() {
    using namespace dsp;
    const bool trace = EnvironmentSays("DSP_EDITOR_TRACE", "1");
    if (EnvironmentSays("DSP_EDITOR_SERIAL_PORTS", "none")) SetSerialDeviceScan(false);
    TApplication application;
    try {
        application.Initialize();
        application.SetTitle(std::string(AppTitle) + " " + std::string(AppVersion));
        // One editor per user: a second start raises the first one's window.
        TfmMain::SetSingleInstanceName("dsp-editor");
        CreateProgramForms();
        if (trace) {
            fmMain->OnFirstPaint = [](TObject*) { Trace("first paint"); };
            fmMain->OnImageShown = [](TObject*) { Trace("image shown"); };
        }
        RunApplication();
    } catch (const Exception& e) {
        application.ShowException(e);
    } catch (...) {
        application.ShowException(Exception(""));
    }
    if (trace) Trace("closed");
    return 0;
}
