#include "framework/text/PropertyText.h"

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"

namespace dsp {

std::string SetToString(const TEnumInfo& elements, std::uint64_t bits) {
    std::string text = "[";
    bool first = true;
    for (std::size_t i = 0; i < elements.names.size() && i < 64; ++i) {
        if ((bits >> i & 1u) == 0) continue;
        if (!first) text += ",";
        text += elements.names[i];
        first = false;
    }
    return text + "]";
}

std::uint64_t StringToSet(const TEnumInfo& elements, std::string_view text) {
    std::string s = Trim(text);
    if (!s.empty() && s.front() == '[') s.erase(0, 1);
    if (!s.empty() && s.back() == ']') s.pop_back();
    std::uint64_t bits = 0;
    std::size_t i = 0;
    while (i <= s.size()) {
        const std::size_t comma = s.find(',', i);
        const std::size_t end = comma == std::string::npos ? s.size() : comma;
        const std::string name = Trim(std::string_view(s).substr(i, end - i));
        if (!name.empty()) {
            const int value = elements.ValueOf(name);
            if (value < 0 || value >= 64) {
                throw EPropertyConvertError("Invalid property element: " + name);
            }
            bits |= std::uint64_t{1} << value;
        }
        i = end + 1;
    }
    return bits;
}

std::string GetPropText(const TObject* instance, const TPropInfo& property) {
    switch (property.Kind()) {
        case tkInteger: return IntToStr(property.GetOrdinal(instance));
        case tkChar: return std::string(1, static_cast<char>(property.GetOrdinal(instance)));
        case tkEnumeration: {
            const long long v = property.GetOrdinal(instance);
            std::string name = property.EnumInfo()->NameOf(v);
            return name.empty() ? IntToStr(v) : name;
        }
        case tkSet:
            return SetToString(*property.EnumInfo(),
                               static_cast<std::uint64_t>(property.GetOrdinal(instance)));
        case tkFloat: return FloatToStr(property.GetFloat(instance));
        case tkString: return property.GetString(instance);
        default: break;
    }
    throw EPropertyError("Property " + property.Name() + " has no text form");
}

void SetPropText(TObject* instance, const TPropInfo& property, std::string_view text) {
    switch (property.Kind()) {
        case tkInteger: property.SetOrdinal(instance, StrToInt64(Trim(text))); return;
        case tkChar:
            if (text.size() != 1)
                throw EConvertError("'" + std::string(text) + "' is not a character");
            property.SetOrdinal(instance, static_cast<unsigned char>(text[0]));
            return;
        case tkEnumeration: {
            const std::string t = Trim(text);
            const int value = property.EnumInfo()->ValueOf(t);
            if (value >= 0) {
                property.SetOrdinal(instance, value);
            } else if (auto number = TryStrToInt64(t)) {
                property.SetOrdinal(instance, *number);
            } else {
                throw EPropertyConvertError("Invalid property element: " + t);
            }
            return;
        }
        case tkSet: {
            const std::string t = Trim(text);
            if (auto number = TryStrToInt64(t)) {
                property.SetOrdinal(instance, *number);
            } else {
                property.SetOrdinal(instance,
                                    static_cast<long long>(StringToSet(*property.EnumInfo(), t)));
            }
            return;
        }
        case tkFloat: property.SetFloat(instance, StrToFloat(text)); return;
        case tkString: property.SetString(instance, std::string(text)); return;
        default: break;
    }
    throw EPropertyError("Property " + property.Name() + " has no text form");
}

TPropertyRef FindPropertyByPath(TObject* instance, std::string_view path) {
    while (instance != nullptr) {
        const std::size_t dot = path.find('.');
        const std::string_view head = path.substr(0, dot);
        const TPropInfo* property = GetPropInfo(instance, Trim(head));
        if (property == nullptr) return {};
        if (dot == std::string_view::npos) return TPropertyRef{instance, property};
        if (property->Kind() != tkClass) return {};
        instance = property->GetObject(instance);
        path.remove_prefix(dot + 1);
    }
    return {};
}

namespace {

TPropertyRef Require(TObject* instance, std::string_view path) {
    TPropertyRef ref = FindPropertyByPath(instance, path);
    if (!ref) throw EPropertyError("Property " + std::string(path) + " does not exist");
    return ref;
}

}  // namespace

std::string GetPropTextByPath(TObject* instance, std::string_view path) {
    const TPropertyRef ref = Require(instance, path);
    return GetPropText(ref.instance, *ref.property);
}

void SetPropTextByPath(TObject* instance, std::string_view path, std::string_view text) {
    const TPropertyRef ref = Require(instance, path);
    SetPropText(ref.instance, *ref.property, text);
}

}  // namespace dsp
