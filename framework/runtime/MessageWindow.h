#pragma once
// Message windows: a handle that receives messages in a handler on the UI thread, with no control
// behind it. Handles are numbers looked up when a message is delivered, so a message for a window
// that has been freed is dropped instead of reaching freed memory. Windowed controls build on the
// same handles and dispatch.

#include <cstdint>
#include <functional>

namespace dsp {

// A window handle; HWND{} is no window. Handles are never reused.
enum class HWND : std::uint64_t {};
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TMessage {
    unsigned Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage& message)>;

// A new window whose messages go to `method` on the UI thread.
HWND AllocateHWnd(TWndMethod method);
// Frees the window: messages posted to it are dropped, and calls of SendMessage from other
// threads that wait for it return undelivered. A handler may free its own window.
void DeallocateHWnd(HWND window);
bool IsWindow(HWND window);

// Any thread: queues the message behind everything queued for the UI thread before it. False
// when there is no such window; a window freed before the message is handled never sees it.
bool PostMessage(HWND window, unsigned msg, WPARAM wParam, LPARAM lParam);

// On the UI thread: calls the window's handler at once. From another thread: waits until the
// UI thread has handled the message (in its event loop, a nested one, or while it waits for this
// thread). Returns the handler's result; 0 when the message was not delivered, which `delivered`
// (when given) tells apart: no such window, the window was freed, or the UI thread cancelled
// this thread's calls while waiting for it to end.
LRESULT SendMessage(HWND window, unsigned msg, WPARAM wParam, LPARAM lParam,
                    bool* delivered = nullptr);

}  // namespace dsp
