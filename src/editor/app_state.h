#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/track.h"

namespace tess {

enum class EditMode : std::int32_t { Animation = 0, Vertex = 1, Triangle = 2, None = 3 };

enum Tool : std::int32_t { RotateTool = 0, MoveTool = 1, ScaleTool = 2, ExtrudeTool = 3 };

// Windows virtual-key codes the editor reacts to (the window translates its key events).
inline constexpr int kKeyEscape = 0x1B;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyShift = 0x10;
inline constexpr int kKeyControl = 0x11;

// The pose carried between models by Copy and Paste Keyframe.
struct KeyClipboard {
    bool valid = false;
    Quat rotation{0, 0, 0, 1};
    Vec3 translation{};
};

// The editor's global state. Plain data, no toolkit or GL types: window handles belong to
// the user-interface layer. Bones are referred to by their index in Bones, so no edit of
// the Bones array can leave a reference dangling (-1: none).
struct AppState {
    std::int32_t windowWidth = 640;  // client size in device pixels
    std::int32_t windowHeight = 480;
    bool isActive = true;
    std::array<bool, 256> keysDown{};
    EditMode editMode = EditMode::Vertex;
    std::int32_t currentTool = RotateTool;
    std::int32_t currentTime = 0;
    std::int32_t rangeStart = 0;
    std::int32_t rangeEnd = 1000;
    std::int32_t lastClock = 0;
    std::int32_t selectedNode = -1;       // index into Bones
    std::vector<std::uint32_t> allNodes;  // indices into Bones, in Bones order
    std::string currentFileName;
    std::int32_t viewType = 0;  // 0 Perspective, 1 Left, 2 Right, 3 Front, 4 Back, 5 Top, 6 Bottom
    float cameraPitch = 45;
    float cameraYaw = 45;
    float cameraRoll = 0;
    float cameraDistance = 200;
    Vec3 cameraTarget{};
    bool showOverlay = true;
    bool keyRotation = true;
    bool keyTranslation = true;
    bool keyScaling = true;
    KeyClipboard keyClipboard;

    // Viewport interaction. Mouse positions are client pixels, y downward.
    std::int32_t dragState = 0;  // 0 idle, 1 orbit, 2 pan, 3 rectangle, 4-6 rotate, 7-9 move,
                                 // 10-12 scale (X, Y, Z), 13 extrude
    std::int32_t dragStartX = 0;
    std::int32_t dragStartY = 0;
    std::int32_t lastMouseX = 0;
    std::int32_t lastMouseY = 0;
    // On-screen vectors of the gizmo axes (y downward), written when the gizmo is drawn;
    // axisScreenZ holds the extrude arrow's vector while the extrude tool is shown.
    Vec2 axisScreenX{};
    Vec2 axisScreenY{};
    Vec2 axisScreenZ{};
    Vec3 extrudeNormal{};  // unit direction of the extrude arrow

    bool keyDown(int virtualKey) const { return virtualKey >= 0 && virtualKey < 256 && keysDown[virtualKey]; }
};

}  // namespace tess
