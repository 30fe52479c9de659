#pragma once
// The root of the object model: TObject (class name, checked casts) and TPersistent
// (copying one object's settings onto another with Assign).

#include <functional>
#include <string>
#include <typeinfo>

namespace dsp {

class TClassInfo;
class TFiler;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class's own name without namespace, for example "TFont".
    std::string ClassName() const;

    template <typename T>
    bool InheritsFrom() const {
        return dynamic_cast<const T*>(this) != nullptr;
    }

    // The published properties of the object's class (see TypeInfo.h); a class without a list
    // of its own has its base class's.
    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const;
};

// Class name of a type, the same text TObject::ClassName gives for an instance of it.
std::string ClassNameOf(const std::type_info& type);

// A checked cast: the object as T, or EInvalidCast. A null object stays null.
template <typename T>
T* As(TObject* object);

// Event handler types shared by the whole system.
using TNotifyEvent = std::function<void(TObject* sender)>;

class TPersistent : public TObject {
public:
    // Copies the settings of source onto this object. The default asks the source to do it
    // (AssignTo) and fails with EConvertError when neither side knows the other's class.
    virtual void Assign(TPersistent* source);

    // The object that owns this one for naming and storage, or null.
    virtual TPersistent* GetOwner() { return nullptr; }
    // The dotted path by which properties of this object are addressed, for example "Form1.Font".
    virtual std::string GetNamePath();

    // Declares the properties this object stores by hand in a form stream, beside its published
    // ones (framework/text/Filer.h). Called for writing and for reading; the default has none.
    virtual void DefineProperties(TFiler* /*filer*/) {}

protected:
    virtual void AssignTo(TPersistent* dest);

private:
    [[noreturn]] void AssignError(TPersistent* source);
};

}  // namespace dsp

#include "framework/core/Exceptions.h"

namespace dsp {

template <typename T>
T* As(TObject* object) {
    if (object == nullptr) return nullptr;
    if (auto* p = dynamic_cast<T*>(object)) return p;
    throw EInvalidCast();
}

}  // namespace dsp
