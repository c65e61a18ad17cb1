#pragma once

#include <cstdint>
#include <optional>

#include "editor/document.h"
#include "editor/host.h"
#include "editor/uv_editor_state.h"

namespace tess {

// The UV editor's view mapping and edits. Every edit works on the first texture-coordinate
// set (uvSets[0]) and the UV-editor flags (document.selection) of the vertices of shown
// geosets only, and skips geosets that have no texture-coordinate set at all. An edit that
// changes what the window shows ends with Host::repaintUvEditor(); one that changes nothing
// does not repaint. Each first fits the document (fitDocument).

struct UvScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Client pixel of a texture point: (u + uvPanU) * uvZoom * clientWidth, likewise for v with
// the height; truncated toward zero and clamped to the int32 range (NaN maps to 0).
UvScreenPoint uvToScreen(const UvEditorState& state, float u, float v);

// Texture point under a client pixel, the inverse of uvToScreen. A client size that is not
// positive counts as 1, and a zero or non-finite size × zoom counts as 1, so the result is
// finite whenever the pan is.
Vec2 screenToUv(const UvEditorState& state, std::int32_t x, std::int32_t y);

// Mean first (u, v) of the UV-selected vertices of shown geosets; nullopt when none is
// selected (the operations that turn or mirror about it then do nothing).
std::optional<Vec2> uvSelectionCentroid(const Document& document);

// Pans the view by a mouse movement of (dx, dy) pixels, so the texture follows the mouse.
void uvPan(UvEditorState& state, Host& host, std::int64_t dx, std::int64_t dy);

// One wheel notch. `wheelWord` is the wheel's 16-bit delta word as an unsigned number: 0 or
// at least 1000 (a backward turn) zooms in by 1.25, anything else zooms out by 0.8; the pan
// is adjusted so the texture point at the centre of the window stays put. A notch that
// would take the zoom outside [kUvZoomMin, kUvZoomMax] is ignored, so the mapping never
// degenerates.
inline constexpr float kUvZoomMin = 1e-4f;
inline constexpr float kUvZoomMax = 1e4f;
void uvWheel(UvEditorState& state, Host& host, std::uint16_t wheelWord);

// Applies the rubber band from the drag start to the last mouse position to every vertex
// of the shown geosets. With Ctrl (uvKeysDown of the Control key) the vertices inside are
// added to the selection; else with Alt (Host::altKeyDown) they are removed from it; else
// the selection becomes exactly the vertices inside. The band's direction does not matter.
void uvApplyRubberBand(Document& document, const UvEditorState& state, Host& host);

// Transforms of the UV-selected vertices of shown geosets. A transform that would turn a
// finite coordinate into an infinity or NaN changes nothing at all. Rotation and scaling
// are about uvSelectionCentroid and do nothing without a selection.
void uvMoveSelection(Document& document, Host& host, float du, float dv);
void uvRotateSelection(Document& document, Host& host, float angleRadians);
void uvScaleSelection(Document& document, Host& host, float factorU, float factorV);
// Reflect the selection across the vertical (X) or horizontal (Y) line through its centroid.
void uvMirrorX(Document& document, Host& host);
void uvMirrorY(Document& document, Host& host);

// Selects every corner of every triangle that has a UV-selected corner, in every geoset with
// texture coordinates, shown or not, in one pass (the selection grows by one ring of
// triangles). Only selection flags change; corner indices out of range are ignored.
void uvExpandSelection(Document& document, Host& host);

// Shows the model's next texture: uvTexture + 1, back to 0 after the last (or from any
// index that is not valid); -1 when the model has no textures.
void uvNextTexture(const Model& model, UvEditorState& state, Host& host);

}  // namespace tess
