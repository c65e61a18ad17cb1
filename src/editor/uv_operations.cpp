#include "editor/uv_operations.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "editor/app_state.h"
#include "editor/vertex_arrays.h"

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

// Calls f(uv, uvSelected) for every vertex of the shown geosets that have texture
// coordinates; `D` is Document or const Document, whose arrays may be of any length.
template <class D, class F>
void forEachShownUv(D& document, F&& f) {
    const std::size_t geosets = std::min(document.model.Geosets.size(), document.selection.geosets.size());
    for (std::size_t g = 0; g < geosets; ++g) {
        auto& geoset = document.model.Geosets[g];
        if (!document.selection.isShown(g) || geoset.textureSetCount() == 0) continue;
        auto& flags = document.selection.geosets[g].uvs;
        const std::size_t count = std::min(flags.size(), geoset.uvSets[0].size());
        for (std::size_t v = 0; v < count; ++v) f(geoset.uvSets[0][v], flags[v]);
    }
}

bool breaksFinite(float before, float after) {
    return std::isfinite(before) && !std::isfinite(after);
}

// Replaces the first (u, v) of every UV-selected vertex of the shown geosets by
// map(u, v). Checks every result first, so a step that would overflow leaves the whole
// selection as it was. Returns whether anything was written.
template <class Map>
bool transformSelection(Document& document, Map&& map) {
    fitDocument(document);
    bool valid = true;
    bool any = false;
    forEachShownUv(static_cast<const Document&>(document), [&](const Vec2& uv, std::uint8_t selected) {
        if (!selected) return;
        const Vec2 result = map(uv[0], uv[1]);
        if (breaksFinite(uv[0], result[0]) || breaksFinite(uv[1], result[1])) valid = false;
        any = true;
    });
    if (!valid || !any) return false;
    forEachShownUv(document, [&](Vec2& uv, std::uint8_t selected) {
        if (selected) uv = map(uv[0], uv[1]);
    });
    return true;
}

}  // namespace

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

std::optional<Vec2> uvSelectionCentroid(const Document& document) {
    double sumU = 0;
    double sumV = 0;
    std::size_t count = 0;
    forEachShownUv(document, [&](const Vec2& uv, std::uint8_t selected) {
        if (!selected) return;
        sumU += uv[0];
        sumV += uv[1];
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

void uvApplyRubberBand(Document& document, const UvEditorState& state, Host& host) {
    fitDocument(document);
    const Vec2 a = screenToUv(state, state.dragStartX, state.dragStartY);
    const Vec2 b = screenToUv(state, state.lastMouseX, state.lastMouseY);
    const bool ctrl = state.keyDown(kKeyControl);
    const bool alt = host.altKeyDown();
    forEachShownUv(document, [&](const Vec2& uv, std::uint8_t& selected) {
        const bool inside = ((a[0] <= uv[0]) != (b[0] <= uv[0])) && ((a[1] <= uv[1]) != (b[1] <= uv[1]));
        if (ctrl)
            selected = selected || inside;
        else if (alt)
            selected = selected && !inside;
        else
            selected = inside;
    });
    host.repaintUvEditor();
}

void uvMoveSelection(Document& document, Host& host, float du, float dv) {
    if (transformSelection(document, [&](float u, float v) { return Vec2{u + du, v + dv}; }))
        host.repaintUvEditor();
}

void uvRotateSelection(Document& document, Host& host, float angleRadians) {
    const std::optional<Vec2> centre = uvSelectionCentroid(document);
    if (!centre) return;
    const float c = std::cos(angleRadians);
    const float s = std::sin(angleRadians);
    const float mu = (*centre)[0];
    const float mv = (*centre)[1];
    const bool changed = transformSelection(document, [&](float u, float v) {
        const float ru = u - mu;
        const float rv = v - mv;
        return Vec2{c * ru - s * rv + mu, s * ru + c * rv + mv};
    });
    if (changed) host.repaintUvEditor();
}

void uvScaleSelection(Document& document, Host& host, float factorU, float factorV) {
    const std::optional<Vec2> centre = uvSelectionCentroid(document);
    if (!centre) return;
    const float mu = (*centre)[0];
    const float mv = (*centre)[1];
    const bool changed = transformSelection(document, [&](float u, float v) {
        return Vec2{mu + (u - mu) * factorU, mv + (v - mv) * factorV};
    });
    if (changed) host.repaintUvEditor();
}

void uvMirrorX(Document& document, Host& host) {
    const std::optional<Vec2> centre = uvSelectionCentroid(document);
    if (!centre) return;
    const float mu = (*centre)[0];
    if (transformSelection(document, [&](float u, float v) { return Vec2{2 * mu - u, v}; }))
        host.repaintUvEditor();
}

void uvMirrorY(Document& document, Host& host) {
    const std::optional<Vec2> centre = uvSelectionCentroid(document);
    if (!centre) return;
    const float mv = (*centre)[1];
    if (transformSelection(document, [&](float u, float v) { return Vec2{u, 2 * mv - v}; }))
        host.repaintUvEditor();
}

void uvExpandSelection(Document& document, Host& host) {
    fitDocument(document);
    for (std::size_t g = 0; g < document.model.Geosets.size(); ++g) {
        const Geoset& geoset = document.model.Geosets[g];
        if (geoset.textureSetCount() == 0) continue;
        std::vector<std::uint8_t>& flags = document.selection.geosets[g].uvs;
        // Marks first and selects afterwards, so one call grows the selection by one ring
        // instead of spreading through the whole mesh.
        std::vector<std::uint8_t> marked(flags.size(), 0);
        for (std::size_t t = 0; t < geoset.triangleCount(); ++t) {
            const std::uint32_t* corner = &geoset.corners[3 * t];
            if (!flagAt(flags, corner[0]) && !flagAt(flags, corner[1]) && !flagAt(flags, corner[2])) continue;
            for (int k = 0; k < 3; ++k)
                if (corner[k] < marked.size()) marked[corner[k]] = 1;
        }
        for (std::size_t i = 0; i < flags.size(); ++i) flags[i] |= marked[i];
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
