#include "render/draw_geoset.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <vector>

#include "render/vertex_markers.h"
#include "render/window_projection.h"

namespace tess {

namespace {

constexpr std::uint32_t kFilterTransparent = 1;
constexpr std::uint32_t kFilterBlend = 2;
constexpr std::uint32_t kFilterAdditive = 3;
constexpr std::uint32_t kRedReplaceableId = 1;
constexpr std::uint32_t kGlowReplaceableId = 2;
constexpr std::array<std::uint8_t, 4> kMarkerColour = {255, 255, 255, 0};
constexpr std::array<std::uint8_t, 4> kSelectedMarkerColour = {255, 0, 0, 0};

// Per-frame vertex arrays of one geoset, kept between calls so that their memory is
// allocated once rather than every frame.
struct GeosetArrays {
    std::vector<float> positions;  // animated, 3 per vertex
    std::vector<float> texCoords;  // (u, 1 - v), 2 per vertex
    std::vector<std::uint32_t> triangles;
    std::vector<std::uint32_t> lines;
    std::vector<std::uint32_t> tinted;
    MarkerBatch markers;
};

GeosetArrays& scratch() {
    thread_local GeosetArrays arrays;
    return arrays;
}

bool triangleValid(const std::vector<std::uint32_t>& corners, std::size_t t, std::size_t vertexCount) {
    return corners[3 * t] < vertexCount && corners[3 * t + 1] < vertexCount &&
           corners[3 * t + 2] < vertexCount;
}

// The corner indices to draw: the geoset's own list when every triangle is whole, else a
// copy without the triangles that name a missing vertex.
const std::vector<std::uint32_t>& drawableTriangles(const Geoset& geoset, GeosetArrays& arrays) {
    const std::size_t count = geoset.triangleCount();
    const std::size_t n = geoset.Vertices.size();
    bool allValid = geoset.corners.size() == 3 * count;
    for (std::size_t t = 0; t < count && allValid; ++t) allValid = triangleValid(geoset.corners, t, n);
    if (allValid) return geoset.corners;
    arrays.triangles.clear();
    for (std::size_t t = 0; t < count; ++t)
        if (triangleValid(geoset.corners, t, n))
            arrays.triangles.insert(arrays.triangles.end(), geoset.corners.begin() + 3 * t,
                                    geoset.corners.begin() + 3 * t + 3);
    return arrays.triangles;
}

void fillVertexArrays(const Geoset& geoset, GeosetArrays& arrays) {
    const std::size_t n = geoset.Vertices.size();
    arrays.positions.resize(3 * n);
    arrays.texCoords.resize(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& v = geoset.Vertices[i];
        for (int c = 0; c < 3; ++c) arrays.positions[3 * i + c] = v.animatedPosition[c];
        arrays.texCoords[2 * i] = v.currentUV[0];
        arrays.texCoords[2 * i + 1] = 1 - v.currentUV[1];
    }
}

void drawIndexed(GLenum mode, const std::vector<std::uint32_t>& indices) {
    if (!indices.empty())
        glDrawElements(mode, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
}

void drawLayers(const Geoset& geoset, const Model& model, const TextureTable& table,
                const std::vector<std::uint32_t>& triangles) {
    if (geoset.MaterialID >= model.Materials.size()) return;
    for (const Layer& layer : model.Materials[geoset.MaterialID].Layers) {
        const std::uint32_t t = layer.TextureID.staticValue;
        const Texture* texture = t < model.Textures.size() ? &model.Textures[t] : nullptr;
        const bool red = texture != nullptr && texture->ReplaceableId == kRedReplaceableId;
        glBindTexture(GL_TEXTURE_2D, red ? table.slots[kReplaceableRedSlot] : modelTextureName(table, t));
        if (layer.FilterMode == kFilterAdditive ||
            (texture != nullptr && texture->ReplaceableId == kGlowReplaceableId)) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_ONE, GL_ONE);
        } else if (layer.FilterMode == kFilterTransparent || layer.FilterMode == kFilterBlend) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        } else {
            glDisable(GL_BLEND);
        }
        drawIndexed(GL_TRIANGLES, triangles);
    }
}

void buildLines(const std::vector<std::uint32_t>& triangles, std::vector<std::uint32_t>& lines) {
    lines.resize(2 * triangles.size());
    for (std::size_t t = 0, l = 0; t + 2 < triangles.size(); t += 3, l += 6) {
        lines[l] = triangles[t];
        lines[l + 1] = triangles[t + 1];
        lines[l + 2] = triangles[t + 1];
        lines[l + 3] = triangles[t + 2];
        lines[l + 4] = triangles[t + 2];
        lines[l + 5] = triangles[t];
    }
}

void drawOverlay(Geoset& geoset, const AppState& state, const TextureTable& table,
                 const std::vector<std::uint32_t>& triangles, GeosetArrays& arrays) {
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, table.slots[kWhiteSlot]);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    buildLines(triangles, arrays.lines);
    drawIndexed(GL_LINES, arrays.lines);

    const WindowProjection projection = WindowProjection::current();
    const int viewportHeight = projection.viewport()[3];
    const bool markers = state.editMode == EditMode::Vertex;
    arrays.markers.reset(projection.viewport());
    for (Vertex& v : geoset.Vertices) {
        WindowPoint window;
        if (!projection.project(v.animatedPosition, window)) continue;
        v.screenPosition = {static_cast<float>(window.x), static_cast<float>(viewportHeight - window.y),
                            static_cast<float>(window.z)};
        if (markers) arrays.markers.add(window, v.selected ? kSelectedMarkerColour : kMarkerColour);
    }
    if (markers) arrays.markers.draw();
}

void drawSelectionTint(const Geoset& geoset, const TextureTable& table, GeosetArrays& arrays) {
    arrays.tinted.clear();
    const std::size_t count = std::min(geoset.triangleCount(), geoset.triangleSelected.size());
    for (std::size_t t = 0; t < count; ++t)
        if (geoset.triangleSelected[t] != 0 && triangleValid(geoset.corners, t, geoset.Vertices.size()))
            arrays.tinted.insert(arrays.tinted.end(), geoset.corners.begin() + 3 * t,
                                 geoset.corners.begin() + 3 * t + 3);
    if (arrays.tinted.empty()) return;
    glEnable(GL_BLEND);  // with the blend function last set, as the layers left it
    glBindTexture(GL_TEXTURE_2D, table.slots[kSelectionTintSlot]);
    glColor3f(1.0f, 0.6f, 0.6f);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    drawIndexed(GL_TRIANGLES, arrays.tinted);
    glDisable(GL_BLEND);
}

}  // namespace

void drawGeoset(Geoset& geoset, const Model& model, const AppState& state, const TextureTable& table) {
    if (geoset.shown == 0) return;
    GeosetArrays& arrays = scratch();
    const std::vector<std::uint32_t>& triangles = drawableTriangles(geoset, arrays);
    fillVertexArrays(geoset, arrays);

    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, arrays.positions.data());
    glTexCoordPointer(2, GL_FLOAT, 0, arrays.texCoords.data());
    drawLayers(geoset, model, table, triangles);

    if (state.showOverlay) drawOverlay(geoset, state, table, triangles, arrays);
    if (state.editMode == EditMode::Triangle) drawSelectionTint(geoset, table, arrays);

    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

}  // namespace tess
