#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "model/model.h"
#include "view/view.h"

namespace tess {

// Picking of the handles drawn over the model (gizmo cones, the extrude arrow, node markers)
// with GL selection mode: the pickable drawers run under a one-pixel pick matrix and the
// nearest hit record's first name identifies the handle (names in render/draw_gizmo.h).

// Entries of a selection buffer at the first try; enough for about 128 one-name records.
inline constexpr std::size_t kPickBufferEntries = 512;

// Hands `buffer` to GL, switches to selection mode and puts a 1 x 1 pick matrix centred on
// window (x, y) (y counted from the top of the current viewport) under the projection of
// `view`. Leaves the modelview matrix selected, holding what it held (the view transform of
// the last frame), with an empty name stack. `buffer` must stay alive until endPick.
void beginPick(std::vector<std::uint32_t>& buffer, const View& view, std::int32_t x, std::int32_t y);

// Restores the projection, selects the modelview matrix and returns to rendering mode.
// Returns the number of hit records, negative when they did not fit into the buffer.
std::int32_t endPick();

// The first name of the record with the smallest minimum depth (unsigned; the first record
// wins a tie) among the records of `buffer` (name count, minimum depth, maximum depth, names).
// Reads at most `hitCount` records, and never past the end of the buffer: for a negative
// count (an overflow) every record that fits whole is read. Nothing when no record with a
// name was found.
std::optional<std::uint32_t> nearestHitName(std::span<const std::uint32_t> buffer, std::int32_t hitCount);

// Runs `drawPickable` between beginPick and endPick at (x, y) and returns the nearest hit's
// first name, nothing when nothing was hit. When the records overflow the buffer, the buffer
// is enlarged and the pick run again, so the nearest hit is found among all of them. The
// depth buffer is cleared first; the drawers see the modelview matrix of the last frame.
std::optional<std::uint32_t> pickName(const View& view, std::int32_t x, std::int32_t y,
                                      const std::function<void()>& drawPickable);

// What a picked name means for the mouse tools.
struct PickedHandle {
    std::optional<DragState> code;             // the drag to start; nothing: keep the caller's
    std::optional<std::int32_t> selectedNode;  // the node to select (an index into Bones)
};

// The meaning of `name` with the current tool: a gizmo cone of axis a gives rotate 4 + a,
// move 7 + a or scale 10 + a by the tool, and nothing with the extrude tool; the extrude arrow
// gives Extrude; a node marker gives Idle and selects the last bone of `allNodes` whose
// ObjectId is name - 5 (none selected when no bone has it).
PickedHandle handleForName(std::uint32_t name, Tool tool, const Model& model,
                           const std::vector<std::uint32_t>& allNodes);

}  // namespace tess
