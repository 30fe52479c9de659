#pragma once
// Published properties. A class that offers settings by name lists them once, inside the class,
// with their kind, declared default, stored rule and how to read and write them:
//
//     class TAxis : public TPersistent {
//         DSP_PUBLISHED(TAxis, TPersistent) {
//             using P = Published<TAxis>;
//             return {
//                 P::Property("Min", &TAxis::Min, &TAxis::SetMin),
//                 P::Property("InnerMargin", &TAxis::innerMargin_, &TAxis::SetInnerMargin).Default(5),
//                 P::Property("ScaleType", &TAxis::ScaleType, &TAxis::SetScaleType).Default(ipstLinear),
//                 P::Property("TitleFont", &TAxis::TitleFont, &TAxis::SetTitleFont),
//             };
//         }
//     ...
//
// Everything that saves, loads or sets properties by name (property text files, themes, settings
// pushed to many widgets) walks these lists instead of knowing the classes. A class lists the
// base class's properties first; a property listed again under the same name (to give it another
// default, say) keeps its base position. Enumerations used as properties declare their identifiers
// once with DSP_ENUM_NAMES next to the enumeration; one without identifiers counts as an integer.
// Kinds: bool and named enumerations are tkEnumeration, char tkChar, other integers and unnamed
// enumerations tkInteger, Set<E> tkSet, floating types tkFloat, std::string tkString, and a
// pointer to a TPersistent class tkClass.

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/Object.h"
#include "framework/core/Set.h"

namespace dsp {

enum TTypeKind { tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass };

// The identifiers of an enumeration in value order from 0 (a Boolean is False, True).
struct TEnumInfo {
    std::string typeName;
    std::vector<std::string> names;

    int MaxValue() const { return static_cast<int>(names.size()) - 1; }
    // The identifier of a value, or an empty text outside the enumeration.
    std::string NameOf(long long value) const;
    // The value of an identifier compared without case, or -1.
    int ValueOf(std::string_view name) const;
};

const TEnumInfo& BooleanEnumInfo();

// Declares the identifiers of an enumeration of namespace dsp, next to the enumeration:
//     enum TFrameStyle { fsNone, fsFlat };
//     DSP_ENUM_NAMES(TFrameStyle, "fsNone", "fsFlat")
#define DSP_ENUM_NAMES(Enum, ...)                                 \
    inline const ::dsp::TEnumInfo& EnumTypeInfo(Enum*) {          \
        static const ::dsp::TEnumInfo info{#Enum, {__VA_ARGS__}}; \
        return info;                                              \
    }

template <typename E>
concept NamedEnum = std::is_enum_v<E> && requires(E* e) {
    { EnumTypeInfo(e) } -> std::same_as<const TEnumInfo&>;
};

// One published property: its name, kind and rules, and type-erased access to an instance.
class TPropInfo {
public:
    using OrdinalGetter = std::function<long long(const TObject*)>;
    using OrdinalSetter = std::function<void(TObject*, long long)>;
    using FloatGetter = std::function<double(const TObject*)>;
    using FloatSetter = std::function<void(TObject*, double)>;
    using StringGetter = std::function<std::string(const TObject*)>;
    using StringSetter = std::function<void(TObject*, const std::string&)>;
    using ObjectGetter = std::function<TPersistent*(const TObject*)>;
    using ObjectSetter = std::function<void(TObject*, TPersistent*)>;
    using StoredRule = std::function<bool(const TObject*)>;

    TPropInfo(std::string name, TTypeKind kind, const TEnumInfo* enumInfo = nullptr)
        : name_(std::move(name)), kind_(kind), enumInfo_(enumInfo) {}

    const std::string& Name() const { return name_; }
    TTypeKind Kind() const { return kind_; }
    // Integer, character, enumeration and set properties.
    bool IsOrdinal() const;
    // The identifiers of an enumeration, or of a set's elements; null for other kinds.
    const TEnumInfo* EnumInfo() const { return enumInfo_; }
    bool HasSetter() const;
    // The declared default of an ordinal property; none when it declares no default.
    const std::optional<long long>& Default() const { return default_; }
    // Whether the property's value belongs in a saved copy of the instance.
    bool IsStored(const TObject* instance) const { return !stored_ || stored_(instance); }
    // True for an ordinal property whose value equals its declared default.
    bool IsDefaultValue(const TObject* instance) const;

    // Access by kind. Reading or writing through the wrong kind, or writing a property without a
    // setter, raises EPropertyError; an enumeration or set value outside its type raises
    // EPropertyConvertError; an instance of the wrong class raises EInvalidCast.
    long long GetOrdinal(const TObject* instance) const;
    void SetOrdinal(TObject* instance, long long value) const;
    double GetFloat(const TObject* instance) const;
    void SetFloat(TObject* instance, double value) const;
    std::string GetString(const TObject* instance) const;
    void SetString(TObject* instance, const std::string& value) const;
    TPersistent* GetObject(const TObject* instance) const;
    void SetObject(TObject* instance, TPersistent* value) const;

    // Declaration helpers, used while a class lists its properties.
    template <typename V>
    TPropInfo Default(V value) && {
        default_ = OrdinalOf(value);
        return std::move(*this);
    }
    TPropInfo Stored(bool stored) && {
        if (stored) {
            stored_ = nullptr;
        } else {
            stored_ = [](const TObject*) { return false; };
        }
        return std::move(*this);
    }
    template <typename C>
    TPropInfo Stored(bool (C::*rule)() const) && {
        stored_ = [rule](const TObject* instance) { return (CheckedCast<C>(instance)->*rule)(); };
        return std::move(*this);
    }

private:
    template <typename C>
    friend class Published;

    // Set by Published<C>, the only class besides this one that reaches them.
    OrdinalGetter getOrdinal_;
    OrdinalSetter setOrdinal_;
    FloatGetter getFloat_;
    FloatSetter setFloat_;
    StringGetter getString_;
    StringSetter setString_;
    ObjectGetter getObject_;
    ObjectSetter setObject_;

    template <typename C>
    static const C* CheckedCast(const TObject* instance) {
        auto* p = dynamic_cast<const C*>(instance);
        if (p == nullptr) throw EInvalidCast();
        return p;
    }
    template <typename C>
    static C* CheckedCast(TObject* instance) {
        auto* p = dynamic_cast<C*>(instance);
        if (p == nullptr) throw EInvalidCast();
        return p;
    }

    template <typename V>
    static long long OrdinalOf(V value) {
        if constexpr (requires { value.Bits(); }) {
            return static_cast<long long>(value.Bits());
        } else {
            return static_cast<long long>(value);
        }
    }

    void CheckValueInRange(long long value) const;

    std::string name_;
    TTypeKind kind_;
    const TEnumInfo* enumInfo_;
    std::optional<long long> default_;
    StoredRule stored_;
};

// The published properties of one class, base class first.
class TClassInfo {
public:
    using Declaration = std::vector<TPropInfo> (*)();

    TClassInfo(std::string className, const TClassInfo* parent, Declaration declare);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& ClassName() const { return className_; }
    const TClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const TClassInfo& other) const;

    // Every published property in declaration order, the base class's first.
    const std::vector<const TPropInfo*>& Properties() const { return properties_; }
    // The property of that name compared without case, or null.
    const TPropInfo* FindProperty(std::string_view name) const;

private:
    std::string className_;
    const TClassInfo* parent_;
    std::vector<TPropInfo> own_;
    std::vector<const TPropInfo*> properties_;
};

// The published property of that name on an object, or null (also for a null object).
const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name);

// Opens a public section in which a class lists its published properties; write the body of the
// listing function right after it.
#define DSP_PUBLISHED(Class, Base)                                                    \
public:                                                                               \
    static const ::dsp::TClassInfo& StaticClassInfo() {                               \
        static const ::dsp::TClassInfo info(#Class, &Base::StaticClassInfo(),         \
                                            &Class::PublishedProperties);             \
        return info;                                                                  \
    }                                                                                 \
    const ::dsp::TClassInfo& ClassInfo() const override { return StaticClassInfo(); } \
    static std::vector<::dsp::TPropInfo> PublishedProperties()

namespace detail {

template <typename T>
struct MemberTraits;
template <typename B, typename V>
struct MemberTraits<V (B::*)() const> {
    using Owner = B;
    using Value = std::remove_cvref_t<V>;
};
template <typename B, typename V>
struct MemberTraits<V(B::*)> {
    using Owner = B;
    using Value = std::remove_cvref_t<V>;
};

template <typename V>
struct IsSet : std::false_type {};
template <typename E>
struct IsSet<Set<E>> : std::true_type {
    using Element = E;
};

template <typename V>
constexpr TTypeKind KindOf() {
    if constexpr (std::is_same_v<V, bool>) {
        return tkEnumeration;
    } else if constexpr (std::is_same_v<V, char>) {
        return tkChar;
    } else if constexpr (std::is_integral_v<V>) {
        return tkInteger;
    } else if constexpr (NamedEnum<V>) {
        return tkEnumeration;
    } else if constexpr (std::is_enum_v<V>) {
        // An enumeration without identifiers is a named integer type (a colour, say).
        return tkInteger;
    } else if constexpr (IsSet<V>::value) {
        static_assert(NamedEnum<typename IsSet<V>::Element>,
                      "declare the set element's identifiers with DSP_ENUM_NAMES");
        return tkSet;
    } else if constexpr (std::is_floating_point_v<V>) {
        return tkFloat;
    } else if constexpr (std::is_same_v<V, std::string>) {
        return tkString;
    } else if constexpr (std::is_pointer_v<V> &&
                         std::is_base_of_v<TPersistent, std::remove_pointer_t<V>>) {
        return tkClass;
    } else {
        static_assert(sizeof(V) == 0, "this type cannot be a published property");
        return tkUnknown;
    }
}

template <typename V>
const TEnumInfo* EnumInfoOf() {
    if constexpr (std::is_same_v<V, bool>) {
        return &BooleanEnumInfo();
    } else if constexpr (NamedEnum<V>) {
        return &EnumTypeInfo(static_cast<V*>(nullptr));
    } else if constexpr (IsSet<V>::value) {
        return &EnumTypeInfo(static_cast<typename IsSet<V>::Element*>(nullptr));
    } else {
        return nullptr;
    }
}

template <typename V>
V FromOrdinal(long long value) {
    if constexpr (std::is_same_v<V, bool>) {
        return value != 0;
    } else if constexpr (IsSet<V>::value) {
        return V::FromBits(static_cast<std::uint64_t>(value));
    } else {
        return static_cast<V>(value);
    }
}

// Calls a getter (a const member function or a data member) on an instance.
template <typename C, typename Getter>
decltype(auto) Read(const C* instance, Getter get) {
    if constexpr (std::is_member_function_pointer_v<Getter>) {
        return (instance->*get)();
    } else {
        return (instance->*get);
    }
}

// Calls a setter (a member function or a data member) on an instance.
template <typename C, typename Setter, typename V>
void Write(C* instance, Setter set, V&& value) {
    if constexpr (std::is_member_function_pointer_v<Setter>) {
        (instance->*set)(std::forward<V>(value));
    } else {
        instance->*set = std::forward<V>(value);
    }
}

}  // namespace detail

// The helper with which class C lists its published properties. A getter is a const member
// function or a data member; a setter is a member function, a data member or nullptr (read only).
template <typename C>
class Published {
public:
    template <typename Getter, typename Setter = std::nullptr_t>
    static TPropInfo Property(std::string name, Getter get, Setter set = nullptr) {
        using V = typename detail::MemberTraits<Getter>::Value;
        constexpr TTypeKind kind = detail::KindOf<V>();
        TPropInfo info(std::move(name), kind, detail::EnumInfoOf<V>());
        constexpr bool writable = !std::is_same_v<Setter, std::nullptr_t>;

        if constexpr (kind == tkFloat) {
            info.getFloat_ = [get](const TObject* o) {
                return static_cast<double>(detail::Read(TPropInfo::CheckedCast<C>(o), get));
            };
            if constexpr (writable) {
                info.setFloat_ = [set](TObject* o, double v) {
                    detail::Write(TPropInfo::CheckedCast<C>(o), set, static_cast<V>(v));
                };
            }
        } else if constexpr (kind == tkString) {
            info.getString_ = [get](const TObject* o) {
                return std::string(detail::Read(TPropInfo::CheckedCast<C>(o), get));
            };
            if constexpr (writable) {
                info.setString_ = [set](TObject* o, const std::string& v) {
                    detail::Write(TPropInfo::CheckedCast<C>(o), set, v);
                };
            }
        } else if constexpr (kind == tkClass) {
            info.getObject_ = [get](const TObject* o) -> TPersistent* {
                return detail::Read(TPropInfo::CheckedCast<C>(o), get);
            };
            if constexpr (writable) {
                info.setObject_ = [set](TObject* o, TPersistent* v) {
                    auto* typed = v == nullptr ? nullptr : dynamic_cast<V>(v);
                    if (v != nullptr && typed == nullptr) throw EInvalidCast();
                    detail::Write(TPropInfo::CheckedCast<C>(o), set, typed);
                };
            }
        } else {
            info.getOrdinal_ = [get](const TObject* o) {
                return TPropInfo::OrdinalOf(detail::Read(TPropInfo::CheckedCast<C>(o), get));
            };
            if constexpr (writable) {
                info.setOrdinal_ = [set](TObject* o, long long v) {
                    detail::Write(TPropInfo::CheckedCast<C>(o), set, detail::FromOrdinal<V>(v));
                };
            }
        }
        return info;
    }
};

}  // namespace dsp
