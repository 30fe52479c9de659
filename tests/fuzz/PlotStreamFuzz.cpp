// libFuzzer target over a plot's form stream: the input is read into a fresh XY plot (its
// published properties, its managers' collections, image lists, translation pairs, OPC items).
// A malformed input must end in an Exception and nothing else (the sanitizers watch reads,
// allocations and endless loops); read or refused, the plot must come out of loading with its
// layout manager on and no update batch open, paint at a small size, and write itself again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/runtime/Application.h"
#include "framework/text/Filer.h"
#include "framework/text/Streams.h"
#include "plot/engine/iPlotLayoutManager.h"
#include "plot/engine/iXYPlot.h"

namespace dsp {
namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void ReadPlot(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    if (size != 0) stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
    TiXYPlot plot(nullptr);
    try {
        ReadComponentStream(stream, plot);
    } catch (const Exception&) {
        // A refusal is the expected end of a damaged stream.
    }
    Check(!plot.GetUpdateActive());
    Check(plot.Master()->LayoutManager()->Enabled());
    plot.SetBounds(0, 0, 160, 100);
    TBitmap image(160, 100);
    plot.PaintTo(*image.Canvas(), 0, 0);
    TMemoryStream again;
    try {
        WriteComponentStream(again, plot);
    } catch (const EWriteError&) {
        // A reference the stream set that cannot be written back.
    }
}

}  // namespace
}  // namespace dsp

// The font system keeps what it loads for the life of the process: a font a stream names is
// loaded once and never freed, which is not the plot's leak.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_FONT_DPI", "96", 1);
    static auto* application = new dsp::TApplication();
    application->Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dsp::ReadPlot(data, size);
    return 0;
}
