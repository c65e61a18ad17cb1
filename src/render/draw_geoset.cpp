#include "render/draw_geoset.h"

#include <GL/gl.h>

#include <array>
#include <vector>

#include "model/filter_mode.h"
#include "render/vertex_markers.h"
#include "render/window_projection.h"

namespace tess {

namespace {

static_assert(sizeof(Vec3) == 3 * sizeof(float) && sizeof(Vec2) == 2 * sizeof(float),
              "the model's vectors are handed to GL as packed float arrays");

constexpr std::uint32_t kRedReplaceableId = 1;
constexpr std::uint32_t kGlowReplaceableId = 2;
constexpr std::array<std::uint8_t, 4> kMarkerColour = {255, 255, 255, 0};
constexpr std::array<std::uint8_t, 4> kSelectedMarkerColour = {255, 0, 0, 0};
// Column-major (s, t) -> (s, 1 - t): the images' rows run bottom-up, the model's v downward.
constexpr GLfloat kFlipV[16] = {1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 1, 0, 1};

// Index lists of one geoset, kept between calls so that their memory is allocated once
// rather than every frame.
struct GeosetArrays {
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
    const std::size_t n = geoset.vertexCount();
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

// Texture coordinates straight from texture set 0; without one every vertex has (0, 0).
void useTextureCoordinates(const Geoset& geoset) {
    if (!geoset.uvSets.empty() && geoset.uvSets[0].size() >= geoset.vertexCount()) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, geoset.uvSets[0].data());
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoord2f(0, 0);
    }
}

void drawIndexed(GLenum mode, const std::vector<std::uint32_t>& indices) {
    if (!indices.empty())
        glDrawElements(mode, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
}

void drawLayers(const Scene& scene, const Geoset& geoset, const std::vector<std::uint32_t>& triangles) {
    const Model& model = scene.model;
    if (geoset.MaterialID >= model.Materials.size()) return;
    for (const Layer& layer : model.Materials[geoset.MaterialID].Layers) {
        const std::uint32_t t = layer.TextureID.staticValue;
        const Texture* texture = t < model.Textures.size() ? &model.Textures[t] : nullptr;
        const bool red = texture != nullptr && texture->ReplaceableId == kRedReplaceableId;
        glBindTexture(GL_TEXTURE_2D,
                      red ? scene.textures.slots[kReplaceableRedSlot] : modelTextureName(scene.textures, t));
        switch (layerBlend(model, layer)) {
            case LayerBlend::Additive:
                glEnable(GL_BLEND);
                glBlendFunc(GL_ONE, GL_ONE);
                break;
            case LayerBlend::Alpha:
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                break;
            case LayerBlend::None:
                glDisable(GL_BLEND);
                break;
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

void drawOverlay(const Scene& scene, std::size_t g, const std::vector<std::uint32_t>& triangles,
                 GeosetArrays& arrays, std::vector<Vec3>& screenPositions) {
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, scene.textures.slots[kWhiteSlot]);
    buildLines(triangles, arrays.lines);
    drawIndexed(GL_LINES, arrays.lines);

    const std::vector<Vec3>& positions = scene.positions(g);
    const std::vector<std::uint8_t>& selected = scene.marks(g).vertices;
    const std::size_t n = scene.model.Geosets[g].vertexCount();
    screenPositions.resize(n);
    const WindowProjection projection = WindowProjection::current();
    const int viewportHeight = projection.viewport()[3];
    const bool markers = scene.view.editMode == EditMode::Vertex;
    arrays.markers.reset(projection.viewport());
    for (std::size_t v = 0; v < n; ++v) {
        WindowPoint window;
        if (!projection.project(positions[v], window)) continue;
        screenPositions[v] = {static_cast<float>(window.x), static_cast<float>(viewportHeight - window.y),
                              static_cast<float>(window.z)};
        if (markers)
            arrays.markers.add(window, flagAt(selected, v) != 0 ? kSelectedMarkerColour : kMarkerColour);
    }
    if (markers) arrays.markers.draw();
}

// The texture coordinates are those the layers used; the grey texture is one texel, so they
// cannot change the tint.
void drawSelectionTint(const Scene& scene, const Geoset& geoset, const std::vector<std::uint8_t>& selected,
                       GeosetArrays& arrays) {
    arrays.tinted.clear();
    for (std::size_t t = 0; t < geoset.triangleCount(); ++t)
        if (flagAt(selected, t) != 0 && triangleValid(geoset.corners, t, geoset.vertexCount()))
            arrays.tinted.insert(arrays.tinted.end(), geoset.corners.begin() + 3 * t,
                                 geoset.corners.begin() + 3 * t + 3);
    if (arrays.tinted.empty()) return;
    glEnable(GL_BLEND);  // with the blend function last set, as the layers left it
    glBindTexture(GL_TEXTURE_2D, scene.textures.slots[kSelectionTintSlot]);
    glColor3f(1.0f, 0.6f, 0.6f);
    drawIndexed(GL_TRIANGLES, arrays.tinted);
    glDisable(GL_BLEND);
}

}  // namespace

LayerBlend layerBlend(const Model& model, const Layer& layer) {
    const std::uint32_t t = layer.TextureID.staticValue;
    const bool glow = t < model.Textures.size() && model.Textures[t].ReplaceableId == kGlowReplaceableId;
    const auto mode = static_cast<FilterMode>(layer.FilterMode);
    if (mode == FilterMode::Additive || glow) return LayerBlend::Additive;
    if (mode == FilterMode::Transparent || mode == FilterMode::Blend) return LayerBlend::Alpha;
    return LayerBlend::None;
}

void drawGeoset(const Scene& scene, std::size_t g, std::vector<Vec3>& screenPositions) {
    if (!scene.selection.isShown(g)) return;
    const Geoset& geoset = scene.model.Geosets[g];
    GeosetArrays& arrays = scratch();
    const std::vector<std::uint32_t>& triangles = drawableTriangles(geoset, arrays);

    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadMatrixf(kFlipV);
    glMatrixMode(GL_MODELVIEW);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, scene.positions(g).data());
    useTextureCoordinates(geoset);
    drawLayers(scene, geoset, triangles);

    if (scene.view.showOverlay) drawOverlay(scene, g, triangles, arrays, screenPositions);
    if (scene.view.editMode == EditMode::Triangle)
        drawSelectionTint(scene, geoset, scene.marks(g).triangles, arrays);

    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace tess
