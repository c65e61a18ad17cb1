#pragma once

#include <cstddef>

#include "model/model.h"

namespace tess {

// Calls `visit(kindName, indexInKind, node)` for the Node of every object that has one, kind by
// kind in the order Bones, Lights, Helpers, Attachments, ParticleEmitters, ParticleEmitters2,
// RibbonEmitters, EventObjects, CollisionShapes. `M` is Model or const Model.
template <class M, class Visit>
void forEachNode(M& model, Visit visit) {
    auto each = [&](const char* kind, auto& array) {
        for (std::size_t i = 0; i < array.size(); ++i) visit(kind, i, array[i].node);
    };
    each("Bone", model.Bones);
    each("Light", model.Lights);
    each("Helper", model.Helpers);
    each("Attachment", model.Attachments);
    each("ParticleEmitter", model.ParticleEmitters);
    each("ParticleEmitter2", model.ParticleEmitters2);
    each("RibbonEmitter", model.RibbonEmitters);
    each("EventObject", model.EventObjects);
    each("CollisionShape", model.CollisionShapes);
}

// Gives every Bone its index in Bones as ObjectId and rewrites what refers to nodes by ObjectId
// so it still names the same node: every Parent, every matrix-group entry naming a bone, and
// PivotPoints (each moved node takes its pivot along). A node of another kind whose ObjectId a
// bone now takes moves to the smallest free ObjectId above the bones; others keep theirs. A
// model whose bones are already numbered 0, 1, 2, ... in order is left exactly as it is, as are
// references that named no node. Where several nodes share an ObjectId, a reference means the
// last of them.
void numberBonesByIndex(Model& model);

}  // namespace tess
