// What the form stream costs for a tree of 500 components (a root, 9 groups of 55 and their
// settings, a collection and a string list each): building the tree in code and setting its
// properties, writing it, and reading it back into fresh components made through the class
// registry. The times of one run read as ratios.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/text/Filer.h"
#include "framework/text/Streams.h"
#include "tests/framework/text/FilerSamples.h"

namespace dsp {
namespace {

using test::TSampleItem;
using test::TSampleWidget;

constexpr int kGroups = 9;
constexpr int kPerGroup = 55;  // 1 + 9 * (1 + 54) = 496 components, plus 4 on the root

void Configure(TSampleWidget& w, int i) {
    w.SetName("W" + std::to_string(i));
    w.SetCount(i);
    w.ratio = i * 0.25;
    w.caption = "Widget number " + std::to_string(i);
    w.shade = static_cast<test::TSampleShade>(i % 3);
    w.Font()->size = 8 + i % 5;
    auto* item = static_cast<TSampleItem*>(w.Items()->Add());
    item->caption = "item";
    item->value = i;
    w.Lines()->Add("line " + std::to_string(i));
}

std::unique_ptr<TSampleWidget> BuildTree() {
    auto root = std::make_unique<TSampleWidget>(nullptr);
    Configure(*root, 0);
    int n = 1;
    for (int g = 0; g < kGroups; ++g) {
        auto* group = new TSampleWidget(root.get());
        Configure(*group, n++);
        for (int k = 1; k < kPerGroup; ++k) Configure(*new TSampleWidget(group), n++);
    }
    for (; n < 500; ++n) Configure(*new TSampleWidget(root.get()), n);
    return root;
}

void BM_TreeBuiltInCode(benchmark::State& state) {
    for (auto _ : state) {
        auto root = BuildTree();
        benchmark::DoNotOptimize(root.get());
    }
}
BENCHMARK(BM_TreeBuiltInCode);

void BM_TreeWritten(benchmark::State& state) {
    auto root = BuildTree();
    std::int64_t bytes = 0;
    for (auto _ : state) {
        TMemoryStream stream;
        WriteComponentStream(stream, *root);
        bytes = stream.Size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_TreeWritten);

void BM_TreeRead(benchmark::State& state) {
    RegisterClass<TSampleWidget>();
    auto root = BuildTree();
    TMemoryStream stream;
    WriteComponentStream(stream, *root);
    for (auto _ : state) {
        stream.SetPosition(0);
        auto copy = ReadFreshComponent<TSampleWidget>(stream);
        benchmark::DoNotOptimize(copy.get());
    }
}
BENCHMARK(BM_TreeRead);

}  // namespace
}  // namespace dsp
