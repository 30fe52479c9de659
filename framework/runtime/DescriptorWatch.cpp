#include "framework/runtime/DescriptorWatch.h"

#include <QSocketNotifier>

#include <exception>

#include "framework/runtime/MainThread.h"

namespace dsp {

struct TDescriptorWatch::TImpl {
    QSocketNotifier notifier;
    std::function<void()> onReady;

    TImpl(int descriptor, TDirection direction, std::function<void()> handler)
        : notifier(descriptor,
                   direction == wdRead ? QSocketNotifier::Read : QSocketNotifier::Write),
          onReady(std::move(handler)) {}
};

TDescriptorWatch::TDescriptorWatch(int descriptor, TDirection direction,
                                   std::function<void()> onReady)
    : impl_(std::make_unique<TImpl>(descriptor, direction, std::move(onReady))) {
    QObject::connect(&impl_->notifier, &QSocketNotifier::activated, [impl = impl_.get()] {
        // A copy: the handler may destroy the watch.
        std::function<void()> handler = impl->onReady;
        try {
            if (handler) handler();
        } catch (...) {
            HandleUnexpectedException(std::current_exception());
        }
    });
}

TDescriptorWatch::~TDescriptorWatch() = default;

bool TDescriptorWatch::Enabled() const { return impl_->notifier.isEnabled(); }

void TDescriptorWatch::SetEnabled(bool value) { impl_->notifier.setEnabled(value); }

int TDescriptorWatch::Descriptor() const { return static_cast<int>(impl_->notifier.socket()); }

}  // namespace dsp
