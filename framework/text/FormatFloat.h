#pragma once
// FormatFloat: a number shaped by a picture such as "#,##0.00", "0.0E+00" or "0.00;(0.00);zero".
//   0   a digit, always written        #  a digit, written when needed
//   .   the decimal point "."          ,  group the integer digits in thousands with ","
//   E+ E- e+ e-  scientific notation; the zeros after it give the least exponent digits
//   ;   separates the sections for positive, negative and zero values
//   "x" 'x'  literal text; any other character stands for itself
// Decimals round with halves away from zero. Literal text between digit placeholders is written
// after the number. An empty picture gives FloatToStr's text.

#include <string>
#include <string_view>

namespace dsp {

std::string FormatFloat(std::string_view format, double value);

}  // namespace dsp
