#pragma once
// The decimal digits of a double, the common ground of every number-to-text routine: the value
// is 0.d1d2d3... x 10^exponent. Never depends on the user's locale.

#include <string>

namespace dsp::detail {

struct DecimalDigits {
    bool negative = false;
    std::string digits;  // no trailing zeros; empty for zero
    int exponent = 0;

    bool IsZero() const { return digits.empty(); }
};

// The value correctly rounded to at most `significant` digits (1 to 17). Finite values only.
DecimalDigits ToDecimalDigits(double value, int significant);

// Rounds to `decimals` places after the point, halves away from zero.
void RoundToDecimals(DecimalDigits& d, int decimals);

// The digits before the point ("0" when there are none) and exactly `decimals` after it.
std::string IntegerDigits(const DecimalDigits& d);
std::string FractionDigits(const DecimalDigits& d, int decimals);

// Groups an integer digit string in threes with separator.
std::string GroupThousands(const std::string& integerDigits, char separator);

}  // namespace dsp::detail
