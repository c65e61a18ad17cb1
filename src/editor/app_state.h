#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/track.h"
#include "view/selection.h"
#include "view/view.h"

namespace tess {

// Windows virtual-key codes the editor reacts to (the window translates its key events).
inline constexpr int kKeyEscape = 0x1B;
inline constexpr int kKeyHome = 0x24;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyShift = 0x10;
inline constexpr int kKeyControl = 0x11;
inline constexpr int kKeyDelete = 0x2E;
inline constexpr int kKeyF1 = 0x70;  // F2..F24 follow
inline constexpr int kKeyF2 = 0x71;
inline constexpr int kKeyF3 = 0x72;
inline constexpr int kKeyF4 = 0x73;

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
    View view;           // camera, window size, mode, tool, overlay, selected node, drag
    GizmoVectors gizmo;  // what the last drawn frame computed for the mouse tools
    bool isActive = true;
    std::array<bool, 256> keysDown{};
    std::int32_t currentTime = 0;
    std::int32_t rangeStart = 0;
    std::int32_t rangeEnd = 1000;
    std::int32_t lastClock = 0;
    std::string currentFileName;
    // The open file's reader reported errors: what it could not read is missing from the
    // model, so saving over the file asks first.
    bool readWithErrors = false;
    bool keyRotation = true;
    bool keyTranslation = true;
    bool keyScaling = true;
    KeyClipboard keyClipboard;
    // The selection when the current drag began: undoing the drag restores it.
    Selection dragStartSelection;
    // Where this editor keeps its autosave; empty: no autosave.
    std::string autosaveFolder;

    bool keyDown(int virtualKey) const { return virtualKey >= 0 && virtualKey < 256 && keysDown[virtualKey]; }
};

}  // namespace tess
