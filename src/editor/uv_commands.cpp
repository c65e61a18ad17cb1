#include "editor/uv_commands.h"

#include "editor/undo_commands.h"
#include "editor/uv_input.h"
#include "editor/uv_remap.h"

namespace tess {
namespace {

const char* dragLabel(UvDragState drag) {
    switch (drag) {
        case UvDragState::Moving:
            return "Move";
        case UvDragState::Rotating:
            return "Rotate";
        case UvDragState::Scaling:
            return "Scale";
        default:
            return nullptr;
    }
}

const char* commandLabel(int commandId) {
    switch (commandId) {
        case kUvCommandMirrorX:
            return "Mirror X";
        case kUvCommandMirrorY:
            return "Mirror Y";
        case kUvCommandRemap:
            return "Remap";
        default:
            return nullptr;
    }
}

}  // namespace

void uvEditorRightButtonDown(Editor& editor, UvEditorState& state, std::int32_t x, std::int32_t y) {
    const bool idle = state.uvDragState == UvDragState::Idle;
    uvRightButtonDown(state, x, y);
    if (idle && state.uvDragState != UvDragState::Idle) state.dragStartSelection = editor.document.selection;
}

void uvEditorButtonUp(Editor& editor, UvEditorState& state) {
    const char* label = dragLabel(state.uvDragState);
    uvLeftOrRightButtonUp(editor.document, state, editor.host);
    if (label != nullptr) recordEdit(editor, label, state.dragStartSelection);
}

bool uvEditorCommand(Editor& editor, UvEditorState& state, int commandId) {
    const Selection before = editor.document.selection;
    const bool handled = uvCommand(editor.document, state, editor.host, commandId,
                                   [&editor] { remapSelection(editor.document, editor.state, editor.host); });
    if (const char* label = commandLabel(commandId)) recordEdit(editor, label, before);
    return handled;
}

void uvEditorKeyDown(Editor& editor, UvEditorState& state, int virtualKey) {
    uvKeyDown(state, editor.host, virtualKey);
    if (!state.keyDown(kKeyControl)) return;
    if (virtualKey == 'Z' && !state.keyDown(kKeyShift))
        uvEditorUndo(editor, state);
    else if (virtualKey == 'Z' || virtualKey == 'Y')
        uvEditorRedo(editor, state);
}

void uvEditorUndo(Editor& editor, const UvEditorState& state) {
    if (state.uvDragState == UvDragState::Idle) undoEdit(editor);
}

void uvEditorRedo(Editor& editor, const UvEditorState& state) {
    if (state.uvDragState == UvDragState::Idle) redoEdit(editor);
}

}  // namespace tess
