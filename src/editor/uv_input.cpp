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

void setTool(UvEditorState& state, Host& host, UvTool tool) {
    state.uvTool = tool;
    host.repaintUvEditor();  // the window refreshes its tool check marks with the client area
}

void dragStep(Document& document, UvEditorState& state, Host& host, std::int32_t x, std::int32_t y) {
    std::int64_t dx = std::int64_t{x} - state.lastMouseX;
    std::int64_t dy = std::int64_t{y} - state.lastMouseY;
    switch (state.uvDragState) {
        case UvDragState::Panning:
            uvPan(state, host, dx, dy);
            break;
        case UvDragState::BandSelecting:
            host.repaintUvEditor();  // the band follows the mouse
            break;
        case UvDragState::Moving: {
            const Vec2 now = screenToUv(state, x, y);
            const Vec2 last = screenToUv(state, state.lastMouseX, state.lastMouseY);
            uvMoveSelection(document, host, now[0] - last[0], now[1] - last[1]);
            break;
        }
        case UvDragState::Rotating:
            uvRotateSelection(document, host, static_cast<float>(dx + dy) / 50.0f);
            break;
        case UvDragState::Scaling:
            if (state.keyDown(kKeyShift)) dx = dy = (dx + dy) / 2;
            uvScaleSelection(document, host, scaleFactor(dx), scaleFactor(dy));
            break;
        default:
            break;
    }
}

}  // namespace

void uvLeftButtonDown(UvEditorState& state, std::int32_t x, std::int32_t y) {
    if (state.uvDragState != UvDragState::Idle) return;
    state.dragStartX = x;
    state.dragStartY = rowBelow(y);
    state.uvDragState = UvDragState::BandSelecting;
}

void uvRightButtonDown(UvEditorState& state, std::int32_t x, std::int32_t y) {
    if (state.uvDragState != UvDragState::Idle) return;
    switch (state.uvTool) {
        case UvTool::Move:
            state.uvDragState = UvDragState::Moving;
            break;
        case UvTool::Rotate:
            state.uvDragState = UvDragState::Rotating;
            break;
        case UvTool::Scale:
            state.uvDragState = UvDragState::Scaling;
            break;
        default:
            return;
    }
    state.dragStartX = x;
    state.dragStartY = rowBelow(y);
}

void uvMiddleButtonDown(UvEditorState& state) {
    if (state.uvDragState == UvDragState::Idle) state.uvDragState = UvDragState::Panning;
}

void uvMiddleButtonUp(UvEditorState& state) {
    if (state.uvDragState == UvDragState::Panning) state.uvDragState = UvDragState::Idle;
}

void uvLeftOrRightButtonUp(Document& document, UvEditorState& state, Host& host) {
    if (state.uvDragState == UvDragState::BandSelecting) uvApplyRubberBand(document, state, host);
    state.uvDragState = UvDragState::Idle;
}

void uvMouseMove(Document& document, UvEditorState& state, Host& host, std::int32_t x, std::int32_t y) {
    const std::int32_t row = rowBelow(y);
    dragStep(document, state, host, x, row);
    state.lastMouseX = x;
    state.lastMouseY = row;
}

bool uvCommand(Document& document, UvEditorState& state, Host& host, int commandId,
               const std::function<void()>& remap) {
    switch (commandId) {
        case kUvCommandMove:
            setTool(state, host, UvTool::Move);
            return true;
        case kUvCommandRotate:
            setTool(state, host, UvTool::Rotate);
            return true;
        case kUvCommandScale:
            setTool(state, host, UvTool::Scale);
            return true;
        case kUvCommandMirrorX:
            uvMirrorX(document, host);
            return true;
        case kUvCommandMirrorY:
            uvMirrorY(document, host);
            return true;
        case kUvCommandRemap:
            if (!remap) return false;
            remap();
            host.repaintUvEditor();
            return true;
        case kUvCommandExpandSelection:
            uvExpandSelection(document, host);
            return true;
        case kUvCommandNextTexture:
            uvNextTexture(document.model, state, host);
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
            setTool(state, host, UvTool::Rotate);
            return kUvCommandRotate;
        case '2':
            setTool(state, host, UvTool::Move);
            return kUvCommandMove;
        case '3':
            setTool(state, host, UvTool::Scale);
            return kUvCommandScale;
        default:
            return 0;
    }
}

void uvKeyUp(UvEditorState& state, int virtualKey) {
    if (virtualKey >= 0 && virtualKey < 256) state.uvKeysDown[virtualKey] = false;
}

}  // namespace tess
