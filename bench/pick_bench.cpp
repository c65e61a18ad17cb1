// Cost of screen-space picking on a 1,000,000-triangle model after a frame has been drawn,
// against the least any such pick must do: reading every cached screen position once. The
// model is a flat grid of 8 tiles (4 x 2) of 250 x 250 quads, 63,001 vertices per tile (an
// MDX geoset holds at most 65,536), drawn from above in Vertex mode with the overlay on into
// a 640 x 480 headless GL framebuffer, so the screen positions are those a frame caches. The
// click lies in the middle of the view; the rectangles cover its left half.
//
// Prints "ratio NAME X.XX" (pick over scan; the target is at most 4) and "median NAME X.XX ms"
// (the target is under 50 ms, so a click never stalls the view), and the time of the frame.
//
//   pick_bench [benchmark flags]
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "common/fake_host.h"
#include "common/sample_models.h"
#include "editor/picking.h"
#include "median_reporter.h"
#include "render/draw_scene.h"
#include "render/gl_setup.h"
#include "render/offscreen_context.h"

namespace {

constexpr std::int32_t kWidth = 640;
constexpr std::int32_t kHeight = 480;
constexpr int kTilesAcross = 4;
constexpr int kTilesDown = 2;
constexpr int kQuads = 250;       // per tile side
constexpr float kTileSize = 100;  // units; the grid spans 400 x 200

tess::Geoset makeTile(float x0, float y0) {
    tess::Geoset tile;
    tile.resizeVertices((kQuads + 1) * (kQuads + 1));
    for (int r = 0; r <= kQuads; ++r)
        for (int c = 0; c <= kQuads; ++c)
            tile.positions[static_cast<std::size_t>(r * (kQuads + 1) + c)] = {
                x0 + kTileSize * static_cast<float>(c) / kQuads,
                y0 + kTileSize * static_cast<float>(r) / kQuads, 0};
    for (tess::Vec3& normal : tile.normals) normal = {0, 0, 1};
    tile.matrixGroups = {{0}};
    tess::testing::appendGridTriangles(tile, kQuads, kQuads);
    return tile;
}

struct Picking {
    tess::OffscreenContext context;
    tess::Document document;
    tess::AppState state;
    tess::testing::FakeHost host;
    tess::TextureTable table;
    double frameMs = 0;
    bool ready = false;

    Picking() {
        if (!context.open(kWidth, kHeight)) {
            std::fprintf(stderr, "no offscreen GL context: %s\n", context.error().c_str());
            return;
        }
        tess::buildDefaultDocument(document.model);
        for (int ty = 0; ty < kTilesDown; ++ty)
            for (int tx = 0; tx < kTilesAcross; ++tx)
                document.model.Geosets.push_back(makeTile(-200 + kTileSize * static_cast<float>(tx),
                                                          -100 + kTileSize * static_cast<float>(ty)));
        tess::prepareDocument(document, state, host);
        tess::View& view = state.view;
        view.windowWidth = kWidth;
        view.windowHeight = kHeight;
        view.viewType = tess::ViewType::Top;
        view.cameraPitch = 90;
        view.cameraYaw = -90;
        view.cameraDistance = 220;
        tess::initGL(table, document.model, "");
        tess::resizeScene(view);
        const auto start = std::chrono::steady_clock::now();
        state.gizmo =
            tess::drawScene(tess::Scene{document.model, document.pose, document.selection, view, table},
                            document.screenPositions, state.gizmo);
        glFinish();
        frameMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        ready = true;
    }
};

Picking& picking() {
    static Picking instance;
    return instance;
}

void BM_ScanScreenPositions(benchmark::State& state) {
    const Picking& p = picking();
    for (auto _ : state) {
        std::size_t leftHalf = 0;
        for (const std::vector<tess::Vec3>& screen : p.document.screenPositions)
            for (const tess::Vec3& position : screen) leftHalf += position[0] < kWidth / 2;
        benchmark::DoNotOptimize(leftHalf);
    }
}

void BM_PickTriangle(benchmark::State& state) {
    Picking& p = picking();
    for (auto _ : state) tess::pickTriangle(p.document, p.state, p.host, kWidth / 2, kHeight / 2);
}

void BM_PickTrianglesInRectangle(benchmark::State& state) {
    Picking& p = picking();
    for (auto _ : state)
        tess::pickTrianglesInRectangle(p.document, p.state, p.host, 0, 0, kWidth / 2, kHeight);
}

void BM_PickVerticesInRectangle(benchmark::State& state) {
    Picking& p = picking();
    for (auto _ : state)
        tess::pickVerticesInRectangle(p.document, p.state, p.host, 0, 0, kWidth / 2, kHeight);
}

constexpr int kRepetitions = 9;
BENCHMARK(BM_ScanScreenPositions)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickTriangle)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickTrianglesInRectangle)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PickVerticesInRectangle)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!tess::bench::initialiseInterleaved(argc, argv)) return 1;
    if (!picking().ready) return 1;
    tess::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::cout.flush();
    const char* const picks[][2] = {{"pick_triangle", "BM_PickTriangle"},
                                    {"pick_triangles_in_rectangle", "BM_PickTrianglesInRectangle"},
                                    {"pick_vertices_in_rectangle", "BM_PickVerticesInRectangle"}};
    for (const auto& [name, benchmark] : picks)
        reporter.printRatio((std::string(name) + "_vs_scan").c_str(), benchmark, "BM_ScanScreenPositions");
    for (const auto& [name, benchmark] : picks) {
        const auto found = reporter.medians.find(benchmark);
        if (found != reporter.medians.end()) std::printf("median %s %.2f ms\n", name, found->second);
    }
    std::printf("first frame %.0f ms\n", picking().frameMs);
    return 0;
}
