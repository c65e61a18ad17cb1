// Cost of recording an undo step and of undoing it on a 1,000,000-triangle model (16 tiles of
// 31,252 vertices, two texture sets), against copying the whole model in the same run: the
// cost a history that snapshots the model wholesale would pay for each.
//
// Two edits: (a) moving 10 vertices of one tile, (b) deleting every other triangle of every
// tile (half the triangles). Each iteration makes the edit untimed, then times the record
// (or, in the Undo benchmarks, records untimed and times the undo), so every iteration starts
// from the same document.
//
// Prints "ratio NAME X.XX" (ours over the whole-model copy; (a) should be far below 1) and
// "median NAME X.XX ms" (the target is under 150 ms each, so a step never stalls the view).
// The heap keeps freed memory (mallopt), so the figures are steady-state: a first step on
// memory fresh from the system also pays its page faults.
//
//   history_bench [benchmark flags]
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "common/sample_models.h"
#include "editor/history.h"
#include "editor/vertex_arrays.h"
#include "median_reporter.h"

namespace {

const tess::Document& pristine() {
    static const tess::Document document = [] {
        tess::Document d;
        d.model = tess::testing::makeLargeModel(16, 31252, 40, 20);
        tess::fitDocument(d);
        return d;
    }();
    return document;
}

void moveTenVertices(tess::Document& d) {
    std::vector<tess::Vec3>& positions = d.model.Geosets[5].positions;
    for (std::size_t v = 1000; v < 1010; ++v) positions[v][2] += 1;
}

void deleteHalfTheTriangles(tess::Document& d) {
    for (std::size_t g = 0; g < d.model.Geosets.size(); ++g)
        tess::removeTrianglesIf(d, g, [](std::size_t t) { return t % 2 == 1; });
}

enum class Timed { Record, Undo };

template <void (*Edit)(tess::Document&), Timed timed>
void runStep(benchmark::State& state) {
    tess::Document document = pristine();
    tess::History history;
    history.reset(document);
    for (auto _ : state) {
        state.PauseTiming();
        const tess::Selection before = document.selection;
        Edit(document);
        if (timed == Timed::Record) state.ResumeTiming();
        const bool recorded = history.record(document, "Edit", before);
        if (timed == Timed::Record)
            state.PauseTiming();
        else
            state.ResumeTiming();
        const bool undone = history.undo(document);
        if (timed == Timed::Record) state.ResumeTiming();
        if (!recorded || !undone) state.SkipWithError("the edit was not recorded and undone");
        benchmark::ClobberMemory();
    }
}

void BM_CopyModel(benchmark::State& state) {
    for (auto _ : state) {
        tess::Model copy = pristine().model;
        benchmark::DoNotOptimize(copy.Geosets.data());
        benchmark::ClobberMemory();
    }
}

void BM_RecordMove(benchmark::State& state) {
    runStep<moveTenVertices, Timed::Record>(state);
}
void BM_UndoMove(benchmark::State& state) {
    runStep<moveTenVertices, Timed::Undo>(state);
}
void BM_RecordDeleteHalf(benchmark::State& state) {
    runStep<deleteHalfTheTriangles, Timed::Record>(state);
}
void BM_UndoDeleteHalf(benchmark::State& state) {
    runStep<deleteHalfTheTriangles, Timed::Undo>(state);
}

constexpr int kRepetitions = 9;
BENCHMARK(BM_CopyModel)->Repetitions(kRepetitions)->MinTime(0.2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordMove)->Repetitions(kRepetitions)->MinTime(0.2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoMove)->Repetitions(kRepetitions)->MinTime(0.2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordDeleteHalf)->Repetitions(kRepetitions)->MinTime(0.2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoDeleteHalf)->Repetitions(kRepetitions)->MinTime(0.2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!tess::bench::initialiseInterleaved(argc, argv)) return 1;
    // Keep freed memory in the heap: otherwise each step's copies come from fresh pages of the
    // system, whose faults (tens of ms for the half delete here) swing with the run length.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    pristine();  // built before timing starts
    tess::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::cout.flush();
    const char* const steps[][2] = {{"record_move", "BM_RecordMove"},
                                    {"undo_move", "BM_UndoMove"},
                                    {"record_delete_half", "BM_RecordDeleteHalf"},
                                    {"undo_delete_half", "BM_UndoDeleteHalf"}};
    for (const auto& [name, benchmark] : steps) {
        const std::string ratio = std::string(name) + "_vs_model_copy";
        reporter.printRatio(ratio.c_str(), benchmark, "BM_CopyModel");
    }
    for (const auto& [name, benchmark] : steps) {
        const auto found = reporter.medians.find(benchmark);
        if (found != reporter.medians.end()) std::printf("median %s %.2f ms\n", name, found->second);
    }
    const auto copy = reporter.medians.find("BM_CopyModel");
    if (copy != reporter.medians.end()) std::printf("median model_copy %.2f ms\n", copy->second);
    return 0;
}
