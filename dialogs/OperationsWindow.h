#pragma once
// What the dialogs of the processor operations (preset store and recall, the preset name, the
// lock setup and the unlock) need of the main window: its language texts and link state, the
// preset operations their OK buttons start, and the sending of the lock commands. The main
// window implements it and registers itself while it exists; tests register a fake.

#include <cstdint>
#include <string>

#include "model/UnitImage.h"

namespace dsp {

class LCmd;

// Where the answer to a watched command stands.
enum class TReplyWait {
    Waiting,     // sent, not answered yet
    Answered,    // its reply came, or the link went idle after it (so it was answered)
    LinkClosed,  // no link is open: it was never sent, or its link is gone
};

class IOperationsWindow {
public:
    virtual ~IOperationsWindow() = default;

    // The text of a language key ("SID_EXIT_OK") in the current language.
    virtual std::string GetText(const std::string& key) const = 0;
    // A processor is connected.
    virtual bool IsOnline() const = 0;

    // Stores the current settings as user preset slot + 1 (slot 0 to 29) under a 14-byte name;
    // recalls preset number 0 (factory) to 30. Offline both do nothing.
    virtual void StorePreset(int slot, const PresetNameBytes& name) = 0;
    virtual void RecallPreset(int number) = 0;

    // The device ID every record goes to, the send dispatcher and the end of the connection.
    virtual int GetDeviceId() const = 0;
    virtual void SendCommand(const LCmd& record, bool noCoalesce, bool framed) = 0;
    virtual void Disconnect() = 0;

    // Watches for the answer to the next command of this code sent; AwaitedReply says where it
    // stands.
    virtual void WatchReply(std::uint8_t code) = 0;
    virtual TReplyWait AwaitedReply() const = 0;

    // The password was accepted: the connect sequence goes on with the preset-map request.
    virtual void ContinueAfterUnlock() = 0;
};

// The registered main window, or null.
IOperationsWindow* OperationsWindow();
void SetOperationsWindow(IOperationsWindow* window);

}  // namespace dsp
