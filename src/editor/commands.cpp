#include "editor/commands.h"

#include "editor/camera_steps.h"
#include "editor/dialog_commands.h"
#include "editor/file_commands.h"
#include "editor/keyframes.h"
#include "editor/mesh_edit.h"
#include "editor/mesh_selection.h"
#include "editor/primitives.h"
#include "editor/undo_commands.h"
#include "view/framing.h"

namespace tess {
namespace {

bool createPrimitiveCommand(Editor& editor, int id) {
    PrimitiveKind kind = PrimitiveKind::Plane;
    switch (id) {
        case command::kPlane:
            kind = PrimitiveKind::Plane;
            break;
        case command::kBox:
            kind = PrimitiveKind::Box;
            break;
        case command::kGeosphere:
            kind = PrimitiveKind::Geosphere;
            break;
        case command::kCylinder:
            kind = PrimitiveKind::Cylinder;
            break;
        case command::kTube:
            kind = PrimitiveKind::Tube;
            break;
        case command::kSphere:
            kind = PrimitiveKind::Sphere;
            break;
        default:
            return false;
    }
    createPrimitive(kind, editor.document, editor.state, editor.host);
    return true;
}

void applyPreset(Editor& editor, int id) {
    applyViewPreset(editor.state.view, static_cast<ViewType>(id - command::kPerspective));
    editor.viewport.projectionChanged();
}

// The Vertex, Triangle and Animation menu commands; false for any other id.
bool runModeMenuCommand(Editor& editor, int id) {
    Document& document = editor.document;
    AppState& state = editor.state;
    Host& host = editor.host;
    switch (id) {
        case command::kCreateTriangle:
            createTriangle(document, host);
            return true;
        case command::kDeleteVertices:
            deleteSelectedVertices(document);
            return true;
        case command::kDivide:
            divideEdges(document);
            return true;
        case command::kWeldVertices:
            weldVertices(document);
            return true;
        case command::kDeleteTriangles:
            deleteSelectedTriangles(document);
            return true;
        case command::kTurnEdge:
            turnEdge(document, host);
            return true;
        case command::kWeldTriangles:
            weldVerticesThenSelectFaceCorners(document);
            return true;
        case command::kFlip:
            flipTriangles(document);
            return true;
        case command::kCopyKeyframe:
            copyKeyframe(document, state);
            return true;
        case command::kPasteKeyframe:
            pasteKeyframe(document, state, host);
            return true;
        case command::kZeroKeyframe:
            zeroKeyframe(document, state, host);
            return true;
        case command::kDeleteKeyframe:
            deleteKeyframe(document, state, host);
            return true;
        default:
            return false;
    }
}

// The menu text of a command that edits the model; null for any other command.
const char* editLabel(int id) {
    switch (id) {
        case command::kPlane:
            return "Plane";
        case command::kBox:
            return "Box";
        case command::kGeosphere:
            return "Geosphere";
        case command::kCylinder:
            return "Cylinder";
        case command::kTube:
            return "Tube";
        case command::kSphere:
            return "Sphere";
        case command::kCreateTriangle:
            return "Create Triangle";
        case command::kDeleteVertices:
        case command::kDeleteTriangles:
            return "Delete";
        case command::kDivide:
            return "Divide";
        case command::kWeldVertices:
        case command::kWeldTriangles:
            return "Weld";
        case command::kTurnEdge:
            return "Turn Edge";
        case command::kFlip:
            return "Flip";
        case command::kPasteKeyframe:
            return "Paste Keyframe";
        case command::kZeroKeyframe:
            return "Zero Keyframe";
        case command::kDeleteKeyframe:
            return "Delete Keyframe";
        default:
            return nullptr;
    }
}

bool runCommand(Editor& editor, int id) {
    switch (id) {
        case command::kExit:
            editor.host.closeMainWindow();
            return true;
        case command::kSequences:
            editSequences(editor);
            return true;
        case command::kOpen:
            openFileCommand(editor);
            return true;
        case command::kSave:
            saveFileCommand(editor, false);
            return true;
        case command::kSaveAs:
            saveFileCommand(editor, true);
            return true;
        case command::kToggleOverlay:
            editor.state.view.showOverlay = !editor.state.view.showOverlay;
            return true;
        case command::kVertexMode:
            enterMode(editor, EditMode::Vertex);
            return true;
        case command::kTriangleMode:
            enterMode(editor, EditMode::Triangle);
            return true;
        case command::kAnimationMode:
            enterMode(editor, EditMode::Animation);
            return true;
        case command::kUvEditor:
            editor.host.showUvEditor();
            return true;
        case command::kUndo:
            undoEdit(editor);
            return true;
        case command::kRedo:
            redoEdit(editor);
            return true;
        case command::kFrameSelection:
            frameCamera(editor, false);
            return true;
        default:
            break;
    }
    if (id >= command::kPerspective && id <= command::kBottom) {
        applyPreset(editor, id);
        return true;
    }
    return createPrimitiveCommand(editor, id) || runModeMenuCommand(editor, id);
}

}  // namespace

void frameCamera(Editor& editor, bool wholeModel) {
    const Document& document = editor.document;
    if (frameView(editor.state.view, framingPoints(document.model, document.selection,
                                                   document.pose.animatedPositions, wholeModel)))
        editor.viewport.projectionChanged();
}

bool handleCommand(Editor& editor, int id) {
    const char* label = editLabel(id);
    if (label == nullptr) return runCommand(editor, id);
    const Selection before = editor.document.selection;
    runCommand(editor, id);
    recordEdit(editor, label, before);
    return true;
}

void enterMode(Editor& editor, EditMode mode) {
    editor.state.view.editMode = mode;
    if (mode == EditMode::None) return;
    if (mode == EditMode::Triangle)
        selectVerticesOfSelectedFaces(editor.document.model, editor.document.selection);
    editor.host.showModeMenu(mode);
    if (mode == EditMode::Animation)
        refreshTime(editor.document, editor.state, editor.host);
    else
        resetPose(editor.document);
}

}  // namespace tess
