#pragma once
// How a transport reports to the window that owns it: the window messages and the link-state
// codes they carry.

#include <cstdint>
#include <vector>

#include "framework/runtime/Messages.h"

namespace dsp {

inline constexpr unsigned WM_LINK_RXBYTE = WM_USER + 0x14F;
// Sent synchronously: wParam the address of the transport's frame buffer (a
// std::vector<std::uint8_t>, valid only while the message is handled), lParam the round-trip
// time in ms.
inline constexpr unsigned WM_LINK_REPLY = WM_USER + 0x150;
// Posted: wParam a LinkStateCode, lParam the receiver ID of the frame last handed to the worker
// (the sender ID for lsPortError, 0 for lsStopTimeout).
inline constexpr unsigned WM_LINK_STATE = WM_USER + 0x151;
// Sent by the serial transport instead of WM_LINK_REPLY when its line does not run at 115200.
inline constexpr unsigned WM_LINK_REPLY_ALT = WM_USER + 0x152;

enum LinkStateCode : int {
    lsReplyTimeout = 0,
    lsPortError = 1,
    lsStopTimeout = 5,
    lsWaitFailed = 6,
    // The network connection under the network transport closed or failed (raised by the
    // owner's socket handlers, not by a worker).
    lsConnectionLost = 7,
};

// The frame of WM_LINK_REPLY and WM_LINK_REPLY_ALT, into and out of wParam.
inline std::uintptr_t ReplyFrameParam(const std::vector<std::uint8_t>& frame) {
    return reinterpret_cast<std::uintptr_t>(&frame);
}
inline const std::vector<std::uint8_t>& ReplyFrameOf(std::uintptr_t wParam) {
    return *reinterpret_cast<const std::vector<std::uint8_t>*>(wParam);
}

// The longest round trip a reply reports: longer ones are cut to this.
inline constexpr std::uint32_t kMaxRoundTripMs = 0xFFFFFFFFu;

}  // namespace dsp
