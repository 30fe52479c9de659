#pragma once
// The constants the whole program shares: title texts, the default processor address, the value
// tables of the parameter image's codes (Q, compressor ratio, EQ type) and the unit suffixes.
// One header, included wherever a value is needed, so every unit sees the same values.

#include <array>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <string_view>

namespace dsp {

// The texts below are views into character arrays that the whole program shares. A view of a
// string literal may point into a copy that each unit keeps for itself, and a begin() taken from
// one unit's copy with an end() from another's is no range at all; an inline array is one object.

// The text an array holds before its terminating zero.
template <std::size_t Size>
constexpr std::string_view TextOf(const char (&chars)[Size]) {
    return std::string_view(chars, Size - 1);
}

// The N texts an array holds one after another, each ended by a zero.
template <std::size_t N, std::size_t Size>
constexpr std::array<std::string_view, N> TextsOf(const char (&chars)[Size]) {
    std::array<std::string_view, N> texts{};
    std::size_t start = 0;
    for (std::string_view& text : texts) {
        std::size_t end = start;
        while (end < Size && chars[end] != '\0') ++end;
        text = std::string_view(chars + start, end - start);
        start = end + 1;
    }
    if (start != Size) throw "the array holds another number of texts";  // stops the build
    return texts;
}

// Texts of the program.
inline constexpr char TitleTextChars[] = "WQJ DSP Processor Editor";
inline constexpr char VersionTextChars[] = "V1.0";
inline constexpr char DefaultAddressTextChars[] = "192.168.2.1";
inline constexpr std::string_view TitleText = TextOf(TitleTextChars);
inline constexpr std::string_view VersionText = TextOf(VersionTextChars);
inline constexpr std::string_view DefaultAddressText = TextOf(DefaultAddressTextChars);

// Frequency step between neighbouring frequency indexes: 2^(1/30), 30 indexes per octave.
inline constexpr double FreqStep = 1.023373891996775;
// Frequency index of 1 kHz.
inline constexpr int FreqIndex1kHz = 170;
// Speed of sound in m/s, for delays given in metres or feet.
inline constexpr float SpeedOfSound = 343.5f;
// Radians to the phase unit of response curves, where 18 stands for 180 degrees.
inline constexpr long double PhaseScale = 18.0L / std::numbers::pi_v<long double>;
// Samples per millisecond of the processor (96 kHz).
inline constexpr int SamplesPerMs = 96;

// EQ gain index of 0 dB (0.1 dB per step).
inline constexpr int GainIndex0dB = 120;

// Q values by Q index 0 to 100 (a band's Q code).
inline constexpr std::size_t QTableSize = 101;
inline constexpr std::array<double, QTableSize> QTable = {
    0.4,  0.42, 0.45, 0.47, 0.5,  0.53, 0.56,  0.59,  0.63,  0.67,  0.71,  0.75, 0.79, 0.84, 0.89,
    0.94, 1.0,  1.06, 1.12, 1.19, 1.26, 1.3,   1.4,   1.5,   1.6,   1.7,   1.8,  1.9,  2.0,  2.1,
    2.2,  2.4,  2.5,  2.7,  2.8,  3.0,  3.2,   3.4,   3.6,   3.8,   4.0,   4.2,  4.5,  4.8,  5.0,
    5.3,  5.7,  6.0,  6.3,  6.7,  7.1,  7.6,   8.0,   8.5,   9.0,   9.5,   10.1, 10.7, 11.3, 12.0,
    12.7, 13.5, 14.0, 15.0, 16.0, 17.0, 18.0,  19.0,  20.0,  21.0,  23.0,  24.0, 25.0, 27.0, 29.0,
    30.0, 32.0, 34.0, 36.0, 38.0, 40.0, 43.0,  45.0,  48.0,  51.0,  54.0,  57.0, 60.0, 64.0, 68.0,
    72.0, 76.0, 81.0, 85.0, 91.0, 96.0, 102.0, 108.0, 114.0, 121.0, 128.0,
};

// Compressor ratios by Ratio code 0 to 15; code 15 is the limiter, marked by the value 20.1.
inline constexpr std::size_t RatioCount = 16;
inline constexpr int RatioLimiter = 15;
// clang-format off
inline constexpr char RatioNameChars[] =
    "1.0\0" "1.1\0" "1.3\0" "1.5\0" "1.7\0" "2.0\0" "2.5\0" "3.0\0"
    "3.5\0" "4.0\0" "5.0\0" "6.0\0" "8.0\0" "10\0" "20\0" "Limit";
// clang-format on
inline constexpr std::array<std::string_view, RatioCount> RatioNames =
    TextsOf<RatioCount>(RatioNameChars);
inline constexpr std::array<double, RatioCount> RatioValues = {
    1.0, 1.1, 1.3, 1.5, 1.7, 2.0, 2.5, 3.0, 3.5, 4.0, 5.0, 6.0, 8.0, 10.0, 20.0, 20.1,
};

// EQ band types (a band's Type code). ptLowPass and ptHighPass are second-order filters.
enum PeqType : std::uint8_t {
    ptPeak = 0,
    ptLowShelf = 1,
    ptHighShelf = 2,
    ptLowPass = 3,
    ptHighPass = 4,
    ptAllpass1 = 5,
    ptAllpass2 = 6,
};
inline constexpr std::size_t PeqTypeCount = 7;

// Built-in 12-character captions of the band types, indexed by PeqType, followed by the caption
// of a bypassed band at PeqNameBypass. The EQ band table shows them until it gets the language
// texts.
inline constexpr std::size_t PeqNameBypass = 7;
// clang-format off
inline constexpr char PeqTypeNameChars[] =
    " Peak       \0" " Low Shelf  \0" " High Shelf \0" " Low Cut    \0"
    " High Cut   \0" " Allpass 1  \0" " Allpass 2  \0" "   BYPASS   ";
// clang-format on
inline constexpr std::array<std::string_view, PeqTypeCount + 1> PeqTypeNames =
    TextsOf<PeqTypeCount + 1>(PeqTypeNameChars);

// Unit suffixes: the display suffixes of a delay in unit 0 (ms), 1 (metres), 2 (feet), then the
// spellings accepted after a typed number (dB, ms twice, metres, feet).
inline constexpr std::size_t ValueSuffixCount = 21;
// clang-format off
inline constexpr char ValueSuffixChars[] =
    " ms\0" "  m\0" " ft\0"
    "dB\0" "DB\0" "db\0" "Db\0"
    "ms\0" "Ms\0" "mS\0" "MS\0"
    "ms\0" "Ms\0" "mS\0" "MS\0"
    "m\0" "M\0"
    "ft\0" "Ft\0" "fT\0" "FT";
// clang-format on
inline constexpr std::array<std::string_view, ValueSuffixCount> ValueSuffixes =
    TextsOf<ValueSuffixCount>(ValueSuffixChars);

// Delay units of the image's DelayUnit field.
enum DelayUnitCode : std::uint8_t { duMilliseconds = 0, duMetres = 1, duFeet = 2 };

}  // namespace dsp
