#pragma once
// Message numbers. The system's own messages are numbered from WM_USER (messages of one window
// class) and WM_APP (messages of the whole program); the framework's control messages from
// CM_BASE. The platform messages the program handles are listed here too, so one header holds
// every range.

namespace dsp {

inline constexpr unsigned WM_NULL = 0x0000;
inline constexpr unsigned WM_DEVICECHANGE = 0x0219;
inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_APP = 0x8000;
inline constexpr unsigned CM_BASE = 0xB000;

// wParam of WM_DEVICECHANGE: the set of devices changed; the message carries no detail.
inline constexpr unsigned DBT_DEVNODES_CHANGED = 0x0007;

}  // namespace dsp
