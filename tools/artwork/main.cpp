// dsp-artwork <folder>: draws every picture of the program into the folder, with the list
// resources.txt that the build embeds (cmake/DspResources.cmake).

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "framework/graphics/FontSet.h"
#include "framework/runtime/Application.h"
#include "tools/artwork/Artwork.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    // Text is drawn headless, at 96 dpi, with the project's fonts, so that every run and every
    // machine gives the same pixels.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_FONT_DPI", "96", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    setenv("QT_SCALE_FACTOR", "1", 1);
    dsp::PinFontSet();
    try {
        auto application = std::make_unique<dsp::TApplication>();
        application->Initialize();
        const int count = dsp::artwork::WriteArtwork(argv[1]);
        std::printf("%d pictures written to %s\n", count, argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dsp-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
