#include "framework/text/Numbers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "framework/core/Exceptions.h"
#include "framework/text/DecimalDigits.h"

namespace dsp {

using detail::DecimalDigits;

namespace {

std::string ExponentText(int exponent, int minDigits, bool alwaysSign) {
    std::string s = "E";
    if (exponent < 0) {
        s.push_back('-');
    } else if (alwaysSign) {
        s.push_back('+');
    }
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    }
    return s + digits;
}

// The value to `precision` significant digits: first to the 15 digits a double holds, then with
// halves away from zero, so that a value reads as it was written (1234.5 to four digits is 1235).
DecimalDigits SignificantDigits(double value, int precision) {
    DecimalDigits d = detail::ToDecimalDigits(value, std::max(precision, 15));
    if (precision < 15 && !d.IsZero()) detail::RoundToDecimals(d, precision - d.exponent);
    return d;
}

std::string SignOf(const DecimalDigits& d) { return d.negative && !d.IsZero() ? "-" : ""; }

std::string GeneralText(double value, int precision, int digits) {
    DecimalDigits d = SignificantDigits(value, precision);
    if (d.IsZero()) return "0";
    if (d.exponent > precision || d.exponent < -3) {
        std::string s = SignOf(d) + d.digits.substr(0, 1);
        if (d.digits.size() > 1) s += "." + d.digits.substr(1);
        return s + ExponentText(d.exponent - 1, std::clamp(digits, 0, 4), false);
    }
    const int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.exponent);
    std::string s = SignOf(d) + detail::IntegerDigits(d);
    if (decimals > 0) s += "." + detail::FractionDigits(d, decimals);
    return s;
}

std::string ExponentFormText(double value, int precision, int digits) {
    DecimalDigits d = SignificantDigits(value, precision);
    std::string mantissa = d.digits;
    mantissa.resize(static_cast<std::size_t>(precision), '0');
    const int exponent = d.IsZero() ? 0 : d.exponent - 1;
    std::string s = SignOf(d) + mantissa.substr(0, 1);
    if (precision > 1) s += "." + mantissa.substr(1);
    return s + ExponentText(exponent, std::clamp(digits, 0, 4), true);
}

std::string FixedText(double value, int precision, int decimals, bool grouped) {
    decimals = std::clamp(decimals, 0, 18);
    DecimalDigits d = detail::ToDecimalDigits(value, 15);
    if (d.exponent > precision) return GeneralText(value, precision, 0);
    detail::RoundToDecimals(d, decimals);
    std::string integer = detail::IntegerDigits(d);
    if (grouped) integer = detail::GroupThousands(integer, ',');
    std::string s = SignOf(d) + integer;
    if (decimals > 0) s += "." + detail::FractionDigits(d, decimals);
    return s;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Checks the framework's number shape and returns the part from_chars can read.
std::optional<double> ParseFloat(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::size_t end = text.size();
    while (end > i && IsBlank(text[end - 1])) --end;
    std::string_view s = text.substr(i, end - i);

    std::size_t p = 0;
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
    const std::size_t numberStart = p;
    int digitCount = 0;
    int integerDigits = 0;
    bool leadingZeros = true;
    while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) {
        if (s[p] != '0') leadingZeros = false;
        if (!leadingZeros) ++integerDigits;
        ++p;
        ++digitCount;
    }
    if (p < s.size() && s[p] == '.') {
        ++p;
        while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) {
            ++p;
            ++digitCount;
        }
    }
    if (digitCount == 0) return std::nullopt;
    long exponent = 0;
    if (p < s.size() && (s[p] == 'e' || s[p] == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p < s.size() && (s[p] == '+' || s[p] == '-')) negativeExponent = s[p++] == '-';
        if (p == s.size() || !std::isdigit(static_cast<unsigned char>(s[p]))) return std::nullopt;
        while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) {
            if (exponent < 100000) exponent = exponent * 10 + (s[p] - '0');
            ++p;
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (p != s.size()) return std::nullopt;

    double value = 0;
    std::string_view number = s.substr(numberStart);
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too small to tell from zero reads as zero; too large is no number we can hold.
        if (integerDigits + exponent > 0) return std::nullopt;
        value = 0;
    } else if (ec != std::errc() || ptr != number.data() + number.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<std::int64_t> ParseInt(std::string_view text, std::int64_t min, std::int64_t max,
                                     std::uint64_t hexMax) {
    std::size_t p = 0;
    while (p < text.size() && IsBlank(text[p])) ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
    int base = 10;
    if (p < text.size() && text[p] == '$') {
        base = 16;
        ++p;
    } else if (p + 1 < text.size() && text[p] == '0' &&
               (text[p + 1] == 'x' || text[p + 1] == 'X')) {
        base = 16;
        p += 2;
    }
    if (p == text.size()) return std::nullopt;
    std::uint64_t magnitude = 0;
    auto [ptr, ec] = std::from_chars(text.data() + p, text.data() + text.size(), magnitude, base);
    if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    if (base == 16 && !negative) {
        if (magnitude > hexMax) return std::nullopt;
        if (magnitude > static_cast<std::uint64_t>(max)) {
            // Wraps as two's complement of the type's width (hexMax is all ones of that width).
            return static_cast<std::int64_t>(magnitude - hexMax - 1);
        }
        return static_cast<std::int64_t>(magnitude);
    }
    if (negative) {
        if (magnitude > static_cast<std::uint64_t>(max) + 1) return std::nullopt;
        const auto v = static_cast<std::int64_t>(0 - magnitude);
        if (v < min) return std::nullopt;
        return v;
    }
    if (magnitude > static_cast<std::uint64_t>(max)) return std::nullopt;
    return static_cast<std::int64_t>(magnitude);
}

[[noreturn]] void NotAnInteger(std::string_view text) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

}  // namespace

std::string FloatToStr(double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    precision = std::clamp(precision, 1, 18);
    switch (format) {
        case ffGeneral: return GeneralText(value, precision, digits);
        case ffExponent: return ExponentFormText(value, precision, digits);
        case ffFixed: return FixedText(value, precision, digits, false);
        case ffNumber: return FixedText(value, precision, digits, true);
    }
    return GeneralText(value, precision, digits);
}

double StrToFloat(std::string_view text) {
    if (auto v = ParseFloat(text)) return *v;
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

std::optional<double> TryStrToFloat(std::string_view text) { return ParseFloat(text); }

double StrToFloatDef(std::string_view text, double fallback) {
    return ParseFloat(text).value_or(fallback);
}

int StrToInt(std::string_view text) {
    if (auto v = TryStrToInt(text)) return *v;
    NotAnInteger(text);
}

std::optional<int> TryStrToInt(std::string_view text) {
    auto v = ParseInt(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                      0xFFFFFFFFull);
    if (!v) return std::nullopt;
    return static_cast<int>(*v);
}

int StrToIntDef(std::string_view text, int fallback) {
    return TryStrToInt(text).value_or(fallback);
}

std::int64_t StrToInt64(std::string_view text) {
    if (auto v = TryStrToInt64(text)) return *v;
    NotAnInteger(text);
}

std::optional<std::int64_t> TryStrToInt64(std::string_view text) {
    return ParseInt(text, std::numeric_limits<std::int64_t>::min(),
                    std::numeric_limits<std::int64_t>::max(), ~0ull);
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::int64_t value, int digits) {
    std::uint64_t bits = static_cast<std::uint64_t>(value);
    if (value < 0 && value >= std::numeric_limits<std::int32_t>::min()) bits &= 0xFFFFFFFFull;
    char buffer[17];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, bits, 16);
    std::string s(buffer, ptr);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (static_cast<int>(s.size()) < digits)
        s.insert(0, static_cast<std::size_t>(digits) - s.size(), '0');
    return s;
}

namespace {

std::int64_t ToInt64(double value) {
    // 2^63 is exactly representable; every double below it fits.
    if (std::isnan(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0) {
        throw EInvalidOp();
    }
    return static_cast<std::int64_t>(value);
}

}  // namespace

std::int64_t Round(double value) {
    if (std::isnan(value)) throw EInvalidOp();
    const double floor = std::floor(value);
    const double diff = value - floor;
    double rounded = floor;
    if (diff > 0.5) {
        rounded = floor + 1;
    } else if (diff == 0.5) {
        rounded = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
    }
    return ToInt64(rounded);
}

std::int64_t Trunc(double value) {
    if (std::isnan(value)) throw EInvalidOp();
    return ToInt64(std::trunc(value));
}

double Int(double value) { return std::trunc(value); }

double Frac(double value) { return value - std::trunc(value); }

}  // namespace dsp
