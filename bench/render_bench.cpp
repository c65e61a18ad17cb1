// Frame drawing of a 100,000-triangle model against the least a frame of the same
// primitives costs: the triangles, the wireframe's lines and one 5 x 5 point per vertex,
// drawn with plain glDrawArrays from arrays built before timing. Both draw into the same
// headless GL context and end each frame with glFinish. The GL rasterizes on worker
// threads, so the figures are wall-clock times.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "anim/pose.h"
#include "common/sample_models.h"
#include "median_reporter.h"
#include "render/camera.h"
#include "render/draw_scene.h"
#include "render/gl_setup.h"
#include "render/offscreen_context.h"
#include "render/texture_table.h"
#include "view/selection.h"
#include "view/view.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kColumns = 250;  // quads across; 250 x 200 quads = 100,000 triangles
constexpr int kRows = 200;
constexpr int kTextureSize = 256;

// A wavy 180 x 180 sheet facing +Z, one texture-coordinate set spanning the texture.
tess::Model makeSheet() {
    tess::Model model;
    tess::Geoset sheet;
    sheet.uvSets.resize(1);
    for (int r = 0; r <= kRows; ++r)
        for (int c = 0; c <= kColumns; ++c) {
            const float x = -90 + 180.0f * static_cast<float>(c) / kColumns;
            const float y = -90 + 180.0f * static_cast<float>(r) / kRows;
            sheet.positions.push_back({x, y, 5 * std::sin(x / 10) * std::cos(y / 10)});
            sheet.uvSets[0].push_back({static_cast<float>(c) / kColumns, static_cast<float>(r) / kRows});
        }
    sheet.resizeVertices(sheet.positions.size());
    for (tess::Vec3& normal : sheet.normals) normal = {0, 0, 1};
    tess::testing::appendGridTriangles(sheet, kColumns, kRows);
    model.Geosets.push_back(std::move(sheet));
    tess::Layer layer;
    layer.TextureID.staticValue = 0;
    model.Materials.push_back(tess::Material{0, 0, {layer}});
    model.Textures.push_back(tess::Texture{0, "bench.blp", 0});
    return model;
}

// A 256 x 256 checker in a temporary folder, loaded through the ordinary texture path.
void loadTextures(tess::TextureTable& table, const tess::Model& model) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tess_render_bench";
    std::filesystem::create_directories(folder);
    std::vector<char> bytes(18, 0);
    bytes[2] = 2;
    bytes[12] = static_cast<char>(kTextureSize & 0xFF);
    bytes[13] = static_cast<char>(kTextureSize >> 8);
    bytes[14] = static_cast<char>(kTextureSize & 0xFF);
    bytes[15] = static_cast<char>(kTextureSize >> 8);
    bytes[16] = 32;
    for (int y = 0; y < kTextureSize; ++y)
        for (int x = 0; x < kTextureSize; ++x) {
            const char level = ((x / 16 + y / 16) % 2) != 0 ? char(200) : char(60);
            bytes.insert(bytes.end(), {level, char(120), level, char(255)});
        }
    std::ofstream((folder / "bench.tga").string(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    tess::initGL(table, model, (folder / "bench.mdx").string());
    std::filesystem::remove_all(folder);
}

// The document as the editor holds it, posed at rest, in Vertex mode with the overlay on.
struct Frame {
    tess::OffscreenContext context;
    tess::Model model = makeSheet();
    tess::Pose pose;
    tess::Selection selection;
    tess::ScreenPositions screenPositions;
    tess::View view;
    tess::GizmoVectors gizmo;
    tess::TextureTable table;
    // The baseline's arrays: every corner, every wireframe line end, every vertex.
    std::vector<float> trianglePositions;
    std::vector<float> triangleTexCoords;
    std::vector<float> linePositions;
    std::vector<float> pointPositions;
    bool ready = false;

    Frame() {
        if (!context.open(kWidth, kHeight)) {
            std::fprintf(stderr, "no offscreen GL context: %s\n", context.error().c_str());
            return;
        }
        view.windowWidth = kWidth;
        view.windowHeight = kHeight;
        view.editMode = tess::EditMode::Vertex;
        view.showOverlay = true;
        selection.reset(model);
        tess::resetPose(model, pose);
        loadTextures(table, model);
        tess::resizeScene(view);

        const tess::Geoset& sheet = model.Geosets[0];
        const std::vector<tess::Vec3>& posed = pose.animatedPositions[0];
        auto push = [](std::vector<float>& out, const tess::Vec3& p) {
            out.insert(out.end(), p.begin(), p.end());
        };
        for (std::size_t t = 0; t < sheet.triangleCount(); ++t)
            for (int k = 0; k < 3; ++k) {
                const std::uint32_t v = sheet.corners[3 * t + k];
                push(trianglePositions, posed[v]);
                triangleTexCoords.insert(triangleTexCoords.end(),
                                         {sheet.uvSets[0][v][0], 1 - sheet.uvSets[0][v][1]});
                push(linePositions, posed[v]);
                push(linePositions, posed[sheet.corners[3 * t + (k + 1) % 3]]);
            }
        for (const tess::Vec3& p : posed) push(pointPositions, p);
        ready = true;
    }
};

Frame& frame() {
    static Frame instance;
    return instance;
}

void BM_DrawScene(benchmark::State& state) {
    Frame& s = frame();
    if (!s.ready) return state.SkipWithError("no GL context");
    for (auto _ : state) {
        s.gizmo = tess::drawScene(tess::Scene{s.model, s.pose, s.selection, s.view, s.table},
                                  s.screenPositions, s.gizmo);
        glFinish();
    }
}

void BM_DrawArrays(benchmark::State& state) {
    Frame& s = frame();
    if (!s.ready) return state.SkipWithError("no GL context");
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        tess::applyViewTransform(s.view);
        glColor3f(1, 1, 1);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glBindTexture(GL_TEXTURE_2D, tess::modelTextureName(s.table, 0));
        glVertexPointer(3, GL_FLOAT, 0, s.trianglePositions.data());
        glTexCoordPointer(2, GL_FLOAT, 0, s.triangleTexCoords.data());
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(s.trianglePositions.size() / 3));
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glBindTexture(GL_TEXTURE_2D, s.table.slots[tess::kWhiteSlot]);
        glVertexPointer(3, GL_FLOAT, 0, s.linePositions.data());
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(s.linePositions.size() / 3));
        glPointSize(5);
        glVertexPointer(3, GL_FLOAT, 0, s.pointPositions.data());
        glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(s.pointPositions.size() / 3));
        glPointSize(1);
        glDisableClientState(GL_VERTEX_ARRAY);
        glFinish();
    }
}

constexpr int kRepetitions = 9;
BENCHMARK(BM_DrawArrays)->Repetitions(kRepetitions)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawScene)->Repetitions(kRepetitions)->UseRealTime()->Unit(benchmark::kMillisecond);

// Keeps wall-clock medians: the CPU time of the calling thread misses the GL's workers.
class WallClockMedians : public tess::bench::MedianReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        MedianReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (!tess::bench::initialiseInterleaved(argc, argv)) return 1;
    if (!frame().ready) return 1;
    WallClockMedians reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::cout.flush();
    reporter.printRatio("draw_scene_vs_draw_arrays", "BM_DrawScene", "BM_DrawArrays");
    return 0;
}
