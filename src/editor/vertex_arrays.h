#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "editor/document.h"

namespace tess {

// The one place that changes a document geoset's vertex and triangle counts. A geoset's
// vertices live in several parallel arrays: the model's (positions, normals, every texture
// set, vertex groups), the selection's (viewport and UV flags), the pose's animated
// positions and the screen positions; its triangles in the corner list and the selection's
// triangle flags. Every mesh edit adds and removes through these helpers, so the arrays can
// never fall out of step.
//
// Preconditions: `geoset` is a valid index and the document has been fitted (fitDocument).
// Data a reader may leave behind is tolerated: a corner index at or above the vertex count
// is never used to reach a vertex, and a trailing partial triangle (one or two corners after
// the last whole one) stays at the end of the corner list, behind any triangle appended here.

// Sizes the selection, the animated positions (new entries at their rest positions) and the
// screen positions (new entries zero) to the model; existing entries keep their values.
void fitDocument(Document& document);

// Appends a copy of vertex `source` to every array of the geoset: its stored data, its
// screen position; the copy is unselected (both flags) and its animated position is its
// rest position. Returns the new index.
std::uint32_t appendVertexCopy(Document& document, std::size_t geoset, std::uint32_t source);

// Appends `count` vertices to every array of the geoset and returns the index of the first.
// Once every array has grown, `fill(index)` runs for each new vertex in order and writes its
// stored data (zero until then) and its screen position; the new vertices are unselected and
// their animated positions are then set to the rest positions `fill` wrote.
template <class Fill>
std::uint32_t appendVertices(Document& document, std::size_t geoset, std::size_t count, Fill fill);

// Appends triangle (a, b, c) with the given selection flag.
void appendTriangle(Document& document, std::size_t geoset, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                    std::uint8_t selected);

// Removes every vertex v with doomed[v] set (entries past the end count as unset) from every
// array in one pass; survivors keep their order. Every corner index drops by the number of
// removed vertices below it, which is exactly what removing them one at a time does. Callers
// deal with the whole triangles naming a removed vertex first; a trailing partial triangle
// naming one is removed here.
void removeVertices(Document& document, std::size_t geoset, const std::vector<std::uint8_t>& doomed);

// Removes, in one pass, every triangle t for which `doomed(t)` is true (with its selection
// flag); survivors keep their order. `doomed` sees the original index and may read the
// original corners. Returns how many were removed.
template <class Doomed>
std::size_t removeTrianglesIf(Document& document, std::size_t geoset, Doomed doomed);

// ---------------------------------------------------------------------------------------

template <class Fill>
std::uint32_t appendVertices(Document& document, std::size_t geoset, std::size_t count, Fill fill) {
    Geoset& g = document.model.Geosets[geoset];
    GeosetSelection& marks = document.selection.geosets[geoset];
    const std::size_t first = g.vertexCount();
    const std::size_t total = first + count;
    g.resizeVertices(total);
    marks.vertices.resize(total, 0);
    marks.uvs.resize(total, 0);
    document.screenPositions[geoset].resize(total);
    for (std::size_t v = first; v < total; ++v) fill(static_cast<std::uint32_t>(v));
    std::vector<Vec3>& animated = document.pose.animatedPositions[geoset];
    animated.insert(animated.end(), g.positions.begin() + static_cast<std::ptrdiff_t>(first),
                    g.positions.end());
    return static_cast<std::uint32_t>(first);
}

template <class Doomed>
std::size_t removeTrianglesIf(Document& document, std::size_t geoset, Doomed doomed) {
    std::vector<std::uint32_t>& corners = document.model.Geosets[geoset].corners;
    std::vector<std::uint8_t>& flags = document.selection.geosets[geoset].triangles;
    const std::size_t count = corners.size() / 3;
    std::size_t kept = 0;
    for (std::size_t t = 0; t < count; ++t) {
        // Every triangle is copied down and only survivors advance the end, so the loop
        // does not branch on a pattern that may be random.
        const bool drop = doomed(t);
        for (std::size_t c = 0; c < 3; ++c) corners[3 * kept + c] = corners[3 * t + c];
        flags[kept] = flags[t];
        kept += drop ? 0 : 1;
    }
    if (kept == count) return 0;
    corners.erase(corners.begin() + static_cast<std::ptrdiff_t>(3 * kept),
                  corners.begin() + static_cast<std::ptrdiff_t>(3 * count));
    flags.resize(kept);
    return count - kept;
}

}  // namespace tess
