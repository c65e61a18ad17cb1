#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "anim/pose.h"
#include "model/model.h"
#include "render/texture_table.h"
#include "view/selection.h"
#include "view/view.h"

namespace tess {

// What one frame of the 3D view is drawn from: the stored model, its pose, the user's marks,
// the view description and the document's textures. Borrowed for the length of one call;
// drawing reads it and writes nothing back into it.
struct Scene {
    const Model& model;
    const Pose& pose;
    const Selection& selection;
    const View& view;
    const TextureTable& textures;

    // The positions geoset `g` is drawn at: the pose's animated positions, or the rest
    // positions while the pose does not cover every vertex (not yet posed after a change).
    const std::vector<Vec3>& positions(std::size_t g) const { return drawnPositions(model, pose, g); }
    static const std::vector<Vec3>& drawnPositions(const Model& model, const Pose& pose, std::size_t g) {
        const Geoset& geoset = model.Geosets[g];
        if (g < pose.animatedPositions.size() && pose.animatedPositions[g].size() >= geoset.vertexCount())
            return pose.animatedPositions[g];
        return geoset.positions;
    }

    // The pose of Bones[bone], the rest pose (identity) when the pose has none for it.
    const NodePose& bonePose(std::uint32_t bone) const {
        static const NodePose kRest{};
        return bone < pose.bones.size() ? pose.bones[bone] : kRest;
    }

    // The selection of geoset `g`, an empty one (nothing selected) when there is none.
    const GeosetSelection& marks(std::size_t g) const {
        static const GeosetSelection kNothing{};
        return g < selection.geosets.size() ? selection.geosets[g] : kNothing;
    }
};

}  // namespace tess
