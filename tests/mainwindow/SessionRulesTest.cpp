#include <gtest/gtest.h>
#include "mainwindow/SessionRules.h"
namespace dsp {
namespace {
TEST(SessionRules, Placeholder) {}
}  // namespace
}  // namespace dsp
