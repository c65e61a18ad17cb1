#pragma once

#include <cstdint>
#include <functional>

#include "editor/document.h"
#include "editor/host.h"
#include "editor/uv_editor_state.h"

namespace tess {

// The UV editor window's mouse, key and command handling. The window translates its
// events into these calls; the edits themselves are in uv_operations.h.

inline constexpr int kUvCommandMove = 40045;
inline constexpr int kUvCommandRotate = 40046;
inline constexpr int kUvCommandScale = 40047;
inline constexpr int kUvCommandMirrorX = 40048;
inline constexpr int kUvCommandMirrorY = 40049;
inline constexpr int kUvCommandRemap = 40050;
inline constexpr int kUvCommandExpandSelection = 40051;
inline constexpr int kUvCommandNextTexture = 40064;

// Mouse handlers. (x, y) is the cursor's client pixel; the handlers record it as
// (x, y + 1), one row below the cursor, which is where the window's position has always
// been taken from. A drag starts only from the idle state.
void uvLeftButtonDown(UvEditorState& state, std::int32_t x, std::int32_t y);   // rubber band
void uvRightButtonDown(UvEditorState& state, std::int32_t x, std::int32_t y);  // uvTool's drag
void uvMiddleButtonDown(UvEditorState& state);                                 // pan
void uvMiddleButtonUp(UvEditorState& state);
// Ends any drag; a rubber band is applied first (from the drag start to the last mouse
// position, not the release position).
void uvLeftOrRightButtonUp(Document& document, UvEditorState& state, Host& host);
// One step of the drag in progress, then the position becomes the last mouse position.
// Pan and move follow the mouse; rotate turns by (dx + dy) / 50 radians; scale multiplies
// by |d| / 80 + 1 per axis (its inverse for a negative d), with Shift (uvKeysDown 0x10)
// using (dx + dy) / 2 for both axes.
void uvMouseMove(Document& document, UvEditorState& state, Host& host, std::int32_t x, std::int32_t y);

// Runs one of the window's commands (40045-40049, 40051, 40064) and returns true, or returns
// false for any other id. Remap (40050) is not done here: the dispatcher calls `remap`, which
// the caller binds to the remap operation with the state it needs, then repaints. An empty
// `remap` makes 40050 unhandled.
bool uvCommand(Document& document, UvEditorState& state, Host& host, int commandId,
               const std::function<void()>& remap);

// Key down in the window: sets its flag in uvKeysDown (codes outside 0-255 are ignored),
// then '1' selects Rotate, '2' Move and '3' Scale as their commands do. Returns the command
// id the key sent, or 0.
int uvKeyDown(UvEditorState& state, Host& host, int virtualKey);
void uvKeyUp(UvEditorState& state, int virtualKey);

}  // namespace tess
