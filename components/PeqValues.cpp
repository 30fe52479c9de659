#include "components/PeqValues.h"

#include <algorithm>
#include <cmath>

#include "framework/text/Format.h"
#include "framework/text/Numbers.h"
#include "model/Constants.h"
#include "model/Encodings.h"

namespace dsp {

namespace {

// Halves away from zero, to n significant digits.
double RoundSignificant(double v, int n) {
    if (v == 0 || !std::isfinite(v)) return v;
    const double magnitude = std::floor(std::log10(std::fabs(v)));
    const double scale = std::pow(10.0, n - 1 - magnitude);
    return std::round(v * scale) / scale;
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

void DropLast(std::string& text, std::size_t n) {
    text.resize(text.size() - std::min(n, text.size()));
}

// The number at the start of the text: an optional "-", digits, a "." and digits; reading
// stops at the first character that cannot continue it. 0 when there are no digits.
double LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (negative) ++i;
    auto digitsFrom = [&] {
        std::string digits;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') digits += text[i++];
        return digits;
    };
    const std::string whole = digitsFrom();
    std::string fraction;
    if (i < text.size() && text[i] == '.') {
        ++i;
        fraction = digitsFrom();
    }
    if (whole.empty() && fraction.empty()) return 0.0;
    const double v = StrToFloatDef(
        (whole.empty() ? "0" : whole) + "." + (fraction.empty() ? "0" : fraction), 0.0);
    return negative ? -v : v;
}

bool OnlyOf(const std::string& text, const char* allowed) {
    return text.find_first_not_of(allowed) == std::string::npos;
}

// The check the frequency and Q boxes share.
bool PlainNumberEntry(const std::string& text) {
    return !text.empty() && text != "." && OnlyOf(text, "0123456789.,") && text != "0" &&
           std::count(text.begin(), text.end(), '.') <= 1;
}

int Saturate(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -1.0e9, 1.0e9));
}

}  // namespace

std::string PeqFrequencyText(int p) {
    const double f = 1000.0 * std::pow(FreqStep, p);
    if (f >= 1000) return Format("%4.2f", f / 1000) + "KHz";
    return Format("%4.1f", f) + "Hz";
}

std::string PeqQText(int q) {
    const double value = QTable[static_cast<std::size_t>(std::clamp(q, 0, 100))];
    return FloatToStrF(RoundSignificant(value, 3), ffFixed, 15, 2);
}

std::string PeqGainText(double db) { return FloatToStr(db) + "dB"; }

int PeqFrequencyPosition(double hz) {
    if (!(hz > 0)) return -170;
    const double r = std::log(hz / 1000) / std::log(FreqStep);
    if (!std::isfinite(r)) return r > 0 ? Saturate(1.0e9) : -170;
    const std::string text = FloatToStrF(RoundSignificant(r, 3), ffFixed, 15, 2);
    const std::size_t point = text.find('.');
    const int whole = Saturate(StrToFloatDef(text.substr(0, point), 0.0));
    const char first =
        point != std::string::npos && point + 1 < text.size() ? text[point + 1] : '0';
    if (first < '6') return whole;
    return text.front() == '-' ? whole - 1 : whole + 1;
}

int FreqEntryToIndex(double value, bool kilo) {
    const double x = kilo ? value * 1000 : value;
    if (!(x > 0)) return 0;
    const double r = std::log(x / 1000) / std::log(FreqStep) + 170;
    int i = Saturate(r);
    if (r - i > 0.5) ++i;
    return std::clamp(i, 0, 300);
}

std::optional<int> PeqFrequencyEntry(const std::string& entry) {
    std::string text = entry;
    for (const char* unit : {"HZ", "Hz", "hZ", "hz"})
        if (Contains(text, unit)) DropLast(text, 2);
    bool kilo = false;
    for (const char* k : {"k", "K"}) {
        if (Contains(text, k)) {
            DropLast(text, 1);
            kilo = true;
        }
    }
    if (!PlainNumberEntry(text)) return std::nullopt;
    return FreqEntryToIndex(LeadingNumber(text), kilo) - 170;
}

std::optional<int> PeqQEntry(const std::string& entry) {
    if (!PlainNumberEntry(entry)) return std::nullopt;
    double v = LeadingNumber(entry);
    if (v > 128) v = 128;
    if (v <= 0.4) v = 0.4;
    return std::clamp(QValueToIndex(v), 0, 100);
}

std::optional<int> PeqGainEntry(const std::string& entry) {
    std::string text = entry;
    for (const char* unit : {"DB", "Db", "dB", "db"})
        if (Contains(text, unit)) DropLast(text, 2);
    if (text.empty() || text == "-" || text == "." || !OnlyOf(text, "0123456789.,-") ||
        std::count(text.begin(), text.end(), '.') > 1 ||
        std::count(text.begin(), text.end(), '-') > 1)
        return std::nullopt;
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        // One decimal is kept; a text ending in its point is no number.
        if (point + 1 >= text.size()) return std::nullopt;
        text.resize(point + 2);
    }
    const double value = std::clamp(LeadingNumber(text), -12.0, 12.0);
    return static_cast<int>(std::trunc(static_cast<float>(value * 10)));
}

}  // namespace dsp
