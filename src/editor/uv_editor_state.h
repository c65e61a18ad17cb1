#pragma once

#include <array>
#include <cstdint>

#include "view/selection.h"

namespace tess {

// What a right-button drag does in the UV editor.
enum class UvTool : std::int32_t { Move = 0, Rotate = 1, Scale = 2 };

// The UV editor's mouse drag in progress.
enum class UvDragState : std::int32_t {
    Idle = 0,
    Panning = 1,
    BandSelecting = 2,
    Moving = 3,
    Rotating = 4,
    Scaling = 5
};

// The UV editor window's state. Plain data: the window owns the bitmap and the widget.
// Texture space maps to the client area as pixel = (uv + pan) * uvZoom * client size, so
// (0, 0) is the top-left and (1, 1) the bottom-right corner at zoom 1 and pan 0.
struct UvEditorState {
    float uvZoom = 1;
    float uvPanU = 0;
    float uvPanV = 0;
    UvTool uvTool = UvTool::Move;
    UvDragState uvDragState = UvDragState::Idle;
    std::array<bool, 256> uvKeysDown{};  // virtual-key flags of this window only
    std::int32_t uvTexture = -1;         // index into the model's Textures to show, -1 none
    std::int32_t loadedTexture = -1;     // index of the image the window holds now, -1 none
    // Mouse positions in client pixels, y downward.
    std::int32_t dragStartX = 0;
    std::int32_t dragStartY = 0;
    std::int32_t lastMouseX = 0;
    std::int32_t lastMouseY = 0;
    // Client area size in pixels, stored by the window on every paint.
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    // The selection when the current move, rotate or scale drag began: its undo restores it.
    Selection dragStartSelection;

    bool keyDown(int virtualKey) const {
        return virtualKey >= 0 && virtualKey < 256 && uvKeysDown[virtualKey];
    }
};

}  // namespace tess
