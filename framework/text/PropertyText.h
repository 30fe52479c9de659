#pragma once
// Published properties by name and by dotted path ("TitleFont.Color"), with a text form of every
// value, for code that sets settings from text: themes, settings pushed to many widgets by name,
// typed-in values. (A file format with rules of its own, such as ordinals in decimal, uses
// TPropInfo's typed access directly.)
//
// Text forms: integers in decimal; a character as itself; an enumeration by its identifier;
// a set as "[tdLeft,tdTop]"; a floating value as FloatToStr gives it ("." as decimal separator);
// a string as it stands. Reading also takes an enumeration's or a set's number, and "True" or
// "False" for a Boolean. An object property has no text form.

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/TypeInfo.h"

namespace dsp {

std::string SetToString(const TEnumInfo& elements, std::uint64_t bits);
// EPropertyConvertError "Invalid property element: <name>" for an unknown element.
std::uint64_t StringToSet(const TEnumInfo& elements, std::string_view text);

// EPropertyError for an object property. Reading back raises EConvertError for a text that is
// not a number where one is needed and EPropertyConvertError for an unknown identifier.
std::string GetPropText(const TObject* instance, const TPropInfo& property);
void SetPropText(TObject* instance, const TPropInfo& property, std::string_view text);

// A property reached by a dotted path: the object that holds it and the property itself.
struct TPropertyRef {
    TObject* instance = nullptr;
    const TPropInfo* property = nullptr;
    explicit operator bool() const { return property != nullptr; }
};

// Follows the path through object properties, names compared without case; an empty reference
// when a step does not exist or does not hold an object.
TPropertyRef FindPropertyByPath(TObject* instance, std::string_view path);
// EPropertyError "Property <path> does not exist" when the path leads nowhere.
std::string GetPropTextByPath(TObject* instance, std::string_view path);
void SetPropTextByPath(TObject* instance, std::string_view path, std::string_view text);

}  // namespace dsp
