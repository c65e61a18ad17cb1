// Cost of the bulk mesh edits on a 200,000-vertex grid (one texture set, half of the
// vertices selected at random) against copy-assigning the same document in the same run.
//
// Every edit must start from the pristine document, so each timed iteration copy-assigns
// it (the geoset and every array beside it that the edits keep in step: selection, pose,
// screen positions) and then runs the edit; BM_CopyGeoset times the copy alone. A ratio line is the
// edit's own time over the copy's: (median of copy + edit - median of copy) / median of
// copy. The target is at most 10.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <numeric>
#include <random>
#include <vector>

#include "editor/mesh_edit.h"
#include "editor/vertex_arrays.h"
#include "median_reporter.h"

namespace {

constexpr std::uint32_t kColumns = 400;
constexpr std::uint32_t kRows = 500;

const tess::Document& pristineGrid() {
    static const tess::Document grid = [] {
        tess::Document document;
        tess::Geoset& g = document.model.Geosets.emplace_back();
        g.matrixGroups = {{0}};
        g.uvSets.resize(1);
        for (std::uint32_t y = 0; y < kRows; ++y)
            for (std::uint32_t x = 0; x < kColumns; ++x) {
                g.positions.push_back({static_cast<float>(x), static_cast<float>(y), 0});
                g.normals.push_back({0, 0, 1});
                g.uvSets[0].push_back({static_cast<float>(x) / kColumns, static_cast<float>(y) / kRows});
                g.vertexGroups.push_back(0);
            }
        for (std::uint32_t y = 0; y + 1 < kRows; ++y)
            for (std::uint32_t x = 0; x + 1 < kColumns; ++x) {
                const std::uint32_t a = y * kColumns + x;
                g.corners.insert(g.corners.end(),
                                 {a, a + 1, a + kColumns + 1, a, a + kColumns + 1, a + kColumns});
            }
        tess::fitDocument(document);
        std::vector<std::uint32_t> order(g.vertexCount());
        std::iota(order.begin(), order.end(), 0u);
        std::shuffle(order.begin(), order.end(), std::mt19937(12345));
        for (std::size_t i = 0; i < order.size() / 2; ++i)
            document.selection.geosets[0].vertices[order[i]] = 1;
        return document;
    }();
    return grid;
}

template <void (*Edit)(tess::Document&)>
void runEdit(benchmark::State& state) {
    tess::Document document = pristineGrid();
    for (auto _ : state) {
        document = pristineGrid();
        Edit(document);
        benchmark::DoNotOptimize(document.model.Geosets[0].positions.data());
        benchmark::ClobberMemory();
    }
}

void copyOnly(tess::Document&) {}

void BM_CopyGeoset(benchmark::State& state) {
    runEdit<copyOnly>(state);
}
void BM_DeleteVertices(benchmark::State& state) {
    runEdit<tess::deleteSelectedVertices>(state);
}
void BM_Weld(benchmark::State& state) {
    runEdit<tess::weldVertices>(state);
}
void BM_Divide(benchmark::State& state) {
    runEdit<tess::divideEdges>(state);
}

constexpr int kRepetitions = 7;
BENCHMARK(BM_CopyGeoset)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteVertices)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Weld)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Divide)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);

// Prints "ratio NAME X.XX": the edit's median less the copy's, over the copy's.
void printEditRatio(const tess::bench::MedianReporter& reporter, const char* name, const char* edit) {
    const auto ours = reporter.medians.find(edit);
    const auto copy = reporter.medians.find("BM_CopyGeoset");
    if (ours == reporter.medians.end() || copy == reporter.medians.end() || copy->second <= 0) return;
    std::printf("ratio %s %.2f\n", name, (ours->second - copy->second) / copy->second);
}

}  // namespace

int main(int argc, char** argv) {
    if (!tess::bench::initialiseInterleaved(argc, argv)) return 1;
    pristineGrid();  // built before timing starts
    tess::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::cout.flush();
    printEditRatio(reporter, "delete_vertices_vs_copy", "BM_DeleteVertices");
    printEditRatio(reporter, "weld_vs_copy", "BM_Weld");
    printEditRatio(reporter, "divide_vs_copy", "BM_Divide");
    return 0;
}
