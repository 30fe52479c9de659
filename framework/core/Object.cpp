#include "framework/core/Object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "framework/core/TypeInfo.h"

namespace dsp {

std::string ClassNameOf(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    std::string name = (status == 0 && demangled) ? demangled.get() : type.name();
    // Keep the last component of a qualified name; template arguments are not expected here.
    if (auto pos = name.rfind("::"); pos != std::string::npos) name.erase(0, pos + 2);
    return name;
}

std::string TObject::ClassName() const { return ClassNameOf(typeid(*this)); }

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo info("TObject", nullptr, nullptr);
    return info;
}

const TClassInfo& TObject::ClassInfo() const { return StaticClassInfo(); }

void TPersistent::Assign(TPersistent* source) {
    if (source != nullptr) {
        source->AssignTo(this);
    } else {
        AssignError(nullptr);
    }
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
    const std::string sourceName = source != nullptr ? source->ClassName() : std::string("nil");
    throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

std::string TPersistent::GetNamePath() {
    std::string result = ClassName();
    if (TPersistent* owner = GetOwner()) {
        const std::string ownerPath = owner->GetNamePath();
        if (!ownerPath.empty()) result = ownerPath + "." + result;
    }
    return result;
}

}  // namespace dsp
