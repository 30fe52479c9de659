#include "model/Encodings.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace dsp {

namespace {

// Truncation toward zero, as a conversion from floating point to integer does, saturating at
// the ends of int; not a number gives 0.
int Trunc(long double x) {
    if (std::isnan(x)) return 0;
    if (x <= static_cast<long double>(INT_MIN)) return INT_MIN;
    if (x >= static_cast<long double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(x);
}

// Rounds an extended value to double (the conversion the steps ask for where a value is kept
// as double before it is truncated or compared).
double ToDouble(long double x) { return static_cast<double>(x); }

// The first digit after the decimal point of x written in general format with 15 significant
// digits (the C library's "%.15g", always with "."), or -1 when that text has no decimal point.
int FirstDecimalDigitOfText(double x) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text - 1, x, std::chars_format::general, 15);
    *result.ptr = '\0';
    const char* point = std::strchr(text, '.');
    if (point == nullptr || point[1] < '0' || point[1] > '9') return -1;
    return point[1] - '0';
}

}  // namespace

double FreqIndexToHz(int index) {
    const long double step = FreqStep;
    return ToDouble(1000.0L * std::pow(step, static_cast<long double>(index) - FreqIndex1kHz));
}

int FreqHzToIndex(double hz) {
    const long double step = FreqStep;
    const double a =
        ToDouble(std::log(static_cast<long double>(hz) * 0.001L) / std::log(step) + FreqIndex1kHz);
    const int n = Trunc(a);
    if (a - n > 0.5 && n < INT_MAX) return n + 1;
    return n;
}

long double GainIndexToDb(int index) {
    return (static_cast<long double>(index) - GainIndex0dB) * 0.1L;
}

int GainDbToIndex(double db) {
    const double x = ToDouble(static_cast<long double>(db) * 10.0L);
    const int n = Trunc(x);
    if (n > INT_MAX - GainIndex0dB) return INT_MAX;
    return n + GainIndex0dB;
}

int QValueToIndex(double q) {
    double t = ToDouble(std::log(128.0L / static_cast<long double>(q)) / std::log(1.0596L));
    if (FirstDecimalDigitOfText(t) >= 5) t += 1.0;
    const int n = Trunc(t);
    if (n < INT_MIN + 100) return INT_MAX;
    return 100 - n;
}

int DelayToSamples(double value, int unit) {
    const long double v = value;
    switch (unit) {
        case duMilliseconds: return Trunc(v * SamplesPerMs);
        case duMetres: return Trunc(v * SamplesPerMs * 1000 / SpeedOfSound);
        case duFeet: return Trunc(v * SamplesPerMs * 1000 / SpeedOfSound * 0.30480370641307L);
        default: return 0;
    }
}

}  // namespace dsp
