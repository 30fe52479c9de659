// The editor's entry point: the application, the main window and every dialog, created once in
// a fixed order (the main window first: it shows its default image before any dialog exists),
// then the message loop until the main window closes. An exception that escapes is shown with
// the application's exception display; the program returns 0.

#include <exception>

#include "app/ProgramForms.h"
#include "framework/core/Exceptions.h"
#include "framework/runtime/Application.h"
#include "mainwindow/FMain.h"
#include "mainwindow/SharedConstants.h"

int main() {
    using namespace dsp;
    TApplication application;
    try {
        application.Initialize();
        application.SetTitle(std::string(AppTitle) + " " + std::string(AppVersion));
        // One editor per user: a second start raises the first one's window.
        TfmMain::SetSingleInstanceName("dsp-editor");
        CreateProgramForms();
        RunApplication();
    } catch (const Exception& e) {
        application.ShowException(e);
    } catch (...) {
        application.ShowException(Exception(""));
    }
    return 0;
}
