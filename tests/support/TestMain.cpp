// The main of test programs that need the UI thread's event loop: the framework's application on
// the host toolkit's offscreen platform at 96 dpi. An exception that escapes an event handler
// fails the running test.

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/runtime/Application.h"
#include "tests/support/UnexpectedExceptions.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // CTest sets these; a test program started by hand gets the same headless surroundings.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 0);
    setenv("QT_SCALE_FACTOR", "1", 0);
    setenv("QT_FONT_DPI", "96", 0);
    dsp::TApplication application;
    application.Initialize();
    dsp::test::FailOnUnexpectedExceptions();
    return RUN_ALL_TESTS();
}
