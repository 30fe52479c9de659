#pragma once
// What the dialogs of the main window's shell need of the main window: its language texts and
// the actions their buttons confirm. The main window implements it and registers itself while
// it exists; tests register a fake.

#include <string>

namespace dsp {

class IMainWindowServices {
public:
    virtual ~IMainWindowServices() = default;

    // The text of a language key ("SID_EXIT_OK") in the current language.
    virtual std::string GetText(const std::string& key) const = 0;

    // The quit dialog's OK: quitting is confirmed and the main window is asked to close again.
    virtual void ConfirmExitAndClose() = 0;
    // The quit dialog's Cancel: the next close request asks again.
    virtual void CancelExit() = 0;
    // The EQ reset dialog's OK: the factory bands back on one channel (0 to 8).
    virtual void ResetChannelEq(int channel) = 0;
    // The factory-default dialog's OK: the processor returns to its factory settings.
    virtual void ConfirmFactoryReset() = 0;
};

// The registered main window, or null.
IMainWindowServices* MainWindowServices();
void SetMainWindowServices(IMainWindowServices* window);

}  // namespace dsp
