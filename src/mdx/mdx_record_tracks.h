#pragma once

#include <concepts>
#include <cstdint>
#include <type_traits>

#include "mdx/mdx_tags.h"
#include "model/model.h"

namespace tess {

// The one table of which keyed tracks each MDX record holds, under which tag, in file
// order. Sizes, writers and readers all go through it, so they cannot disagree.
//
// Each function calls `visit(tag, track)` for every track of the record in file order,
// keyed or not (an unkeyed track is written as nothing). They take the record const or
// not, and hand the tracks on with the same constness.

// `T` is `Record`, const or not.
template <class T, class Record>
concept RecordOf = std::same_as<std::remove_const_t<T>, Record>;

// A node's tracks, inside the node part of a record. `withVisibility` includes KATV:
// true for bones, helpers, lights, event objects and collision shapes; false for the
// three emitters (which keep their own visibility tracks) and for attachments as written
// (their KATV follows their own fields; the reader still accepts one inside the node).
template <RecordOf<Node> N, class Visit>
void forEachNodeTrack(N& node, bool withVisibility, Visit&& visit) {
    visit(kTagKGTR, node.Translation);
    visit(kTagKGRT, node.Rotation);
    visit(kTagKGSC, node.Scaling);
    if (withVisibility) visit(kTagKATV, node.Visibility);
}

// The record tracks below follow the record's fixed fields; node tracks are not included.

template <RecordOf<Layer> L, class Visit>
void forEachTrack(L& layer, Visit&& visit) {
    visit(kTagKMTA, layer.Alpha);
    visit(kTagKMTF, layer.TextureID);
}

template <RecordOf<TextureAnim> A, class Visit>
void forEachTrack(A& anim, Visit&& visit) {
    visit(kTagKTAT, anim.Translation);
    visit(kTagKTAR, anim.Rotation);
    visit(kTagKTAS, anim.Scaling);
}

template <RecordOf<GeosetAnim> A, class Visit>
void forEachTrack(A& anim, Visit&& visit) {
    visit(kTagKGAO, anim.Alpha);
    visit(kTagKGAC, anim.Color);
}

// The light's own tracks; its node keeps KATV as well.
template <RecordOf<Light> L, class Visit>
void forEachTrack(L& light, Visit&& visit) {
    visit(kTagKLAS, light.AttenuationStart);
    visit(kTagKLAE, light.AttenuationEnd);
    visit(kTagKLAI, light.Intensity);
    visit(kTagKLAV, light.Visibility);
    visit(kTagKLAC, light.Color);
    visit(kTagKLBC, light.AmbColor);
    visit(kTagKLBI, light.AmbIntensity);
}

// The node's visibility, set aside from the node part to follow the attachment's fields.
template <RecordOf<Attachment> A, class Visit>
void forEachTrack(A& attachment, Visit&& visit) {
    visit(kTagKATV, attachment.node.Visibility);
}

template <RecordOf<ParticleEmitter> E, class Visit>
void forEachTrack(E& emitter, Visit&& visit) {
    visit(kTagKPEE, emitter.EmissionRate);
    visit(kTagKPEG, emitter.Gravity);
    visit(kTagKPLN, emitter.Longitude);
    visit(kTagKPLT, emitter.Latitude);
    visit(kTagKPEL, emitter.LifeSpan);
    visit(kTagKPES, emitter.InitVelocity);
    visit(kTagKPEV, emitter.Visibility);
}

template <RecordOf<ParticleEmitter2> E, class Visit>
void forEachTrack(E& emitter, Visit&& visit) {
    visit(kTagKP2S, emitter.Speed);
    visit(kTagKP2R, emitter.Variation);
    visit(kTagKP2L, emitter.Latitude);
    visit(kTagKP2G, emitter.Gravity);
    visit(kTagKP2E, emitter.EmissionRate);
    visit(kTagKP2V, emitter.Visibility);
    visit(kTagKP2N, emitter.Length);
    visit(kTagKP2W, emitter.Width);
}

template <RecordOf<RibbonEmitter> E, class Visit>
void forEachTrack(E& emitter, Visit&& visit) {
    visit(kTagKRHA, emitter.HeightAbove);
    visit(kTagKRHB, emitter.HeightBelow);
    visit(kTagKRAL, emitter.Alpha);
    visit(kTagKRCO, emitter.Color);
    visit(kTagKRVS, emitter.Visibility);
    visit(kTagKRTX, emitter.TextureSlot);
}

template <RecordOf<Camera> C, class Visit>
void forEachTrack(C& camera, Visit&& visit) {
    visit(kTagKCTR, camera.Translation);
    visit(kTagKCRL, camera.Rotation);
    visit(kTagKTTR, camera.TargetTranslation);
}

}  // namespace tess
