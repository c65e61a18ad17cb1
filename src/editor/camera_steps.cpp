#include "editor/camera_steps.h"

#include <algorithm>
#include <cmath>

namespace tess {

namespace {

constexpr float kDegreesToRadians = 0.01745329f;

struct ViewAngles {
    float pitch;
    float yaw;
    float roll;
};

// Left, Right, Front, Back, Top, Bottom.
constexpr ViewAngles kPresets[6] = {{0, 180, 0}, {0, 0, 0},    {0, 270, 0},
                                    {0, 90, 0},  {90, -90, 0}, {-90, 90, 0}};

}  // namespace

void orbitStep(AppState& state, int dx, int dy) {
    state.cameraPitch += static_cast<float>(dy);
    state.cameraYaw += static_cast<float>(dx);
    state.cameraPitch = std::clamp(state.cameraPitch, -90.0f, 90.0f);
    if (state.cameraYaw < 0) state.cameraYaw += 360;
    if (state.cameraYaw > 360) state.cameraYaw -= 360;
}

void panStep(AppState& state, int dx, int dy) {
    const float a = static_cast<float>(dx) / 2;
    const float b = static_cast<float>(-dy) / 2;
    const float e = 0;

    const float r1 = std::sqrt(b * b + e * e);
    const float phi = std::atan2(e, b) - state.cameraPitch * kDegreesToRadians;
    const float b2 = r1 * std::cos(phi);
    const float e2 = r1 * std::sin(phi);

    const float r2 = std::sqrt(a * a + e2 * e2);
    const float psi = std::atan2(e2, a) + state.cameraYaw * kDegreesToRadians;
    const float a2 = r2 * std::cos(psi);
    const float e3 = r2 * std::sin(psi);

    state.cameraTarget[0] += a2;
    state.cameraTarget[1] += b2;
    state.cameraTarget[2] += e3;
}

void zoomStep(AppState& state, std::uint16_t wheelWord) {
    const bool forward = wheelWord >= 1 && wheelWord <= 999;
    const float scaled = state.cameraDistance * (forward ? 0.8f : 1.25f);
    state.cameraDistance = std::clamp(scaled, kMinCameraDistance, kMaxCameraDistance);
}

void applyViewPreset(AppState& state, int viewType) {
    if (viewType < 0 || viewType > 6) return;
    state.viewType = viewType;
    if (viewType == 0) return;
    const ViewAngles& preset = kPresets[viewType - 1];
    state.cameraPitch = preset.pitch;
    state.cameraYaw = preset.yaw;
    state.cameraRoll = preset.roll;
}

}  // namespace tess
