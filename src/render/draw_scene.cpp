#include "render/draw_scene.h"

#include <GL/gl.h>

#include "render/camera.h"
#include "render/draw_geoset.h"
#include "render/draw_gizmo.h"
#include "render/draw_nodes.h"
#include "render/draw_overlay.h"

namespace tess {

namespace {
constexpr int kGridCount = 5;
constexpr float kGridSpacing = 10;
}  // namespace

GizmoVectors drawScene(const Scene& scene, ScreenPositions& screenPositions, const GizmoVectors& previous) {
    const View& view = scene.view;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyViewTransform(view);

    glBindTexture(GL_TEXTURE_2D, scene.textures.slots[kWhiteSlot]);
    screenPositions.resize(scene.model.Geosets.size());
    for (std::size_t g = 0; g < scene.model.Geosets.size(); ++g) {
        screenPositions[g].resize(scene.model.Geosets[g].vertexCount());
        drawGeoset(scene, g, screenPositions[g]);
    }
    if (view.showGrid) drawGrid(kGridCount, kGridSpacing, scene.textures);

    // Everything below is drawn over the model.
    glClear(GL_DEPTH_BUFFER_BIT);
    glDisable(GL_BLEND);
    GizmoVectors gizmo = previous;
    switch (view.editMode) {
        case EditMode::Animation:
            for (std::uint32_t bone : view.allNodes) drawNode(scene, bone, gizmo);
            break;
        case EditMode::Vertex:
            drawSelectionRectangle(view);
            drawCentroidGizmo(scene, gizmo);
            break;
        case EditMode::Triangle:
            drawSelectionRectangle(view);
            if (view.currentTool != Tool::Extrude)
                drawCentroidGizmo(scene, gizmo);
            else
                drawExtrudeGizmo(scene, gizmo);
            break;
        case EditMode::None:
            break;
    }
    return gizmo;
}

}  // namespace tess
