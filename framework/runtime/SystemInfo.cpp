#include "framework/runtime/SystemInfo.h"

#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

// The width of the classic scroll bars the controls draw (kScrollBarSize of the controls).
constexpr int kScrollBarWidth = 17;

TSystemAnswers& answers() {
    static TSystemAnswers value;
    return value;
}

}  // namespace

const TSystemAnswers& SystemAnswers() { return answers(); }

void SetSystemAnswers(const TSystemAnswers& value) { answers() = value; }

bool ThemesActive() { return answers().themesActive; }

std::string ThemeColorName() { return answers().themeColorName; }

int ScreenDeviceCaps(int index) {
    switch (index) {
        case NUMCOLORS: return answers().screenColors;
        case BITSPIXEL: return answers().screenBitsPerPixel;
        case PLANES: return 1;
        default: return 0;
    }
}

int Win32Platform() { return answers().platformId; }

int Win32MajorVersion() { return answers().majorVersion; }

int Win32MinorVersion() { return answers().minorVersion; }

bool NewStyleControls() { return answers().newStyleControls; }

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXVSCROLL:
        case SM_CYHSCROLL: return kScrollBarWidth;
        default: return 0;
    }
}

}  // namespace dsp
