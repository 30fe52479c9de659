#include "tests/framework/controls/SampleProgram.h"

#include <cstdio>
#include <cstdlib>

#include "framework/graphics/FontSet.h"
#include "framework/runtime/Application.h"

namespace dsp::test {

int RunSampleProgram(int argc, char** argv, int (*render)(const std::string& folder)) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 0);
    PinFontSet();
    TApplication application;
    application.Initialize();
    return render(argv[1]);
}

}  // namespace dsp::test
