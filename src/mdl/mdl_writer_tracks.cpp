#include "mdl/mdl_writer_tracks.h"

#include <cstdint>
#include <type_traits>

namespace tess {
namespace {

std::string_view interpolationName(std::int32_t code) {
    switch (code) {
        case DontInterp:
            return "DontInterp";
        case Linear:
            return "Linear";
        case Hermite:
            return "Hermite";
        case Bezier:
            return "Bezier";
        default:
            return "ERROR-UNKNOWN";
    }
}

void writeValue(MdlText& text, float value) {
    text.real(value);
}
void writeValue(MdlText& text, std::uint32_t value) {
    text.integer(value);
}
template <std::size_t N>
void writeValue(MdlText& text, const std::array<float, N>& value) {
    text.braced(value);
}

template <class V>
void writeAnyTrack(MdlText& text, const Track<V>& track, std::string_view name, std::string_view indent) {
    if (!track.keyed()) {
        if constexpr (!kIsQuaternionTrack<V>) {
            text.text(indent);
            text.text("static ");
            text.text(name);
            text.text(" ");
            writeValue(text, track.staticValue);
            text.text(",\n");
        }
        return;
    }
    text.text(indent);
    text.text(name);
    text.text(" ");
    text.integer(static_cast<std::int32_t>(track.keys.size()));
    text.text(" {\n");
    text.text(indent);
    text.text("\t");
    text.text(interpolationName(track.interpolationType));
    text.text(",\n");
    if (track.GlobalSeqId != -1) {
        text.text(indent);
        text.intLine("\tGlobalSeqId ", track.GlobalSeqId);
    }
    const bool tangents = !std::is_same_v<V, std::uint32_t> && hasTangents(track.interpolationType);
    for (const auto& key : track.keys) {
        text.text(indent);
        text.text("\t");
        text.integer(key.time);
        text.text(": ");
        writeValue(text, key.value);
        text.text(",\n");
        if (tangents) {
            text.text(indent);
            text.text("\t\tInTan ");
            writeValue(text, key.InTan);
            text.text(",\n");
            text.text(indent);
            text.text("\t\tOutTan ");
            writeValue(text, key.OutTan);
            text.text(",\n");
        }
    }
    text.text(indent);
    text.text("}\n");
}

}  // namespace

void writeTrack(MdlText& text, const FloatTrack& track, std::string_view name, std::string_view indent) {
    writeAnyTrack(text, track, name, indent);
}
void writeTrack(MdlText& text, const IntTrack& track, std::string_view name, std::string_view indent) {
    writeAnyTrack(text, track, name, indent);
}
void writeTrack(MdlText& text, const VectorTrack& track, std::string_view name, std::string_view indent) {
    writeAnyTrack(text, track, name, indent);
}
void writeTrack(MdlText& text, const QuatTrack& track, std::string_view name, std::string_view indent) {
    writeAnyTrack(text, track, name, indent);
}

}  // namespace tess
