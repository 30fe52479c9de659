#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/text/Format.h"
#include "framework/text/FormatFloat.h"
#include "framework/text/Locale.h"
#include "framework/text/Numbers.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

// Switches LC_NUMERIC to a locale with a decimal comma: an installed one, or one compiled into
// the test's folder from the system's locale sources.
bool UseDecimalCommaLocale(const test::TTempFolder& folder) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) return true;
    }
    const std::string compile =
        "localedef -i de_DE -f UTF-8 '" + folder.File("de_DE.UTF-8") + "' >/dev/null 2>&1";
    if (std::system(compile.c_str()) != 0) return false;
    ::setenv("LOCPATH", folder.Path().c_str(), 1);
    const bool ok = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    ::unsetenv("LOCPATH");
    return ok;
}

TEST(LocaleTest, NumbersIgnoreTheUsersLocale) {
    test::TTempFolder folder;
    if (!UseDecimalCommaLocale(folder)) GTEST_SKIP() << "no locale with a decimal comma";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(FloatToStr(1.5), "1.5");
    EXPECT_EQ(Format("%.2f|%.3e|%g", 2.25, 1234.5, 0.5), "2.25|1.23E+003|0.5");
    EXPECT_EQ(FormatFloat("#,#0.00", 1234.5), "1,234.50");
    EXPECT_EQ(StrToFloat("2.75"), 2.75);
    EXPECT_THROW(StrToFloat("2,75"), EConvertError);
    UseCNumericLocale();
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
}

}  // namespace
}  // namespace dsp
