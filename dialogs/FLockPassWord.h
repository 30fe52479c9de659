#pragma once
// TfmLockPassWord: the unlock dialog, shown when the editor connects to a processor whose
// operation lock is set. OK submits the password (45) and polls for the verdict every 100 ms,
// at most 31 ticks; an accepted password sends the preset-map request 100 ms later, which
// continues the connect sequence, and closes the dialog. Cancel ends the connection.
//
// Once the dialog is closed (Cancel, the time-out, acceptance, or a lost link, LinkLost) its
// timers are stopped and a late verdict is ignored: nothing of it runs on into the next
// connection.

#include <cstdint>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/Form.h"

namespace dsp {

class TEdit;
class TImage;
class TLabel;
class TRzBmpButton;
class TTimer;

class TfmLockPassWord : public TForm {
public:
    static constexpr unsigned kTickMs = 100;
    // The verdict may take this many ticks; the next one gives up.
    static constexpr int kCheckTicks = 30;
    static constexpr std::uint8_t kWaiting = 255;

    explicit TfmLockPassWord(TComponent* owner);
    ~TfmLockPassWord() override;

    // The processor's verdict on the password submitted (1 accepted, 0 refused); ignored
    // unless a submitted password awaits it.
    void SetCheckResult(std::uint8_t result);
    // The link is gone: closes the dialog without disconnecting again.
    void LinkLost();

    // Handlers.
    void FormShow(TObject* sender);
    void FormHide(TObject* sender);
    void RzBmpButton1Click(TObject* sender);  // OK
    void bnCancelClick(TObject* sender);
    void tmCheckTimer(TObject* sender);
    void tmCmdTimer(TObject* sender);
    void edNameKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);

    // A submitted password awaits its verdict.
    bool CheckPending() const { return FCheckPending; }

    std::uint8_t FCheckResult = kWaiting;
    std::int8_t FCheckTicks = 0;

    TImage* imBackground = nullptr;
    TImage* imSign = nullptr;
    TLabel* lblLockPassword = nullptr;
    TEdit* edName = nullptr;
    TRzBmpButton* btnOK = nullptr;
    TRzBmpButton* bnCancel = nullptr;
    TTimer* tmCheck = nullptr;
    TTimer* tmCmd = nullptr;

private:
    void StopChecking();
    void ClearPassword();

    bool FCheckPending = false;
};

extern TfmLockPassWord* fmLockPassWord;

}  // namespace dsp
