#pragma once

#include "model/diagnostics.h"
#include "model/model.h"

namespace tess {

// Checks the rules the editor relies on after a load: every per-vertex array of a geoset
// with one entry per vertex; corner indices below their geoset's vertex count and three
// per triangle; vertex groups within the matrix groups; matrix entries within Bones;
// MaterialID, TextureID, GeosetId and TVertexAnimId references valid (or -1); every Parent
// the ObjectId of a Bone or Helper; a pivot point for every ObjectId. Returns one warning
// per broken rule and object, with its own check number (model/checks.h), in model order;
// repeated faults within one object are summarised in one entry (count and first
// offender). Empty when the model is sound.
Diagnostics validateModel(const Model& model);

}  // namespace tess
