#pragma once
// TfmLockSetup: sets the processor's operation-lock password. OK sends the lock command (47)
// and ends the connection once the processor has answered it, so that the next connection meets
// a locked processor. The close waits for the answer (or for the link to fall idle after it),
// at most two seconds: a close that followed at a fixed delay could drop the command while a
// poll or a keep-alive was still in flight. No answer, or no link, is reported.

#include "framework/controls/ControlTypes.h"
#include "framework/controls/Form.h"

namespace dsp {

class TEdit;
class TImage;
class TLabel;
class TRzBmpButton;
class TTimer;

class TfmLockSetup : public TForm {
public:
    // The close's poll, and how many of its ticks the answer may take.
    static constexpr unsigned kCloseTickMs = 100;
    static constexpr int kCloseTicks = 20;

    explicit TfmLockSetup(TComponent* owner);
    ~TfmLockSetup() override;

    // Handlers.
    void FormShow(TObject* sender);
    void FormHide(TObject* sender);
    void RzBmpButton1Click(TObject* sender);  // OK
    void btnExitClick(TObject* sender);       // Cancel
    void tmCloseTimer(TObject* sender);
    void edNameKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);

    // OK was pressed and the close waits for the processor's answer.
    bool Closing() const { return FClosing; }

    TImage* imBackground = nullptr;
    TImage* imSign = nullptr;
    TLabel* lblLockPassword = nullptr;
    TEdit* edName = nullptr;
    TRzBmpButton* btnOK = nullptr;
    TRzBmpButton* btnExit = nullptr;
    TTimer* tmClose = nullptr;

private:
    // Ends the wait: reports a failure, disconnects and closes.
    void Finish(bool answered);

    bool FClosing = false;
    int FCloseTicks = 0;
};

extern TfmLockSetup* fmLockSetup;

}  // namespace dsp
