#include <cstdint>

#include "editor/camera_steps.h"
#include "editor/commands.h"
#include "editor/extrude.h"
#include "editor/picking.h"
#include "editor/transform_tools.h"
#include "editor/undo_commands.h"

namespace tess {
namespace {

bool inFamily(DragState drag, DragState first) {
    const auto offset = static_cast<std::int32_t>(drag) - static_cast<std::int32_t>(first);
    return offset >= 0 && offset < 3;
}

// The difference of two positions, saturated to the i32 range.
std::int32_t difference(std::int32_t a, std::int32_t b) {
    const std::int64_t d = std::int64_t{a} - b;
    return static_cast<std::int32_t>(d < INT32_MIN ? INT32_MIN : d > INT32_MAX ? INT32_MAX : d);
}

// Vertex and Triangle mode: a gizmo drag edits the selected vertices, shown at rest.
void dragSelection(Editor& editor, DragState drag, std::int32_t dx, std::int32_t dy) {
    Document& document = editor.document;
    const AppState& state = editor.state;
    if (inFamily(drag, DragState::RotateX))
        rotateSelection(document, state, drag, dx, dy);
    else if (inFamily(drag, DragState::MoveX))
        moveSelection(document, state, drag, dx, dy);
    else if (inFamily(drag, DragState::ScaleX))
        scaleSelection(document, state, drag, dx, dy);
    else if (drag == DragState::Extrude && state.view.editMode == EditMode::Triangle)
        extrudeMove(document, state, dx, dy);
    else
        return;
    resetPose(document);
}

// Animation mode: a gizmo drag writes the selected bone's key; an orbit turns here once more.
void dragNode(Editor& editor, DragState drag, std::int32_t dx, std::int32_t dy) {
    if (drag == DragState::Orbit)
        orbitStep(editor.state.view, dx, dy);
    else if (inFamily(drag, DragState::RotateX))
        rotateNodeKey(editor.document, editor.state, editor.host, drag, dx, dy);
    else if (inFamily(drag, DragState::MoveX))
        moveNodeKey(editor.document, editor.state, editor.host, drag, dx, dy);
}

// The undo label of a drag that edits the model; null for the others.
const char* dragLabel(DragState drag) {
    if (inFamily(drag, DragState::RotateX)) return "Rotate";
    if (inFamily(drag, DragState::MoveX)) return "Move";
    if (inFamily(drag, DragState::ScaleX)) return "Scale";
    if (drag == DragState::Extrude) return "Extrude";
    return nullptr;
}

}  // namespace

void onLeftButtonDown(Editor& editor, std::int32_t x, std::int32_t y) {
    View& view = editor.state.view;
    if (view.dragState != DragState::Idle) return;
    view.dragStartX = x;
    view.dragStartY = y;
    editor.state.dragStartSelection = editor.document.selection;
    const bool perspective = view.viewType == ViewType::Perspective;
    switch (view.editMode) {
        case EditMode::Animation: {
            DragState code = DragState::Idle;
            if (editor.viewport.pickHandle(x, y, code)) {
                view.dragState = code;
                refreshTime(editor.document, editor.state, editor.host);
            } else {
                view.dragState = perspective ? DragState::Orbit : DragState::Idle;
            }
            return;
        }
        case EditMode::Vertex:
        case EditMode::Triangle: {
            const bool orbit = perspective && editor.state.keyDown(kKeyShift);
            DragState code = orbit ? DragState::Orbit : DragState::Rectangle;
            editor.viewport.pickHandle(x, y, code);
            view.dragState = code;
            if (code == DragState::Extrude && view.editMode == EditMode::Triangle)
                extrudeSelection(editor.document);
            return;
        }
        default:
            return;
    }
}

void onMiddleButtonDown(Editor& editor) {
    View& view = editor.state.view;
    if (view.dragState == DragState::Idle) view.dragState = DragState::Pan;
}

void onButtonUp(Editor& editor, std::int32_t x, std::int32_t y) {
    View& view = editor.state.view;
    const std::int64_t dx = std::int64_t{x} - view.dragStartX;
    const std::int64_t dy = std::int64_t{y} - view.dragStartY;
    const bool moved = dx * dx + dy * dy >= 4;
    if (view.dragState == DragState::Rectangle) {
        Document& document = editor.document;
        const AppState& state = editor.state;
        if (view.editMode == EditMode::Vertex) {
            if (moved)
                pickVerticesInRectangle(document, state, editor.host, view.dragStartX, view.dragStartY, x, y);
            else
                pickVertex(document, state, editor.host, x, y);
        } else if (view.editMode == EditMode::Triangle) {
            if (moved)
                pickTrianglesInRectangle(document, state, editor.host, view.dragStartX, view.dragStartY, x,
                                         y);
            else
                pickTriangle(document, state, editor.host, x, y);
        }
    }
    if (const char* label = dragLabel(view.dragState))
        recordEdit(editor, label, editor.state.dragStartSelection);
    view.dragState = DragState::Idle;
}

void onMouseMove(Editor& editor, std::int32_t x, std::int32_t y) {
    View& view = editor.state.view;
    const std::int32_t dx = difference(x, view.lastMouseX);
    const std::int32_t dy = difference(y, view.lastMouseY);
    const DragState drag = view.dragState;
    if (view.editMode == EditMode::Animation)
        dragNode(editor, drag, dx, dy);
    else if (view.editMode == EditMode::Vertex || view.editMode == EditMode::Triangle)
        dragSelection(editor, drag, dx, dy);
    if (drag == DragState::Pan) panStep(view, dx, dy);
    if (drag == DragState::Orbit) orbitStep(view, dx, dy);
    view.lastMouseX = x;
    view.lastMouseY = y;
}

}  // namespace tess
