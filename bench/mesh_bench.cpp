// Cost of the bulk mesh edits on a 200,000-vertex grid (one texture set, half of the
// vertices selected at random) against copy-assigning the same geoset in the same run.
//
// Every edit must start from the pristine mesh, so each timed iteration copy-assigns the
// geoset and then runs the edit; BM_CopyGeoset times the copy alone. A ratio line is the
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
#include "median_reporter.h"

namespace {

constexpr std::uint32_t kColumns = 400;
constexpr std::uint32_t kRows = 500;

const tess::Geoset& pristineGrid() {
    static const tess::Geoset grid = [] {
        tess::Geoset g;
        g.matrixGroups = {{0}};
        for (std::uint32_t y = 0; y < kRows; ++y)
            for (std::uint32_t x = 0; x < kColumns; ++x) {
                tess::Vertex& v = g.Vertices.emplace_back();
                v.position = {static_cast<float>(x), static_cast<float>(y), 0};
                v.normal = {0, 0, 1};
                v.U = {static_cast<float>(x) / kColumns};
                v.V = {static_cast<float>(y) / kRows};
            }
        for (std::uint32_t y = 0; y + 1 < kRows; ++y)
            for (std::uint32_t x = 0; x + 1 < kColumns; ++x) {
                const std::uint32_t a = y * kColumns + x;
                g.corners.insert(g.corners.end(),
                                 {a, a + 1, a + kColumns + 1, a, a + kColumns + 1, a + kColumns});
            }
        g.resetTriangleRecords();
        std::vector<std::uint32_t> order(g.Vertices.size());
        std::iota(order.begin(), order.end(), 0u);
        std::shuffle(order.begin(), order.end(), std::mt19937(12345));
        for (std::size_t i = 0; i < order.size() / 2; ++i) g.Vertices[order[i]].selected = 1;
        return g;
    }();
    return grid;
}

template <void (*Edit)(tess::Model&)>
void runEdit(benchmark::State& state) {
    tess::Model model;
    model.Geosets.push_back(pristineGrid());
    for (auto _ : state) {
        model.Geosets[0] = pristineGrid();
        Edit(model);
        benchmark::DoNotOptimize(model.Geosets[0].Vertices.data());
        benchmark::ClobberMemory();
    }
}

void copyOnly(tess::Model&) {}

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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
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
