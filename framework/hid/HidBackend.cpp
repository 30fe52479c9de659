#include "framework/hid/HidBackend.h"

#include <mutex>

#include "framework/hid/HidrawBackend.h"

namespace dsp {
namespace {

std::mutex backendLock;
std::shared_ptr<IHidBackend>& Installed() {
    static auto* backend = new std::shared_ptr<IHidBackend>;
    return *backend;
}

thread_local std::uint32_t lastError = ERROR_SUCCESS;

}  // namespace

std::shared_ptr<IHidBackend> CurrentHidBackend() {
    std::lock_guard<std::mutex> guard(backendLock);
    auto& backend = Installed();
    if (!backend) backend = MakeHidrawBackend();
    return backend;
}

std::shared_ptr<IHidBackend> SetHidBackend(std::shared_ptr<IHidBackend> backend) {
    std::lock_guard<std::mutex> guard(backendLock);
    auto previous = std::move(Installed());
    Installed() = std::move(backend);
    return previous;
}

std::uint32_t HidGetLastError() { return lastError; }
void HidSetLastError(std::uint32_t error) { lastError = error; }

}  // namespace dsp
