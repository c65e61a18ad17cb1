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

// One to three geosets (about one in four hidden) of up to 15 vertices on a 3 x 3 grid, so
// that positions coincide; 0, 1 or 2 texture sets in quarter steps, so every average is
// exact; normals include zero and opposite ones; random selections; triangles may repeat a
// corner. The model is posed (animated positions off the rest positions). Every fifth model
// is dense (up to 40 vertices, mostly selected), so some vertex has selected edges to more
// than 16 others (Divide then numbers its midpoints by sorting).
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

// The step-by-step algorithms, built on one-at-a-time removals and appends.
void eraseVertex(Document& d, std::size_t g, std::uint32_t v) {
    const auto erase = [v](auto& values) { values.erase(values.begin() + v); };
    Geoset& geoset = d.model.Geosets[g];
    erase(geoset.positions), erase(geoset.normals), erase(geoset.vertexGroups);
    for (std::vector<Vec2>& set : geoset.uvSets) erase(set);
    erase(d.selection.geosets[g].vertices), erase(d.selection.geosets[g].uvs);
    erase(d.pose.animatedPositions[g]), erase(d.screenPositions[g]);
    for (std::uint32_t& corner : geoset.corners) corner -= corner > v ? 1 : 0;
}

// Removes from the back, so lower indices stay put; `doomed` sees the corners and the flag.
template <class Doomed>
void eraseTrianglesWhere(Document& d, std::size_t g, Doomed doomed) {
    std::vector<std::uint32_t>& c = d.model.Geosets[g].corners;
    Flags& flags = d.selection.geosets[g].triangles;
    for (std::size_t t = c.size() / 3; t-- > 0;)
        if (doomed(&c[3 * t], flags[t])) {
            c.erase(c.begin() + 3 * t, c.begin() + 3 * t + 3);
            flags.erase(flags.begin() + t);
        }
}

void referenceSelectFaceCorners(Document& d) {
    for (std::size_t g = 0; g < d.model.Geosets.size(); ++g) {
        if (!d.selection.shown[g]) continue;
        Flags& vertices = d.selection.geosets[g].vertices;
        vertices.assign(vertices.size(), 0);
        for (std::size_t c = 0; c < d.model.Geosets[g].corners.size(); ++c)
            if (d.selection.geosets[g].triangles[c / 3]) vertices[d.model.Geosets[g].corners[c]] = 1;
    }
}

void referenceWeld(Document& d) {
    double sum[3] = {0, 0, 0}, count = 0;
    for (std::size_t g = 0; g < d.model.Geosets.size(); ++g)
        for (std::size_t v = 0; v < d.model.Geosets[g].vertexCount(); ++v)
            if (d.selection.geosets[g].vertices[v]) {
                for (int a = 0; a < 3; ++a) sum[a] += d.model.Geosets[g].positions[v][a];
                ++count;
            }
    for (std::size_t g = 0; g < d.model.Geosets.size(); ++g) {
        Geoset& geoset = d.model.Geosets[g];
        Flags& selected = d.selection.geosets[g].vertices;
        std::uint32_t k = 0;
        while (k < selected.size() && !selected[k]) ++k;
        if (k == selected.size()) continue;
        double su = 0, sv = 0, uvCount = 0;
        for (std::uint32_t v = 0; v < selected.size() && !geoset.uvSets.empty(); ++v)
            if (selected[v]) su += geoset.uvSets[0][v][0], sv += geoset.uvSets[0][v][1], ++uvCount;
        for (std::uint32_t& c : geoset.corners) c = selected[c] ? k : c;
        for (int a = 0; a < 3; ++a) geoset.positions[k][a] = float(sum[a] / count);
        if (uvCount > 0) geoset.uvSets[0][k] = {float(su / uvCount), float(sv / uvCount)};
        for (std::uint32_t v = k + 1; v < selected.size(); ++v)
            if (selected[v]) eraseVertex(d, g, v--);
        recomputeNormals(geoset);
    }
    for (std::size_t g = 0; g < d.model.Geosets.size(); ++g) {
        eraseTrianglesWhere(d, g, [](const std::uint32_t* c, std::uint8_t) {
            return c[0] == c[1] || c[1] == c[2] || c[0] == c[2];
        });
        d.pose.animatedPositions[g] = d.model.Geosets[g].positions;
    }
}

void referenceDivide(Document& d) {
    for (std::size_t g = 0; g < d.model.Geosets.size(); ++g) {
        Geoset& geo = d.model.Geosets[g];
        GeosetSelection& marks = d.selection.geosets[g];
        std::vector<std::array<std::uint32_t, 3>> table;  // first end, second end, midpoint
        const std::size_t n = geo.triangleCount();
        for (std::size_t f = 0; f < n; ++f)
            for (std::size_t c = 0; c < 3; ++c) {
                const std::uint32_t a = geo.corners[3 * f + c], b = geo.corners[3 * f + (c + 1) % 3];
                if (!marks.vertices[a] || !marks.vertices[b]) continue;
                auto m = static_cast<std::uint32_t>(geo.vertexCount());
                for (const auto& row : table)  // the edge is in the table once at most
                    if ((row[0] == a && row[1] == b) || (row[0] == b && row[1] == a)) m = row[2];
                if (m == geo.vertexCount()) {
                    const auto mean = [a, b](auto& values) {
                        auto r = values[a];
                        for (std::size_t i = 0; i < r.size(); ++i) r[i] = (values[a][i] + values[b][i]) / 2;
                        values.push_back(r);
                    };
                    mean(geo.positions), mean(d.screenPositions[g]);
                    for (std::vector<Vec2>& set : geo.uvSets) mean(set);
                    const Vec3 &na = geo.normals[a], &nb = geo.normals[b];
                    geo.normals.push_back(normalisedOrUp({na[0] + nb[0], na[1] + nb[1], na[2] + nb[2]}));
                    geo.vertexGroups.push_back(geo.vertexGroups[a]);
                    marks.vertices.push_back(0), marks.uvs.push_back(0);
                    d.pose.animatedPositions[g].push_back(geo.positions.back());
                    table.push_back({a, b, m});
                }
                geo.corners.insert(geo.corners.end(), {b, geo.corners[3 * f + (c + 2) % 3], m});
                marks.triangles.push_back(1);
                geo.corners[3 * f + (c + 1) % 3] = m;
            }
    }
}

void referenceDeleteVertices(Document& d) {
    for (std::size_t g = 0; g < d.model.Geosets.size(); ++g) {
        const Flags selected = d.selection.geosets[g].vertices;
        eraseTrianglesWhere(d, g, [&](const std::uint32_t* c, std::uint8_t) {
            return selected[c[0]] || selected[c[1]] || selected[c[2]];
        });
        for (std::uint32_t v = static_cast<std::uint32_t>(selected.size()); v-- > 0;)
            if (selected[v]) eraseVertex(d, g, v);
    }
}

constexpr int kTrials = 300;

// Remap changes nothing without a viewport selection in a shown geoset. Otherwise no vertex
// of a shown geoset serves both a selected and another triangle, the corners of the selected
// triangles are the UV-editor selection, and they are welded: no two share a position.
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

// Edits without a reference have to keep the document consistent (and pass their check),
// and leave it as it was when they refuse.
TEST(MeshOperationsOnRandomDocuments, EditsMatchTheStepByStepAlgorithmsAndKeepTheArraysInStep) {
    const struct {
        const char* name;
        void (*operation)(Document&, Host&);
        void (*reference)(Document&);
        void (*check)(const Document&, const Document&, const FakeHost&) = nullptr;
    } cases[] = {
        {"weld", [](Document& d, Host&) { weldVertices(d); }, referenceWeld},
        {"triangle weld", [](Document& d, Host&) { weldVerticesThenSelectFaceCorners(d); },
         [](Document& d) { referenceWeld(d), referenceSelectFaceCorners(d); }},
        {"divide", [](Document& d, Host&) { divideEdges(d); }, referenceDivide},
        {"delete vertices", [](Document& d, Host&) { deleteSelectedVertices(d); }, referenceDeleteVertices},
        {"delete triangles", [](Document& d, Host&) { deleteSelectedTriangles(d); },
         [](Document& d) {
             for (std::size_t g = 0; g < d.model.Geosets.size(); ++g)
                 eraseTrianglesWhere(d, g,
                                     [](const std::uint32_t*, std::uint8_t selected) { return selected; });
             referenceSelectFaceCorners(d);
         }},
        {"flip", [](Document& d, Host&) { flipTriangles(d); },
         [](Document& d) {
             for (std::size_t g = 0; g < d.model.Geosets.size(); ++g)
                 for (std::size_t t = 0; t < d.selection.geosets[g].triangles.size(); ++t)
                     if (d.selection.geosets[g].triangles[t])
                         std::swap(d.model.Geosets[g].corners[3 * t], d.model.Geosets[g].corners[3 * t + 1]);
         }},
        {"extrude", [](Document& d, Host&) { extrudeSelection(d); }, nullptr},
        {"create triangle", createTriangle, nullptr},
        {"turn edge", turnEdge, nullptr},
        {"remap",
         [](Document& d, Host& host) {
             AppState state;
             remapSelection(d, state, host);
         },
         nullptr, checkRemap},
    };
    for (const auto& c : cases)
        for (int trial = 0; trial < kTrials; ++trial) {
            SCOPED_TRACE(std::string(c.name) + ", seed " + std::to_string(trial));
            Document fast = randomDocument(static_cast<std::uint32_t>(trial));
            Document slow = fast;
            FakeHost host;
            c.operation(fast, host);
            ASSERT_TRUE(consistent(fast));
            ASSERT_TRUE(host.messages.empty() || sameDocument(fast, slow));
            if (c.check != nullptr) c.check(slow, fast, host);
            if (c.reference == nullptr) continue;
            c.reference(slow);
            ASSERT_TRUE(sameDocument(fast, slow));
        }
}

}  // namespace
}  // namespace tess
