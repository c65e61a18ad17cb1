#include "editor/mesh_selection.h"

#include <algorithm>

namespace tess {

void selectVerticesOfSelectedFaces(Model& model) {
    for (Geoset& geoset : model.Geosets) {
        if (!geoset.shown) continue;
        for (Vertex& v : geoset.Vertices) v.selected = 0;
        const std::size_t triangles = std::min(geoset.triangleCount(), geoset.triangleSelected.size());
        for (std::size_t t = 0; t < triangles; ++t) {
            if (!geoset.triangleSelected[t]) continue;
            for (std::size_t c = 3 * t; c < 3 * t + 3; ++c)
                if (geoset.corners[c] < geoset.Vertices.size())
                    geoset.Vertices[geoset.corners[c]].selected = 1;
        }
    }
}

}  // namespace tess
