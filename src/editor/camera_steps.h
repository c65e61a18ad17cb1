#pragma once

#include <cstdint>

#include "view/view.h"

namespace tess {

inline constexpr float kMinCameraDistance = 1e-3f;
inline constexpr float kMaxCameraDistance = 1e7f;

// Camera navigation. These change the View's camera only; after zoomStep and applyViewPreset
// the caller loads the new projection, since the orthographic views' extent follows
// cameraDistance.

// Orbits by the mouse movement (pixels): one degree of pitch per pixel down and of yaw per
// pixel right. Pitch is clamped to -90..90; yaw below 0 gains 360, then above 360 loses 360.
void orbitStep(View& view, int dx, int dy);

// Pans the target by half the mouse movement, turned back through the camera's pitch and
// yaw (the roll is not taken into account).
void panStep(View& view, int dx, int dy);

// One wheel notch: the wheel word (the high 16 bits of the wheel message, unsigned) in
// 1..999 is a forward turn and moves in (distance x 0.8); anything else moves out (x 1.25).
// The distance stays within kMinCameraDistance..kMaxCameraDistance, so it can neither
// reach 0 (from which no zoom could return) nor overflow.
void zoomStep(View& view, std::uint16_t wheelWord);

// Stores a view preset: Perspective keeps the angles; Left, Right, Front, Back, Top and
// Bottom set pitch, yaw and roll. Distance and target are kept. Values outside the enum
// change nothing.
void applyViewPreset(View& view, ViewType viewType);

}  // namespace tess
