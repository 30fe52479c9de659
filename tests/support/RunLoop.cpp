#include "tests/support/RunLoop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace dsp::test {

bool RunLoopUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        // Wait for the next event, but wake at least every few milliseconds to look again.
        QTimer::singleShot(5, [] {});
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void RunPendingEvents() { QCoreApplication::processEvents(); }

}  // namespace dsp::test
