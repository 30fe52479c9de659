// The main of the two-monitor tests: the headless platform with two screens, 1024 x 768 at the
// origin and 800 x 600 to its right.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "framework/runtime/Application.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const std::string config = "/tmp/dsp-two-monitors-" + std::to_string(getpid()) + ".json";
    if (FILE* f = std::fopen(config.c_str(), "w")) {
        std::fputs(R"({"screens": [)"
                   R"({"name": "left", "x": 0, "y": 0, "width": 1024, "height": 768,)"
                   R"( "logicalDpi": 96},)"
                   R"({"name": "right", "x": 1024, "y": 0, "width": 800, "height": 600,)"
                   R"( "logicalDpi": 96}]})",
                   f);
        std::fclose(f);
    }
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 0);
    setenv("QT_FONT_DPI", "96", 0);
    int result = 0;
    {
        dsp::TApplication application;
        application.Initialize();
        result = RUN_ALL_TESTS();
    }
    std::remove(config.c_str());
    return result;
}
