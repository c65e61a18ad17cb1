#include "render/picking.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>

#include "render/camera.h"
#include "render/draw_gizmo.h"

namespace tess {

namespace {

// Overflowing picks double the buffer up to this many entries (a million one-name records).
constexpr std::size_t kMaxPickBufferEntries = std::size_t{1} << 22;

constexpr std::size_t kRecordHeader = 3;  // name count, minimum depth, maximum depth

}  // namespace

void beginPick(std::vector<std::uint32_t>& buffer, const View& view, std::int32_t x, std::int32_t y) {
    glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(x, viewport[3] - y, 1, 1, viewport.data());
    setProjection(view, true);
    glMatrixMode(GL_MODELVIEW);
    glInitNames();
}

std::int32_t endPick() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFlush();
    return glRenderMode(GL_RENDER);
}

std::optional<std::uint32_t> nearestHitName(std::span<const std::uint32_t> buffer, std::int32_t hitCount) {
    std::optional<std::uint32_t> nearest;
    std::uint32_t nearestDepth = 0;
    std::size_t at = 0;
    for (std::int32_t record = 0; hitCount < 0 || record < hitCount; ++record) {
        if (buffer.size() - at < kRecordHeader) break;
        const std::uint32_t names = buffer[at];
        const std::uint32_t minDepth = buffer[at + 1];
        if (names > buffer.size() - at - kRecordHeader) break;
        if (names > 0 && (!nearest || minDepth < nearestDepth)) {
            nearest = buffer[at + kRecordHeader];
            nearestDepth = minDepth;
        }
        at += kRecordHeader + names;
    }
    return nearest;
}

std::optional<std::uint32_t> pickName(const View& view, std::int32_t x, std::int32_t y,
                                      const std::function<void()>& drawPickable) {
    std::vector<std::uint32_t> buffer(kPickBufferEntries);
    for (;;) {
        beginPick(buffer, view, x, y);
        glClear(GL_DEPTH_BUFFER_BIT);
        drawPickable();
        const std::int32_t hits = endPick();
        if (hits >= 0 || buffer.size() >= kMaxPickBufferEntries) return nearestHitName(buffer, hits);
        buffer.assign(buffer.size() * 2, 0);
    }
}

PickedHandle handleForName(std::uint32_t name, Tool tool, const Model& model,
                           const std::vector<std::uint32_t>& allNodes) {
    PickedHandle handle;
    if (name >= kGizmoXName && name <= kGizmoZName) {
        const auto axis = static_cast<std::int32_t>(name - kGizmoXName);
        if (tool != Tool::Extrude)
            handle.code = static_cast<DragState>(static_cast<std::int32_t>(DragState::RotateX) +
                                                 3 * static_cast<std::int32_t>(tool) + axis);
    } else if (name == kExtrudeArrowName) {
        handle.code = DragState::Extrude;
    } else if (name >= kFirstNodeName) {
        handle.code = DragState::Idle;
        for (const std::uint32_t bone : allNodes)
            if (bone < model.Bones.size() && model.Bones[bone].node.ObjectId == name - kFirstNodeName)
                handle.selectedNode = static_cast<std::int32_t>(bone);
    }
    return handle;
}

}  // namespace tess
