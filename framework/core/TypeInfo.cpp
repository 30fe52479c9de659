#include "framework/core/TypeInfo.h"

#include <algorithm>
#include <cctype>

#include "framework/core/Exceptions.h"

namespace dsp {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

}  // namespace

std::string TEnumInfo::NameOf(long long value) const {
    if (value < 0 || value > MaxValue()) return {};
    return names[static_cast<std::size_t>(value)];
}

int TEnumInfo::ValueOf(std::string_view name) const {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (SameName(names[i], name)) return static_cast<int>(i);
    }
    return -1;
}

const TEnumInfo& BooleanEnumInfo() {
    static const TEnumInfo info{"Boolean", {"False", "True"}};
    return info;
}

bool TPropInfo::IsOrdinal() const {
    return kind_ == tkInteger || kind_ == tkChar || kind_ == tkEnumeration || kind_ == tkSet;
}

bool TPropInfo::HasSetter() const { return setOrdinal_ || setFloat_ || setString_ || setObject_; }

bool TPropInfo::IsDefaultValue(const TObject* instance) const {
    return IsOrdinal() && default_.has_value() && GetOrdinal(instance) == *default_;
}

namespace {

[[noreturn]] void WrongKind(const std::string& name) {
    throw EPropertyError("Invalid property type: " + name);
}

[[noreturn]] void ReadOnly(const std::string& name) {
    throw EPropertyError("Property " + name + " is read-only");
}

}  // namespace

void TPropInfo::CheckValueInRange(long long value) const {
    if (enumInfo_ == nullptr || enumInfo_ == &BooleanEnumInfo()) return;
    const long long count = static_cast<long long>(enumInfo_->names.size());
    bool valid = true;
    if (kind_ == tkEnumeration) {
        valid = value >= 0 && value < count;
    } else if (kind_ == tkSet) {
        const auto bits = static_cast<unsigned long long>(value);
        valid = count >= 64 || (bits >> count) == 0;
    }
    if (!valid) throw EPropertyConvertError("Invalid property value");
}

long long TPropInfo::GetOrdinal(const TObject* instance) const {
    if (!getOrdinal_) WrongKind(name_);
    return getOrdinal_(instance);
}

void TPropInfo::SetOrdinal(TObject* instance, long long value) const {
    if (!IsOrdinal()) WrongKind(name_);
    if (!setOrdinal_) ReadOnly(name_);
    CheckValueInRange(value);
    setOrdinal_(instance, value);
}

double TPropInfo::GetFloat(const TObject* instance) const {
    if (!getFloat_) WrongKind(name_);
    return getFloat_(instance);
}

void TPropInfo::SetFloat(TObject* instance, double value) const {
    if (kind_ != tkFloat) WrongKind(name_);
    if (!setFloat_) ReadOnly(name_);
    setFloat_(instance, value);
}

std::string TPropInfo::GetString(const TObject* instance) const {
    if (!getString_) WrongKind(name_);
    return getString_(instance);
}

void TPropInfo::SetString(TObject* instance, const std::string& value) const {
    if (kind_ != tkString) WrongKind(name_);
    if (!setString_) ReadOnly(name_);
    setString_(instance, value);
}

TPersistent* TPropInfo::GetObject(const TObject* instance) const {
    if (!getObject_) WrongKind(name_);
    return getObject_(instance);
}

void TPropInfo::SetObject(TObject* instance, TPersistent* value) const {
    if (kind_ != tkClass) WrongKind(name_);
    if (!setObject_) ReadOnly(name_);
    setObject_(instance, value);
}

TClassInfo::TClassInfo(std::string className, const TClassInfo* parent, Declaration declare)
    : className_(std::move(className)), parent_(parent) {
    if (declare != nullptr) own_ = declare();
    if (parent_ != nullptr) properties_ = parent_->properties_;
    for (const TPropInfo& p : own_) {
        // A property listed again keeps its base position; the newer declaration wins.
        auto same = std::find_if(properties_.begin(), properties_.end(),
                                 [&](const TPropInfo* q) { return SameName(q->Name(), p.Name()); });
        if (same != properties_.end()) {
            *same = &p;
        } else {
            properties_.push_back(&p);
        }
    }
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
        if (c == &other) return true;
    }
    return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    for (const TPropInfo* p : properties_) {
        if (SameName(p->Name(), name)) return p;
    }
    return nullptr;
}

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name) {
    return instance == nullptr ? nullptr : instance->ClassInfo().FindProperty(name);
}

}  // namespace dsp
