#include "framework/runtime/MessageWindow.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "framework/runtime/MainThreadQueue.h"
#include "framework/runtime/Thread.h"

namespace dsp {
namespace {

using TMethodRef = std::shared_ptr<const TWndMethod>;

class TWindowRegistry {
public:
    static TWindowRegistry& Instance() {
        static auto* registry = new TWindowRegistry;
        return *registry;
    }

    HWND Add(TWndMethod method) {
        std::lock_guard lock(mutex_);
        const std::uint64_t id = nextId_++;
        windows_.emplace(id, std::make_shared<const TWndMethod>(std::move(method)));
        return HWND{id};
    }

    void Remove(HWND window) {
        TMethodRef method;  // released outside the lock: it may hold anything
        {
            std::lock_guard lock(mutex_);
            auto found = windows_.find(static_cast<std::uint64_t>(window));
            if (found == windows_.end()) return;
            method = std::move(found->second);
            windows_.erase(found);
        }
    }

    // The handler, kept alive for one delivery even if the window is freed during it.
    TMethodRef Find(HWND window) const {
        std::lock_guard lock(mutex_);
        auto found = windows_.find(static_cast<std::uint64_t>(window));
        return found == windows_.end() ? nullptr : found->second;
    }

private:
    mutable std::mutex mutex_;
    std::uint64_t nextId_ = 1;
    std::unordered_map<std::uint64_t, TMethodRef> windows_;
};

// Delivers a message on the UI thread; false when the window is gone.
bool Deliver(HWND window, TMessage& message) {
    TMethodRef method = TWindowRegistry::Instance().Find(window);
    if (!method) return false;
    (*method)(message);
    return true;
}

}  // namespace

HWND AllocateHWnd(TWndMethod method) { return TWindowRegistry::Instance().Add(std::move(method)); }

void DeallocateHWnd(HWND window) {
    if (window == HWND{}) return;
    TWindowRegistry::Instance().Remove(window);
    TMainThreadQueue::Instance().CancelCallsFor(static_cast<std::uint64_t>(window));
}

bool IsWindow(HWND window) { return TWindowRegistry::Instance().Find(window) != nullptr; }

bool PostMessage(HWND window, unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(window)) return false;
    TMainThreadQueue::Instance().Post([=] {
        TMessage message{msg, wParam, lParam, 0};
        Deliver(window, message);
    });
    return true;
}

LRESULT SendMessage(HWND window, unsigned msg, WPARAM wParam, LPARAM lParam, bool* delivered) {
    TMessage message{msg, wParam, lParam, 0};
    bool handled = false;
    if (IsMainThread()) {
        handled = Deliver(window, message);
    } else {
        TMainThreadQueue::Instance().Call([&] { handled = Deliver(window, message); },
                                          static_cast<std::uint64_t>(window),
                                          [window] { return IsWindow(window); });
    }
    if (delivered) *delivered = handled;
    return handled ? message.Result : 0;
}

}  // namespace dsp
