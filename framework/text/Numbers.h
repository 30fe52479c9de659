#pragma once
// Numbers to text and back with the framework's rules. Numbers in files and edit boxes always use
// "." as the decimal separator and "," to group thousands, whatever the user's locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dsp {

enum TFloatFormat {
    ffGeneral,   // shortest of fixed and scientific
    ffExponent,  // d.ddddE+ddd
    ffFixed,     // ddd.dd
    ffNumber,    // d,ddd.dd
};

// General format with 15 significant digits: "0.1", "1234.5", "1E-5", "1.5E20"; scientific when
// the value has more than 15 digits before the point or is below 0.0001. Not-a-number and the
// infinities read "NAN", "INF" and "-INF".
std::string FloatToStr(double value);

// precision: significant digits (1 to 17); digits: decimals for ffFixed and ffNumber, the least
// number of exponent digits (0 to 4) for ffGeneral and ffExponent. Decimals are rounded with
// halves away from zero; a value that rounds to zero has no minus sign.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);

// Leading and trailing blanks allowed, then an optional sign, digits with an optional ".", and an
// optional exponent. Anything else raises EConvertError "'<text>' is not a valid floating point
// value"; so does a value beyond the range of a double (a tiny one reads as 0).
double StrToFloat(std::string_view text);
std::optional<double> TryStrToFloat(std::string_view text);
double StrToFloatDef(std::string_view text, double fallback);

// Leading blanks allowed, an optional sign, decimal digits or hexadecimal ones behind "$" or "0x".
// Anything else, or a value outside 32 bits, raises EConvertError "'<text>' is not a valid integer
// value". Hexadecimal texts up to FFFFFFFF wrap to negative numbers, as colour values do.
int StrToInt(std::string_view text);
std::optional<int> TryStrToInt(std::string_view text);
int StrToIntDef(std::string_view text, int fallback);
std::int64_t StrToInt64(std::string_view text);
std::optional<std::int64_t> TryStrToInt64(std::string_view text);

std::string IntToStr(std::int64_t value);
// Upper-case hexadecimal digits, at least `digits` of them; negative values as 32-bit two's
// complement when they fit 32 bits.
std::string IntToHex(std::int64_t value, int digits);

// The nearest integer, halves to even: Round(2.5) is 2, Round(3.5) is 4, Round(-2.5) is -2.
// EInvalidOp for not-a-number and values outside 64 bits.
std::int64_t Round(double value);
// Cut toward zero; EInvalidOp as Round.
std::int64_t Trunc(double value);
// The integer part and the fraction, both with the value's sign.
double Int(double value);
double Frac(double value);

}  // namespace dsp
