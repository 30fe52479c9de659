#pragma once
// A lock that the thread holding it may take again: every Enter is matched by one Leave. It also
// serves std::lock_guard and std::scoped_lock.

#include <mutex>

namespace dsp {

class TCriticalSection {
public:
    void Enter() { mutex_.lock(); }
    void Leave() { mutex_.unlock(); }
    bool TryEnter() { return mutex_.try_lock(); }

    void lock() { Enter(); }
    void unlock() { Leave(); }
    bool try_lock() { return TryEnter(); }

private:
    std::recursive_mutex mutex_;
};

}  // namespace dsp
