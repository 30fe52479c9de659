// The test program's entry: the host toolkit's application object (fonts need it) on the
// headless platform, with the project's pinned font set.

#include <QGuiApplication>

#include <gtest/gtest.h>

#include "framework/graphics/FontSet.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    dsp::PinFontSet();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
