#pragma once
// The event types of the HID device library. A handler is a callable with an identity: copies of
// one handler are equal, and two handlers bound to the same member function are equal whatever
// object they are bound to, so the controller can tell which devices still use its own handler.

#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "framework/core/Object.h"

namespace dsp {

class TJvHidDevice;

template <typename Signature>
class THidEvent;

template <typename R, typename... Args>
class THidEvent<R(Args...)> {
public:
    THidEvent() = default;
    THidEvent(std::nullptr_t) {}

    // A member function of an object.
    template <typename C>
    THidEvent(C* object, R (C::*method)(Args...))
        : function_([object, method](Args... args) { return (object->*method)(args...); }),
          key_(MethodKey(method)) {}

    // Any other callable; equal only to its own copies.
    template <typename F, typename = std::enable_if_t<std::is_invocable_r_v<R, F&, Args...> &&
                                                      !std::is_same_v<std::decay_t<F>, THidEvent>>>
    THidEvent(F function) : function_(std::move(function)), key_(UniqueKey()) {}

    explicit operator bool() const { return static_cast<bool>(function_); }
    R operator()(Args... args) const { return function_(std::forward<Args>(args)...); }
    bool operator==(const THidEvent& other) const { return key_ == other.key_; }

private:
    template <typename M>
    static std::string MethodKey(M method) {
        std::string key(sizeof method + 1, 'm');
        std::memcpy(key.data() + 1, &method, sizeof method);
        return key;
    }
    static std::string UniqueKey() {
        static std::atomic<std::uint64_t> next{0};
        return "f" + std::to_string(++next);
    }

    std::function<R(Args...)> function_;
    std::string key_;
};

// The set of devices changed: (sender, the controller).
using TJvHidNotifyEvent = THidEvent<void(TObject* sender)>;
// A device came or went: (hidDev).
using TJvHidPlugEvent = THidEvent<void(TJvHidDevice* hidDev)>;
// A device offered by Enumerate with its list index; true to go on.
using TJvHidEnumerateEvent = THidEvent<bool(TJvHidDevice* hidDev, std::int32_t index)>;
// An input report: its ID, the bytes after the ID and their count; data is valid during the call only.
using TJvHidDataEvent = THidEvent<void(TJvHidDevice* hidDev, std::uint8_t reportId,
                                       const std::uint8_t* data, std::uint16_t size)>;
// A read that could not be started, with the platform's error code.
using TJvHidDataErrorEvent = THidEvent<void(TJvHidDevice* hidDev, std::uint32_t error)>;
// A test a device must pass to be checked out or counted.
using TJvHidCheckCallback = std::function<bool(TJvHidDevice* hidDev)>;

}  // namespace dsp
