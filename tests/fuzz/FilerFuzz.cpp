// libFuzzer target over the form-stream reader. Every input is read three ways:
//   1. into a fresh sample component (every kind of property, a collection, a string list,
//      references, defined and binary properties, children made through the class registry);
//   2. as a new component of the class the stream names;
//   3. as one value skipped over.
// A malformed input must end in EReadError and nothing else; no read outside the bytes, no
// unbounded allocation or recursion (the sanitizers watch). A stream that reads must write back
// and read again to the very same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/text/Filer.h"
#include "framework/text/Streams.h"
#include "tests/framework/text/FilerSamples.h"

namespace dsp {
namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::unique_ptr<TMemoryStream> StreamOf(const std::uint8_t* data, std::size_t size) {
    auto stream = std::make_unique<TMemoryStream>();
    if (size != 0) stream->WriteBuffer(data, static_cast<std::int64_t>(size));
    stream->SetPosition(0);
    return stream;
}

std::vector<std::uint8_t> Written(TComponent& component) {
    TMemoryStream stream;
    WriteComponentStream(stream, component);
    return stream.Bytes();
}

void ReadIntoSample(const std::uint8_t* data, std::size_t size) {
    auto stream = StreamOf(data, size);
    std::unique_ptr<test::TSampleWidget> widget;
    try {
        widget = ReadFreshComponent<test::TSampleWidget>(*stream);
    } catch (const EReadError&) {
        return;
    }
    Check(widget->loadedCalls == 1);
    const std::vector<std::uint8_t> once = Written(*widget);
    auto again = StreamOf(once.data(), once.size());
    auto copy = ReadFreshComponent<test::TSampleWidget>(*again);
    Check(Written(*copy) == once);
}

void ReadNew(const std::uint8_t* data, std::size_t size) {
    auto stream = StreamOf(data, size);
    try {
        std::unique_ptr<TComponent> component = ReadNewComponentStream(*stream);
        Check(component != nullptr);
    } catch (const EReadError&) {}
}

void SkipOneValue(const std::uint8_t* data, std::size_t size) {
    auto stream = StreamOf(data, size);
    TReader reader(*stream);
    try {
        reader.SkipValue();
        Check(stream->Position() <= stream->Size());
    } catch (const EReadError&) {}
}

}  // namespace
}  // namespace dsp

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = [] {
        dsp::test::RegisterSampleClasses();
        return true;
    }();
    (void)registered;
    dsp::ReadIntoSample(data, size);
    dsp::ReadNew(data, size);
    dsp::SkipOneValue(data, size);
    return 0;
}
