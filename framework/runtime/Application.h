#pragma once
// The application object: initialises the host toolkit and the runtime's event loop, runs the
// loop until Terminate, holds the title, and shows the exceptions that escape event handlers.
// One exists for the program's lifetime (in main), reached through the global Application.

#include <exception>
#include <functional>
#include <string>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"

namespace dsp {

using TExceptionEvent = std::function<void(TObject* sender, const Exception& e)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Starts the host toolkit (offscreen where the environment asks for it) and joins the
    // runtime to its event loop. Writes past the file-size limit fail from then on instead of
    // ending the program.
    void Initialize();
    bool Initialized() const { return initialized_; }

    // Runs the event loop until Terminate; returns at once when Terminate came first.
    void Run();
    // Ends the event loop and every nested loop in it; before Run, makes Run return at once.
    // Any thread.
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Runs what is pending in the event loop now, without waiting.
    void ProcessMessages();

    // Whether Run shows the main form; false when another instance owns the screen.
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool value) { showMainForm_ = value; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // The full path of the running program.
    std::string ExeName() const;

    // Where exceptions that escape event handlers, queued work and timers go: OnException when
    // it is set, else ShowException. Exceptions of other kinds become an Exception with their text.
    void HandleException(std::exception_ptr exception);
    TExceptionEvent OnException;

    // Shows the exception's message in a message box titled with the application title.
    void ShowException(const Exception& e);

    // What ShowException shows the message with; tests put their own in place of the message box.
    using TMessageDisplay =
        std::function<void(const std::string& caption, const std::string& text)>;
    const TMessageDisplay& ExceptionDisplay() const { return exceptionDisplay_; }
    void SetExceptionDisplay(TMessageDisplay display) { exceptionDisplay_ = std::move(display); }

private:
    bool initialized_ = false;
    bool ownsToolkit_ = false;
    bool terminated_ = false;
    bool showMainForm_ = true;
    std::string title_;
    TMessageDisplay exceptionDisplay_;
    int argc_ = 1;
    char* argv_[2] = {nullptr, nullptr};
    std::string argv0_;
};

// The one application object while it exists, else null.
extern TApplication* Application;

}  // namespace dsp
