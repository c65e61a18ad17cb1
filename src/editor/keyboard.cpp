#include <algorithm>

#include "editor/camera_steps.h"
#include "editor/commands.h"
#include "editor/keyframes.h"
#include "editor/undo_commands.h"

namespace tess {
namespace {

// The keys of one mode's menu: each sends that menu's command. False when the key has none.
bool runModeKey(Editor& editor, int key) {
    switch (editor.state.view.editMode) {
        case EditMode::Animation:
            switch (key) {
                case kKeyDelete:
                    return handleCommand(editor, command::kDeleteKeyframe);
                case '0':
                    return handleCommand(editor, command::kZeroKeyframe);
                case 'C':
                    return handleCommand(editor, command::kCopyKeyframe);
                case 'V':
                    return handleCommand(editor, command::kPasteKeyframe);
                case 'N':
                    jumpToNearestKey(editor.document, editor.state, editor.host);
                    return true;
                default:
                    return false;
            }
        case EditMode::Vertex:
            switch (key) {
                case kKeyDelete:
                    return handleCommand(editor, command::kDeleteVertices);
                case 'D':
                    return handleCommand(editor, command::kDivide);
                case 'W':
                    return handleCommand(editor, command::kWeldVertices);
                default:
                    return false;
            }
        case EditMode::Triangle:
            switch (key) {
                case kKeyDelete:
                    return handleCommand(editor, command::kDeleteTriangles);
                case 'E':
                    return handleCommand(editor, command::kTurnEdge);
                // The vertex Weld: the selected vertices are the faces' corners already.
                case 'W':
                    return handleCommand(editor, command::kWeldVertices);
                default:
                    return false;
            }
        default:
            return false;
    }
}

}  // namespace

void handleKeyDown(Editor& editor, int virtualKey) {
    AppState& state = editor.state;
    if (virtualKey < 0 || virtualKey >= static_cast<int>(state.keysDown.size())) return;
    state.keysDown[virtualKey] = true;
    switch (virtualKey) {
        case '1':
            state.view.currentTool = Tool::Rotate;
            return;
        case '2':
            state.view.currentTool = Tool::Move;
            return;
        case '3':
            state.view.currentTool = Tool::Scale;
            return;
        case '4':
            if (state.view.editMode == EditMode::Triangle) state.view.currentTool = Tool::Extrude;
            return;
        case 'L':
            if (state.keyDown(kKeyControl)) {
                const Selection before = editor.document.selection;
                makeLinear(editor.document, state, editor.host);
                recordEdit(editor, "Make Linear", before);
            }
            return;
        // Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo.
        case 'Z':
        case 'Y':
            if (!state.keyDown(kKeyControl)) break;
            handleCommand(editor,
                          virtualKey == 'Z' && !state.keyDown(kKeyShift) ? command::kUndo : command::kRedo);
            return;
        case 'O':
            handleCommand(editor, command::kToggleOverlay);
            return;
        case 'F':
            handleCommand(editor, command::kFrameSelection);
            return;
        case kKeyHome:
            frameCamera(editor, true);
            return;
        case kKeyF1:
            enterMode(editor, EditMode::Vertex);
            return;
        case kKeyF2:
            enterMode(editor, EditMode::Triangle);
            return;
        case kKeyF3:
            enterMode(editor, EditMode::Animation);
            return;
        case kKeyF4:
            state.view.editMode = EditMode::None;
            return;
        default:
            break;
    }
    runModeKey(editor, virtualKey);
}

void handleKeyUp(Editor& editor, int virtualKey) {
    if (virtualKey >= 0 && virtualKey < static_cast<int>(editor.state.keysDown.size()))
        editor.state.keysDown[virtualKey] = false;
}

void handleWheel(Editor& editor, std::uint16_t wheelWord) {
    zoomStep(editor.state.view, wheelWord);
    editor.viewport.projectionChanged();
}

void handleResize(Editor& editor, std::int32_t width, std::int32_t height) {
    editor.state.view.windowWidth = std::max(width, 0);
    editor.state.view.windowHeight = std::max(height, 1);
    editor.viewport.projectionChanged();
}

}  // namespace tess
