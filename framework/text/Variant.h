#pragma once
// TVariant: one value whose type is chosen at run time, as OLE automation knows it: empty, null,
// integers of several widths, floating values, text, a date-time, a Boolean, or an array of such
// values with any number of dimensions, each with its own low and high bound.
//
// Type codes are the automation codes (varInteger is VT_I4, varDouble VT_R8, ...), so code that
// talks to an automation-style library can pass them on. Text is UTF-8 and has the one code
// varOleStr (VT_BSTR); varString names the same code.
//
// Conversions follow the framework's text rules (framework/text/Numbers.h):
//   to a number    integers and floats as they are (a float becomes an integer rounded halves to
//                  even); text through StrToInt64, else StrToFloat and the same rounding ("."
//                  decimal separator whatever the locale); True is -1 and False 0; a date-time is
//                  its number of days; empty is 0.
//   to text        IntToStr, FloatToStr, "True"/"False", a date-time as FormatDateTime "c"
//                  ("3/14/2024 1:05:09 PM", the time left out at midnight); empty is "".
//   to a Boolean   a number is True when not 0; text "True"/"False" in any case, or a number.
//   to a date-time any number (days since 30 December 1899); text as FormatDateTime "c" writes
//                  it, or a number.
// Null converts to nothing (EVariantTypeCastError) except through VarToStr, which gives "".
// An array converts to no scalar. A value outside the target type raises EVariantOverflowError.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/text/DateTime.h"

namespace dsp {

using TVarType = std::uint16_t;

// clang-format off
enum : TVarType {
    varEmpty    = 0x0000,
    varNull     = 0x0001,
    varSmallint = 0x0002,  // 16-bit signed
    varInteger  = 0x0003,  // 32-bit signed
    varSingle   = 0x0004,
    varDouble   = 0x0005,
    varDate     = 0x0007,
    varOleStr   = 0x0008,  // text
    varBoolean  = 0x000B,
    varVariant  = 0x000C,  // array elements of any type
    varShortInt = 0x0010,  // 8-bit signed
    varByte     = 0x0011,
    varWord     = 0x0012,
    varLongWord = 0x0013,
    varInt64    = 0x0014,
    varString   = varOleStr,
    varTypeMask = 0x0FFF,
    varArray    = 0x2000,
};
// clang-format on

// "Invalid variant operation" and the family below.
class EVariantError : public Exception {
public:
    using Exception::Exception;
};
// "Could not convert variant of type (String) into type (Double)".
class EVariantTypeCastError : public EVariantError {
public:
    using EVariantError::EVariantError;
};
// "Variant or safe array index out of bounds".
class EVariantBadIndexError : public EVariantError {
public:
    using EVariantError::EVariantError;
};
// "Arithmetic overflow converting variant of type (Double) into type (Byte)".
class EVariantOverflowError : public EVariantError {
public:
    using EVariantError::EVariantError;
};

class TVarArray;

class TVariant {
public:
    TVariant() = default;  // empty
    TVariant(int value);
    TVariant(long long value);
    TVariant(long value) : TVariant(static_cast<long long>(value)) {}
    TVariant(unsigned char value);
    TVariant(unsigned value);  // varLongWord
    TVariant(double value);
    TVariant(bool value);
    TVariant(const char* text);
    TVariant(std::string text);
    // Any scalar type code with a value converted to it (varDate with a number of days).
    static TVariant OfType(TVarType type, const TVariant& value);
    static TVariant FromDateTime(TDateTime value);
    static TVariant NullValue();

    TVariant(const TVariant& other);
    TVariant& operator=(const TVariant& other);
    TVariant(TVariant&& other) noexcept;
    TVariant& operator=(TVariant&& other) noexcept;
    ~TVariant();

    // The type code; arrays have varArray or'ed with their element type.
    TVarType VarType() const { return type_; }
    bool IsEmpty() const { return type_ == varEmpty; }
    bool IsNull() const { return type_ == varNull; }
    bool IsArray() const { return (type_ & varArray) != 0; }

    // Conversions by the rules above.
    int AsInteger() const;
    long long AsInt64() const;
    double AsDouble() const;
    std::string AsString() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;

    // Arrays. Dimensions count from 1, as the bounds functions below take them. EVariantError
    // "Variant is not an array" on a scalar; EVariantBadIndexError for a dimension or an index
    // outside the bounds, or the wrong number of indices.
    int DimCount() const;
    int LowBound(int dim) const;
    int HighBound(int dim) const;
    // Number of elements of all dimensions together.
    std::size_t ElementCount() const;
    TVariant GetElement(std::span<const int> indices) const;
    TVariant GetElement(std::initializer_list<int> indices) const {
        return GetElement(std::span<const int>(indices.begin(), indices.size()));
    }
    // Stores a copy converted to the array's element type (any value in a varVariant array).
    void PutElement(std::span<const int> indices, const TVariant& value);
    void PutElement(std::initializer_list<int> indices, const TVariant& value) {
        PutElement(std::span<const int>(indices.begin(), indices.size()), value);
    }
    // One-dimensional access.
    TVariant operator[](int index) const { return GetElement({index}); }

    // Same type and same value; arrays compare bounds and elements.
    friend bool operator==(const TVariant& a, const TVariant& b);

private:
    friend class TVarArray;
    friend TVariant VarArrayCreate(std::span<const int> bounds, TVarType elementType);
    friend TVariant VarArrayFromBytes(std::span<const std::uint8_t> bytes);
    friend std::vector<std::uint8_t> VarArrayToBytes(const TVariant& value);

    const TVarArray& Array() const;
    TVarArray& Array();

    // Arrays are copied whole with the variant (never shared between two variants); the shared
    // pointer only lets the array class stay out of this header.
    using Value = std::variant<std::monostate, long long, double, bool, std::string,
                               std::shared_ptr<TVarArray>>;
    TVarType type_ = varEmpty;
    Value value_;
};

// An array with the given bounds, low and high for each dimension in turn:
// VarArrayCreate({0, 9}, varDouble) has ten elements, VarArrayCreate({1, 2, 0, 99}, varVariant)
// two rows of a hundred. A high bound may be one below the low bound (no elements). Elements start
// as the element type's zero (empty in a varVariant array). EVariantError for an odd number of
// bounds, no dimension, a high bound more than one below its low bound, a scalar type that
// is not an element type, or more than 2^28 elements.
TVariant VarArrayCreate(std::span<const int> bounds, TVarType elementType);
inline TVariant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType) {
    return VarArrayCreate(std::span<const int>(bounds.begin(), bounds.size()), elementType);
}
// A one-dimensional varVariant array from 0 holding the values.
TVariant VarArrayOf(std::initializer_list<TVariant> values);
TVariant VarArrayOf(std::span<const TVariant> values);
// A one-dimensional varByte array from 0 holding the bytes, and back (EVariantError when the
// value is not a one-dimensional byte array).
TVariant VarArrayFromBytes(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> VarArrayToBytes(const TVariant& value);

// The usual free-standing names.
inline TVarType VarType(const TVariant& v) { return v.VarType(); }
inline bool VarIsEmpty(const TVariant& v) { return v.IsEmpty(); }
inline bool VarIsNull(const TVariant& v) { return v.IsNull(); }
inline bool VarIsArray(const TVariant& v) { return v.IsArray(); }
// Empty or null.
inline bool VarIsClear(const TVariant& v) { return v.IsEmpty() || v.IsNull(); }
// A scalar of one of the integer, floating, date or Boolean types (not text).
bool VarIsNumeric(const TVariant& v);
bool VarIsStr(const TVariant& v);
inline int VarArrayDimCount(const TVariant& v) { return v.IsArray() ? v.DimCount() : 0; }
inline int VarArrayLowBound(const TVariant& v, int dim) { return v.LowBound(dim); }
inline int VarArrayHighBound(const TVariant& v, int dim) { return v.HighBound(dim); }
// The value converted to another scalar type (varOleStr for text), or an array converted element
// by element to another element type.
TVariant VarAsType(const TVariant& v, TVarType type);
// Text of the value; null gives "" (or fallback).
std::string VarToStr(const TVariant& v);
std::string VarToStrDef(const TVariant& v, const std::string& fallback);
// "Integer", "Double", "String", "Array of Byte", ...
std::string VarTypeAsText(TVarType type);

// The null and the empty value.
inline TVariant Null() { return TVariant::NullValue(); }
inline TVariant Unassigned() { return TVariant(); }

}  // namespace dsp
