#include "framework/text/DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace dsp::detail {

namespace {

void StripTrailingZeros(DecimalDigits& d) {
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.exponent = 0;
}

}  // namespace

DecimalDigits ToDecimalDigits(double value, int significant) {
    significant = std::clamp(significant, 1, 17);
    DecimalDigits d;
    d.negative = std::signbit(value);
    if (value == 0.0) return d;
    char buffer[64];
    // "d.dddde+XX": correctly rounded, independent of the locale.
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                std::chars_format::scientific, significant - 1);
    std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.') d.digits.push_back(text[i]);
    }
    d.exponent = std::atoi(text.c_str() + e + 1) + 1;
    StripTrailingZeros(d);
    return d;
}

void RoundToDecimals(DecimalDigits& d, int decimals) {
    const long keep = static_cast<long>(d.exponent) + decimals;
    if (keep >= static_cast<long>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        std::size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[i - 1];
        }
    }
    StripTrailingZeros(d);
}

std::string IntegerDigits(const DecimalDigits& d) {
    if (d.exponent <= 0) return "0";
    std::string s = d.digits.substr(0, static_cast<std::size_t>(d.exponent));
    s.append(static_cast<std::size_t>(d.exponent) - s.size(), '0');
    return s;
}

std::string FractionDigits(const DecimalDigits& d, int decimals) {
    std::string s;
    for (int i = 0; i < decimals; ++i) {
        const long at = static_cast<long>(d.exponent) + i;
        s.push_back(at >= 0 && at < static_cast<long>(d.digits.size())
                        ? d.digits[static_cast<std::size_t>(at)]
                        : '0');
    }
    return s;
}

std::string GroupThousands(const std::string& integerDigits, char separator) {
    std::string out;
    const std::size_t n = integerDigits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out.push_back(separator);
        out.push_back(integerDigits[i]);
    }
    return out;
}

}  // namespace dsp::detail
