#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/track.h"

namespace tess {

// What the 3D view shows besides the model, shared by the editor (which changes it) and the
// drawing code (which only reads it). Plain data; field names are the editor state's.

enum class EditMode : std::int32_t { Animation = 0, Vertex = 1, Triangle = 2, None = 3 };

// The transform tool; Extrude exists in Triangle mode only.
enum class Tool : std::int32_t { Rotate = 0, Move = 1, Scale = 2, Extrude = 3 };

// The seven camera presets.
enum class ViewType : std::int32_t {
    Perspective = 0,
    Left = 1,
    Right = 2,
    Front = 3,
    Back = 4,
    Top = 5,
    Bottom = 6
};

// What the mouse drag in progress does. The X, Y and Z variants of each tool are
// consecutive, so `axisOf` and the tool families are arithmetic on the values.
enum class DragState : std::int32_t {
    Idle = 0,
    Orbit = 1,
    Pan = 2,
    Rectangle = 3,
    RotateX = 4,
    RotateY = 5,
    RotateZ = 6,
    MoveX = 7,
    MoveY = 8,
    MoveZ = 9,
    ScaleX = 10,
    ScaleY = 11,
    ScaleZ = 12,
    Extrude = 13,
};

// Display names, one table per enum, shared by every layer that prints or parses them
// (menus, status bar, logs). Values outside the enum give "".
std::string_view editModeName(EditMode mode);     // "Animation", "Vertex", "Triangle", "None"
std::string_view toolName(Tool tool);             // "Rotate", "Move", "Scale", "Extrude"
std::string_view viewTypeName(ViewType type);     // "Perspective", "Left", ... "Bottom"
std::string_view dragStateName(DragState state);  // "Idle", "Orbit", ... "Extrude"
// The inverse of the tables above; nullopt for a name that is not in them.
std::optional<EditMode> parseEditMode(std::string_view name);
std::optional<Tool> parseTool(std::string_view name);
std::optional<ViewType> parseViewType(std::string_view name);
std::optional<DragState> parseDragState(std::string_view name);

// The view's camera and window, the editing overlays it draws, and the drag in progress.
struct View {
    std::int32_t windowWidth = 640;  // client size in device pixels
    std::int32_t windowHeight = 480;
    ViewType viewType = ViewType::Perspective;
    float cameraPitch = 45;  // degrees
    float cameraYaw = 45;
    float cameraRoll = 0;
    float cameraDistance = 200;
    Vec3 cameraTarget{};
    EditMode editMode = EditMode::Vertex;
    Tool currentTool = Tool::Rotate;
    bool showOverlay = true;
    bool showGrid = true;                 // the ground grid (thumbnails leave it out)
    std::int32_t selectedNode = -1;       // index into Bones, -1: none
    std::vector<std::uint32_t> allNodes;  // indices into Bones whose markers are drawn
    // The drag in progress; positions are client pixels (device), y downward.
    DragState dragState = DragState::Idle;
    std::int32_t dragStartX = 0;
    std::int32_t dragStartY = 0;
    std::int32_t lastMouseX = 0;
    std::int32_t lastMouseY = 0;
};

// What drawing the view computes for the mouse tools: the on-screen vectors of the gizmo
// axes (window x right, y down, pixels) and the extrude arrow's unit direction. axisScreenZ
// holds the extrude arrow's vector while the extrude tool is shown.
struct GizmoVectors {
    Vec2 axisScreenX{};
    Vec2 axisScreenY{};
    Vec2 axisScreenZ{};
    Vec3 extrudeNormal{};
    friend bool operator==(const GizmoVectors&, const GizmoVectors&) = default;
};

// Where each vertex was drawn: per geoset, per vertex, window x, window y counted from the
// top of the viewport, and depth. Written by drawing (while the overlay is on), read by
// screen-space picking and remap; a vertex never drawn yet is at (0, 0, 0).
using ScreenPositions = std::vector<std::vector<Vec3>>;

}  // namespace tess
