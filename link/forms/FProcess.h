#pragma once
// TfmProcess: the progress window of the processor operations (read-back, store, recall,
// upload, download): a styled progress bar and a status bar whose simple text names the
// operation. The session sets text, maximum and position before it shows the window.

#include <string>

#include "framework/controls/Form.h"

namespace dsp {

class TAdvProgressBar;
class TStatusBar;

class TfmProcess : public TForm {
public:
    explicit TfmProcess(TComponent* owner);
    ~TfmProcess() override;

    void FormShow(TObject* sender);

    void SetStatusText(const std::string& text);
    const std::string& StatusText() const;
    // Ends the window's show: a modal show returns to its caller, a modeless one hides.
    void CloseProgress();

    TAdvProgressBar* ProgressBar = nullptr;
    TStatusBar* StatusBar = nullptr;
};

extern TfmProcess* fmProcess;

}  // namespace dsp
