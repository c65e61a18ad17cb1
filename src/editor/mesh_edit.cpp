#include "editor/mesh_edit.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "anim/normals.h"
#include "editor/mesh_selection.h"
#include "editor/vertex_arrays.h"

namespace tess {
namespace {

void weldGeoset(Document& document, std::size_t g, const Vec3& centroid) {
    Geoset& geoset = document.model.Geosets[g];
    std::vector<std::uint8_t> doomed = document.selection.geosets[g].vertices;
    const std::size_t n = geoset.vertexCount();
    std::size_t k = 0;
    while (k < n && !doomed[k]) ++k;
    if (k == n) return;
    const auto survivor = static_cast<std::uint32_t>(k);

    geoset.positions[k] = centroid;
    for (std::uint32_t& corner : geoset.corners) corner = flagAt(doomed, corner) ? survivor : corner;

    double sumU = 0;
    double sumV = 0;
    std::size_t selected = 0;
    const bool hasCoordinates = geoset.textureSetCount() > 0;
    for (std::size_t v = k; v < n && hasCoordinates; ++v) {
        if (!doomed[v]) continue;
        sumU += geoset.uvSets[0][v][0];
        sumV += geoset.uvSets[0][v][1];
        ++selected;
    }
    // Every selected vertex but k goes; k is the lowest, so removing the others never moves it.
    doomed[k] = 0;
    removeVertices(document, g, doomed);
    if (selected > 0) {
        const auto count = static_cast<double>(selected);
        geoset.uvSets[0][k] = {static_cast<float>(sumU / count), static_cast<float>(sumV / count)};
    }
    recomputeNormals(geoset);
}

void dropDegenerateTriangles(Document& document, std::size_t g) {
    const std::vector<std::uint32_t>& corners = document.model.Geosets[g].corners;
    removeTrianglesIf(document, g, [&corners](std::size_t t) {
        const std::uint32_t a = corners[3 * t];
        const std::uint32_t b = corners[3 * t + 1];
        const std::uint32_t c = corners[3 * t + 2];
        return (a == b) | (b == c) | (a == c);
    });
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

void weldVertices(Document& document) {
    fitDocument(document);
    const Model& model = document.model;
    std::array<double, 3> sum{};
    std::size_t count = 0;
    for (std::size_t g = 0; g < model.Geosets.size(); ++g) {
        const std::vector<std::uint8_t>& selected = document.selection.geosets[g].vertices;
        for (std::size_t v = 0; v < selected.size(); ++v) {
            if (!selected[v]) continue;
            for (std::size_t a = 0; a < 3; ++a) sum[a] += model.Geosets[g].positions[v][a];
            ++count;
        }
    }
    if (count > 0) {
        const auto divisor = static_cast<double>(count);
        const Vec3 centroid{static_cast<float>(sum[0] / divisor), static_cast<float>(sum[1] / divisor),
                            static_cast<float>(sum[2] / divisor)};
        for (std::size_t g = 0; g < model.Geosets.size(); ++g) weldGeoset(document, g, centroid);
    }
    for (std::size_t g = 0; g < model.Geosets.size(); ++g) dropDegenerateTriangles(document, g);
    resetPose(document);
}

void weldVerticesThenSelectFaceCorners(Document& document) {
    weldVertices(document);
    selectVerticesOfSelectedFaces(document.model, document.selection);
}

void deleteSelectedVertices(Document& document) {
    fitDocument(document);
    for (std::size_t g = 0; g < document.model.Geosets.size(); ++g) {
        const std::vector<std::uint8_t> selected = document.selection.geosets[g].vertices;
        const std::vector<std::uint32_t>& corners = document.model.Geosets[g].corners;
        removeTrianglesIf(document, g, [&](std::size_t t) {
            return (flagAt(selected, corners[3 * t]) | flagAt(selected, corners[3 * t + 1]) |
                    flagAt(selected, corners[3 * t + 2])) != 0;
        });
        removeVertices(document, g, selected);
    }
}

void createTriangle(Document& document, Host& host) {
    fitDocument(document);
    std::size_t target = 0;
    std::vector<std::uint32_t> picked;
    for (std::size_t g = 0; g < document.model.Geosets.size(); ++g) {
        const std::vector<std::uint8_t>& selected = document.selection.geosets[g].vertices;
        for (std::size_t v = 0; v < selected.size(); ++v) {
            if (!selected[v]) continue;
            if (picked.empty()) target = g;
            if (target != g) {
                showEditError(host, "Vertices must be in only one geoset.");
                return;
            }
            picked.push_back(static_cast<std::uint32_t>(v));
        }
    }
    if (picked.size() != 3) {
        showEditError(host, "You must have exactly three vertices selected to make a triangle.");
        return;
    }

    // Wound against the first triangle sharing an edge: running the shared edge the same
    // way as that triangle would make the two face opposite sides.
    bool keepOrder = false;
    const Geoset& geoset = document.model.Geosets[target];
    for (std::size_t t = 0; t < geoset.triangleCount(); ++t) {
        const std::uint32_t* corner = &geoset.corners[3 * t];
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
        appendTriangle(document, target, picked[0], picked[1], picked[2], 1);
    else
        appendTriangle(document, target, picked[1], picked[0], picked[2], 1);
}

void deleteSelectedTriangles(Document& document) {
    fitDocument(document);
    for (std::size_t g = 0; g < document.model.Geosets.size(); ++g) {
        const std::vector<std::uint8_t>& flags = document.selection.geosets[g].triangles;
        removeTrianglesIf(document, g, [&flags](std::size_t t) { return flags[t] != 0; });
    }
    selectVerticesOfSelectedFaces(document.model, document.selection);
}

void turnEdge(Document& document, Host& host) {
    fitDocument(document);
    std::size_t count = 0;
    bool sameGeoset = true;
    std::size_t geosetOfFirst = 0;
    std::size_t first = 0;
    std::size_t other = 0;
    for (std::size_t g = 0; g < document.model.Geosets.size(); ++g) {
        const std::vector<std::uint8_t>& flags = document.selection.geosets[g].triangles;
        for (std::size_t t = 0; t < flags.size(); ++t) {
            if (!flags[t]) continue;
            if (++count == 1) {
                geosetOfFirst = g;
                first = t;
                continue;
            }
            if (g != geosetOfFirst) sameGeoset = false;
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
    std::uint32_t* p = &document.model.Geosets[geosetOfFirst].corners[3 * first];
    std::uint32_t* q = &document.model.Geosets[geosetOfFirst].corners[3 * other];
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

void flipTriangles(Document& document) {
    fitDocument(document);
    for (std::size_t g = 0; g < document.model.Geosets.size(); ++g) {
        const std::vector<std::uint8_t>& flags = document.selection.geosets[g].triangles;
        std::vector<std::uint32_t>& corners = document.model.Geosets[g].corners;
        for (std::size_t t = 0; t < flags.size(); ++t)
            if (flags[t]) std::swap(corners[3 * t], corners[3 * t + 1]);
    }
}

}  // namespace tess
