#pragma once
// Interim answers of the system the widgets were drawn for (visual styles off, default scheme,
// full-colour screen, NT 6.1) until the framework answers them in one place.

#include <string>

namespace dsp {

constexpr int VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr int VER_PLATFORM_WIN32_NT = 2;
constexpr int SM_CXVSCROLL = 2;

inline bool ThemesActive() { return false; }
inline std::string ThemeColorName() { return {}; }
inline int ScreenDeviceCaps(int) { return -1; }
inline int Win32Platform() { return VER_PLATFORM_WIN32_NT; }
inline int Win32MajorVersion() { return 6; }
inline int Win32MinorVersion() { return 1; }
inline bool NewStyleControls() { return true; }
inline int GetSystemMetrics(int index) { return index == SM_CXVSCROLL ? 17 : 0; }

}  // namespace dsp
