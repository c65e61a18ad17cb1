#include "editor/mesh_edit.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "anim/normals.h"
#include "editor/document.h"
#include "editor/mesh_routines.h"
#include "editor/mesh_selection.h"

namespace tess {
namespace {

void weldGeoset(Geoset& geoset, const Vec3& centroid) {
    const std::size_t n = geoset.Vertices.size();
    std::size_t k = 0;
    while (k < n && !geoset.Vertices[k].selected) ++k;
    if (k == n) return;
    const auto survivor = static_cast<std::uint32_t>(k);

    geoset.Vertices[k].position = centroid;
    std::vector<std::uint8_t> doomed = vertexSelection(geoset);
    for (std::uint32_t& corner : geoset.corners) corner = flagAt(doomed, corner) ? survivor : corner;

    double sumU = 0;
    double sumV = 0;
    std::size_t withCoordinates = 0;
    for (std::size_t v = k; v < n; ++v) {
        const Vertex& vertex = geoset.Vertices[v];
        if (!doomed[v] || vertex.U.empty() || vertex.V.empty()) continue;
        sumU += vertex.U[0];
        sumV += vertex.V[0];
        ++withCoordinates;
    }
    // Every selected vertex but k goes; k is the lowest, so removing the others never moves it.
    doomed[k] = 0;
    deleteVertices(geoset, doomed);
    Vertex& welded = geoset.Vertices[k];
    if (withCoordinates > 0 && !welded.U.empty() && !welded.V.empty()) {
        welded.U[0] = static_cast<float>(sumU / static_cast<double>(withCoordinates));
        welded.V[0] = static_cast<float>(sumV / static_cast<double>(withCoordinates));
    }
    recomputeNormals(geoset);
}

struct SharedEdge {
    std::size_t i = 0;  // the edge runs from P[i] to P[i + 1]
    std::size_t j = 0;  // and back from Q[j + 1] to Q[j]
};

bool findSharedEdge(const std::uint32_t* p, const std::uint32_t* q, SharedEdge& edge) {
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            if (p[i] == q[(j + 1) % 3] && p[(i + 1) % 3] == q[j]) {
                edge = {i, j};
                return true;
            }
    return false;
}

}  // namespace

void weldVertices(Model& model) {
    std::array<double, 3> sum{};
    std::size_t count = 0;
    for (const Geoset& geoset : model.Geosets)
        for (const Vertex& v : geoset.Vertices) {
            if (!v.selected) continue;
            for (std::size_t a = 0; a < 3; ++a) sum[a] += v.position[a];
            ++count;
        }
    if (count > 0) {
        const auto divisor = static_cast<double>(count);
        const Vec3 centroid{static_cast<float>(sum[0] / divisor), static_cast<float>(sum[1] / divisor),
                            static_cast<float>(sum[2] / divisor)};
        for (Geoset& geoset : model.Geosets) weldGeoset(geoset, centroid);
    }
    for (Geoset& geoset : model.Geosets) dropDegenerateTriangles(geoset);
    resetPose(model);
}

void weldVerticesThenSelectFaceCorners(Model& model) {
    weldVertices(model);
    selectVerticesOfSelectedFaces(model);
}

void deleteSelectedVertices(Model& model) {
    for (Geoset& geoset : model.Geosets) {
        const std::vector<std::uint8_t> selected = vertexSelection(geoset);
        const std::vector<std::uint32_t>& corners = geoset.corners;
        deleteTrianglesIf(geoset, [&](std::size_t t) {
            return (flagAt(selected, corners[3 * t]) | flagAt(selected, corners[3 * t + 1]) |
                    flagAt(selected, corners[3 * t + 2])) != 0;
        });
        deleteVertices(geoset, selected);
    }
}

void createTriangle(Model& model, Host& host) {
    Geoset* target = nullptr;
    std::vector<std::uint32_t> picked;
    for (Geoset& geoset : model.Geosets)
        for (std::size_t v = 0; v < geoset.Vertices.size(); ++v) {
            if (!geoset.Vertices[v].selected) continue;
            if (target == nullptr) target = &geoset;
            if (target != &geoset) {
                showEditError(host, "Vertices must be in only one geoset.");
                return;
            }
            picked.push_back(static_cast<std::uint32_t>(v));
        }
    if (picked.size() != 3) {
        showEditError(host, "You must have exactly three vertices selected to make a triangle.");
        return;
    }

    // Wound against the first triangle sharing an edge: running the shared edge the same
    // way as that triangle would make the two face opposite sides.
    bool keepOrder = false;
    const std::size_t triangles = target->triangleCount();
    for (std::size_t t = 0; t < triangles; ++t) {
        const std::uint32_t* corner = &target->corners[3 * t];
        bool matched = false;
        for (std::size_t i = 0; i < 3; ++i)
            for (std::size_t j = 0; j < 3; ++j) {
                const std::uint32_t from = picked[j];
                const std::uint32_t to = picked[(j + 1) % 3];
                if (corner[i] == from && corner[(i + 1) % 3] == to) {
                    keepOrder = false;
                    matched = true;
                } else if (corner[i] == to && corner[(i + 1) % 3] == from) {
                    keepOrder = true;
                    matched = true;
                }
            }
        if (matched) break;
    }
    if (keepOrder)
        appendTriangle(*target, picked[0], picked[1], picked[2], 1);
    else
        appendTriangle(*target, picked[1], picked[0], picked[2], 1);
}

void deleteSelectedTriangles(Model& model) {
    for (Geoset& geoset : model.Geosets)
        deleteTrianglesIf(geoset, [&geoset](std::size_t t) { return geoset.triangleSelected[t] != 0; });
    selectVerticesOfSelectedFaces(model);
}

void turnEdge(Model& model, Host& host) {
    std::size_t count = 0;
    bool sameGeoset = true;
    Geoset* geosetOfFirst = nullptr;
    std::size_t first = 0;
    std::size_t other = 0;
    for (Geoset& geoset : model.Geosets) {
        const std::size_t triangles = geoset.triangleCount();
        for (std::size_t t = 0; t < triangles; ++t) {
            if (!geoset.triangleSelected[t]) continue;
            if (++count == 1) {
                geosetOfFirst = &geoset;
                first = t;
                continue;
            }
            if (&geoset != geosetOfFirst) sameGeoset = false;
            other = t;
        }
    }
    if (count != 2) {
        showEditError(host, "Select exactly two faces to use Turn Edge.");
        return;
    }
    if (!sameGeoset) {
        showEditError(host, "The two faces for Turn Edge must be in the same geoset.");
        return;
    }
    std::uint32_t* p = &geosetOfFirst->corners[3 * first];
    std::uint32_t* q = &geosetOfFirst->corners[3 * other];
    SharedEdge edge;
    if (!findSharedEdge(p, q, edge)) {
        showEditError(host, "The two faces do not share an edge.");
        return;
    }
    const std::uint32_t pFirst = p[edge.i];
    const std::uint32_t pFar = p[(edge.i + 2) % 3];
    const std::uint32_t qFirst = q[edge.j];
    const std::uint32_t qFar = q[(edge.j + 2) % 3];
    p[0] = pFirst;
    p[1] = qFar;
    p[2] = pFar;
    q[0] = qFar;
    q[1] = qFirst;
    q[2] = pFar;
}

void flipTriangles(Model& model) {
    for (Geoset& geoset : model.Geosets) {
        const std::size_t triangles = geoset.triangleCount();
        for (std::size_t t = 0; t < triangles; ++t)
            if (geoset.triangleSelected[t]) std::swap(geoset.corners[3 * t], geoset.corners[3 * t + 1]);
    }
}

}  // namespace tess
