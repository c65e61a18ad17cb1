// Cost of screen-space picking on a 1,000,000-triangle model (16 geosets of 31,252 vertices),
// against the least any such pick must do in the same run: reading every cached screen
// position once. The screen positions come from a fixed projection of the model (front view,
// 2 pixels per unit, centred in a 640 x 480 window), so no GL is needed. The model's
// triangles join random points and overlap heavily: the click, in the middle of the view, lies
// inside about a quarter of them; the rectangles cover the left half of the view.
//
// Prints "ratio NAME X.XX" (pick over scan; the target is at most 4) and "median NAME X.XX ms"
// (the target is under 50 ms, so a click never stalls the view). A second baseline, reading
// every triangle's corners and their positions once, shows the floor of the triangle picks:
// it alone costs several scans, as a triangle names three positions and there are two
// triangles per vertex.
//
//   pick_bench [benchmark flags]
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "common/fake_host.h"
#include "common/sample_models.h"
#include "editor/picking.h"
#include "median_reporter.h"

namespace {

constexpr std::int32_t kWidth = 640;
constexpr std::int32_t kHeight = 480;

tess::Document& document() {
    static tess::Document d = [] {
        tess::Document doc;
        doc.model = tess::testing::makeLargeModel(16, 31252, 40, 20);
        doc.selection.reset(doc.model);
        for (const tess::Geoset& geoset : doc.model.Geosets) {
            std::vector<tess::Vec3>& screen = doc.screenPositions.emplace_back();
            screen.reserve(geoset.vertexCount());
            for (const tess::Vec3& p : geoset.positions)
                screen.push_back({kWidth / 2 + 2 * p[0], kHeight / 2 - 2 * p[2], 0.5f + p[1] / 400});
        }
        return doc;
    }();
    return d;
}

const tess::AppState kState;
const tess::testing::FakeHost kHost;

void BM_ScanScreenPositions(benchmark::State& state) {
    tess::Document& d = document();
    for (auto _ : state) {
        std::size_t leftHalf = 0;
        for (const std::vector<tess::Vec3>& screen : d.screenPositions)
            for (const tess::Vec3& p : screen) leftHalf += p[0] < kWidth / 2;
        benchmark::DoNotOptimize(leftHalf);
    }
}

// What every triangle pick must at least do besides: read each triangle's three corner
// indices and the cached positions they name.
void BM_GatherTriangleCorners(benchmark::State& state) {
    tess::Document& d = document();
    for (auto _ : state) {
        std::size_t leftHalf = 0;
        for (std::size_t g = 0; g < d.model.Geosets.size(); ++g) {
            const std::vector<tess::Vec3>& screen = d.screenPositions[g];
            for (const std::uint32_t corner : d.model.Geosets[g].corners)
                if (corner < screen.size()) leftHalf += screen[corner][0] < kWidth / 2;
        }
        benchmark::DoNotOptimize(leftHalf);
    }
}

void BM_PickVertex(benchmark::State& state) {
    for (auto _ : state) tess::pickVertex(document(), kState, kHost, kWidth / 2, kHeight / 2);
}

void BM_PickVerticesInRectangle(benchmark::State& state) {
    for (auto _ : state) tess::pickVerticesInRectangle(document(), kState, kHost, 0, 0, kWidth / 2, kHeight);
}

void BM_PickTriangle(benchmark::State& state) {
    for (auto _ : state) tess::pickTriangle(document(), kState, kHost, kWidth / 2, kHeight / 2);
}

void BM_PickTrianglesInRectangle(benchmark::State& state) {
    for (auto _ : state) tess::pickTrianglesInRectangle(document(), kState, kHost, 0, 0, kWidth / 2, kHeight);
}

constexpr int kRepetitions = 9;
BENCHMARK(BM_ScanScreenPositions)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GatherTriangleCorners)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickVertex)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickVerticesInRectangle)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickTriangle)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickTrianglesInRectangle)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);

void printMedian(const tess::bench::MedianReporter& reporter, const char* name, const char* benchmark) {
    const auto found = reporter.medians.find(benchmark);
    if (found != reporter.medians.end()) std::printf("median %s %.2f ms\n", name, found->second);
}

}  // namespace

int main(int argc, char** argv) {
    if (!tess::bench::initialiseInterleaved(argc, argv)) return 1;
    document();  // built before timing starts
    tess::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::cout.flush();
    const char* const picks[][2] = {{"pick_vertex", "BM_PickVertex"},
                                    {"pick_vertices_in_rectangle", "BM_PickVerticesInRectangle"},
                                    {"pick_triangle", "BM_PickTriangle"},
                                    {"pick_triangles_in_rectangle", "BM_PickTrianglesInRectangle"}};
    for (const auto& [name, benchmark] : picks) {
        const std::string ratio = std::string(name) + "_vs_scan";
        reporter.printRatio(ratio.c_str(), benchmark, "BM_ScanScreenPositions");
    }
    reporter.printRatio("pick_triangle_vs_corner_gather", "BM_PickTriangle", "BM_GatherTriangleCorners");
    reporter.printRatio("pick_triangles_in_rectangle_vs_corner_gather", "BM_PickTrianglesInRectangle",
                        "BM_GatherTriangleCorners");
    reporter.printRatio("corner_gather_vs_scan", "BM_GatherTriangleCorners", "BM_ScanScreenPositions");
    for (const auto& [name, benchmark] : picks) printMedian(reporter, name, benchmark);
    return 0;
}
