#include "editor/picking.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <utility>
#include <vector>

#include "editor/mesh_selection.h"
#include "editor/screen_geometry.h"

namespace tess {
namespace {

struct Modifiers {
    bool ctrl = false;
    bool alt = false;
};

Modifiers heldModifiers(const AppState& state, const Host& host) {
    return {state.keyDown(kKeyControl), host.altKeyDown()};
}

Vec2 windowPoint(std::int32_t x, std::int32_t y) {
    return {static_cast<float>(x), static_cast<float>(y)};
}

Vec2 planar(const Vec3& p) {
    return {p[0], p[1]};
}

// One geoset as picking sees it: the cached screen positions of the vertices that exist in
// the model, and the selection's flags.
struct PickedGeoset {
    std::span<const Vec3> screen;
    std::span<const std::uint32_t> corners;  // whole triangles only
    GeosetSelection& flags;
};

// Calls `visit` with every shown geoset that has selection flags.
template <class Visit>
void forEachShownGeoset(Document& document, Visit visit) {
    const std::size_t geosets = std::min(document.model.Geosets.size(), document.selection.geosets.size());
    for (std::size_t g = 0; g < geosets; ++g) {
        if (!document.selection.isShown(g)) continue;
        const Geoset& geoset = document.model.Geosets[g];
        std::span<const Vec3> screen;
        if (g < document.screenPositions.size()) screen = document.screenPositions[g];
        visit(PickedGeoset{screen.first(std::min(screen.size(), geoset.vertexCount())),
                           std::span(geoset.corners).first(3 * geoset.triangleCount()),
                           document.selection.geosets[g]});
    }
}

// Fills `codes` with codeOf(position) for every drawn vertex; returns the union and the
// intersection of the codes.
template <class CodeOf>
std::pair<unsigned, unsigned> codeVertices(const PickedGeoset& geoset, std::vector<std::uint8_t>& codes,
                                           CodeOf codeOf) {
    codes.resize(geoset.screen.size());
    unsigned any = 0, all = ~0u;
    for (std::size_t v = 0; v < codes.size(); ++v) {
        codes[v] = codeOf(planar(geoset.screen[v]));
        any |= codes[v];
        all &= codes[v];
    }
    return {any, all};
}

// Whether every corner of triangle t has a cached screen position.
inline bool isDrawn(const PickedGeoset& geoset, std::size_t t) {
    const std::uint32_t* c = &geoset.corners[3 * t];
    return std::max({c[0], c[1], c[2]}) < geoset.screen.size();
}

}  // namespace

void pickVertex(Document& document, const AppState& state, const Host& host, std::int32_t x, std::int32_t y) {
    const Modifiers keys = heldModifiers(state, host);
    const Vec2 q = windowPoint(x, y);
    float nearest = 1e6f;
    std::uint8_t* hit = nullptr;
    forEachShownGeoset(document, [&](const PickedGeoset& geoset) {
        const std::size_t count = std::min(geoset.screen.size(), geoset.flags.vertices.size());
        for (std::size_t v = 0; v < count; ++v) {
            const Vec3& p = geoset.screen[v];
            const float dx = p[0] - q[0];
            const float dy = p[1] - q[1];
            if (dx * dx + dy * dy < 16 && p[2] < nearest) {
                nearest = p[2];
                hit = &geoset.flags.vertices[v];
            }
        }
    });
    if (!keys.ctrl && !keys.alt)
        for (GeosetSelection& flags : document.selection.geosets)
            std::fill(flags.vertices.begin(), flags.vertices.end(), std::uint8_t{0});
    if (hit != nullptr) *hit = keys.alt ? 0 : 1;
}

void pickVerticesInRectangle(Document& document, const AppState& state, const Host& host, std::int32_t x0,
                             std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    const Modifiers keys = heldModifiers(state, host);
    const auto left = static_cast<float>(std::min(x0, x1)), right = static_cast<float>(std::max(x0, x1));
    const auto top = static_cast<float>(std::min(y0, y1)), bottom = static_cast<float>(std::max(y0, y1));
    forEachShownGeoset(document, [&](const PickedGeoset& geoset) {
        std::vector<std::uint8_t>& flags = geoset.flags.vertices;
        const std::size_t count = std::min(geoset.screen.size(), flags.size());
        const auto inside = [&](std::size_t v) {
            const Vec3& p = geoset.screen[v];
            return static_cast<std::uint8_t>((left <= p[0]) & (p[0] <= right) & (top <= p[1]) &
                                             (p[1] <= bottom));
        };
        if (keys.ctrl) {
            for (std::size_t v = 0; v < count; ++v) flags[v] |= inside(v);
        } else if (keys.alt) {
            for (std::size_t v = 0; v < count; ++v)
                flags[v] = static_cast<std::uint8_t>((flags[v] != 0) & !inside(v));
        } else {
            for (std::size_t v = 0; v < count; ++v) flags[v] = inside(v);
            std::fill(flags.begin() + static_cast<std::ptrdiff_t>(count), flags.end(), std::uint8_t{0});
        }
    });
}

void pickTriangle(Document& document, const AppState& state, const Host& host, std::int32_t x,
                  std::int32_t y) {
    const Modifiers keys = heldModifiers(state, host);
    const Vec2 q = windowPoint(x, y);
    double nearest = 1e8;
    std::uint8_t* hit = nullptr;
    std::vector<std::uint8_t> codes;
    forEachShownGeoset(document, [&](const PickedGeoset& geoset) {
        const auto [any, all] = codeVertices(geoset, codes, [q](Vec2 p) { return clickCode(p, q); });
        if (!aroundClick(any, all)) return;
        const std::size_t count = std::min(geoset.corners.size() / 3, geoset.flags.triangles.size());
        for (std::size_t t = 0; t < count; ++t) {
            if (!isDrawn(geoset, t)) continue;
            const std::uint32_t* c = &geoset.corners[3 * t];
            const unsigned c0 = codes[c[0]], c1 = codes[c[1]], c2 = codes[c[2]];
            if (!aroundClick(c0 | c1 | c2, c0 & c1 & c2)) continue;
            const Vec3& p0 = geoset.screen[c[0]];
            const Vec3& p1 = geoset.screen[c[1]];
            const Vec3& p2 = geoset.screen[c[2]];
            if (!pointInTriangle(planar(p0), planar(p1), planar(p2), q)) continue;
            const double depth = depthInTriangle(p0, p1, p2, q);
            if (depth < nearest) {
                nearest = depth;
                hit = &geoset.flags.triangles[t];
            }
        }
    });
    if (!keys.ctrl && !keys.alt)
        forEachShownGeoset(document, [](const PickedGeoset& geoset) {
            std::fill(geoset.flags.triangles.begin(), geoset.flags.triangles.end(), std::uint8_t{0});
        });
    if (hit != nullptr) *hit = keys.alt ? 0 : 1;
    selectVerticesOfSelectedFaces(document.model, document.selection);
}

void pickTrianglesInRectangle(Document& document, const AppState& state, const Host& host,
                              std::int32_t startX, std::int32_t startY, std::int32_t endX,
                              std::int32_t endY) {
    const Modifiers keys = heldModifiers(state, host);
    const bool keepOthers = keys.ctrl || keys.alt;
    const std::uint8_t touchedValue = keys.alt ? 0 : 1;
    const Vec2 s = windowPoint(startX, startY);
    const Vec2 e = windowPoint(endX, endY);
    std::vector<std::uint8_t> codes;
    forEachShownGeoset(document, [&](const PickedGeoset& geoset) {
        codeVertices(geoset, codes, [s, e](Vec2 p) { return rectangleCode(p, s, e); });
        std::vector<std::uint8_t>& flags = geoset.flags.triangles;
        const std::size_t count = std::min(geoset.corners.size() / 3, flags.size());
        for (std::size_t t = 0; t < count; ++t) {
            bool touched = false;
            if (isDrawn(geoset, t)) {
                const std::uint32_t* c = &geoset.corners[3 * t];
                touched = triangleTouchesRectangle(codes[c[0]], codes[c[1]], codes[c[2]],
                                                   planar(geoset.screen[c[0]]), planar(geoset.screen[c[1]]),
                                                   planar(geoset.screen[c[2]]), s, e);
            }
            flags[t] = touched ? touchedValue : keepOthers ? flags[t] : std::uint8_t{0};
        }
    });
    selectVerticesOfSelectedFaces(document.model, document.selection);
}

}  // namespace tess
