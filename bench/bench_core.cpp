// Core benchmarks: one BENCHMARK function per case, sources from SourceGen.
#include "SourceGen.h"

#include "core/asm/AsmTokenizer.h"
#include "core/asm/DirectiveScan.h"
#include "core/asm/Labels.h"
#include "core/asm/M68kCheck.h"
#include "core/compile/BatchText.h"
#include "core/documents/TextReplace.h"
#include "core/documents/TextSearch.h"
#include "core/project/ProjectOutline.h"
#include "core/tools/Library.h"
#include "core/tools/Sprite.h"

#include <QHash>
#include <algorithm>
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

using namespace quaredit;

namespace {

// The editor holds a source as Latin-1 bytes, and the scans read them in place.
const QByteArray& megabyteSource() {
    static const QByteArray text = bench::generateSource({}).toLatin1();
    return text;
}

} // namespace

// Refreshing the tree of a 1 MB program with 5,000 include lines.
static void BM_ProjectOutline(benchmark::State& state) {
    const QByteArray& text = megabyteSource();
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
    const QByteArray text = bench::generateSource({size, 4, int(size / 200), 0}).toLatin1();
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
    const QByteArray& text = megabyteSource();
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectLibrary(text, DocumentKind::ProgramSource));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_DetectLibrary)->Unit(benchmark::kMillisecond);

// The library window on a 1 MB program: listing its libraries when it opens
// and the OK rewrite of the include block.
static void BM_LibraryRewrite(benchmark::State& state) {
    const QByteArray& text = megabyteSource();
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
    const QByteArray& text = megabyteSource();
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
    static const QByteArray text = bench::generateSource({1'000'000, 4, 5000, 20000}).toLatin1();
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

// ---- The same work over sources of 20 KB, 1 MB and 10 MB, each reported in
// bytes per second beside a plain memchr line count of the same buffer, the
// practical limit of any scan that looks at every character.

namespace {

const QByteArray& sizedBytes(qsizetype size) {
    static QHash<qsizetype, QByteArray> cache;
    auto it = cache.find(size);
    if (it == cache.end()) {
        bench::SourceShape shape;
        shape.size = size;
        shape.includes = int(qMax<qsizetype>(1, size / 200));
        it = cache.insert(size, bench::generateSource(shape).toLatin1());
    }
    return *it;
}

// With --benchmark_repetitions, the lowest repetition beside the median: on a
// shared machine load from elsewhere only ever adds time, so the lowest is the
// figure least touched by it, for the memchr count and the scan alike.
void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(20'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);
    b->ComputeStatistics(
        "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

} // namespace

static void BM_MemchrLineCount(benchmark::State& state) {
    const QByteArray& bytes = sizedBytes(state.range(0));
    for (auto _ : state) {
        qsizetype lines = 0;
        const char* p = bytes.constData();
        const char* end = p + bytes.size();
        while ((p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)))) != nullptr) {
            ++lines;
            ++p;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_MemchrLineCount)->Apply(sizes);

static void BM_ProjectOutlineSized(benchmark::State& state) {
    const QByteArray& text = sizedBytes(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(projectOutline(text, DocumentKind::ProgramSource, false, "p.asm"));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ProjectOutlineSized)->Apply(sizes);

static void BM_ScanLabelsSized(benchmark::State& state) {
    const QByteArray& text = sizedBytes(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanLabels(text, LabelFilters{}));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ScanLabelsSized)->Apply(sizes);

// The directive reader alone, as the tree and the library window loop it.
static void BM_FindDirectiveLoop(benchmark::State& state) {
    const QByteArray& text = sizedBytes(state.range(0));
    for (auto _ : state) {
        qsizetype s = 0;
        int found = 0;
        while (auto d = FindDirective(text, "include", s, 7)) {
            s = d->position + 1;
            ++found;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_FindDirectiveLoop)->Apply(sizes);

// A text that is not there: the whole buffer is searched.
static void BM_FindTextLineMiss(benchmark::State& state) {
    const QByteArray& text = sizedBytes(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(findPlain(text, "no such text here", 0));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_FindTextLineMiss)->Apply(sizes);

// Find next with whole word and match case off, through to "Text Not Found".
static void BM_FindNextWholeText(benchmark::State& state) {
    const QByteArray& text = sizedBytes(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(findNext(text, u"no such text here", 0, SearchOptions{}));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_FindNextWholeText)->Apply(sizes);

// Colouring a whole source: the class of every byte, as the editor asks for
// it when the view jumps to the end of a source it has not shown yet.
static void BM_AsmClassify(benchmark::State& state) {
    const QByteArray& text = sizedBytes(state.range(0));
    QByteArray classes(text.size(), '\0');
    for (auto _ : state) {
        classifyAsm(text, AsmState{}, reinterpret_cast<unsigned char*>(classes.data()));
        benchmark::DoNotOptimize(classes.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_AsmClassify)->Apply(sizes);

// Checking every line of a source as 68000 instructions, as the editor does
// for the lines it restyles (no reason texts): the target is at most three
// times the colouring above on the same text.
static void BM_AsmCheckLines(benchmark::State& state) {
    const QByteArray& text = sizedBytes(state.range(0));
    int faults = 0, instructions = 0;
    for (auto _ : state) {
        faults = instructions = 0;
        qsizetype start = 0;
        while (start < text.size()) {
            const qsizetype end = lineBreak(text, start);
            const m68k::LineCheck c =
                m68k::checkLine(QByteArrayView(text.constData() + start, end - start), false);
            faults += c.verdict == m68k::Verdict::Fault;
            instructions += c.verdict == m68k::Verdict::Encodable;
            start =
                end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
        }
        benchmark::DoNotOptimize(faults);
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["instructions"] = double(instructions);
    state.counters["faults"] = double(faults);
}
BENCHMARK(BM_AsmCheckLines)->Apply(sizes);

// The tooltip of a mnemonic under the mouse: the line checked with its
// reason, and the help text built. Target: under 1 ms.
static void BM_AsmHoverText(benchmark::State& state) {
    const QByteArray lines[] = {"\tmovem.l\td0-d7/a0-a6,-(a7)\t; save", "\taddq.w\t#9,d0",
                                "\tbne.s\t\\loop", "\tjsr\ttios::DrawStr"};
    int i = 0;
    for (auto _ : state) {
        const m68k::LineCheck c = m68k::checkLine(lines[i++ & 3]);
        benchmark::DoNotOptimize(m68k::instructionHelp(c.instruction, &c));
    }
}
BENCHMARK(BM_AsmHoverText)->Unit(benchmark::kMicrosecond);

// Replace All of a word that occurs 20,000 times in 1 MB, computed as the
// one edit the editor then applies.
static void BM_ReplaceAllEdit(benchmark::State& state) {
    static const QByteArray text =
        bench::generateReplaceSource(1'000'000, 20'000, "counter").toLatin1();
    qsizetype count = 0;
    for (auto _ : state) {
        const auto edit = replaceAll(text, u"counter", "frames", SearchOptions{true, false});
        count = edit ? edit->count() : 0;
        benchmark::DoNotOptimize(edit);
    }
    state.counters["replaced"] = double(count);
}
BENCHMARK(BM_ReplaceAllEdit)->Unit(benchmark::kMillisecond);

static void BM_GenerateBatchText(benchmark::State& state) {
    for (auto _ : state) {
        for (int config = 1; config <= 3; ++config)
            benchmark::DoNotOptimize(batchBytesFromLines(GenerateBatchText(config, "/opt/quaro/")));
    }
}
BENCHMARK(BM_GenerateBatchText);

static void BM_SpriteRows(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(spriteEdits("ship", 128, 128, 0));
}
BENCHMARK(BM_SpriteRows);

BENCHMARK_MAIN();
