// Core benchmarks: one BENCHMARK function per case, sources from SourceGen.
#include "SourceGen.h"

#include "core/project/DirectiveScan.h"
#include "core/project/ProjectOutline.h"
#include "core/tools/Labels.h"
#include "core/tools/Library.h"

#include <benchmark/benchmark.h>

using namespace quaredit;

namespace {

const QString& megabyteSource() {
    static const QString text = bench::generateSource({});
    return text;
}

} // namespace

// Refreshing the tree of a 1 MB program with 5,000 include lines.
static void BM_ProjectOutline(benchmark::State& state) {
    const QString& text = megabyteSource();
    qsizetype entries = 0;
    for (auto _ : state) {
        auto outline = projectOutline(text, DocumentKind::ProgramSource, false, "big.asm");
        entries = outline.sections[1].children.size() + outline.sections[2].children.size();
        benchmark::DoNotOptimize(outline);
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["chars"] = double(text.size());
    state.counters["entries"] = double(entries);
}
BENCHMARK(BM_ProjectOutline)->Unit(benchmark::kMillisecond);

// The same scan at growing sizes, include density kept: the fitted
// complexity should come out as O(N).
static void BM_ProjectOutlineScaling(benchmark::State& state) {
    const qsizetype size = state.range(0);
    const QString text = bench::generateSource({size, 4, int(size / 200), 0});
    for (auto _ : state) {
        auto outline = projectOutline(text, DocumentKind::ProgramSource, false, "big.asm");
        benchmark::DoNotOptimize(outline);
    }
    state.SetComplexityN(size);
}
BENCHMARK(BM_ProjectOutlineScaling)
    ->RangeMultiplier(4)
    ->Range(1 << 14, 1 << 20)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

static void BM_DetectLibrary(benchmark::State& state) {
    const QString& text = megabyteSource();
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectLibrary(text, DocumentKind::ProgramSource));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_DetectLibrary)->Unit(benchmark::kMillisecond);

// The library window on a 1 MB program: listing its libraries when it opens
// and the OK rewrite of the include block.
static void BM_LibraryRewrite(benchmark::State& state) {
    const QString& text = megabyteSource();
    const QStringList selected{"flib.h", "graphlib.h", "tios.h", "util.h", "ziplib.h"};
    qsizetype edits = 0;
    for (auto _ : state) {
        auto listed = ProgramLibraries(text);
        const LineEdits rewrite = RewriteLibraryIncludes(text, selected);
        edits = rewrite.size();
        benchmark::DoNotOptimize(listed);
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["edits"] = double(edits);
}
BENCHMARK(BM_LibraryRewrite)->Unit(benchmark::kMillisecond);

// Insert Library Entry on a 1 MB source: finding the last xdef line.
static void BM_LibraryEntry(benchmark::State& state) {
    const QString& text = megabyteSource();
    for (auto _ : state) {
        auto result = InsertLibraryEntry(text, 20000, 0, QStringLiteral("big@0001"));
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_LibraryEntry)->Unit(benchmark::kMillisecond);

// The labels window on a 1 MB program with 20,000 labels, in text order and
// sorted by name.
static void BM_ScanLabels(benchmark::State& state) {
    static const QString text = bench::generateSource({1'000'000, 4, 5000, 20000});
    LabelFilters filters;
    filters.alphOrder = state.range(0) != 0;
    qsizetype listed = 0;
    for (auto _ : state) {
        const auto entries = ScanLabels(text, filters);
        listed = entries.size();
        benchmark::DoNotOptimize(entries.constData());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["listed"] = double(listed);
}
BENCHMARK(BM_ScanLabels)->ArgName("sorted")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
