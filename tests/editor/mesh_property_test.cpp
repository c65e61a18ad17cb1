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

namespace tess {
namespace {

constexpr int kTrials = 300;

// One to three geosets (about one in four hidden) of up to 15 vertices on a 3 x 3 grid, so
// that positions coincide; 0, 1 or 2 texture-coordinate sets in quarter steps, so every
// average is exact; normals include zero and opposite ones; two vertex groups; random vertex
// and triangle selections; triangles may repeat a corner.
Model randomModel(std::uint32_t seed) {
    std::mt19937 rng(seed);
    const auto below = [&rng](std::uint32_t n) { return static_cast<std::uint32_t>(rng() % n); };
    const Vec3 normals[] = {{0, 0, 1}, {0, 0, -1}, {0, 0, 0}, {1, 0, 0}};
    Model model;
    buildDefaultDocument(model);
    const std::uint32_t geosets = 1 + below(3);
    for (std::uint32_t g = 0; g < geosets; ++g) {
        Geoset& geoset = model.Geosets.emplace_back();
        geoset.matrixGroups = {{0}, {0}};
        geoset.shown = below(4) != 0;
        const std::uint32_t sets = below(3);
        const std::uint32_t n = below(16);
        for (std::uint32_t i = 0; i < n; ++i) {
            Vertex& v = geoset.Vertices.emplace_back();
            v.position = {float(below(3)), float(below(3)), 0};
            v.normal = normals[below(4)];
            v.vertexGroup = below(2);
            for (std::uint32_t s = 0; s < sets; ++s) {
                v.U.push_back(0.25f * float(below(5)));
                v.V.push_back(0.25f * float(below(5)));
            }
            v.screenPosition = {10 * v.position[0] + float(below(3)), 10 * v.position[1], 0.5f};
            v.selected = below(5) < 2;
        }
        // Every fifth model is dense, so some vertex ends more than 16 selected edges (Divide
        // groups those by sorting).
        const std::uint32_t triangles = n == 0 ? 0 : below(seed % 5 == 0 ? 12 * n : 2 * n);
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
            for (const auto* values : {&v.position, &v.normal, &v.animatedPosition, &v.screenPosition})
                list(*values);
            list(v.currentUV);
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

// The step-by-step algorithms, built on one-at-a-time removals. Removing from the back
// leaves the lower indices alone, so each step sees what it would have seen going forward.
void stepDeleteSelectedVertices(Geoset& g) {
    for (std::uint32_t v = static_cast<std::uint32_t>(g.Vertices.size()); v-- > 0;) {
        if (!g.Vertices[v].selected) continue;
        g.Vertices.erase(g.Vertices.begin() + v);
        for (std::uint32_t& corner : g.corners)
            if (corner > v) --corner;
    }
}

void stepDeleteTrianglesWhere(Geoset& g, const std::function<bool(std::size_t)>& doomed) {
    for (std::size_t t = g.triangleCount(); t-- > 0;) {
        if (!doomed(t)) continue;
        g.corners.erase(g.corners.begin() + 3 * t, g.corners.begin() + 3 * t + 3);
        g.triangleSelected.erase(g.triangleSelected.begin() + t);
    }
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
        double su = 0, sv = 0;
        std::size_t uvCount = 0;
        for (const Vertex& v : g.Vertices)
            if (v.selected && !v.U.empty()) {
                su += v.U[0];
                sv += v.V[0];
                ++uvCount;
            }
        for (std::uint32_t& c : g.corners)
            if (g.Vertices[c].selected) c = k;
        Vertex& welded = g.Vertices[k];
        for (int a = 0; a < 3; ++a) welded.position[a] = float(sum[a] / double(count));
        if (uvCount > 0) {
            welded.U[0] = float(su / double(uvCount));
            welded.V[0] = float(sv / double(uvCount));
        }
        welded.selected = 0;  // k is the lowest selected vertex: removing the others keeps it at k
        stepDeleteSelectedVertices(g);
        g.Vertices[k].selected = 1;
        recomputeNormals(g);
    }
    for (Geoset& g : model.Geosets) {
        stepDeleteTrianglesWhere(g, [&g](std::size_t t) {
            const std::uint32_t* c = &g.corners[3 * t];
            return c[0] == c[1] || c[1] == c[2] || c[0] == c[2];
        });
        for (Vertex& v : g.Vertices) v.animatedPosition = v.position;  // the pose is reset
    }
}

void referenceDivide(Model& model) {
    for (Geoset& g : model.Geosets) {
        struct Split {
            std::uint32_t a, b, m;
        };
        std::vector<Split> splits;
        const std::size_t n = g.triangleCount();
        for (std::size_t f = 0; f < n; ++f)
            for (std::size_t c = 0; c < 3; ++c) {
                const std::uint32_t a = g.corners[3 * f + c];
                const std::uint32_t b = g.corners[3 * f + (c + 1) % 3];
                if (!g.Vertices[a].selected || !g.Vertices[b].selected) continue;
                auto m = static_cast<std::uint32_t>(g.Vertices.size());
                for (const Split& s : splits)
                    if ((s.a == a && s.b == b) || (s.a == b && s.b == a)) {
                        m = s.m;
                        break;
                    }
                if (m == g.Vertices.size()) {
                    const Vertex& va = g.Vertices[a];
                    const Vertex& vb = g.Vertices[b];
                    Vertex mid;
                    Vec3 sum{};
                    for (int i = 0; i < 3; ++i) {
                        mid.position[i] = (va.position[i] + vb.position[i]) / 2;
                        sum[i] = va.normal[i] + vb.normal[i];
                        mid.screenPosition[i] = (va.screenPosition[i] + vb.screenPosition[i]) / 2;
                    }
                    mid.normal = normalisedOrUp(sum);
                    for (std::size_t s = 0; s < va.U.size(); ++s) {
                        mid.U.push_back((va.U[s] + vb.U[s]) / 2);
                        mid.V.push_back((va.V[s] + vb.V[s]) / 2);
                    }
                    mid.vertexGroup = va.vertexGroup;
                    mid.animatedPosition = mid.position;
                    mid.currentUV = {mid.U.empty() ? 0 : mid.U[0], mid.V.empty() ? 0 : mid.V[0]};
                    g.Vertices.push_back(mid);
                    splits.push_back({a, b, m});
                }
                g.corners.insert(g.corners.end(), {b, g.corners[3 * f + (c + 2) % 3], m});
                g.triangleSelected.push_back(1);
                g.corners[3 * f + (c + 1) % 3] = m;
            }
    }
}

void referenceDeleteVertices(Model& model) {
    for (Geoset& g : model.Geosets) {
        stepDeleteTrianglesWhere(g, [&g](std::size_t t) {
            return g.Vertices[g.corners[3 * t]].selected || g.Vertices[g.corners[3 * t + 1]].selected ||
                   g.Vertices[g.corners[3 * t + 2]].selected;
        });
        stepDeleteSelectedVertices(g);
    }
}

void referenceDeleteTriangles(Model& model) {
    for (Geoset& g : model.Geosets)
        stepDeleteTrianglesWhere(g, [&g](std::size_t t) { return g.triangleSelected[t]; });
    selectVerticesOfSelectedFaces(model);
}

// Edits without a reference only have to leave a valid model.
TEST(MeshOperationsOnRandomMeshes, EditsMatchTheStepByStepAlgorithmsAndLeaveAValidModel) {
    const struct {
        const char* name;
        void (*operation)(Model&, Host&);
        void (*reference)(Model&);
    } cases[] = {
        {"weld", [](Model& m, Host&) { weldVertices(m); }, referenceWeld},
        {"divide", [](Model& m, Host&) { divideEdges(m); }, referenceDivide},
        {"delete vertices", [](Model& m, Host&) { deleteSelectedVertices(m); }, referenceDeleteVertices},
        {"delete triangles", [](Model& m, Host&) { deleteSelectedTriangles(m); }, referenceDeleteTriangles},
        {"triangle weld", [](Model& m, Host&) { weldVerticesThenSelectFaceCorners(m); }, nullptr},
        {"flip", [](Model& m, Host&) { flipTriangles(m); }, nullptr},
        {"create triangle", createTriangle, nullptr},
        {"turn edge", turnEdge, nullptr},
    };
    for (const auto& c : cases)
        for (int trial = 0; trial < kTrials; ++trial) {
            SCOPED_TRACE(std::string(c.name) + ", seed " + std::to_string(trial));
            Model fast = randomModel(static_cast<std::uint32_t>(trial));
            Model slow = fast;
            testing::FakeHost host;
            c.operation(fast, host);
            ASSERT_EQ(validateModel(fast), std::vector<std::string>{});
            if (c.reference == nullptr) continue;
            c.reference(slow);
            ASSERT_EQ(describe(fast), describe(slow));
        }
}

// After Remap the model is valid, no vertex of a shown geoset is shared between a selected
// and an unselected triangle, and the corners of the selected triangles are exactly the
// UV-editor selection.
TEST(MeshOperationsOnRandomMeshes, RemapDetachesTheSelectedTriangles) {
    for (int trial = 0; trial < kTrials; ++trial) {
        SCOPED_TRACE("seed " + std::to_string(trial));
        Model model = randomModel(static_cast<std::uint32_t>(trial));
        AppState state;
        testing::FakeHost host;
        remapSelection(model, state, host);
        ASSERT_EQ(validateModel(model), std::vector<std::string>{});
        if (host.animationBarRepaints == 0) continue;  // nothing was viewport-selected
        for (const Geoset& g : model.Geosets) {
            if (!g.shown) continue;
            std::vector<int> use(g.Vertices.size());  // bit 1: selected triangle, bit 2: other
            for (std::size_t c = 0; c < 3 * g.triangleCount(); ++c)
                use[g.corners[c]] |= g.triangleSelected[c / 3] ? 1 : 2;
            for (std::size_t v = 0; v < g.Vertices.size(); ++v)
                ASSERT_TRUE(use[v] != 3 && g.Vertices[v].uvSelected == (use[v] & 1)) << "vertex " << v;
        }
    }
}

}  // namespace
}  // namespace tess
