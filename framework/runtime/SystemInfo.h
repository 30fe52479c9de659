#pragma once
// What the widgets ask of the system they run on, answered in one place. The widgets were drawn
// for a classic desktop: visual styles off, the default colour scheme, a full-colour screen and
// the system version under which their newest branches apply. On Linux nothing of that exists,
// so the program answers as that desktop would, and every widget reaches the same painting
// whatever machine it runs on. Tests may give other answers to reach the other branches.

#include <string>

namespace dsp {

// Platform identifiers of the version answer.
constexpr int VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr int VER_PLATFORM_WIN32_NT = 2;

// System metrics the widgets ask for.
constexpr int SM_CXVSCROLL = 2;  // the width of a vertical scroll bar
constexpr int SM_CYHSCROLL = 3;  // the height of a horizontal scroll bar

struct TSystemAnswers {
    // Whether visual styles (themes) paint the controls.
    bool themesActive = false;
    // The name of the theme's colour scheme ("HOMESTEAD", "METALLIC", ...); empty for none.
    std::string themeColorName;
    // The screen's colour count: -1 for a full-colour screen.
    int screenColors = -1;
    int screenBitsPerPixel = 32;
    // The system version: NT 6.1.
    int platformId = VER_PLATFORM_WIN32_NT;
    int majorVersion = 6;
    int minorVersion = 1;
    // Controls in the look introduced with version 4 rather than the older one.
    bool newStyleControls = true;
};

// The answers in force.
const TSystemAnswers& SystemAnswers();
// Replaces the answers (tests); SetSystemAnswers({}) restores the program's own.
void SetSystemAnswers(const TSystemAnswers& answers);

bool ThemesActive();
std::string ThemeColorName();
// The screen's device capabilities NUMCOLORS and BITSPIXEL (indexes of TCanvas::DeviceCaps).
int ScreenDeviceCaps(int index);
int Win32Platform();
int Win32MajorVersion();
int Win32MinorVersion();
bool NewStyleControls();
// SM_CXVSCROLL and SM_CYHSCROLL; 0 for any other index.
int GetSystemMetrics(int index);

}  // namespace dsp
