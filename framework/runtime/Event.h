#pragma once
// Events that threads signal to each other, and the wait on several of them together with file
// descriptors. An auto-reset event stays signalled until one wait takes it; a manual-reset event
// stays signalled until it is reset.

#include <initializer_list>
#include <limits>
#include <span>

namespace dsp {

// A wait with this time-out never times out.
inline constexpr unsigned WaitInfinite = std::numeric_limits<unsigned>::max();

// Results of WaitForMultiple besides the index of the handle that ended the wait.
enum TWaitFailure : int {
    wrTimeout = -1,  // nothing was signalled within the time-out
    wrFailed = -2,   // the wait itself failed (a closed or invalid handle)
};

enum class TEventReset { Auto, Manual };

class TEvent {
public:
    // Starts non-signalled. EOSError when the system has no handle left to give.
    explicit TEvent(TEventReset reset = TEventReset::Auto);
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;
    ~TEvent();

    // Both may be called from any thread. Setting a signalled event leaves it signalled once.
    void SetEvent();
    void ResetEvent();

    // Waits for this event alone; true when it was signalled (and, auto-reset, is taken).
    bool WaitFor(unsigned timeoutMs);

    int Handle() const { return handle_; }
    bool IsManualReset() const { return reset_ == TEventReset::Manual; }

private:
    int handle_;
    TEventReset reset_;
};

// One thing a wait watches: an event, or a file descriptor becoming readable or writable.
class TWaitable {
public:
    TWaitable(const TEvent& event);  // NOLINT: events are what waits watch most
    static TWaitable Readable(int descriptor);
    static TWaitable Writable(int descriptor);

    enum class TKind { AutoEvent, ManualEvent, Readable, Writable };
    TKind Kind() const { return kind_; }
    int Descriptor() const { return descriptor_; }

private:
    TWaitable(TKind kind, int descriptor) : kind_(kind), descriptor_(descriptor) {}
    TKind kind_;
    int descriptor_;
};

// Waits until one of the handles is signalled or the time-out (on the clock in force) passes.
// When several are signalled the one with the lowest index wins, and of the auto-reset events
// only that one is reset. Returns its index, wrTimeout or wrFailed. For a descriptor, `readiness`
// (when given) receives the poll flags it was found with (readable, error, hang-up). An empty
// set simply sleeps for the time-out.
int WaitForMultiple(std::span<const TWaitable> handles, unsigned timeoutMs,
                    short* readiness = nullptr);
inline int WaitForMultiple(std::initializer_list<TWaitable> handles, unsigned timeoutMs,
                           short* readiness = nullptr) {
    return WaitForMultiple(std::span<const TWaitable>(handles.begin(), handles.size()), timeoutMs,
                           readiness);
}

}  // namespace dsp
