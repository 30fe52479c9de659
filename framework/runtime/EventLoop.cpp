#include "framework/runtime/EventLoop.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <memory>

#include "framework/runtime/Clock.h"
#include "framework/runtime/MainThreadQueue.h"
#include "framework/runtime/ManualClock.h"
#include "framework/runtime/TimerQueue.h"

namespace dsp {
namespace {

struct TLoopLink {
    std::unique_ptr<QSocketNotifier> queueNotifier;
    std::unique_ptr<QTimer> timerWake;
};

TLoopLink& Link() {
    static TLoopLink link;
    return link;
}

// Sets the loop's one wake-up for timers: at once for timers of the next turn, else at the
// earliest due time on the real clock. A manual clock fires its timers itself as it advances.
void ScheduleTimerWake() {
    QTimer* wake = Link().timerWake.get();
    if (!wake) return;
    const TTimerQueue& timers = TTimerQueue::Instance();
    if (timers.HasNextTurnTimers()) {
        wake->start(0);
        return;
    }
    const std::optional<TClockTime> next = timers.NextDue();
    if (!next || TManualClock::Current()) {
        wake->stop();
        return;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*next - MonotonicTime());
    wake->start(static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
}

}  // namespace

void AttachEventLoop() {
    TLoopLink& link = Link();
    if (link.queueNotifier) return;
    TMainThreadQueue& queue = TMainThreadQueue::Instance();
    link.queueNotifier =
        std::make_unique<QSocketNotifier>(queue.WakeHandle(), QSocketNotifier::Read);
    // One piece of work per notification: work that runs a nested loop lets that loop carry on
    // with the rest of the queue.
    QObject::connect(link.queueNotifier.get(), &QSocketNotifier::activated,
                     [&queue] { queue.DispatchOne(); });

    link.timerWake = std::make_unique<QTimer>();
    link.timerWake->setSingleShot(true);
    link.timerWake->setTimerType(Qt::PreciseTimer);
    QObject::connect(link.timerWake.get(), &QTimer::timeout, [] {
        TTimerQueue::Instance().FireDue(true);
        ScheduleTimerWake();
    });
    TTimerQueue::Instance().SetScheduleChanged(ScheduleTimerWake);
    ScheduleTimerWake();
}

void DetachEventLoop() {
    TTimerQueue::Instance().SetScheduleChanged(nullptr);
    Link().timerWake.reset();
    Link().queueNotifier.reset();
}

void ProcessPendingEvents() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

}  // namespace dsp
