// The main of test programs that need the UI thread's event loop: the host toolkit's application
// on the offscreen platform at 96 dpi, joined to the runtime.

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "framework/runtime/EventLoop.h"
#include "tests/support/UnexpectedExceptions.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // CTest sets these; a test program started by hand gets the same headless surroundings.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 0);
    setenv("QT_SCALE_FACTOR", "1", 0);
    setenv("QT_FONT_DPI", "96", 0);
    QApplication application(argc, argv);
    dsp::AttachEventLoop();
    dsp::test::FailOnUnexpectedExceptions();
    const int result = RUN_ALL_TESTS();
    dsp::DetachEventLoop();
    return result;
}
