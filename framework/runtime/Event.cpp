#include "framework/runtime/Event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/runtime/Clock.h"
#include "framework/runtime/ManualClock.h"

namespace dsp {
namespace {

int NewEventHandle() {
    const int handle = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (handle < 0) {
        const int code = errno;
        throw EOSError(std::string("Cannot create an event: ") + std::strerror(code), code);
    }
    return handle;
}

// Takes an event's signal; false when another wait took it first.
bool TakeSignal(int handle) {
    std::uint64_t count = 0;
    return ::read(handle, &count, sizeof count) == static_cast<ssize_t>(sizeof count);
}

// The handle by which the manual clock wakes this thread's waits when their time-out passes.
class TThreadWakeHandle {
public:
    TThreadWakeHandle() : handle_(NewEventHandle()) {}
    ~TThreadWakeHandle() { ::close(handle_); }
    int Handle() const { return handle_; }

private:
    int handle_;
};

int ThreadWakeHandle() {
    thread_local TThreadWakeHandle wake;
    return wake.Handle();
}

// Registration of one wait with the manual clock, for the wait's lifetime.
class TManualDeadline {
public:
    TManualDeadline(TManualClock& clock, unsigned timeoutMs) : clock_(clock) {
        const TClockTime timeout = timeoutMs == WaitInfinite
                                       ? TClockTime::max()
                                       : TClockTime(std::chrono::milliseconds(timeoutMs));
        wakeHandle_ = ThreadWakeHandle();
        TakeSignal(wakeHandle_);  // a wake left over from an earlier wait means nothing now
        deadline_ = clock_.RegisterWaiter(timeout, wakeHandle_, id_);
    }
    ~TManualDeadline() { clock_.UnregisterWaiter(id_); }
    TManualDeadline(const TManualDeadline&) = delete;
    TManualDeadline& operator=(const TManualDeadline&) = delete;

    int WakeHandle() const { return wakeHandle_; }
    bool Passed() const { return clock_.Now() >= deadline_; }

private:
    TManualClock& clock_;
    TManualClock::TWaiterId id_{};
    int wakeHandle_ = -1;
    TClockTime deadline_{};
};

short PollEventsOf(const TWaitable& handle) {
    return handle.Kind() == TWaitable::TKind::Writable ? POLLOUT : POLLIN;
}

}  // namespace

TEvent::TEvent(TEventReset reset) : handle_(NewEventHandle()), reset_(reset) {}

TEvent::~TEvent() { ::close(handle_); }

void TEvent::SetEvent() {
    const std::uint64_t one = 1;
    // The only failure is a counter at its limit, which is signalled already.
    [[maybe_unused]] auto written = ::write(handle_, &one, sizeof one);
}

void TEvent::ResetEvent() { TakeSignal(handle_); }

bool TEvent::WaitFor(unsigned timeoutMs) { return WaitForMultiple({*this}, timeoutMs) == 0; }

TWaitable::TWaitable(const TEvent& event)
    : kind_(event.IsManualReset() ? TKind::ManualEvent : TKind::AutoEvent),
      descriptor_(event.Handle()) {}

TWaitable TWaitable::Readable(int descriptor) { return TWaitable(TKind::Readable, descriptor); }

TWaitable TWaitable::Writable(int descriptor) { return TWaitable(TKind::Writable, descriptor); }

int WaitForMultiple(std::span<const TWaitable> handles, unsigned timeoutMs, short* readiness) {
    for (const TWaitable& handle : handles) {
        if (handle.Descriptor() < 0) return wrFailed;
    }
    std::optional<TManualDeadline> manual;
    if (TManualClock* clock = TManualClock::Current()) manual.emplace(*clock, timeoutMs);
    const bool infinite = timeoutMs == WaitInfinite;
    const TClockTime deadline =
        infinite ? TClockTime::max() : MonotonicTime() + std::chrono::milliseconds(timeoutMs);

    std::vector<pollfd> polled;
    polled.reserve(handles.size() + 1);
    for (const TWaitable& handle : handles) {
        polled.push_back({handle.Descriptor(), PollEventsOf(handle), 0});
    }
    if (manual) polled.push_back({manual->WakeHandle(), POLLIN, 0});

    for (;;) {
        int pollTimeout = -1;
        if (manual) {
            if (manual->Passed()) pollTimeout = 0;
        } else if (!infinite) {
            const auto left = deadline - MonotonicTime();
            pollTimeout =
                left <= TClockTime::zero()
                    ? 0
                    : static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
        }
        const int ready = ::poll(polled.data(), polled.size(), pollTimeout);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return wrFailed;
        }
        for (std::size_t i = 0; i < handles.size(); ++i) {
            const short found = polled[i].revents;
            if (found == 0) continue;
            if (found & POLLNVAL) return wrFailed;
            switch (handles[i].Kind()) {
                case TWaitable::TKind::AutoEvent:
                    if (!TakeSignal(handles[i].Descriptor())) continue;  // another wait took it
                    break;
                case TWaitable::TKind::ManualEvent: break;
                case TWaitable::TKind::Readable:
                case TWaitable::TKind::Writable:
                    if (readiness) *readiness = found;
                    break;
            }
            return static_cast<int>(i);
        }
        if (manual) {
            TakeSignal(manual->WakeHandle());
            if (manual->Passed()) return wrTimeout;
        } else if (!infinite && MonotonicTime() >= deadline) {
            return wrTimeout;
        }
    }
}

}  // namespace dsp
