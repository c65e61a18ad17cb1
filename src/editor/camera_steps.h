#pragma once

#include <cstdint>

#include "editor/app_state.h"

namespace tess {

inline constexpr float kMinCameraDistance = 1e-3f;
inline constexpr float kMaxCameraDistance = 1e7f;

// Camera navigation. These change AppState only; after zoomStep and applyViewPreset the
// caller loads the new projection (setProjection), since the orthographic views' extent
// follows cameraDistance.

// Orbits by the mouse movement (pixels): one degree of pitch per pixel down and of yaw per
// pixel right. Pitch is clamped to -90..90; yaw below 0 gains 360, then above 360 loses 360.
void orbitStep(AppState& state, int dx, int dy);

// Pans the target by half the mouse movement, turned back through the camera's pitch and
// yaw (the roll is not taken into account).
void panStep(AppState& state, int dx, int dy);

// One wheel notch: the wheel word (the high 16 bits of the wheel message, unsigned) in
// 1..999 is a forward turn and moves in (distance x 0.8); anything else moves out (x 1.25).
// The distance stays within kMinCameraDistance..kMaxCameraDistance, so it can neither
// reach 0 (from which no zoom could return) nor overflow.
void zoomStep(AppState& state, std::uint16_t wheelWord);

// Stores a view preset: 0 Perspective keeps the angles; 1 Left, 2 Right, 3 Front, 4 Back,
// 5 Top, 6 Bottom set pitch, yaw and roll. Distance and target are kept. Other values
// change nothing.
void applyViewPreset(AppState& state, int viewType);

}  // namespace tess
