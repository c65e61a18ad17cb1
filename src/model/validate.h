#pragma once

#include <string>
#include <vector>

#include "model/model.h"

namespace tess {

// Checks the invariants the editor relies on after a load: corner indices below their
// geoset's vertex count and three per triangle; vertex groups within the matrix
// groups; matrix entries within Bones; MaterialID, TextureID, GeosetId and
// TVertexAnimId references valid (or -1); every Parent the ObjectId of a Bone or
// Helper; a pivot point for every ObjectId; one texture-coordinate set count per
// geoset. Returns one line per violation (repeated faults within one object are
// summarised in one line), in model order; empty when the model is sound.
std::vector<std::string> validateModel(const Model& model);

}  // namespace tess
