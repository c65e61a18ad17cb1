#pragma once

#include <string_view>

#include "mdl/mdl_writer_text.h"
#include "model/track.h"

namespace tess {

// Writes a track under a property name, every line prefixed by `indent`. Without keys:
// the one "static" line, or nothing for a quaternion track. With keys: the head with the
// key count, the interpolation line, the GlobalSeqId line when the track runs on a
// global sequence, then each key line, followed by its InTan and OutTan lines when the
// code is above Linear (integer tracks never have them), and the closer. An
// interpolation code outside 0..3 is written as "ERROR-UNKNOWN", which the reader
// rejects rather than guessing a type.
void writeTrack(MdlText& text, const FloatTrack& track, std::string_view name, std::string_view indent);
void writeTrack(MdlText& text, const IntTrack& track, std::string_view name, std::string_view indent);
void writeTrack(MdlText& text, const VectorTrack& track, std::string_view name, std::string_view indent);
void writeTrack(MdlText& text, const QuatTrack& track, std::string_view name, std::string_view indent);

// Properties whose track is written only when it has keys.
template <class V>
void writeKeyedTrack(MdlText& text, const Track<V>& track, std::string_view name, std::string_view indent) {
    if (track.keyed()) writeTrack(text, track, name, indent);
}

// Properties written when keyed, or else when the static value differs from the
// property's default (any component counting).
template <class V>
void writeNonDefaultTrack(MdlText& text, const Track<V>& track, std::string_view name,
                          std::string_view indent, const V& defaultValue) {
    if (track.keyed() || track.staticValue != defaultValue) writeTrack(text, track, name, indent);
}

}  // namespace tess
