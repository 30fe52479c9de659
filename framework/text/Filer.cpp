#include "framework/text/Filer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <exception>
#include <limits>
#include <map>
#include <mutex>

#include "framework/core/Collection.h"
#include "framework/core/Exceptions.h"
#include "framework/text/StrUtils.h"

namespace dsp {

namespace {

// Lists, collections, properties and components together may nest this deep in a stream that is
// read; a deeper one is refused rather than allowed to exhaust the stack. Writing stops well
// before it, so that whatever is written can be read.
constexpr int kMaxDepth = 128;
constexpr int kMaxWriteDepth = 48;

template <typename T>
void PutLittleEndian(unsigned char* out, T value) {
    auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out[i] = static_cast<unsigned char>(bits & 0xFF);
        bits = static_cast<decltype(bits)>(bits >> 8);
    }
}

template <typename T>
T GetLittleEndian(const unsigned char* in) {
    std::make_unsigned_t<T> bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) {
        bits = static_cast<decltype(bits)>((bits << 8) | in[i]);
    }
    return static_cast<T>(bits);
}

// Keeps a value for the length of a scope and restores the old one on every exit.
template <typename T>
class Restore {
public:
    explicit Restore(T& target) : target_(target), saved_(target) {}
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;
    ~Restore() { target_ = std::move(saved_); }

private:
    T& target_;
    T saved_;
};

class DepthGuard {
public:
    DepthGuard(int& depth, const std::function<void()>& tooDeep) : depth_(depth) {
        if (++depth_ > kMaxDepth) {
            --depth_;
            tooDeep();
        }
    }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    ~DepthGuard() { --depth_; }

private:
    int& depth_;
};

std::mutex& RegistryMutex() {
    static std::mutex m;
    return m;
}

std::map<std::string, TComponentFactory>& Registry() {
    static std::map<std::string, TComponentFactory> classes;
    return classes;
}

std::string ValueTypeName(TValueType type) {
    static const char* const names[] = {
        "end of list", "list", "integer", "integer", "integer", "float",      "string", "ident",
        "False",       "True", "binary",  "set",     "nil",     "collection", "integer"};
    return type <= vaInt64 ? names[type] : "unknown";
}

// A read error that knows the dotted path of the property it happened in, so that each level on
// the way out can put its own name in front.
class EFormReadError : public EReadError {
public:
    EFormReadError(std::string path, std::string detail)
        : EReadError("Error reading " + path + ": " + detail),
          path_(std::move(path)),
          detail_(std::move(detail)) {}
    const std::string& Path() const { return path_; }
    const std::string& Detail() const { return detail_; }

private:
    std::string path_;
    std::string detail_;
};

// Inside a catch block: the error again, with segment in front of its path.
[[noreturn]] void RethrowWithin(const std::string& segment) {
    try {
        throw;
    } catch (const EFormReadError& e) {
        const std::string& inner = e.Path();
        throw EFormReadError(inner.starts_with('[') ? segment + inner : segment + "." + inner,
                             e.Detail());
    } catch (const Exception& e) {
        throw EFormReadError(segment, e.Message());
    }
}

}  // namespace

// ======================================================================= writer

void TWriter::WriteBytes(const void* data, std::size_t size) {
    stream_.WriteBuffer(data, static_cast<std::int64_t>(size));
}

void TWriter::WriteValue(TValueType type) {
    const auto byte = static_cast<std::uint8_t>(type);
    WriteBytes(&byte, 1);
}

void TWriter::WriteShortString(std::string_view text) {
    if (text.size() > 255) {
        throw EWriteError("Name too long for a form stream: " + std::string(text.substr(0, 40)) +
                          "...");
    }
    const auto length = static_cast<std::uint8_t>(text.size());
    WriteBytes(&length, 1);
    WriteBytes(text.data(), text.size());
}

void TWriter::WritePropName(std::string_view name) {
    if (name.empty()) throw EWriteError("A property needs a name");
    WriteShortString(propPath_ + std::string(name));
}

void TWriter::WriteInteger(long long value) {
    unsigned char buffer[9];
    std::size_t size;
    if (value >= std::numeric_limits<std::int8_t>::min() &&
        value <= std::numeric_limits<std::int8_t>::max()) {
        buffer[0] = vaInt8;
        PutLittleEndian(buffer + 1, static_cast<std::int8_t>(value));
        size = 2;
    } else if (value >= std::numeric_limits<std::int16_t>::min() &&
               value <= std::numeric_limits<std::int16_t>::max()) {
        buffer[0] = vaInt16;
        PutLittleEndian(buffer + 1, static_cast<std::int16_t>(value));
        size = 3;
    } else if (value >= std::numeric_limits<std::int32_t>::min() &&
               value <= std::numeric_limits<std::int32_t>::max()) {
        buffer[0] = vaInt32;
        PutLittleEndian(buffer + 1, static_cast<std::int32_t>(value));
        size = 5;
    } else {
        buffer[0] = vaInt64;
        PutLittleEndian(buffer + 1, static_cast<std::int64_t>(value));
        size = 9;
    }
    WriteBytes(buffer, size);
}

void TWriter::WriteFloat(double value) {
    unsigned char buffer[9];
    buffer[0] = vaDouble;
    PutLittleEndian(buffer + 1, std::bit_cast<std::uint64_t>(value));
    WriteBytes(buffer, sizeof buffer);
}

void TWriter::WriteString(std::string_view value) {
    if (value.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw EWriteError("Text too long for a form stream");
    }
    unsigned char header[5];
    header[0] = vaString;
    PutLittleEndian(header + 1, static_cast<std::uint32_t>(value.size()));
    WriteBytes(header, sizeof header);
    WriteBytes(value.data(), value.size());
}

void TWriter::WriteIdent(std::string_view ident) {
    WriteValue(vaIdent);
    WriteShortString(ident);
}

void TWriter::WriteBinary(const void* data, std::size_t size) {
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        throw EWriteError("Binary value too long for a form stream");
    }
    unsigned char header[5];
    header[0] = vaBinary;
    PutLittleEndian(header + 1, static_cast<std::uint32_t>(size));
    WriteBytes(header, sizeof header);
    WriteBytes(data, size);
}

void TWriter::WriteSet(const TEnumInfo& elements, std::uint64_t bits) {
    WriteValue(vaSet);
    for (std::size_t i = 0; i < elements.names.size() && i < 64; ++i) {
        if ((bits >> i) & 1U) WriteShortString(elements.names[i]);
    }
    WriteShortString({});
}

void TWriter::WriteProperties(TPersistent& instance) {
    for (const TPropInfo* property : instance.ClassInfo().Properties()) {
        if (property->IsStored(&instance)) WriteProperty(instance, *property);
    }
    instance.DefineProperties(this);
}

void TWriter::WriteProperty(TPersistent& instance, const TPropInfo& property) {
    if (property.Kind() == tkClass) {
        WriteObjectProperty(instance, property);
        return;
    }
    if (!property.HasSetter()) return;
    switch (property.Kind()) {
        case tkInteger:
        case tkChar:
            if (property.IsDefaultValue(&instance)) return;
            WritePropName(property.Name());
            WriteInteger(property.GetOrdinal(&instance));
            break;
        case tkEnumeration: {
            if (property.IsDefaultValue(&instance)) return;
            const long long value = property.GetOrdinal(&instance);
            WritePropName(property.Name());
            if (property.EnumInfo() == &BooleanEnumInfo()) {
                WriteBoolean(value != 0);
            } else if (std::string ident = property.EnumInfo()->NameOf(value); !ident.empty()) {
                WriteIdent(ident);
            } else {
                WriteInteger(value);
            }
            break;
        }
        case tkSet:
            if (property.IsDefaultValue(&instance)) return;
            WritePropName(property.Name());
            WriteSet(*property.EnumInfo(),
                     static_cast<std::uint64_t>(property.GetOrdinal(&instance)));
            break;
        case tkFloat: {
            const double value = property.GetFloat(&instance);
            if (value == 0) return;
            WritePropName(property.Name());
            WriteFloat(value);
            break;
        }
        case tkString: {
            const std::string value = property.GetString(&instance);
            if (value.empty()) return;
            WritePropName(property.Name());
            WriteString(value);
            break;
        }
        default: break;
    }
}

void TWriter::WriteObjectProperty(TPersistent& instance, const TPropInfo& property) {
    TPersistent* object = property.GetObject(&instance);
    if (object == nullptr) return;
    auto* component = dynamic_cast<TComponent*>(object);
    if (component != nullptr && property.HasSetter()) {
        // A component the property can point elsewhere is a reference; a component the property
        // cannot change is part of the instance and written with it, as below.
        WritePropName(property.Name());
        WriteIdent(ReferencePath(component));
        return;
    }
    if (auto* collection = dynamic_cast<TCollection*>(object)) {
        WritePropName(property.Name());
        WriteCollection(*collection);
        return;
    }
    if (std::count(propPath_.begin(), propPath_.end(), '.') >= kMaxWriteDepth) {
        throw EWriteError("Objects nest too deeply to be written: " + propPath_);
    }
    Restore<std::string> path(propPath_);
    propPath_ += property.Name() + ".";
    WriteProperties(*object);
}

std::string TWriter::ReferencePath(TComponent* component) const {
    std::string path;
    for (TComponent* c = component; c != root_; c = c->Owner()) {
        if (c == nullptr || c->Name().empty()) {
            throw EWriteError(
                "Cannot write a reference to " +
                (component->Name().empty() ? component->ClassName() : component->Name()) +
                ": it is not a named part of " +
                (root_ != nullptr ? root_->ClassName() : std::string("the stream")));
        }
        path = path.empty() ? c->Name() : c->Name() + "." + path;
    }
    return path;
}

void TWriter::WriteCollection(TCollection& collection) {
    WriteValue(vaCollection);
    Restore<std::string> path(propPath_);
    propPath_.clear();
    for (int i = 0; i < collection.Count(); ++i) {
        WriteListBegin();
        WriteProperties(*collection.Items(i));
        WriteListEnd();
    }
    WriteListEnd();
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&,
                             const TWriterProc& writeData, bool hasData) {
    if (!hasData || !writeData) return;
    WritePropName(name);
    const std::int64_t start = stream_.Position();
    {
        Restore<std::string> path(propPath_);
        propPath_.clear();
        writeData(*this);
    }
    if (stream_.Position() == start) {
        throw EWriteError("Defined property " + name + " wrote no value");
    }
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&,
                                   const TStreamProc& writeData, bool hasData) {
    if (!hasData || !writeData) return;
    TMemoryStream bytes;
    writeData(bytes);
    WritePropName(name);
    WriteBinary(bytes.Memory(), static_cast<std::size_t>(bytes.Size()));
}

void TWriter::WriteComponent(TComponent& component) {
    struct Writing {
        TComponent& c;
        explicit Writing(TComponent& component) : c(component) {
            c.SetComponentState(csWriting, true);
        }
        Writing(const Writing&) = delete;
        Writing& operator=(const Writing&) = delete;
        ~Writing() { c.SetComponentState(csWriting, false); }
    } writing(component);

    if (root_ == nullptr) root_ = &component;
    if (++componentDepth_ > kMaxWriteDepth) {
        --componentDepth_;
        throw EWriteError("Components nest too deeply to be written: " + component.Name());
    }
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{componentDepth_};
    WriteShortString(component.ClassName());
    WriteShortString(component.Name());
    {
        Restore<std::string> path(propPath_);
        propPath_.clear();
        WriteProperties(component);
    }
    WriteListEnd();
    component.GetChildren([this](TComponent* child) { WriteComponent(*child); });
    WriteListEnd();
}

void TWriter::WriteRootComponent(TComponent& root) {
    root_ = &root;
    WriteBytes(kFormStreamSignature, sizeof kFormStreamSignature);
    WriteComponent(root);
}

// ======================================================================= reader

TReader::~TReader() = default;

void TReader::Fail(const std::string& message) {
    throw EReadError(message + " (form stream byte " + std::to_string(stream_.Position()) + ")");
}

void TReader::ReadBytes(void* buffer, std::size_t size) {
    if (size == 0) return;
    if (stream_.Read(buffer, static_cast<std::int64_t>(size)) != static_cast<std::int64_t>(size)) {
        Fail("The form stream ends early");
    }
}

std::size_t TReader::CheckedLength(std::uint32_t length) {
    const std::int64_t remaining = stream_.Size() - stream_.Position();
    if (static_cast<std::int64_t>(length) > remaining) Fail("The form stream ends early");
    return length;
}

std::string TReader::ReadShortString() {
    std::uint8_t length = 0;
    ReadBytes(&length, 1);
    std::string text(length, '\0');
    ReadBytes(text.data(), length);
    return text;
}

TValueType TReader::ReadValue() {
    std::uint8_t byte = 0;
    ReadBytes(&byte, 1);
    if (byte > vaInt64) {
        stream_.Seek(-1, soCurrent);
        Fail("Unknown value type " + std::to_string(byte));
    }
    return static_cast<TValueType>(byte);
}

bool TReader::EndOfList() {
    std::uint8_t byte = 0;
    ReadBytes(&byte, 1);
    stream_.Seek(-1, soCurrent);
    return byte == vaNull;
}

TValueType TReader::NextValue() {
    const TValueType type = ReadValue();
    stream_.Seek(-1, soCurrent);
    return type;
}

void TReader::CheckValue(TValueType type) {
    const TValueType found = ReadValue();
    if (found != type) {
        stream_.Seek(-1, soCurrent);
        Fail("Expected " + ValueTypeName(type) + ", found " + ValueTypeName(found));
    }
}

long long TReader::ReadInt64() {
    const TValueType type = ReadValue();
    unsigned char buffer[8];
    switch (type) {
        case vaInt8: ReadBytes(buffer, 1); return GetLittleEndian<std::int8_t>(buffer);
        case vaInt16: ReadBytes(buffer, 2); return GetLittleEndian<std::int16_t>(buffer);
        case vaInt32: ReadBytes(buffer, 4); return GetLittleEndian<std::int32_t>(buffer);
        case vaInt64: ReadBytes(buffer, 8); return GetLittleEndian<std::int64_t>(buffer);
        default:
            stream_.Seek(-1, soCurrent);
            Fail("Expected integer, found " + ValueTypeName(type));
    }
}

int TReader::ReadInteger() {
    const long long value = ReadInt64();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        Fail("Integer " + std::to_string(value) + " out of range");
    }
    return static_cast<int>(value);
}

double TReader::ReadFloat() {
    if (NextValue() != vaDouble) return static_cast<double>(ReadInt64());
    ReadValue();
    unsigned char buffer[8];
    ReadBytes(buffer, 8);
    return std::bit_cast<double>(GetLittleEndian<std::uint64_t>(buffer));
}

std::string TReader::ReadString() {
    CheckValue(vaString);
    unsigned char buffer[4];
    ReadBytes(buffer, 4);
    std::string text(CheckedLength(GetLittleEndian<std::uint32_t>(buffer)), '\0');
    ReadBytes(text.data(), text.size());
    return text;
}

std::string TReader::ReadIdent() {
    CheckValue(vaIdent);
    return ReadShortString();
}

bool TReader::ReadBoolean() {
    const TValueType type = ReadValue();
    if (type != vaTrue && type != vaFalse) {
        stream_.Seek(-1, soCurrent);
        Fail("Expected Boolean, found " + ValueTypeName(type));
    }
    return type == vaTrue;
}

std::vector<std::uint8_t> TReader::ReadBinary() {
    CheckValue(vaBinary);
    unsigned char buffer[4];
    ReadBytes(buffer, 4);
    std::vector<std::uint8_t> bytes(CheckedLength(GetLittleEndian<std::uint32_t>(buffer)));
    ReadBytes(bytes.data(), bytes.size());
    return bytes;
}

std::uint64_t TReader::ReadSet(const TEnumInfo& elements) {
    CheckValue(vaSet);
    std::uint64_t bits = 0;
    for (;;) {
        const std::string name = ReadShortString();
        if (name.empty()) break;
        const int value = elements.ValueOf(name);
        if (value < 0 || value >= 64) Fail("Unknown set element " + name);
        bits |= std::uint64_t{1} << value;
    }
    return bits;
}

void TReader::SkipValue() {
    DepthGuard guard(depth_, [this] { Fail("Values nest too deeply"); });
    const TValueType type = ReadValue();
    unsigned char buffer[4];
    switch (type) {
        case vaNull: stream_.Seek(-1, soCurrent); Fail("Expected a value, found end of list");
        case vaList:
            while (!EndOfList()) SkipValue();
            ReadValue();
            break;
        case vaInt8: stream_.Seek(CheckedLength(1), soCurrent); break;
        case vaInt16: stream_.Seek(CheckedLength(2), soCurrent); break;
        case vaInt32: stream_.Seek(CheckedLength(4), soCurrent); break;
        case vaInt64:
        case vaDouble: stream_.Seek(CheckedLength(8), soCurrent); break;
        case vaString:
        case vaBinary:
            ReadBytes(buffer, 4);
            stream_.Seek(CheckedLength(GetLittleEndian<std::uint32_t>(buffer)), soCurrent);
            break;
        case vaIdent: ReadShortString(); break;
        case vaSet:
            while (!ReadShortString().empty()) {}
            break;
        case vaFalse:
        case vaTrue:
        case vaNil: break;
        case vaCollection:
            while (!EndOfList()) {
                ReadListBegin();
                while (!EndOfList()) {
                    if (ReadShortString().empty()) Fail("Property name expected");
                    SkipValue();
                }
                ReadListEnd();
            }
            ReadListEnd();
            break;
    }
}

void TReader::ReadSignature() {
    char signature[sizeof kFormStreamSignature];
    if (stream_.Read(signature, sizeof signature) != static_cast<std::int64_t>(sizeof signature) ||
        std::memcmp(signature, kFormStreamSignature, sizeof signature) != 0) {
        throw EReadError("Not a form stream: the signature DSF1 is missing");
    }
}

void TReader::ReadProperty(TPersistent& instance) {
    DepthGuard guard(depth_, [this] { Fail("Objects nest too deeply"); });
    const std::string name = ReadShortString();
    if (name.empty()) Fail("Property name expected");

    // Objects on a dotted path ("Font.Color") are walked through their published properties.
    TPersistent* target = &instance;
    std::string_view rest = name;
    for (std::size_t dot = rest.find('.'); dot != std::string_view::npos; dot = rest.find('.')) {
        const std::string step(rest.substr(0, dot));
        const TPropInfo* property = target->ClassInfo().FindProperty(step);
        TPersistent* next = property != nullptr && property->Kind() == tkClass
                                ? property->GetObject(target)
                                : nullptr;
        if (next == nullptr) Fail("Property " + name + " does not exist");
        target = next;
        rest.remove_prefix(dot + 1);
    }
    const std::string last(rest);
    try {
        if (const TPropInfo* property = target->ClassInfo().FindProperty(last)) {
            ReadPropValue(*target, *property, name);
        } else {
            ReadDefined(*target, last);
        }
    } catch (const Exception&) {
        RethrowWithin(name);
    }
}

void TReader::ReadPropValue(TPersistent& instance, const TPropInfo& property,
                            const std::string& where) {
    switch (property.Kind()) {
        case tkInteger:
        case tkChar: property.SetOrdinal(&instance, ReadInt64()); break;
        case tkEnumeration: {
            const TValueType type = NextValue();
            long long value;
            if (type == vaTrue || type == vaFalse) {
                value = ReadBoolean() ? 1 : 0;
            } else if (type == vaIdent) {
                const std::string ident = ReadIdent();
                value = property.EnumInfo()->ValueOf(ident);
                if (value < 0) Fail("Invalid value " + ident);
            } else {
                value = ReadInt64();
            }
            property.SetOrdinal(&instance, value);
            break;
        }
        case tkSet: {
            const long long bits = NextValue() == vaSet
                                       ? static_cast<long long>(ReadSet(*property.EnumInfo()))
                                       : ReadInt64();
            property.SetOrdinal(&instance, bits);
            break;
        }
        case tkFloat: property.SetFloat(&instance, ReadFloat()); break;
        case tkString: property.SetString(&instance, ReadString()); break;
        case tkClass: {
            const TValueType type = NextValue();
            if (type == vaCollection) {
                auto* collection = dynamic_cast<TCollection*>(property.GetObject(&instance));
                if (collection == nullptr) Fail("Property does not hold a collection");
                ReadCollection(*collection);
            } else if (type == vaIdent) {
                if (!property.HasSetter()) Fail("Property is read-only");
                fixups_.push_back({&instance, &property, ReadIdent(), componentPath_ + "." + where,
                                   collections_});
            } else if (type == vaNil) {
                ReadValue();
                property.SetObject(&instance, nullptr);
            } else {
                Fail("Invalid value for an object property: " + ValueTypeName(type));
            }
            break;
        }
        default: Fail("Property of a kind the form stream does not hold");
    }
}

void TReader::ReadDefined(TPersistent& instance, const std::string& name) {
    Restore<std::string> savedName(definedName_);
    Restore<bool> savedDone(definedDone_);
    definedName_ = name;
    definedDone_ = false;
    instance.DefineProperties(this);
    if (!definedDone_) Fail("Property " + name + " does not exist");
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData,
                             const TWriterProc&, bool) {
    if (definedDone_ || !readData || !SameText(name, definedName_)) return;
    definedDone_ = true;
    // Find where the value ends, so that a reader that takes less than all of it (one that stops
    // at a value it does not expect) leaves the stream at the next property.
    const std::int64_t start = stream_.Position();
    SkipValue();
    const std::int64_t end = stream_.Position();
    stream_.SetPosition(start);
    {
        Restore<std::string> savedName(definedName_);
        definedName_.clear();
        readData(*this);
    }
    const std::int64_t position = stream_.Position();
    if (position > end) Fail("Defined property " + name + " read past its value");
    stream_.SetPosition(end);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                   const TStreamProc&, bool) {
    if (definedDone_ || !readData || !SameText(name, definedName_)) return;
    definedDone_ = true;
    const std::vector<std::uint8_t> bytes = ReadBinary();
    TMemoryStream data;
    if (!bytes.empty()) data.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    data.SetPosition(0);
    readData(data);
}

void TReader::ReadCollection(TCollection& collection) {
    DepthGuard guard(depth_, [this] { Fail("Collections nest too deeply"); });
    CheckValue(vaCollection);
    // References read into items that are about to be freed must not be set later.
    fixups_.erase(std::remove_if(fixups_.begin(), fixups_.end(),
                                 [&](const Fixup& f) {
                                     return std::find(f.within.begin(), f.within.end(),
                                                      &collection) != f.within.end();
                                 }),
                  fixups_.end());
    struct Update {
        TCollection& c;
        explicit Update(TCollection& collection) : c(collection) { c.BeginUpdate(); }
        Update(const Update&) = delete;
        Update& operator=(const Update&) = delete;
        ~Update() { c.EndUpdate(); }
    } update(collection);
    collection.Clear();
    collections_.push_back(&collection);
    struct Pop {
        std::vector<TCollection*>& stack;
        ~Pop() { stack.pop_back(); }
    } pop{collections_};
    for (int index = 0; !EndOfList(); ++index) {
        try {
            ReadListBegin();
            TCollectionItem* item = collection.Add();
            while (!EndOfList()) ReadProperty(*item);
            ReadListEnd();
        } catch (const Exception&) {
            RethrowWithin("[" + std::to_string(index) + "]");
        }
    }
    ReadListEnd();
}

void TReader::ReadComponentRecord(TComponent& component) {
    DepthGuard guard(depth_, [this] { Fail("Components nest too deeply"); });
    component.SetComponentState(csLoading, true);
    component.SetComponentState(csReading, true);
    if (loadedSet_.insert(&component).second) loaded_.push_back(&component);
    const std::string name = component.Name().empty() ? component.ClassName() : component.Name();
    Restore<std::string> path(componentPath_);
    componentPath_ = componentPath_.empty() ? name : componentPath_ + "." + name;
    try {
        while (!EndOfList()) ReadProperty(component);
        ReadListEnd();
        component.SetComponentState(csReading, false);
        ReadChildren(component);
    } catch (const Exception&) {
        RethrowWithin(name);
    }
}

void TReader::ReadChildren(TComponent& parent) {
    while (!EndOfList()) {
        const std::string className = ReadShortString();
        const std::string name = ReadShortString();
        TComponent* child = nullptr;
        if (!name.empty()) {
            child = parent.FindComponent(name);
            if (child != nullptr && child->ClassName() != className) {
                Fail("Component " + name + " is a " + child->ClassName() +
                     ", the form stream holds a " + className);
            }
        }
        if (child == nullptr) {
            const TComponentFactory* factory = FindComponentClass(className);
            if (factory == nullptr) Fail("Class " + className + " not found");
            child = (*factory)(&parent);
            created_.push_back(child);
            if (!name.empty()) child->SetName(name);
        }
        ReadComponentRecord(*child);
    }
    ReadListEnd();
}

TComponent* TReader::Resolve(const std::string& path) const {
    TComponent* component = root_;
    std::string_view rest = path;
    while (component != nullptr && !rest.empty()) {
        const std::size_t dot = rest.find('.');
        component = component->FindComponent(std::string(rest.substr(0, dot)));
        rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    }
    return component;
}

void TReader::FinishRead() {
    for (const Fixup& fixup : fixups_) {
        TComponent* target = Resolve(fixup.path);
        if (target == nullptr) {
            throw EFormReadError(fixup.where, "No component " + fixup.path);
        }
        try {
            fixup.property->SetObject(fixup.instance, target);
        } catch (const Exception& e) {
            throw EFormReadError(fixup.where, e.Message());
        }
    }
    fixups_.clear();
    created_.clear();
    // Loaded runs once for every component read, owner before owned, after everything is set.
    std::vector<TComponent*> loaded;
    loaded.swap(loaded_);
    loadedSet_.clear();
    for (TComponent* component : loaded) component->SetComponentState(csReading, false);
    // One failing Loaded does not keep the others loading; its error is reported afterwards.
    std::exception_ptr failure;
    for (TComponent* component : loaded) {
        try {
            component->Loaded();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

void TReader::AbandonRead() {
    fixups_.clear();
    // Free what this reader created, each through its topmost created owner.
    for (std::size_t i = created_.size(); i-- > 0;) {
        TComponent* component = created_[i];
        const bool ownerCreated =
            std::find(created_.begin(), created_.end(), component->Owner()) != created_.end();
        if (ownerCreated) continue;
        loaded_.erase(std::remove_if(loaded_.begin(), loaded_.end(),
                                     [&](TComponent* c) {
                                         for (TComponent* o = c; o != nullptr; o = o->Owner()) {
                                             if (o == component) return true;
                                         }
                                         return false;
                                     }),
                      loaded_.end());
        delete component;
    }
    created_.clear();
    // What was read into existing components stays; none of them may stay loading.
    std::vector<TComponent*> loaded;
    loaded.swap(loaded_);
    loadedSet_.clear();
    for (TComponent* component : loaded) component->SetComponentState(csReading, false);
    for (TComponent* component : loaded) {
        try {
            component->Loaded();
        } catch (...) {
            // The read's own error is the one to report.
        }
    }
}

void TReader::ReadRootComponent(TComponent& instance) {
    root_ = &instance;
    try {
        ReadSignature();
        const std::string className = ReadShortString();
        ReadShortString();  // the stream's name for it; the instance keeps its own
        if (className != instance.ClassName()) {
            Fail("The form stream holds a " + className + ", not a " + instance.ClassName());
        }
        ReadComponentRecord(instance);
        FinishRead();
    } catch (const EReadError&) {
        AbandonRead();
        throw;
    } catch (const Exception& e) {
        AbandonRead();
        throw EReadError(e.Message());
    } catch (...) {
        AbandonRead();
        throw;
    }
}

std::unique_ptr<TComponent> TReader::ReadNewRootComponent() {
    ReadSignature();
    const std::string className = ReadShortString();
    const std::string name = ReadShortString();
    const TComponentFactory* factory = FindComponentClass(className);
    if (factory == nullptr) Fail("Class " + className + " not found");
    std::unique_ptr<TComponent> component((*factory)(nullptr));
    root_ = component.get();
    // On failure the new root goes with the unique pointer, without a Loaded.
    auto abandon = [&] {
        loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), component.get()), loaded_.end());
        AbandonRead();
    };
    try {
        if (!name.empty()) component->SetName(name);
        ReadComponentRecord(*component);
        FinishRead();
    } catch (const EReadError&) {
        abandon();
        throw;
    } catch (const Exception& e) {
        abandon();
        throw EReadError(e.Message());
    } catch (...) {
        abandon();
        throw;
    }
    return component;
}

// ======================================================================= whole streams

void WriteComponentStream(TStream& stream, TComponent& component) {
    TWriter writer(stream);
    writer.WriteRootComponent(component);
}

void ReadComponentStream(TStream& stream, TComponent& instance) {
    TReader reader(stream);
    reader.ReadRootComponent(instance);
}

std::unique_ptr<TComponent> ReadNewComponentStream(TStream& stream) {
    TReader reader(stream);
    return reader.ReadNewRootComponent();
}

// ======================================================================= class registry

void RegisterComponentClass(const std::string& className, TComponentFactory factory) {
    std::lock_guard lock(RegistryMutex());
    Registry()[className] = std::move(factory);
}

void UnRegisterClass(const std::string& className) {
    std::lock_guard lock(RegistryMutex());
    Registry().erase(className);
}

const TComponentFactory* FindComponentClass(const std::string& className) {
    std::lock_guard lock(RegistryMutex());
    auto it = Registry().find(className);
    return it == Registry().end() ? nullptr : &it->second;
}

}  // namespace dsp
