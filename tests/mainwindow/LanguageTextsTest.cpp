#include <gtest/gtest.h>
#include "mainwindow/LanguageTexts.h"
namespace dsp {
namespace {
TEST(LanguageTexts, Placeholder) {}
}  // namespace
}  // namespace dsp
