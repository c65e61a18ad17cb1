#pragma once

#include <cstdint>

#include "editor/commands.h"
#include "editor/uv_editor_state.h"

namespace tess {

// The UV editor window's input on the editor's document. Every change these make to the
// model becomes one undo step (recordEdit) labelled with its menu text, restoring the
// selection it started from; a whole drag is one step, recorded when its button goes up.

// Right button down: starts the drag of uvTool (uvRightButtonDown) and, when one starts,
// remembers the selection for its undo step.
void uvEditorRightButtonDown(Editor& editor, UvEditorState& state, std::int32_t x, std::int32_t y);

// Left or right button up: ends the drag (uvLeftOrRightButtonUp); a Move, Rotate or Scale
// drag that changed the model is recorded as "Move", "Rotate" or "Scale".
void uvEditorButtonUp(Editor& editor, UvEditorState& state);

// Runs a command of the UV editor's menus (uvCommand, with Remap bound to remapSelection)
// and records its change: "Mirror X", "Mirror Y", "Remap". Returns false for an id the UV
// editor does not know.
bool uvEditorCommand(Editor& editor, UvEditorState& state, int commandId);

// Key down in the UV editor: uvKeyDown, then, while the window's Control flag is set, 'Z'
// undoes and 'Y' or Shift+'Z' redo, as in the main window.
void uvEditorKeyDown(Editor& editor, UvEditorState& state, int virtualKey);

// Undo and redo from the UV editor: nothing while a UV drag is in progress (its step is
// not recorded yet), else undoEdit / redoEdit.
void uvEditorUndo(Editor& editor, const UvEditorState& state);
void uvEditorRedo(Editor& editor, const UvEditorState& state);

}  // namespace tess
