#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "anim/normals.h"
#include "common/fake_host.h"
#include "editor/extrude.h"
#include "editor/mesh_edit.h"
#include "editor/mesh_routines.h"
#include "editor/uv_remap.h"
#include "mesh_documents.h"

namespace tess {
namespace {

using namespace testing;

// One to three geosets (some hidden) on a 3 x 3 grid, so positions coincide; posed. Every fifth is
// dense: some vertex has selected edges to more than 16 others.
Document randomDocument(std::uint32_t seed) {
    std::mt19937 rng(seed);
    const auto below = [&rng](std::uint32_t n) { return static_cast<std::uint32_t>(rng() % n); };
    const Vec3 normals[] = {{0, 0, 1}, {0, 0, -1}, {0, 0, 0}, {1, 0, 0}};
    const bool dense = seed % 5 == 0;
    Document d;
    d.model.Geosets.resize(1 + below(3));
    for (Geoset& geoset : d.model.Geosets) {
        geoset.matrixGroups = {{0}, {0}};
        geoset.uvSets.resize(below(3));
        const std::uint32_t n = below(dense ? 41 : 16);
        for (std::uint32_t i = 0; i < n; ++i) {
            geoset.positions.push_back({float(below(3)), float(below(3)), 0});
            geoset.normals.push_back(normals[below(4)]);
            geoset.vertexGroups.push_back(below(2));
            for (std::vector<Vec2>& set : geoset.uvSets)
                set.push_back({0.25f * float(below(5)), 0.25f * float(below(5))});
        }
        const std::uint32_t triangles = n == 0 ? 0 : below(dense ? 12 * n : 2 * n);
        for (std::uint32_t c = 0; c < 3 * triangles; ++c) geoset.corners.push_back(below(n));
    }
    fitDocument(d);
    for (std::size_t g = 0; g < d.model.Geosets.size(); ++g) {
        d.selection.shown[g] = below(4) != 0;
        GeosetSelection& marks = d.selection.geosets[g];
        for (std::size_t v = 0; v < marks.vertices.size(); ++v) {
            const Vec3& p = d.model.Geosets[g].positions[v];
            marks.vertices[v] = below(5) < (dense ? 4 : 2);
            marks.uvs[v] = below(2) == 1;
            d.pose.animatedPositions[g][v] = {p[0] + 100, p[1], p[2]};
            d.screenPositions[g][v] = {10 * p[0] + float(below(3)), 10 * p[1], 0.5f};
        }
        for (std::uint8_t& t : marks.triangles) t = below(3) == 0;
    }
    return d;
}

constexpr int kTrials = 300;

// Remap changes nothing without a shown viewport selection. Otherwise no shown vertex serves a
// selected and another triangle, the selected corners are UV-selected and welded.
void checkRemap(const Document& before, const Document& d, const FakeHost& host) {
    ASSERT_TRUE(host.animationBarRepaints > 0 || sameDocument(before, d));
    for (std::size_t g = 0; g < d.model.Geosets.size() && host.animationBarRepaints > 0; ++g) {
        std::vector<int> use(d.model.Geosets[g].vertexCount());  // 1: by a selected triangle, 2: other
        for (std::size_t c = 0; c < d.model.Geosets[g].corners.size(); ++c)
            use[d.model.Geosets[g].corners[c]] |= d.selection.geosets[g].triangles[c / 3] ? 1 : 2;
        std::vector<Vec3> welded;
        for (std::size_t v = 0; v < use.size() && d.selection.shown[g]; ++v) {
            ASSERT_TRUE(use[v] != 3 && d.selection.geosets[g].uvs[v] == (use[v] & 1)) << g << ':' << v;
            if (use[v] == 1) welded.push_back(d.model.Geosets[g].positions[v]);
        }
        std::sort(welded.begin(), welded.end());
        ASSERT_TRUE(std::adjacent_find(welded.begin(), welded.end()) == welded.end()) << g;
    }
}

TEST(MeshOperationsOnRandomDocuments, EditsKeepTheArraysInStep) {
    const struct {
        const char* name;
        void (*operation)(Document&, Host&);
        void (*check)(const Document&, const Document&, const FakeHost&) = nullptr;
    } cases[] = {
        {"weld", [](Document& d, Host&) { weldVertices(d); }},
        {"triangle weld", [](Document& d, Host&) { weldVerticesThenSelectFaceCorners(d); }},
        {"divide", [](Document& d, Host&) { divideEdges(d); }},
        {"delete vertices", [](Document& d, Host&) { deleteSelectedVertices(d); }},
        {"delete triangles", [](Document& d, Host&) { deleteSelectedTriangles(d); }},
        {"flip", [](Document& d, Host&) { flipTriangles(d); }},
        {"extrude", [](Document& d, Host&) { extrudeSelection(d); }},
        {"create triangle", createTriangle},
        {"turn edge", turnEdge},
        {"remap",
         [](Document& d, Host& host) {
             AppState state;
             remapSelection(d, state, host);
         },
         checkRemap},
    };
    for (const auto& c : cases)
        for (int trial = 0; trial < kTrials; ++trial) {
            SCOPED_TRACE(std::string(c.name) + ", seed " + std::to_string(trial));
            Document d = randomDocument(static_cast<std::uint32_t>(trial));
            const Document before = d;
            FakeHost host;
            c.operation(d, host);
            ASSERT_TRUE(consistent(d));
            ASSERT_TRUE(host.messages.empty() || sameDocument(d, before));  // a refusal changes nothing
            if (c.check != nullptr) c.check(before, d, host);
        }
}

}  // namespace
}  // namespace tess
