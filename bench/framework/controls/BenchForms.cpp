#include "bench/framework/controls/BenchForms.h"

#include <cstdio>
#include <cstdlib>

#include "framework/graphics/FontSet.h"
#include "framework/runtime/Application.h"

namespace dsp::bench {

void EnsureApplication() {
    static bool started = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("QT_FONT_DPI", "96", 0);
        PinFontSet();
        auto* application = new TApplication();
        application->Initialize();
        return true;
    }();
    (void)started;
}

void PaintAll(TWinControl& control) {
    control.Update();
    for (TWinControl* child : control.WinControls()) PaintAll(*child);
}

double ResidentMegabytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

}  // namespace dsp::bench
