#pragma once

#include <cstddef>

#include "mdl/mdl_writer_text.h"
#include "model/diagnostics.h"
#include "model/model.h"

namespace tess {

// One writer per MDL block kind; each appends the whole block, head to closer.
void writeGeoset(MdlText& text, const Geoset& geoset);
void writeGeosetAnim(MdlText& text, const GeosetAnim& anim);
void writeBone(MdlText& text, const Bone& bone);
void writeLight(MdlText& text, const Light& light);
void writeHelper(MdlText& text, const Helper& helper);
// `index` is the attachment's position in the model's Attachments.
void writeAttachment(MdlText& text, const Attachment& attachment, std::size_t index);
// Adds check kMdlEmitterWithoutUsesFlag when the node flags hold neither EmitterUses flag.
void writeParticleEmitter(MdlText& text, const ParticleEmitter& emitter, Diagnostics& diagnostics);
// Adds check kMdlUnknownEmitter2Filter for a filter mode of 3 or above 4.
void writeParticleEmitter2(MdlText& text, const ParticleEmitter2& emitter, Diagnostics& diagnostics);
void writeRibbonEmitter(MdlText& text, const RibbonEmitter& emitter);
void writeCamera(MdlText& text, const Camera& camera);
void writeEventObject(MdlText& text, const EventObject& event);
void writeCollisionShape(MdlText& text, const CollisionShape& shape);

}  // namespace tess
