#pragma once
// Watches a file descriptor from the UI thread's event loop: OnReady runs on the UI thread
// whenever the descriptor is readable (or writable), until the watch is disabled or destroyed.
// The handler must take what made the descriptor ready, or it is called again at the next turn.

#include <functional>
#include <memory>

namespace dsp {

class TDescriptorWatch {
public:
    enum TDirection { wdRead, wdWrite };

    // The event loop must be running on this (the UI) thread: the application is initialised.
    TDescriptorWatch(int descriptor, TDirection direction, std::function<void()> onReady);
    TDescriptorWatch(const TDescriptorWatch&) = delete;
    TDescriptorWatch& operator=(const TDescriptorWatch&) = delete;
    ~TDescriptorWatch();

    bool Enabled() const;
    void SetEnabled(bool value);
    int Descriptor() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

}  // namespace dsp
