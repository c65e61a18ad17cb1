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

bool drawScene(Model& model, AppState& state, const TextureTable& table) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyViewTransform(state);

    glBindTexture(GL_TEXTURE_2D, table.slots[kWhiteSlot]);
    for (Geoset& geoset : model.Geosets) drawGeoset(geoset, model, state, table);
    drawGrid(kGridCount, kGridSpacing, table);

    // Everything below is drawn over the model.
    glClear(GL_DEPTH_BUFFER_BIT);
    glDisable(GL_BLEND);
    switch (state.editMode) {
        case EditMode::Animation:
            for (std::uint32_t bone : state.allNodes) drawNode(model, state, bone, table);
            break;
        case EditMode::Vertex:
            drawSelectionRectangle(state);
            drawCentroidGizmo(model, state);
            break;
        case EditMode::Triangle:
            drawSelectionRectangle(state);
            if (state.currentTool != ExtrudeTool)
                drawCentroidGizmo(model, state);
            else
                drawExtrudeGizmo(model, state);
            break;
        case EditMode::None:
            break;
    }
    return true;
}

}  // namespace tess
