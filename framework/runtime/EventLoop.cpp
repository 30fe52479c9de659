#include "framework/runtime/EventLoop.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <memory>

#include "framework/runtime/MainThreadQueue.h"

namespace dsp {
namespace {

struct TLoopLink {
    std::unique_ptr<QSocketNotifier> queueNotifier;
};

TLoopLink& Link() {
    static TLoopLink link;
    return link;
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
}

void DetachEventLoop() {
    Link().queueNotifier.reset();
}

void ProcessPendingEvents() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

}  // namespace dsp
