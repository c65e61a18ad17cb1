#include "editor/uv_input.h"

#include <cstdint>
#include <cstdlib>

#include "editor/app_state.h"
#include "editor/uv_operations.h"

namespace tess {
namespace {

// The recorded row is the one below the cursor (saturating at the int32 limit).
std::int32_t rowBelow(std::int32_t y) {
    return y < INT32_MAX ? y + 1 : y;
}

// Per-axis scale factor of a scale drag step: grows with the distance, shrinks for a
// movement the other way.
float scaleFactor(std::int64_t delta) {
    const float grow = static_cast<float>(std::llabs(delta)) / 80.0f + 1.0f;
    return delta < 0 ? 1.0f / grow : grow;
}

void setTool(UvEditorState& state, Host& host, std::int32_t tool) {
    state.uvTool = tool;
    host.repaintUvEditor();  // the window refreshes its tool check marks with the client area
}

void dragStep(Model& model, UvEditorState& state, Host& host, std::int32_t x, std::int32_t y) {
    std::int64_t dx = std::int64_t{x} - state.lastMouseX;
    std::int64_t dy = std::int64_t{y} - state.lastMouseY;
    switch (state.uvDragState) {
        case UvPanning:
            uvPan(state, host, dx, dy);
            break;
        case UvBandSelecting:
            host.repaintUvEditor();  // the band follows the mouse
            break;
        case UvMoving: {
            const Vec2 now = screenToUv(state, x, y);
            const Vec2 last = screenToUv(state, state.lastMouseX, state.lastMouseY);
            uvMoveSelection(model, host, now[0] - last[0], now[1] - last[1]);
            break;
        }
        case UvRotating:
            uvRotateSelection(model, host, static_cast<float>(dx + dy) / 50.0f);
            break;
        case UvScaling:
            if (state.keyDown(kKeyShift)) dx = dy = (dx + dy) / 2;
            uvScaleSelection(model, host, scaleFactor(dx), scaleFactor(dy));
            break;
        default:
            break;
    }
}

}  // namespace

void uvLeftButtonDown(UvEditorState& state, std::int32_t x, std::int32_t y) {
    if (state.uvDragState != UvIdle) return;
    state.dragStartX = x;
    state.dragStartY = rowBelow(y);
    state.uvDragState = UvBandSelecting;
}

void uvRightButtonDown(UvEditorState& state, std::int32_t x, std::int32_t y) {
    if (state.uvDragState != UvIdle) return;
    switch (state.uvTool) {
        case UvMoveTool:
            state.uvDragState = UvMoving;
            break;
        case UvRotateTool:
            state.uvDragState = UvRotating;
            break;
        case UvScaleTool:
            state.uvDragState = UvScaling;
            break;
        default:
            return;
    }
    state.dragStartX = x;
    state.dragStartY = rowBelow(y);
}

void uvMiddleButtonDown(UvEditorState& state) {
    if (state.uvDragState == UvIdle) state.uvDragState = UvPanning;
}

void uvMiddleButtonUp(UvEditorState& state) {
    if (state.uvDragState == UvPanning) state.uvDragState = UvIdle;
}

void uvLeftOrRightButtonUp(Model& model, UvEditorState& state, Host& host) {
    if (state.uvDragState == UvBandSelecting) uvApplyRubberBand(model, state, host);
    state.uvDragState = UvIdle;
}

void uvMouseMove(Model& model, UvEditorState& state, Host& host, std::int32_t x, std::int32_t y) {
    const std::int32_t row = rowBelow(y);
    dragStep(model, state, host, x, row);
    state.lastMouseX = x;
    state.lastMouseY = row;
}

bool uvCommand(Model& model, UvEditorState& state, Host& host, int commandId,
               const std::function<void()>& remap) {
    switch (commandId) {
        case kUvCommandMove:
            setTool(state, host, UvMoveTool);
            return true;
        case kUvCommandRotate:
            setTool(state, host, UvRotateTool);
            return true;
        case kUvCommandScale:
            setTool(state, host, UvScaleTool);
            return true;
        case kUvCommandMirrorX:
            uvMirrorX(model, host);
            return true;
        case kUvCommandMirrorY:
            uvMirrorY(model, host);
            return true;
        case kUvCommandRemap:
            if (!remap) return false;
            remap();
            host.repaintUvEditor();
            return true;
        case kUvCommandExpandSelection:
            uvExpandSelection(model, host);
            return true;
        case kUvCommandNextTexture:
            uvNextTexture(model, state, host);
            return true;
        default:
            return false;
    }
}

int uvKeyDown(UvEditorState& state, Host& host, int virtualKey) {
    if (virtualKey < 0 || virtualKey >= 256) return 0;
    state.uvKeysDown[virtualKey] = true;
    switch (virtualKey) {
        case '1':
            setTool(state, host, UvRotateTool);
            return kUvCommandRotate;
        case '2':
            setTool(state, host, UvMoveTool);
            return kUvCommandMove;
        case '3':
            setTool(state, host, UvScaleTool);
            return kUvCommandScale;
        default:
            return 0;
    }
}

void uvKeyUp(UvEditorState& state, int virtualKey) {
    if (virtualKey >= 0 && virtualKey < 256) state.uvKeysDown[virtualKey] = false;
}

}  // namespace tess
