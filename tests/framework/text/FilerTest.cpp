#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/text/Filer.h"
#include "framework/text/Streams.h"
#include "tests/framework/text/FilerSamples.h"

namespace dsp {
namespace {

using test::shBlack;
using test::shDark;
using test::shLight;
using test::TSampleItem;
using test::TSampleShades;
using test::TSampleWidget;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class FilerTest : public ::testing::Test {
protected:
    void SetUp() override { test::RegisterSampleClasses(); }

    static std::vector<std::uint8_t> Write(TComponent& component) {
        TMemoryStream stream;
        WriteComponentStream(stream, component);
        return stream.Bytes();
    }

    static std::unique_ptr<TMemoryStream> StreamOf(const std::vector<std::uint8_t>& bytes) {
        auto stream = std::make_unique<TMemoryStream>();
        if (!bytes.empty()) {
            stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        }
        stream->SetPosition(0);
        return stream;
    }

    // The names of the root's properties, in stream order.
    static std::vector<std::string> RootPropertyNames(const std::vector<std::uint8_t>& bytes) {
        auto owned = StreamOf(bytes);
        TMemoryStream& stream = *owned;
        stream.Seek(4, soBeginning);
        auto shortString = [&] {
            std::uint8_t length = 0;
            stream.ReadBuffer(&length, 1);
            std::string text(length, '\0');
            if (length != 0) stream.ReadBuffer(text.data(), length);
            return text;
        };
        shortString();  // class
        shortString();  // name
        std::vector<std::string> names;
        TReader reader(stream);
        for (std::string name = shortString(); !name.empty(); name = shortString()) {
            names.push_back(name);
            reader.SkipValue();
        }
        return names;
    }
};

// A stream built by hand: raw names and framework values.
class StreamBuilder {
public:
    StreamBuilder() : writer_(stream_) {}
    StreamBuilder& Signature() {
        stream_.WriteBuffer(kFormStreamSignature, 4);
        return *this;
    }
    StreamBuilder& Name(const std::string& text) {
        const auto length = static_cast<std::uint8_t>(text.size());
        stream_.WriteBuffer(&length, 1);
        stream_.WriteBuffer(text);
        return *this;
    }
    StreamBuilder& Header(const std::string& className, const std::string& name = "") {
        return Signature().Name(className).Name(name);
    }
    StreamBuilder& Byte(std::uint8_t value) {
        stream_.WriteBuffer(&value, 1);
        return *this;
    }
    TWriter& W() { return writer_; }
    std::vector<std::uint8_t> Bytes() { return stream_.Bytes(); }

private:
    TMemoryStream stream_;
    TWriter writer_;
};

// A component whose property names are longer than any value tag.
class TLongNamed : public TComponent {
    DSP_PUBLISHED(TLongNamed, TComponent) {
        using P = Published<TLongNamed>;
        return {P::Property("AVeryLongPropertyName", &TLongNamed::value, &TLongNamed::value)};
    }

public:
    using TComponent::TComponent;
    int value = 0;
};

TEST(FilerNames, PropertyNamesLongerThanAnyValueTagAreRead) {
    TLongNamed source(nullptr);
    source.value = 7;
    TMemoryStream stream;
    WriteComponentStream(stream, source);
    stream.SetPosition(0);
    TLongNamed target(nullptr);
    ReadComponentStream(stream, target);
    EXPECT_EQ(target.value, 7);
}

TEST_F(FilerTest, ComponentTreeRoundTripsWithEveryKindOfValue) {
    TSampleWidget root(nullptr);
    root.SetName("Root");
    root.SetCount(3);
    root.big = 1LL << 40;
    root.letter = 'x';
    root.ratio = 2.5;
    root.caption = "Grüße\r\nzweite Zeile";
    root.enabled = false;
    root.shade = shBlack;
    root.shades = TSampleShades{shLight, shBlack};
    root.Font()->name = "Arial";
    root.Font()->size = 12;
    root.Font()->styles = TSampleShades{shDark};
    auto* first = static_cast<TSampleItem*>(root.Items()->Add());
    first->caption = "first";
    first->value = 1.5;
    first->shade = shDark;
    auto* second = static_cast<TSampleItem*>(root.Items()->Add());
    second->value = -0.25;
    root.Lines()->SetText("alpha\r\n\r\ngamma\r\n");
    root.secret = 42;
    root.blob = {0, 1, 2, 255};

    auto* left = new TSampleWidget(&root);
    left->SetName("Left");
    left->caption = "L";
    auto* right = new TSampleWidget(&root);
    right->SetName("Right");
    auto* inner = new TSampleWidget(right);
    inner->SetName("Inner");
    inner->SetCount(-70000);
    new TSampleWidget(&root);  // unnamed: a part the root made itself, not written
    root.buddy = left;
    left->buddy = inner;  // read before Inner exists
    inner->buddy = &root;
    second->link = inner;

    const std::vector<std::uint8_t> bytes = Write(root);
    auto streamOwned = StreamOf(bytes);
    TMemoryStream& stream = *streamOwned;
    std::unique_ptr<TSampleWidget> copy = ReadFreshComponent<TSampleWidget>(stream);
    EXPECT_EQ(stream.Position(), stream.Size());

    EXPECT_EQ(copy->count, 3);
    EXPECT_EQ(copy->big, 1LL << 40);
    EXPECT_EQ(copy->letter, 'x');
    EXPECT_EQ(copy->ratio, 2.5);
    EXPECT_EQ(copy->caption, root.caption);
    EXPECT_FALSE(copy->enabled);
    EXPECT_EQ(copy->shade, shBlack);
    EXPECT_EQ(copy->shades, (TSampleShades{shLight, shBlack}));
    EXPECT_EQ(copy->Font()->name, "Arial");
    EXPECT_EQ(copy->Font()->size, 12);
    EXPECT_EQ(copy->Font()->styles, TSampleShades{shDark});
    ASSERT_EQ(copy->Items()->Count(), 2);
    EXPECT_EQ(copy->Item(0)->caption, "first");
    EXPECT_EQ(copy->Item(0)->value, 1.5);
    EXPECT_EQ(copy->Item(0)->shade, shDark);
    EXPECT_EQ(copy->Item(1)->value, -0.25);
    EXPECT_EQ(copy->Lines()->Text(), "alpha\r\n\r\ngamma\r\n");
    EXPECT_EQ(copy->secret, 42);
    EXPECT_THAT(copy->blob, ElementsAre(0, 1, 2, 255));

    ASSERT_EQ(copy->ComponentCount(), 2);
    auto* copyLeft = dynamic_cast<TSampleWidget*>(copy->FindComponent("Left"));
    auto* copyRight = dynamic_cast<TSampleWidget*>(copy->FindComponent("Right"));
    ASSERT_NE(copyLeft, nullptr);
    ASSERT_NE(copyRight, nullptr);
    auto* copyInner = dynamic_cast<TSampleWidget*>(copyRight->FindComponent("Inner"));
    ASSERT_NE(copyInner, nullptr);
    EXPECT_EQ(copyLeft->caption, "L");
    EXPECT_EQ(copyInner->count, -70000);
    EXPECT_EQ(copy->buddy, copyLeft);
    EXPECT_EQ(copyLeft->buddy, copyInner);
    EXPECT_EQ(copyInner->buddy, copy.get());
    EXPECT_EQ(copy->Item(1)->link, copyInner);

    // Every component read was loading while its setters ran and heard Loaded exactly once.
    EXPECT_TRUE(copy->countSetWhileLoading);
    EXPECT_TRUE(copyInner->countSetWhileLoading);
    for (TSampleWidget* w : {copy.get(), copyLeft, copyRight, copyInner}) {
        EXPECT_EQ(w->loadedCalls, 1) << w->Name();
        EXPECT_FALSE(w->ComponentState().Contains(csLoading)) << w->Name();
        EXPECT_FALSE(w->ComponentState().Contains(csReading)) << w->Name();
    }

    // Writing the copy again gives the same bytes.
    copy->SetName("Root");
    EXPECT_EQ(Write(*copy), bytes);
}

TEST_F(FilerTest, PropertiesEqualToTheirStreamingDefaultAreNotWritten) {
    struct Case {
        const char* what;
        void (*change)(TSampleWidget&);
        std::vector<std::string> written;
    };
    // A character declares no default, so it is always written; a collection is always written,
    // empty or not.
    const std::vector<Case> cases = {
        {"fresh", [](TSampleWidget&) {}, {"Letter", "Items"}},
        {"ordinal back at its default",
         [](TSampleWidget& w) {
             w.SetCount(5);
             w.SetCount(0);
         },
         {"Letter", "Items"}},
        {"ordinal off its default",
         [](TSampleWidget& w) { w.SetCount(1); },
         {"Count", "Letter", "Items"}},
        {"float 0 and empty text",
         [](TSampleWidget& w) {
             w.ratio = 0.0;
             w.caption = "";
         },
         {"Letter", "Items"}},
        {"float and text",
         [](TSampleWidget& w) {
             w.ratio = -0.5;
             w.caption = "c";
         },
         {"Letter", "Ratio", "Caption", "Items"}},
        {"Boolean off its default True",
         [](TSampleWidget& w) { w.enabled = false; },
         {"Letter", "Enabled", "Items"}},
        {"set",
         [](TSampleWidget& w) { w.shades = TSampleShades{shDark}; },
         {"Letter", "Shades", "Items"}},
        {"nested object",
         [](TSampleWidget& w) { w.Font()->size = 9; },
         {"Letter", "Font.Size", "Items"}},
        {"string list and defined properties",
         [](TSampleWidget& w) {
             w.Lines()->Add("x");
             w.secret = 1;
             w.blob = {7};
         },
         {"Letter", "Items", "Lines.Strings", "Secret", "Blob"}},
    };
    for (const Case& c : cases) {
        TSampleWidget widget(nullptr);
        c.change(widget);
        EXPECT_EQ(RootPropertyNames(Write(widget)), c.written) << c.what;
    }
}

TEST_F(FilerTest, ReadingIntoAnExistingTreeReusesItsNamedChildren) {
    TSampleWidget source(nullptr);
    auto* child = new TSampleWidget(&source);
    child->SetName("Child");
    child->caption = "from the stream";
    auto* item = static_cast<TSampleItem*>(source.Items()->Add());
    item->caption = "only item";
    const std::vector<std::uint8_t> bytes = Write(source);

    TSampleWidget target(nullptr);
    target.SetName("Target");
    auto* existing = new TSampleWidget(&target);
    existing->SetName("Child");
    // Items the constructor or earlier code made are replaced, not added to.
    static_cast<TSampleItem*>(target.Items()->Add())->caption = "old 1";
    static_cast<TSampleItem*>(target.Items()->Add())->caption = "old 2";
    auto streamOwned = StreamOf(bytes);
    TMemoryStream& stream = *streamOwned;
    ReadComponentStream(stream, target);

    EXPECT_EQ(target.Name(), "Target");  // the instance keeps its own name
    ASSERT_EQ(target.ComponentCount(), 1);
    EXPECT_EQ(target.Components(0), existing);
    EXPECT_EQ(existing->caption, "from the stream");
    EXPECT_EQ(existing->loadedCalls, 1);
    ASSERT_EQ(target.Items()->Count(), 1);
    EXPECT_EQ(target.Item(0)->caption, "only item");

    // A child of that name but of another class is an error, not a second component.
    TSampleWidget clash(nullptr);
    (new TComponent(&clash))->SetName("Child");
    auto againOwned = StreamOf(bytes);
    TMemoryStream& again = *againOwned;
    try {
        ReadComponentStream(again, clash);
        FAIL() << "read a TSampleWidget into a TComponent";
    } catch (const EReadError& e) {
        EXPECT_THAT(e.Message(), HasSubstr("Component Child is a TComponent"));
    }
    EXPECT_EQ(clash.ComponentCount(), 1);
}

TEST_F(FilerTest, MalformedStreamsAreRefusedWithTheirPlaceNamed) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    std::vector<Case> cases;
    {
        StreamBuilder b;
        b.Name("TPF0").Name("TSampleWidget");
        cases.push_back({"foreign signature", b.Bytes(), "Not a form stream"});
    }
    {
        StreamBuilder b;
        b.Header("TComponent").Byte(vaNull).Byte(vaNull);
        cases.push_back({"another class", b.Bytes(), "holds a TComponent, not a TSampleWidget"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Nope").W().WriteInteger(1);
        cases.push_back({"unknown property", b.Bytes(),
                         "Error reading TSampleWidget.Nope: Property Nope does not exist"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Font.Nope").W().WriteInteger(1);
        cases.push_back({"unknown nested property", b.Bytes(), "TSampleWidget.Font.Nope"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Caption.Length").W().WriteInteger(1);
        cases.push_back(
            {"path through a text", b.Bytes(), "Property Caption.Length does not exist"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Count").W().WriteString("12");
        cases.push_back(
            {"wrong value type", b.Bytes(), "TSampleWidget.Count: Expected integer, found string"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Shade").W().WriteIdent("shPurple");
        cases.push_back({"unknown identifier", b.Bytes(), "Invalid value shPurple"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Shade").W().WriteInteger(7);
        cases.push_back({"enumeration out of range", b.Bytes(), "TSampleWidget.Shade"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Shades").Byte(vaSet).Name("shLight").Name("shGrey").Name("");
        cases.push_back({"unknown set element", b.Bytes(), "Unknown set element shGrey"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Items").Byte(vaCollection).Byte(vaList).Name("Caption");
        b.W().WriteString("ok");
        b.Byte(vaNull).Byte(vaList).Name("Value");
        b.W().WriteString("1.5");
        b.Byte(vaNull).Byte(vaNull);
        cases.push_back({"bad collection item", b.Bytes(),
                         "Error reading TSampleWidget.Items[1].Value: Expected integer"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Caption").Byte(0x7F);
        cases.push_back({"unknown value tag", b.Bytes(), "Unknown value type 127"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Caption").Byte(vaString).Byte(0xFF).Byte(0xFF).Byte(0xFF).Byte(0xFF).Byte('x');
        cases.push_back({"length beyond the end", b.Bytes(), "ends early"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Secret");
        for (int i = 0; i < 200; ++i) b.Byte(vaList);
        cases.push_back({"lists nested without end", b.Bytes(), "nest too deeply"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Name("Buddy").W().WriteIdent("Ghost");
        b.Byte(vaNull).Byte(vaNull);
        cases.push_back({"reference to nothing", b.Bytes(),
                         "Error reading TSampleWidget.Buddy: No component Ghost"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Byte(vaNull).Name("TSampleWidget").Name("Made").Byte(vaNull).Byte(vaNull);
        b.Name("TUnknownWidget").Name("Other");
        cases.push_back({"unregistered class", b.Bytes(), "Class TUnknownWidget not found"});
    }
    {
        StreamBuilder b;
        b.Header("TSampleWidget");
        b.Byte(vaNull).Name("TSampleWidget").Name("Made").Name("Count").W().WriteString("x");
        cases.push_back(
            {"error inside a child", b.Bytes(), "Error reading TSampleWidget.Made.Count"});
    }

    for (const Case& c : cases) {
        TSampleWidget target(nullptr);
        target.caption = "before";
        auto* kept = new TSampleWidget(&target);
        kept->SetName("Kept");
        auto streamOwned = StreamOf(c.bytes);
        TMemoryStream& stream = *streamOwned;
        try {
            ReadComponentStream(stream, target);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EReadError& e) {
            EXPECT_THAT(e.Message(), HasSubstr(c.message)) << c.what;
        }
        // Components the reader made are gone again; nothing is left loading.
        EXPECT_EQ(target.ComponentCount(), 1) << c.what;
        EXPECT_FALSE(target.ComponentState().Contains(csLoading)) << c.what;
        EXPECT_FALSE(target.ComponentState().Contains(csReading)) << c.what;
        EXPECT_LE(target.loadedCalls, 1) << c.what;

        // Read into a fresh object, the target is not touched at all.
        auto againOwned = StreamOf(c.bytes);
        TMemoryStream& again = *againOwned;
        EXPECT_THROW(ReadFreshComponent<TSampleWidget>(again), EReadError) << c.what;
    }
}

TEST_F(FilerTest, EveryTruncationOfAValidStreamIsRefused) {
    TSampleWidget root(nullptr);
    root.SetCount(300);
    root.ratio = 1.25;
    root.caption = "text";
    root.shades = TSampleShades{shDark};
    static_cast<TSampleItem*>(root.Items()->Add())->caption = "item";
    root.Lines()->Add("line");
    root.blob = {1, 2, 3};
    (new TSampleWidget(&root))->SetName("Child");
    const std::vector<std::uint8_t> bytes = Write(root);

    for (std::size_t length = 0; length < bytes.size(); ++length) {
        TSampleWidget target(nullptr);
        auto streamOwned = StreamOf({bytes.begin(), bytes.begin() + static_cast<long>(length)});
        TMemoryStream& stream = *streamOwned;
        EXPECT_THROW(ReadComponentStream(stream, target), EReadError) << length;
        EXPECT_EQ(target.ComponentCount(), 0) << length;
    }
}

// Stores a list of items by hand as a collection value, the way object managers do, and an
// integer twice: as a published and as a defined property.
class TManagerLike : public TComponent {
    DSP_PUBLISHED(TManagerLike, TComponent) {
        return {Published<TManagerLike>::Property("ZOrder", &TManagerLike::zorder,
                                                  &TManagerLike::zorder)};
    }

public:
    using TComponent::TComponent;

    void DefineProperties(TFiler* filer) override {
        filer->DefineProperty(
            "ZOrder", [this](TReader& reader) { definedZOrder = reader.ReadInteger(); },
            [this](TWriter& writer) { writer.WriteInteger(zorder); }, true);
        filer->DefineProperty(
            "Rows",
            [this](TReader& reader) {
                rows.clear();
                // A value that is not a collection ends the reading without an error.
                if (reader.ReadValue() != vaCollection) return;
                while (!reader.EndOfList()) {
                    reader.ReadListBegin();
                    TSampleItem item(nullptr);
                    while (!reader.EndOfList()) reader.ReadProperty(item);
                    reader.ReadListEnd();
                    rows.push_back(item.caption);
                }
                reader.ReadListEnd();
            },
            [this](TWriter& writer) {
                if (rowsAsList) {
                    writer.WriteListBegin();
                    writer.WriteInteger(1);
                    writer.WriteListEnd();
                    return;
                }
                writer.WriteValue(vaCollection);
                for (const std::string& caption : rows) {
                    TSampleItem item(nullptr);
                    item.caption = caption;
                    writer.WriteListBegin();
                    writer.WriteProperties(item);
                    writer.WriteListEnd();
                }
                writer.WriteListEnd();
            },
            !rows.empty());
        filer->DefineProperty(
            "Silent", [](TReader&) {}, [](TWriter&) {}, writeSilent);
    }

    int zorder = 0;
    int definedZOrder = -1;
    std::vector<std::string> rows;
    bool rowsAsList = false;
    bool writeSilent = false;
};

TEST_F(FilerTest, DefinedPropertiesAreWrittenAndReadByTheirOwners) {
    TManagerLike source(nullptr);
    source.zorder = 4;
    source.rows = {"a", "b"};
    const std::vector<std::uint8_t> bytes = Write(source);
    EXPECT_EQ(RootPropertyNames(bytes), (std::vector<std::string>{"ZOrder", "ZOrder", "Rows"}));

    TManagerLike copy(nullptr);
    auto streamOwned = StreamOf(bytes);
    TMemoryStream& stream = *streamOwned;
    ReadComponentStream(stream, copy);
    EXPECT_EQ(copy.zorder, 4);
    // A name that is also a published property goes to the published property both times.
    EXPECT_EQ(copy.definedZOrder, -1);
    EXPECT_EQ(copy.rows, (std::vector<std::string>{"a", "b"}));

    // A reader that stops at a value it does not expect leaves the stream at the next property.
    source.rowsAsList = true;
    source.zorder = 9;
    auto listStreamOwned = StreamOf(Write(source));
    TMemoryStream& listStream = *listStreamOwned;
    TManagerLike fromList(nullptr);
    fromList.rows = {"old"};
    ReadComponentStream(listStream, fromList);
    EXPECT_TRUE(fromList.rows.empty());
    EXPECT_EQ(listStream.Position(), listStream.Size());

    // A writer that declares data but writes no value would break the stream: refused.
    source.writeSilent = true;
    TMemoryStream out;
    try {
        WriteComponentStream(out, source);
        FAIL() << "a defined property without a value was written";
    } catch (const EWriteError& e) {
        EXPECT_THAT(e.Message(), HasSubstr("Silent"));
    }
}

TEST_F(FilerTest, ValuesKeepTheirExactBitsInTheFewestBytes) {
    struct IntCase {
        long long value;
        std::size_t size;
    };
    const std::vector<IntCase> ints = {
        {0, 2},
        {127, 2},
        {-128, 2},
        {128, 3},
        {-129, 3},
        {32767, 3},
        {32768, 5},
        {-32769, 5},
        {std::numeric_limits<std::int32_t>::min(), 5},
        {1LL << 31, 9},
        {std::numeric_limits<long long>::min(), 9},
        {std::numeric_limits<long long>::max(), 9},
    };
    for (const IntCase& c : ints) {
        TMemoryStream stream;
        TWriter writer(stream);
        writer.WriteInteger(c.value);
        EXPECT_EQ(stream.Size(), static_cast<std::int64_t>(c.size)) << c.value;
        stream.SetPosition(0);
        TReader reader(stream);
        EXPECT_EQ(reader.ReadInt64(), c.value);
    }
    for (double value : {0.1, -1e300, 5e-324, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()}) {
        TMemoryStream stream;
        TWriter writer(stream);
        writer.WriteFloat(value);
        stream.SetPosition(0);
        TReader reader(stream);
        const double back = reader.ReadFloat();
        EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << value;
    }
    // A 32-bit read refuses what does not fit.
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteInteger(1LL << 33);
    stream.SetPosition(0);
    TReader reader(stream);
    EXPECT_THROW(reader.ReadInteger(), EReadError);
}

TEST_F(FilerTest, AReferenceIsNeverSetOnAnItemThatWasReadAgain) {
    // The first Items value links its item to the root; the second replaces that item.
    StreamBuilder b;
    b.Header("TSampleWidget").Name("Items").Byte(vaCollection).Byte(vaList).Name("Link");
    b.W().WriteIdent("");
    b.Byte(vaNull).Byte(vaNull);
    b.Name("Items").Byte(vaCollection).Byte(vaList).Byte(vaNull).Byte(vaNull);
    b.Byte(vaNull).Byte(vaNull);
    TSampleWidget target(nullptr);
    auto stream = StreamOf(b.Bytes());
    ReadComponentStream(*stream, target);
    ASSERT_EQ(target.Items()->Count(), 1);
    EXPECT_EQ(target.Item(0)->link, nullptr);
}

// Fails in Loaded, as a component that finds its settings inconsistent might.
class TFailsToLoad : public TComponent {
public:
    using TComponent::TComponent;
    void Loaded() override {
        TComponent::Loaded();
        throw EComponentError("cannot start");
    }
};

TEST_F(FilerTest, OneFailingLoadedLeavesNoOtherComponentLoading) {
    RegisterClass<TFailsToLoad>();
    TSampleWidget source(nullptr);
    (new TFailsToLoad(&source))->SetName("Bad");
    (new TSampleWidget(&source))->SetName("Good");
    auto stream = StreamOf(Write(source));

    TSampleWidget target(nullptr);
    try {
        ReadComponentStream(*stream, target);
        FAIL() << "Loaded failed silently";
    } catch (const EReadError& e) {
        EXPECT_THAT(e.Message(), HasSubstr("cannot start"));
    }
    auto* good = dynamic_cast<TSampleWidget*>(target.FindComponent("Good"));
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(good->loadedCalls, 1);
    EXPECT_EQ(target.loadedCalls, 1);
    for (TComponent* c : {static_cast<TComponent*>(&target), target.FindComponent("Bad"),
                          static_cast<TComponent*>(good)}) {
        EXPECT_FALSE(c->ComponentState().Contains(csLoading)) << c->Name();
    }
    UnRegisterClass("TFailsToLoad");
}

TEST_F(FilerTest, ReferencesMustStayInsideTheWrittenTree) {
    TSampleWidget outside(nullptr);
    outside.SetName("Outside");
    TSampleWidget root(nullptr);
    root.buddy = &outside;
    TMemoryStream stream;
    EXPECT_THROW(WriteComponentStream(stream, root), EWriteError);

    auto* unnamed = new TSampleWidget(&root);
    root.buddy = unnamed;
    EXPECT_THROW(WriteComponentStream(stream, root), EWriteError);
}

TEST_F(FilerTest, ANewComponentIsMadeFromTheRegisteredClass) {
    TSampleWidget source(nullptr);
    source.SetName("Made");
    source.caption = "new";
    const std::vector<std::uint8_t> bytes = Write(source);

    auto streamOwned = StreamOf(bytes);
    TMemoryStream& stream = *streamOwned;
    std::unique_ptr<TComponent> made = ReadNewComponentStream(stream);
    auto* widget = dynamic_cast<TSampleWidget*>(made.get());
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->Name(), "Made");
    EXPECT_EQ(widget->caption, "new");
    EXPECT_EQ(widget->loadedCalls, 1);

    UnRegisterClass("TSampleWidget");
    auto againOwned = StreamOf(bytes);
    TMemoryStream& again = *againOwned;
    EXPECT_THROW(ReadNewComponentStream(again), EReadError);
}

}  // namespace
}  // namespace dsp
