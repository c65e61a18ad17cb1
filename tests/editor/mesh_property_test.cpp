// Random meshes through every mesh operation: the model must stay valid, and the one-pass
// implementations must give exactly what the step-by-step algorithms give.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "anim/normals.h"
#include "common/fake_host.h"
#include "editor/app_state.h"
#include "editor/document.h"
#include "editor/mesh_edit.h"
#include "editor/mesh_routines.h"
#include "editor/mesh_selection.h"
#include "editor/uv_remap.h"
#include "model/validate.h"
#include "stepwise_mesh.h"

namespace tess {
namespace {

using testing::deleteTriangle;
using testing::deleteVertex;

constexpr int kTrials = 300;

// One to three geosets (about one in four hidden) of up to 15 vertices on a 3 x 3 grid, so
// that positions coincide; 0, 1 or 2 texture-coordinate sets in quarter steps, so every
// average is exact; normals include zero and opposite ones; random vertex and triangle
// selections; triangles may repeat a corner.
Model randomModel(std::uint32_t seed) {
    std::mt19937 rng(seed);
    const auto below = [&rng](std::uint32_t n) { return static_cast<std::uint32_t>(rng() % n); };
    const Vec3 normals[] = {{0, 0, 1}, {0, 0, -1}, {0, 0, 0}, {1, 0, 0}};
    Model model;
    buildDefaultDocument(model);
    const std::uint32_t geosets = 1 + below(3);
    for (std::uint32_t g = 0; g < geosets; ++g) {
        Geoset& geoset = model.Geosets.emplace_back();
        geoset.matrixGroups = {{0}};
        geoset.shown = below(4) != 0;
        const std::uint32_t sets = below(3);
        const std::uint32_t n = below(16);
        for (std::uint32_t i = 0; i < n; ++i) {
            Vertex& v = geoset.Vertices.emplace_back();
            v.position = {float(below(3)), float(below(3)), 0};
            v.normal = normals[below(4)];
            for (std::uint32_t s = 0; s < sets; ++s) {
                v.U.push_back(0.25f * float(below(5)));
                v.V.push_back(0.25f * float(below(5)));
            }
            v.screenPosition = {10 * v.position[0] + float(below(3)), 10 * v.position[1], 0.5f};
            v.selected = below(5) < 2;
        }
        const std::uint32_t triangles = n == 0 ? 0 : below(2 * n);
        for (std::uint32_t t = 0; t < 3 * triangles; ++t) geoset.corners.push_back(below(n));
        for (std::uint32_t t = 0; t < triangles; ++t) geoset.triangleSelected.push_back(below(3) == 0);
    }
    return model;
}

// Everything the operations define, exactly (floats in hexadecimal).
std::string describe(const Model& model) {
    std::ostringstream out;
    out << std::hexfloat;
    const auto list = [&out](const auto& values) {
        for (const float x : values) out << x << ' ';
        out << "| ";
    };
    for (const Geoset& g : model.Geosets) {
        out << "geoset\n";
        for (const Vertex& v : g.Vertices) {
            for (const auto* values : {&v.position, &v.normal}) list(*values);
            list(v.U);
            list(v.V);
            out << v.vertexGroup << ' ' << int{v.selected} << '\n';
        }
        for (std::size_t t = 0; t < g.triangleCount(); ++t)
            out << g.corners[3 * t] << ' ' << g.corners[3 * t + 1] << ' ' << g.corners[3 * t + 2] << ' '
                << int{g.triangleSelected[t]} << '\n';
    }
    return out.str();
}

// The step-by-step algorithms, built on the one-at-a-time routines.
bool selectedAt(const Geoset& g, std::uint32_t v) {
    return g.Vertices[v].selected != 0;
}

void stepDeleteTrianglesWhere(Geoset& g, const std::function<bool(std::size_t)>& doomed) {
    for (std::size_t t = 0; t < g.triangleCount();)
        if (doomed(t))
            deleteTriangle(g, t);
        else
            ++t;
}

void referenceWeld(Model& model) {
    double sum[3] = {0, 0, 0};
    std::size_t count = 0;
    for (const Geoset& g : model.Geosets)
        for (const Vertex& v : g.Vertices)
            if (v.selected) {
                for (int a = 0; a < 3; ++a) sum[a] += v.position[a];
                ++count;
            }
    for (Geoset& g : model.Geosets) {
        std::uint32_t k = 0;
        while (k < g.Vertices.size() && !g.Vertices[k].selected) ++k;
        if (k == g.Vertices.size()) continue;
        for (int a = 0; a < 3; ++a) g.Vertices[k].position[a] = float(sum[a] / double(count));
        for (std::uint32_t& c : g.corners)
            if (selectedAt(g, c)) c = k;
        double su = 0, sv = 0;
        std::size_t uvCount = 0;
        for (std::uint32_t v = 0; v < g.Vertices.size();) {
            if (g.Vertices[v].selected && !g.Vertices[v].U.empty()) {
                su += g.Vertices[v].U[0];
                sv += g.Vertices[v].V[0];
                ++uvCount;
            }
            if (g.Vertices[v].selected && v != k)
                deleteVertex(g, v);
            else
                ++v;
        }
        if (uvCount > 0) {
            g.Vertices[k].U[0] = float(su / double(uvCount));
            g.Vertices[k].V[0] = float(sv / double(uvCount));
        }
        recomputeNormals(g);
    }
    for (Geoset& g : model.Geosets)
        stepDeleteTrianglesWhere(g, [&g](std::size_t t) {
            const std::uint32_t* c = &g.corners[3 * t];
            return c[0] == c[1] || c[1] == c[2] || c[0] == c[2];
        });
}

void referenceDivide(Model& model) {
    for (Geoset& g : model.Geosets) {
        struct Row {
            std::uint32_t a, b, m;
        };
        std::vector<Row> rows;
        const std::size_t n = g.triangleCount();
        for (std::size_t f = 0; f < n; ++f)
            for (std::size_t c = 0; c < 3; ++c) {
                const std::uint32_t a = g.corners[3 * f + c];
                const std::uint32_t b = g.corners[3 * f + (c + 1) % 3];
                if (!selectedAt(g, a) || !selectedAt(g, b)) continue;
                std::uint32_t m = 0;
                bool found = false;
                for (const Row& row : rows)
                    if ((row.a == a && row.b == b) || (row.a == b && row.b == a)) {
                        m = row.m;
                        found = true;
                        break;
                    }
                if (!found) {
                    const Vertex& va = g.Vertices[a];
                    const Vertex& vb = g.Vertices[b];
                    Vertex mid;
                    Vec3 sum{};
                    for (int i = 0; i < 3; ++i) {
                        mid.position[i] = (va.position[i] + vb.position[i]) / 2;
                        sum[i] = va.normal[i] + vb.normal[i];
                    }
                    mid.normal = normalisedOrUp(sum);
                    for (std::size_t s = 0; s < va.U.size(); ++s) {
                        mid.U.push_back((va.U[s] + vb.U[s]) / 2);
                        mid.V.push_back((va.V[s] + vb.V[s]) / 2);
                    }
                    mid.vertexGroup = va.vertexGroup;
                    m = static_cast<std::uint32_t>(g.Vertices.size());
                    g.Vertices.push_back(mid);
                    rows.push_back({a, b, m});
                }
                const std::uint32_t d = g.corners[3 * f + (c + 2) % 3];
                g.corners.insert(g.corners.end(), {b, d, m});
                g.triangleSelected.push_back(1);
                g.corners[3 * f + (c + 1) % 3] = m;
            }
    }
}

void referenceDeleteVertices(Model& model) {
    for (Geoset& g : model.Geosets) {
        stepDeleteTrianglesWhere(g, [&g](std::size_t t) {
            return selectedAt(g, g.corners[3 * t]) || selectedAt(g, g.corners[3 * t + 1]) ||
                   selectedAt(g, g.corners[3 * t + 2]);
        });
        for (std::uint32_t v = 0; v < g.Vertices.size();)
            if (g.Vertices[v].selected)
                deleteVertex(g, v);
            else
                ++v;
    }
}

void referenceDeleteTriangles(Model& model) {
    for (Geoset& g : model.Geosets)
        stepDeleteTrianglesWhere(g, [&g](std::size_t t) { return g.triangleSelected[t]; });
    selectVerticesOfSelectedFaces(model);
}

void expectMatchesReference(void (*operation)(Model&), void (*reference)(Model&)) {
    for (int trial = 0; trial < kTrials; ++trial) {
        SCOPED_TRACE("seed " + std::to_string(trial));
        Model fast = randomModel(static_cast<std::uint32_t>(trial));
        Model slow = fast;
        operation(fast);
        reference(slow);
        ASSERT_EQ(describe(fast), describe(slow));
        ASSERT_EQ(validateModel(fast), std::vector<std::string>{});
    }
}

TEST(MeshOperationsOnRandomMeshes, WeldMatchesTheStepByStepAlgorithm) {
    expectMatchesReference(weldVertices, referenceWeld);
}

TEST(MeshOperationsOnRandomMeshes, DivideMatchesTheStepByStepAlgorithm) {
    expectMatchesReference(divideEdges, referenceDivide);
}

TEST(MeshOperationsOnRandomMeshes, DeleteVerticesMatchesTheStepByStepAlgorithm) {
    expectMatchesReference(deleteSelectedVertices, referenceDeleteVertices);
}

TEST(MeshOperationsOnRandomMeshes, DeleteTrianglesMatchesTheStepByStepAlgorithm) {
    expectMatchesReference(deleteSelectedTriangles, referenceDeleteTriangles);
}

TEST(MeshOperationsOnRandomMeshes, EveryOperationLeavesAValidModel) {
    const std::vector<std::function<void(Model&, testing::FakeHost&)>> operations = {
        [](Model& m, testing::FakeHost&) { weldVerticesThenSelectFaceCorners(m); },
        [](Model& m, testing::FakeHost& host) { createTriangle(m, host); },
        [](Model& m, testing::FakeHost& host) { turnEdge(m, host); },
        [](Model& m, testing::FakeHost&) { flipTriangles(m); },
        [](Model& m, testing::FakeHost& host) {
            AppState state;
            remapSelection(m, state, host);
        },
    };
    for (int trial = 0; trial < kTrials; ++trial)
        for (std::size_t op = 0; op < operations.size(); ++op) {
            SCOPED_TRACE("seed " + std::to_string(trial) + ", operation " + std::to_string(op));
            Model model = randomModel(static_cast<std::uint32_t>(trial));
            testing::FakeHost host;
            operations[op](model, host);
            ASSERT_EQ(validateModel(model), std::vector<std::string>{});
        }
}

// After Remap no vertex of a shown geoset is shared between a selected and an unselected
// triangle, and the corners of the selected triangles are exactly the UV-editor selection.
TEST(MeshOperationsOnRandomMeshes, RemapDetachesTheSelectedTriangles) {
    for (int trial = 0; trial < kTrials; ++trial) {
        SCOPED_TRACE("seed " + std::to_string(trial));
        Model model = randomModel(static_cast<std::uint32_t>(trial));
        AppState state;
        testing::FakeHost host;
        remapSelection(model, state, host);
        if (host.animationBarRepaints == 0) continue;  // nothing was viewport-selected
        for (const Geoset& g : model.Geosets) {
            if (!g.shown) continue;
            std::vector<int> use(g.Vertices.size());  // bit 1: selected triangle, bit 2: other
            for (std::size_t t = 0; t < g.triangleCount(); ++t)
                for (std::size_t c = 0; c < 3; ++c)
                    use[g.corners[3 * t + c]] |= g.triangleSelected[t] ? 1 : 2;
            for (std::size_t v = 0; v < g.Vertices.size(); ++v) {
                ASSERT_NE(use[v], 3) << "vertex " << v;
                ASSERT_EQ(g.Vertices[v].uvSelected, use[v] & 1);
            }
        }
    }
}

}  // namespace
}  // namespace tess
