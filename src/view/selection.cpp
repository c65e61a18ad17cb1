#include "view/selection.h"

namespace tess {

void Selection::fit(const Model& model) {
    geosets.resize(model.Geosets.size());
    shown.resize(model.Geosets.size(), 1);
    for (std::size_t g = 0; g < geosets.size(); ++g) {
        const Geoset& geoset = model.Geosets[g];
        geosets[g].vertices.resize(geoset.vertexCount(), 0);
        geosets[g].uvs.resize(geoset.vertexCount(), 0);
        geosets[g].triangles.resize(geoset.triangleCount(), 0);
    }
}

void Selection::reset(const Model& model) {
    geosets.clear();
    shown.clear();
    fit(model);
}

}  // namespace tess
