#include "editor/uv_operations.h"

#include <cmath>
#include <limits>
#include <vector>

#include "editor/app_state.h"

namespace tess {
namespace {

// Pixels per texture unit along one axis. A degenerate size or zoom counts as 1 so that
// no mapping divides by zero.
double pixelsPerUnit(std::int32_t size, float zoom) {
    const double scale = static_cast<double>(size > 0 ? size : 1) * zoom;
    return std::isfinite(scale) && scale != 0 ? scale : 1.0;
}

std::int32_t toPixel(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    if (value <= kLow) return std::numeric_limits<std::int32_t>::min();
    if (value >= kHigh) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

// Calls f(vertex) for every vertex with texture coordinates in the shown geosets; `M` is
// Model or const Model.
template <class M, class F>
void forEachShownUvVertex(M& model, F&& f) {
    for (auto& geoset : model.Geosets) {
        if (!geoset.shown) continue;
        for (auto& v : geoset.Vertices)
            if (hasTextureCoordinates(v)) f(v);
    }
}

bool breaksFinite(float before, float after) {
    return std::isfinite(before) && !std::isfinite(after);
}

// Replaces the first (u, v) of every UV-selected vertex of the shown geosets by
// map(u, v). Checks every result first, so a step that would overflow leaves the whole
// selection as it was. Returns whether anything was written.
template <class Map>
bool transformSelection(Model& model, Map&& map) {
    bool valid = true;
    bool any = false;
    forEachShownUvVertex(static_cast<const Model&>(model), [&](const Vertex& v) {
        if (!v.uvSelected) return;
        const Vec2 result = map(v.U[0], v.V[0]);
        if (breaksFinite(v.U[0], result[0]) || breaksFinite(v.V[0], result[1])) valid = false;
        any = true;
    });
    if (!valid || !any) return false;
    forEachShownUvVertex(model, [&](Vertex& v) {
        if (!v.uvSelected) return;
        const Vec2 result = map(v.U[0], v.V[0]);
        v.U[0] = result[0];
        v.V[0] = result[1];
    });
    return true;
}

}  // namespace

bool hasTextureCoordinates(const Vertex& vertex) {
    return !vertex.U.empty() && !vertex.V.empty();
}

UvScreenPoint uvToScreen(const UvEditorState& state, float u, float v) {
    const double x = (static_cast<double>(u) + state.uvPanU) * state.uvZoom * state.clientWidth;
    const double y = (static_cast<double>(v) + state.uvPanV) * state.uvZoom * state.clientHeight;
    return {toPixel(x), toPixel(y)};
}

Vec2 screenToUv(const UvEditorState& state, std::int32_t x, std::int32_t y) {
    const double u = x / pixelsPerUnit(state.clientWidth, state.uvZoom) - state.uvPanU;
    const double v = y / pixelsPerUnit(state.clientHeight, state.uvZoom) - state.uvPanV;
    return {static_cast<float>(u), static_cast<float>(v)};
}

std::optional<Vec2> uvSelectionCentroid(const Model& model) {
    double sumU = 0;
    double sumV = 0;
    std::size_t count = 0;
    forEachShownUvVertex(model, [&](const Vertex& v) {
        if (!v.uvSelected) return;
        sumU += v.U[0];
        sumV += v.V[0];
        ++count;
    });
    if (count == 0) return std::nullopt;
    const double n = static_cast<double>(count);
    return Vec2{static_cast<float>(sumU / n), static_cast<float>(sumV / n)};
}

void uvPan(UvEditorState& state, Host& host, std::int64_t dx, std::int64_t dy) {
    state.uvPanU +=
        static_cast<float>(static_cast<double>(dx) / pixelsPerUnit(state.clientWidth, state.uvZoom));
    state.uvPanV +=
        static_cast<float>(static_cast<double>(dy) / pixelsPerUnit(state.clientHeight, state.uvZoom));
    host.repaintUvEditor();
}

void uvWheel(UvEditorState& state, Host& host, std::uint16_t wheelWord) {
    const bool backward = wheelWord == 0 || wheelWord >= 1000;
    const float factor = backward ? 1.25f : 0.8f;
    const float zoom = state.uvZoom * factor;
    if (!(zoom >= kUvZoomMin && zoom <= kUvZoomMax)) return;
    state.uvZoom = zoom;
    // Moves the pan by the half window that the zoom change adds or removes.
    const float shift = (backward ? -0.25f : 0.2f) / (2 * zoom);
    state.uvPanU += shift;
    state.uvPanV += shift;
    host.repaintUvEditor();
}

void uvApplyRubberBand(Model& model, const UvEditorState& state, Host& host) {
    const Vec2 a = screenToUv(state, state.dragStartX, state.dragStartY);
    const Vec2 b = screenToUv(state, state.lastMouseX, state.lastMouseY);
    const bool ctrl = state.keyDown(kKeyControl);
    const bool alt = host.altKeyDown();
    forEachShownUvVertex(model, [&](Vertex& v) {
        const float u = v.U[0];
        const float w = v.V[0];
        const bool inside = ((a[0] <= u) != (b[0] <= u)) && ((a[1] <= w) != (b[1] <= w));
        if (ctrl)
            v.uvSelected = v.uvSelected || inside;
        else if (alt)
            v.uvSelected = v.uvSelected && !inside;
        else
            v.uvSelected = inside;
    });
    host.repaintUvEditor();
}

void uvMoveSelection(Model& model, Host& host, float du, float dv) {
    if (transformSelection(model, [&](float u, float v) { return Vec2{u + du, v + dv}; }))
        host.repaintUvEditor();
}

void uvRotateSelection(Model& model, Host& host, float angleRadians) {
    const std::optional<Vec2> centre = uvSelectionCentroid(model);
    if (!centre) return;
    const float c = std::cos(angleRadians);
    const float s = std::sin(angleRadians);
    const float mu = (*centre)[0];
    const float mv = (*centre)[1];
    const bool changed = transformSelection(model, [&](float u, float v) {
        const float ru = u - mu;
        const float rv = v - mv;
        return Vec2{c * ru - s * rv + mu, s * ru + c * rv + mv};
    });
    if (changed) host.repaintUvEditor();
}

void uvScaleSelection(Model& model, Host& host, float factorU, float factorV) {
    const std::optional<Vec2> centre = uvSelectionCentroid(model);
    if (!centre) return;
    const float mu = (*centre)[0];
    const float mv = (*centre)[1];
    const bool changed = transformSelection(model, [&](float u, float v) {
        return Vec2{mu + (u - mu) * factorU, mv + (v - mv) * factorV};
    });
    if (changed) host.repaintUvEditor();
}

void uvMirrorX(Model& model, Host& host) {
    const std::optional<Vec2> centre = uvSelectionCentroid(model);
    if (!centre) return;
    const float mu = (*centre)[0];
    if (transformSelection(model, [&](float u, float v) { return Vec2{2 * mu - u, v}; }))
        host.repaintUvEditor();
}

void uvMirrorY(Model& model, Host& host) {
    const std::optional<Vec2> centre = uvSelectionCentroid(model);
    if (!centre) return;
    const float mv = (*centre)[1];
    if (transformSelection(model, [&](float u, float v) { return Vec2{u, 2 * mv - v}; }))
        host.repaintUvEditor();
}

void uvExpandSelection(Model& model, Host& host) {
    for (Geoset& geoset : model.Geosets) {
        std::vector<Vertex>& vertices = geoset.Vertices;
        // Marks first and selects afterwards, so one call grows the selection by one ring
        // instead of spreading through the whole mesh.
        std::vector<std::uint8_t> marked(vertices.size(), 0);
        const auto usable = [&](std::uint32_t corner) {
            return corner < vertices.size() && hasTextureCoordinates(vertices[corner]);
        };
        for (std::size_t t = 0; t < geoset.triangleCount(); ++t) {
            const std::uint32_t* corner = &geoset.corners[3 * t];
            bool touched = false;
            for (int k = 0; k < 3; ++k)
                touched = touched || (usable(corner[k]) && vertices[corner[k]].uvSelected);
            if (!touched) continue;
            for (int k = 0; k < 3; ++k)
                if (usable(corner[k])) marked[corner[k]] = 1;
        }
        for (std::size_t i = 0; i < vertices.size(); ++i)
            if (marked[i]) vertices[i].uvSelected = 1;
    }
    host.repaintUvEditor();
}

void uvNextTexture(const Model& model, UvEditorState& state, Host& host) {
    const auto count = static_cast<std::int64_t>(model.Textures.size());
    const std::int64_t next = static_cast<std::int64_t>(state.uvTexture) + 1;
    if (count == 0)
        state.uvTexture = -1;
    else
        state.uvTexture = next >= 0 && next < count ? static_cast<std::int32_t>(next) : 0;
    host.repaintUvEditor();
}

}  // namespace tess
