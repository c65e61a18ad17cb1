#include "editor/mesh_selection.h"

#include <algorithm>

namespace tess {

void selectVerticesOfSelectedFaces(const Model& model, Selection& selection) {
    selection.fit(model);
    for (std::size_t g = 0; g < model.Geosets.size(); ++g) {
        if (!selection.isShown(g)) continue;
        const std::vector<std::uint32_t>& corners = model.Geosets[g].corners;
        GeosetSelection& marks = selection.geosets[g];
        std::fill(marks.vertices.begin(), marks.vertices.end(), 0);
        for (std::size_t t = 0; t < marks.triangles.size(); ++t) {
            if (!marks.triangles[t]) continue;
            for (std::size_t c = 3 * t; c < 3 * t + 3; ++c)
                if (corners[c] < marks.vertices.size()) marks.vertices[corners[c]] = 1;
        }
    }
}

}  // namespace tess
