#include "framework/text/FormatFloat.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/text/DecimalDigits.h"
#include "framework/text/Numbers.h"

namespace dsp {

namespace {

struct Picture {
    std::string prefix;
    std::string suffix;
    int integerPlaces = 0;  // digit placeholders before the point
    int minInteger = 0;     // of which from the first '0' on
    int maxDecimals = 0;
    int minDecimals = 0;
    bool grouped = false;
    bool scientific = false;
    bool exponentSign = false;
    char exponentLetter = 'E';
    int exponentDigits = 0;
};

std::vector<std::string_view> Sections(std::string_view format) {
    std::vector<std::string_view> out;
    char quote = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';' && out.size() < 2) {
            out.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(format.substr(start));
    return out;
}

Picture Parse(std::string_view section) {
    Picture p;
    bool seenPlaceholder = false;
    bool afterPoint = false;
    bool firstZeroSeen = false;
    int decimalPlaces = 0;
    std::string pending;  // literal text since the last placeholder
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = section.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? section.size() : close;
            pending.append(section.substr(i + 1, end - i - 1));
            i = end;
            continue;
        }
        if (!p.scientific && (c == 'E' || c == 'e') && i + 1 < section.size() &&
            (section[i + 1] == '+' || section[i + 1] == '-') && seenPlaceholder) {
            p.scientific = true;
            p.exponentLetter = c;
            p.exponentSign = section[i + 1] == '+';
            i += 2;
            while (i < section.size() && section[i] == '0') {
                ++p.exponentDigits;
                ++i;
            }
            --i;
            continue;
        }
        const bool digit = c == '0' || c == '#';
        if (digit && !p.scientific) {
            if (!seenPlaceholder)
                p.prefix = pending;
            else
                p.suffix += pending;
            pending.clear();
            seenPlaceholder = true;
            if (afterPoint) {
                ++decimalPlaces;
                if (c == '0') p.minDecimals = decimalPlaces;
            } else {
                ++p.integerPlaces;
                if (c == '0') firstZeroSeen = true;
                if (firstZeroSeen) ++p.minInteger;
            }
        } else if (c == '.' && !afterPoint && !p.scientific) {
            afterPoint = true;
            if (!seenPlaceholder) {
                p.prefix = pending;
                pending.clear();
                seenPlaceholder = true;
            }
        } else if (c == ',' && !afterPoint && seenPlaceholder && !p.scientific) {
            p.grouped = true;
        } else {
            pending.push_back(c);
        }
    }
    if (!seenPlaceholder) {
        p.prefix = pending;
    } else {
        p.suffix += pending;
    }
    p.maxDecimals = decimalPlaces;
    return p;
}

std::string TrimDecimals(std::string fraction, int minDecimals) {
    while (static_cast<int>(fraction.size()) > minDecimals && fraction.back() == '0') {
        fraction.pop_back();
    }
    return fraction;
}

// The number without sign, or an empty optional when it rounds to zero.
std::string Render(const Picture& p, double magnitude, bool& isZero) {
    std::string number;
    if (p.scientific) {
        const int integerDigits = std::max(p.integerPlaces, 1);
        detail::DecimalDigits d = detail::ToDecimalDigits(magnitude, 15);
        detail::RoundToDecimals(d, integerDigits + p.maxDecimals - d.exponent);
        isZero = d.IsZero();
        const int exponent = isZero ? 0 : d.exponent - integerDigits;
        d.exponent = isZero ? 0 : integerDigits;
        std::string mantissa = detail::IntegerDigits(d);
        if (mantissa == "0" && p.minInteger == 0 && !isZero) mantissa.clear();
        const std::string fraction =
            TrimDecimals(detail::FractionDigits(d, p.maxDecimals), p.minDecimals);
        number = mantissa + (fraction.empty() ? "" : "." + fraction);
        number.push_back(p.exponentLetter);
        if (exponent < 0) {
            number.push_back('-');
        } else if (p.exponentSign) {
            number.push_back('+');
        }
        std::string e = std::to_string(std::abs(exponent));
        if (static_cast<int>(e.size()) < p.exponentDigits) {
            e.insert(0, static_cast<std::size_t>(p.exponentDigits) - e.size(), '0');
        }
        return number + e;
    }
    detail::DecimalDigits d = detail::ToDecimalDigits(magnitude, 15);
    detail::RoundToDecimals(d, p.maxDecimals);
    isZero = d.IsZero();
    std::string integer = detail::IntegerDigits(d);
    if (integer == "0") integer.clear();
    if (static_cast<int>(integer.size()) < p.minInteger) {
        integer.insert(0, static_cast<std::size_t>(p.minInteger) - integer.size(), '0');
    }
    if (p.grouped) integer = detail::GroupThousands(integer, ',');
    const std::string fraction =
        TrimDecimals(detail::FractionDigits(d, p.maxDecimals), p.minDecimals);
    return integer + (fraction.empty() ? "" : "." + fraction);
}

}  // namespace

std::string FormatFloat(std::string_view format, double value) {
    if (format.empty() || std::isnan(value) || std::isinf(value)) return FloatToStr(value);
    const std::vector<std::string_view> parts = Sections(format);
    const bool negative = value < 0;
    std::string_view chosen = parts[0];
    bool writeSign = negative;
    if (negative && parts.size() > 1 && !parts[1].empty()) {
        chosen = parts[1];
        writeSign = false;
    }
    Picture picture = Parse(chosen);
    bool isZero = false;
    std::string number = Render(picture, std::fabs(value), isZero);
    if (isZero && parts.size() > 2 && !parts[2].empty()) {
        picture = Parse(parts[2]);
        number = Render(picture, 0.0, isZero);
        writeSign = false;
    }
    return (writeSign && !isZero ? "-" : "") + picture.prefix + number + picture.suffix;
}

}  // namespace dsp
