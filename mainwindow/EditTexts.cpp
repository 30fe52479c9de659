#include "mainwindow/EditTexts.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "framework/text/Format.h"
#include "framework/text/Numbers.h"
#include "model/Constants.h"

namespace dsp {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool OnlyOf(std::string_view text, std::string_view extra) {
    return std::all_of(text.begin(), text.end(), [extra](char c) {
        return IsDigit(c) || extra.find(c) != std::string_view::npos;
    });
}

std::ptrdiff_t CountOf(std::string_view text, char c) {
    return std::count(text.begin(), text.end(), c);
}

// The first steps of the level and knee parses: the characters checked, then the decimals
// decided by the first of them: from 6 up the text is cut after it, 5 keeps the text, below 5
// leaves the whole number before the point. Nothing when the text is rejected or is no number.
std::optional<double> SignedDecimal(std::string_view s) {
    if (s.empty() || s == "-" || s == ".") return std::nullopt;
    if (!OnlyOf(s, ".-+") || CountOf(s, '.') > 1 || CountOf(s, '-') > 1) return std::nullopt;
    std::string text(s);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        if (point + 1 == text.size() || !IsDigit(text[point + 1])) return std::nullopt;
        const char first = text[point + 1];
        if (first >= '6') {
            text.resize(point + 2);
        } else if (first < '5') {
            // Nothing, or only a sign, before the point is no whole number.
            text.resize(point);
            if (std::none_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
        }
    }
    const std::optional<double> value = TryStrToFloat(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

}  // namespace

std::string EqFrequencyText(double hz) {
    if (hz >= 1000) return Format("%4.2fKHz", hz * 0.001);
    return Format(" %4.1fHz", hz);
}

std::string EqGainText(int position) {
    const double db = (position - GainIndex0dB) * 0.1;
    return position >= GainIndex0dB ? Format("+%3.1fdB", db) : Format("%4.1fdB", db);
}

std::string EqQText(int position) {
    return Format("%3.2f", QTable[static_cast<std::size_t>(
                               std::clamp(position, 0, static_cast<int>(QTableSize) - 1))]);
}

std::string WithoutUnit(std::string text, std::span<const std::string_view> spellings) {
    for (std::string_view unit : spellings) {
        if (text.find(unit) != std::string::npos && text.size() >= 2) text.resize(text.size() - 2);
    }
    return text;
}

std::optional<int> ParseTypedLevel(std::string_view text, int position) {
    std::optional<double> value = SignedDecimal(text);
    if (!value) return std::nullopt;
    const double v = std::clamp(*value, -90.0, 20.0);
    if (2 * v == position) return std::nullopt;
    return static_cast<int>(std::trunc(2 * v));
}

std::optional<int> ParseTypedTime(std::string_view text, int min, int max, int position) {
    if (text.empty() || !OnlyOf(text, ".")) return std::nullopt;
    // A point never makes a whole number of milliseconds; digits beyond 64 bits are a very
    // long time.
    if (text.find('.') != std::string_view::npos) return std::nullopt;
    std::int64_t ms = TryStrToInt64(text).value_or(std::numeric_limits<std::int64_t>::max());
    if (ms <= min + 1) ms = min + 1;
    if (ms >= max + 1) ms = max + 1;
    if (ms == position + 1) return std::nullopt;
    return static_cast<int>(ms - 1);
}

std::optional<int> ParseTypedKnee(std::string_view text, int position) {
    std::optional<double> value = SignedDecimal(text);
    if (!value) return std::nullopt;
    const double v = std::clamp(*value, 0.0, 12.0);
    if (v == position) return std::nullopt;
    return static_cast<int>(std::trunc(v));
}

std::optional<int> ParseTypedRatio(std::string_view text, std::string_view typed) {
    if (text.empty() || text == ":" || text == ".") return std::nullopt;
    if (!OnlyOf(text, ":.") || CountOf(text, '.') > 1 || CountOf(text, ':') > 1) {
        return std::nullopt;
    }
    const bool colon = text.find(':') != std::string_view::npos;
    if (colon && text.front() != '1') return std::nullopt;
    // After "1:" the number is read from the box as typed.
    const std::string_view number =
        colon ? typed.substr(std::min<std::size_t>(2, typed.size())) : text;
    if (number.empty()) return std::nullopt;
    const std::size_t point = number.find('.');
    if (point != std::string_view::npos && point + 1 == number.size()) return std::nullopt;
    const std::optional<double> value = TryStrToFloat(number);
    if (!value || std::isnan(*value)) return std::nullopt;
    for (std::size_t m = 0; m < RatioValues.size(); ++m) {
        if (*value <= RatioValues[m]) return static_cast<int>(m);
    }
    return RatioLimiter;
}

}  // namespace dsp
