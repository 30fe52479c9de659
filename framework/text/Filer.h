#pragma once
// The binary form stream: a component with its stored published properties and the named
// components it owns, written to a stream and read back (see docs/streams.md for the layout).
//
//   TMemoryStream stream;
//   WriteComponentStream(stream, *panel);     // "DSF1", then the component
//   stream.SetPosition(0);
//   ReadComponentStream(stream, *otherPanel); // reads into an existing instance
//
// What is written for a property (published, stored, and with a setter unless it holds an
// object): nothing when it equals its streaming default (an ordinal its declared default, a float
// 0, a text "", an object property null); an object property holding a component as a reference
// to it by name; a collection as a collection value; any other persistent object as its own
// properties under dotted names ("Font.Color"). Then whatever the object's DefineProperties
// declares. A component's children are what GetChildren reports (by default the named components
// it owns); reading finds an existing child by name and class or creates one through the class
// registry (RegisterClass).
//
// Reading sets csLoading on every component it reads and csReading while the component's own
// properties are read; Loaded runs once per component after the whole stream has been read.
// A malformed or truncated stream raises EReadError naming the property and what was wrong; the
// components the reader created are freed, but the instance read into keeps what was read so far.
// A caller that needs the instance untouched reads into a fresh one (ReadFreshComponent) and
// assigns it on success.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"
#include "framework/text/Streams.h"

namespace dsp {

class TCollection;
class TReader;
class TWriter;

// The tag in front of every value.
enum TValueType : std::uint8_t {
    vaNull,  // end of a list
    vaList,  // values up to vaNull
    vaInt8,  // integers in the fewest bytes that hold them, little-endian
    vaInt16,
    vaInt32,
    vaDouble,  // IEEE 754 binary64
    vaString,  // 32-bit length and UTF-8 bytes
    vaIdent,   // an identifier: 8-bit length and bytes
    vaFalse,
    vaTrue,
    vaBinary,      // 32-bit length and bytes
    vaSet,         // identifiers, ended by an empty one
    vaNil,         // no object
    vaCollection,  // items, each vaList ... vaNull, ended by vaNull
    vaInt64,
};

// The four bytes a component stream starts with.
inline constexpr char kFormStreamSignature[4] = {'D', 'S', 'F', '1'};

using TReaderProc = std::function<void(TReader& reader)>;
using TWriterProc = std::function<void(TWriter& writer)>;
using TStreamProc = std::function<void(TStream& stream)>;

// What TPersistent::DefineProperties talks to: the same declarations serve reading and writing.
class TFiler {
public:
    explicit TFiler(TStream& stream) : stream_(stream) {}
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;
    virtual ~TFiler() = default;

    TStream& Stream() { return stream_; }
    // The component at the top of what is being read or written; null outside a component.
    TComponent* Root() const { return root_; }
    void SetRoot(TComponent* root) { root_ = root; }
    virtual bool IsReader() const = 0;

    // A property the object stores by hand. Writing: when hasData, the name and then exactly one
    // value that writeData writes. Reading: when the stream names this property, readData reads
    // its value (a value it leaves partly unread is skipped).
    virtual void DefineProperty(const std::string& name, const TReaderProc& readData,
                                const TWriterProc& writeData, bool hasData) = 0;
    // A property stored as raw bytes: writeData fills a stream, readData gets a stream holding
    // exactly those bytes, at position 0.
    virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                      const TStreamProc& writeData, bool hasData) = 0;

protected:
    TStream& stream_;
    TComponent* root_ = nullptr;
};

class TWriter : public TFiler {
public:
    explicit TWriter(TStream& stream) : TFiler(stream) {}
    bool IsReader() const override { return false; }

    void DefineProperty(const std::string& name, const TReaderProc& readData,
                        const TWriterProc& writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

    // The signature and the component, as root.
    void WriteRootComponent(TComponent& root);
    // One component record: class, name, properties, children.
    void WriteComponent(TComponent& component);
    // Every stored published property of the instance that differs from its default, then its
    // defined properties, each under its name (no list markers around them).
    void WriteProperties(TPersistent& instance);
    void WriteProperty(TPersistent& instance, const TPropInfo& property);
    // A collection value: vaCollection, an item list per item, vaNull.
    void WriteCollection(TCollection& collection);

    void WriteValue(TValueType type);
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    void WriteInteger(long long value);
    void WriteFloat(double value);
    void WriteString(std::string_view value);
    // EWriteError for an identifier longer than 255 bytes.
    void WriteIdent(std::string_view ident);
    void WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }
    void WriteBinary(const void* data, std::size_t size);
    void WriteSet(const TEnumInfo& elements, std::uint64_t bits);

private:
    void WritePropName(std::string_view name);
    void WriteShortString(std::string_view text);
    void WriteBytes(const void* data, std::size_t size);
    void WriteObjectProperty(TPersistent& instance, const TPropInfo& property);
    std::string ReferencePath(TComponent* component) const;

    std::string propPath_;  // dotted prefix of the object whose properties are being written
    int componentDepth_ = 0;
};

class TReader : public TFiler {
public:
    explicit TReader(TStream& stream) : TFiler(stream) {}
    ~TReader() override;
    bool IsReader() const override { return true; }

    void DefineProperty(const std::string& name, const TReaderProc& readData,
                        const TWriterProc& writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

    // The signature and a component record read into instance (EReadError when the stream holds
    // another class), then the fix-up of references and Loaded for every component read.
    void ReadRootComponent(TComponent& instance);
    // The signature and a component record read into a new component of the stream's
    // registered class, which the caller then owns.
    std::unique_ptr<TComponent> ReadNewRootComponent();

    // One property: its name and value, set on the instance (or one of its objects, for a dotted
    // name), or handed to the instance's DefineProperties. EReadError for a name the instance
    // does not know or a value that does not fit.
    void ReadProperty(TPersistent& instance);
    // A collection value into a collection: it is cleared, then one item is added per item list.
    void ReadCollection(TCollection& collection);

    TValueType ReadValue();
    TValueType NextValue();
    // EReadError unless the next value has this tag; the tag is consumed.
    void CheckValue(TValueType type);
    void ReadListBegin() { CheckValue(vaList); }
    void ReadListEnd() { CheckValue(vaNull); }
    // True at the end marker. Looks at the next byte only: where a property name comes next, that
    // byte is the name's length, not a value tag.
    bool EndOfList();
    long long ReadInt64();
    // EReadError for a value outside 32 bits.
    int ReadInteger();
    // Integers are taken too.
    double ReadFloat();
    std::string ReadString();
    std::string ReadIdent();
    bool ReadBoolean();
    std::vector<std::uint8_t> ReadBinary();
    std::uint64_t ReadSet(const TEnumInfo& elements);
    // Passes over one value of any type, lists and collections included.
    void SkipValue();

    // Byte offset in the stream, for messages.
    std::int64_t Position() { return stream_.Position(); }

private:
    struct Fixup {
        TPersistent* instance;
        const TPropInfo* property;
        std::string path;
        std::string where;
        std::vector<TCollection*> within;  // collections whose items hold the instance
    };

    void ReadSignature();
    void ReadComponentRecord(TComponent& instance);
    void ReadChildren(TComponent& parent);
    void ReadPropValue(TPersistent& instance, const TPropInfo& property, const std::string& where);
    void ReadDefined(TPersistent& instance, const std::string& name);
    void FinishRead();
    void AbandonRead();
    std::string ReadShortString();
    void ReadBytes(void* buffer, std::size_t size);
    std::size_t CheckedLength(std::uint32_t length);
    [[noreturn]] void Fail(const std::string& message);
    TComponent* Resolve(const std::string& path) const;

    std::string componentPath_;  // names of the components being read, for messages
    std::string definedName_;    // the name a defined property must have to be read now
    bool definedDone_ = false;
    int depth_ = 0;
    std::vector<TComponent*> loaded_;  // components read, in reading order
    std::unordered_set<TComponent*> loadedSet_;
    std::vector<TComponent*> created_;  // components the reader created
    std::vector<Fixup> fixups_;
    std::vector<TCollection*> collections_;  // collections being read, outermost first
};

// ---- the component stream as a whole

// Writes the signature and the component.
void WriteComponentStream(TStream& stream, TComponent& component);
// Reads the component at the stream's position into instance.
void ReadComponentStream(TStream& stream, TComponent& instance);
// Reads the component into a new instance of the registered class the stream names.
std::unique_ptr<TComponent> ReadNewComponentStream(TStream& stream);
// Reads into a fresh T (made by new T(nullptr)); nothing else is touched when the stream is bad,
// so the caller can Assign the result to the object it meant to change.
template <typename T>
std::unique_ptr<T> ReadFreshComponent(TStream& stream) {
    auto fresh = std::make_unique<T>(nullptr);
    ReadComponentStream(stream, *fresh);
    return fresh;
}

// ---- classes the reader can create by name

using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

// Registers a component class under its class name ("TPanel"); registering again replaces it.
void RegisterComponentClass(const std::string& className, TComponentFactory factory);
template <typename T>
void RegisterClass() {
    RegisterComponentClass(ClassNameOf(typeid(T)),
                           [](TComponent* owner) -> TComponent* { return new T(owner); });
}
template <typename... T>
void RegisterClasses() {
    (RegisterClass<T>(), ...);
}
void UnRegisterClass(const std::string& className);
// The factory of a registered class, or null.
const TComponentFactory* FindComponentClass(const std::string& className);

}  // namespace dsp
