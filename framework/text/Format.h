#pragma once
// Format: the framework's printf. A specifier is
//     % [index:] [flags] [width] [.precision] conversion
// with flags "-" (left-justify), "0" (pad with zeros after the sign), "+" and " " (sign for
// non-negative numbers), and width or precision "*" taken from the next argument.
// Conversions:
//   d  signed integer; precision: least number of digits
//   u  unsigned integer (a negative 32-bit value as its two's complement)
//   x  hexadecimal in lower case, X in upper case; precision: least number of digits
//   f  fixed, precision decimals (default 2); n the same with thousands grouped by ","
//   e  scientific with precision digits in all (default 15): "1.2346E+003", at least three
//      exponent digits and always a sign
//   g  general (as FloatToStr) with precision significant digits (default 15)
//   s  text; precision: most characters
//   p  pointer, 16 upper-case hexadecimal digits
//   %  a percent sign
// Widths and text precisions count characters, not bytes. A specifier without an argument, or
// with an argument of the wrong kind, raises EConvertError. Floating conversions accept integers;
// a char argument is a one-character text.

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace dsp {

class TFormatArg {
public:
    enum Kind { Signed, Unsigned, Float, Text, Pointer };

    template <std::signed_integral T>
    TFormatArg(T v) : kind_(Signed), signed_(v) {}
    template <std::unsigned_integral T>
    requires(!std::same_as<T, bool>) TFormatArg(T v) : kind_(Unsigned), unsigned_(v) {}
    template <typename E>
    requires std::is_enum_v<E> TFormatArg(E v)
        : kind_(Signed), signed_(static_cast<std::int64_t>(v)) {}
    TFormatArg(bool) = delete;
    TFormatArg(char c) : kind_(Text), char_(c), isChar_(true) {
        text_ = std::string_view(&char_, 1);
    }
    TFormatArg(double v) : kind_(Float), float_(v) {}
    TFormatArg(float v) : kind_(Float), float_(v) {}
    TFormatArg(const char* v) : kind_(Text), text_(v == nullptr ? "" : v) {}
    TFormatArg(const std::string& v) : kind_(Text), text_(v) {}
    TFormatArg(std::string_view v) : kind_(Text), text_(v) {}
    TFormatArg(const void* v) : kind_(Pointer), pointer_(reinterpret_cast<std::uintptr_t>(v)) {}

    TFormatArg(const TFormatArg& other)
        : kind_(other.kind_),
          signed_(other.signed_),
          unsigned_(other.unsigned_),
          float_(other.float_),
          text_(other.text_),
          char_(other.char_),
          isChar_(other.isChar_),
          pointer_(other.pointer_) {
        if (isChar_) text_ = std::string_view(&char_, 1);
    }
    TFormatArg& operator=(const TFormatArg&) = delete;

    Kind ArgKind() const { return kind_; }
    std::int64_t AsSigned() const { return signed_; }
    std::uint64_t AsUnsigned() const { return unsigned_; }
    double AsFloat() const { return float_; }
    std::string_view AsText() const { return text_; }
    std::uintptr_t AsPointer() const { return pointer_; }

private:
    Kind kind_;
    std::int64_t signed_ = 0;
    std::uint64_t unsigned_ = 0;
    double float_ = 0;
    std::string_view text_;
    char char_ = 0;
    bool isChar_ = false;
    std::uintptr_t pointer_ = 0;
};

std::string FormatArgs(std::string_view format, std::initializer_list<TFormatArg> args);

template <typename... Args>
std::string Format(std::string_view format, const Args&... args) {
    return FormatArgs(format, {TFormatArg(args)...});
}

}  // namespace dsp
