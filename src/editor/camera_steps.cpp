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

void orbitStep(View& view, int dx, int dy) {
    view.cameraPitch += static_cast<float>(dy);
    view.cameraYaw += static_cast<float>(dx);
    view.cameraPitch = std::clamp(view.cameraPitch, -90.0f, 90.0f);
    if (view.cameraYaw < 0) view.cameraYaw += 360;
    if (view.cameraYaw > 360) view.cameraYaw -= 360;
}

void panStep(View& view, int dx, int dy) {
    const float a = static_cast<float>(dx) / 2;
    const float b = static_cast<float>(-dy) / 2;
    const float e = 0;

    const float r1 = std::sqrt(b * b + e * e);
    const float phi = std::atan2(e, b) - view.cameraPitch * kDegreesToRadians;
    const float b2 = r1 * std::cos(phi);
    const float e2 = r1 * std::sin(phi);

    const float r2 = std::sqrt(a * a + e2 * e2);
    const float psi = std::atan2(e2, a) + view.cameraYaw * kDegreesToRadians;
    const float a2 = r2 * std::cos(psi);
    const float e3 = r2 * std::sin(psi);

    view.cameraTarget[0] += a2;
    view.cameraTarget[1] += b2;
    view.cameraTarget[2] += e3;
}

void zoomStep(View& view, std::uint16_t wheelWord) {
    const bool forward = wheelWord >= 1 && wheelWord <= 999;
    const float scaled = view.cameraDistance * (forward ? 0.8f : 1.25f);
    view.cameraDistance = std::clamp(scaled, kMinCameraDistance, kMaxCameraDistance);
}

void applyViewPreset(View& view, ViewType viewType) {
    const auto index = static_cast<std::int32_t>(viewType);
    if (index < 0 || index > 6) return;
    view.viewType = viewType;
    if (viewType == ViewType::Perspective) return;
    const ViewAngles& preset = kPresets[index - 1];
    view.cameraPitch = preset.pitch;
    view.cameraYaw = preset.yaw;
    view.cameraRoll = preset.roll;
}

}  // namespace tess
