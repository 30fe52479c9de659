#pragma once
// Plot pictures compared pixel for pixel with their golden pictures (tests/plot/engine/golden).
// A mismatch writes the picture and a diff (red where pixels differ) into the build folder;
// DSP_UPDATE_GOLDEN=1 writes the pictures as the new golden ones instead.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/graphics/PngImage.h"
#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp::test {

inline void SavePng(TBitmap& bitmap, const std::string& file) {
    TPngImage png;
    png.Assign(&bitmap);
    png.SaveToFile(file);
}

// The picture beside its golden one: exact, or a diff written and the count of differences.
inline void ExpectGolden(TiPlotComponent& plot, const std::string& name) {
    std::unique_ptr<TBitmap> actual = RenderPlot(plot);
    const std::string golden = std::string(DSP_PLOT_GOLDEN_DIR) + "/" + name + ".png";
    const char* update = std::getenv("DSP_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        SavePng(*actual, golden);
        GTEST_SKIP() << "golden picture written: " << golden;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden;
    TPngImage png;
    png.LoadFromFile(golden);
    TBitmap expected;
    expected.Assign(&png);
    const std::filesystem::path folder = DSP_PLOT_DIFF_DIR;
    std::filesystem::create_directories(folder);
    if (expected.Width() != actual->Width() || expected.Height() != actual->Height()) {
        SavePng(*actual, (folder / (name + ".actual.png")).string());
        FAIL() << "the picture is " << actual->Width() << "x" << actual->Height() << ", " << golden
               << " " << expected.Width() << "x" << expected.Height();
    }

    TBitmap diff(actual->Width(), actual->Height());
    int differences = 0;
    for (int y = 0; y < actual->Height(); ++y) {
        for (int x = 0; x < actual->Width(); ++x) {
            const TColorRef a = actual->PixelAt(x, y) & 0xFFFFFF;
            const TColorRef e = expected.PixelAt(x, y) & 0xFFFFFF;
            const int grey = (GetRValue(e) + GetGValue(e) + GetBValue(e)) / 12;
            diff.Canvas()->SetPixels(x, y,
                                     a == e ? static_cast<TColor>(RGB(grey, grey, grey)) : clRed);
            differences += a != e;
        }
    }
    if (differences == 0) return;
    SavePng(*actual, (folder / (name + ".actual.png")).string());
    SavePng(diff, (folder / (name + ".diff.png")).string());
    ADD_FAILURE() << differences << " pixels differ from " << golden << "; see "
                  << (folder / (name + ".diff.png")).string();
}

}  // namespace dsp::test
