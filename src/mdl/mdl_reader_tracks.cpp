// The parser's token plumbing and the track reader shared by every block.

#include <array>
#include <cmath>
#include <string>
#include <type_traits>

#include "mdl/mdl_reader_parser.h"

namespace tess {

MdlParser::MdlParser(Model& model, Diagnostics& diagnostics, std::string_view text)
    : model_(model), diagnostics_(diagnostics), source_(text) {}

bool MdlParser::equalsFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::uint32_t MdlParser::truncateToWord(float value) {
    const float truncated = std::trunc(value);
    std::int32_t word = 0;
    if (truncated >= 2147483647.0f) {
        word = INT32_MAX;
    } else if (truncated <= -2147483648.0f) {
        word = INT32_MIN;
    } else if (!std::isnan(truncated)) {
        word = static_cast<std::int32_t>(truncated);
    }
    return static_cast<std::uint32_t>(word);
}

bool MdlParser::nextMember() {
    next();
    return !atBlockEnd();
}

void MdlParser::error(std::string_view message) {
    diagnostics_.add({Severity::Error, 0, static_cast<std::uint32_t>(token_.lineNumber), token_.lineText,
                      std::string(message)});
    stopped_ = true;
}

bool MdlParser::is(MdlTokenKind kind, std::string_view keyword, MatchCase match) const {
    if (token_.kind != kind) return false;
    const std::string& word = token_.keyword();
    return match == MatchCase::Exact ? word == keyword : equalsFolded(word, keyword);
}

namespace {

// Interpolation names in code order; anything else is code -1.
constexpr std::array<std::string_view, 4> kInterpolationNames = {"DontInterp", "Linear", "Hermite", "Bezier"};

template <class V>
constexpr std::size_t kKeyWidth = 1;
template <>
constexpr std::size_t kKeyWidth<Vec3> = 3;
template <>
constexpr std::size_t kKeyWidth<Quat> = 4;

template <class V>
constexpr const char* kKeyWidthMessage = "Expected a one-dimensional key.";
template <>
constexpr const char* kKeyWidthMessage<Vec3> = "Expected a three-dimensional key.";
template <>
constexpr const char* kKeyWidthMessage<Quat> = "Expected a four-dimensional key.";

// `floats` holds at least the value's width (checked by the caller).
template <class V>
V valueFrom(const std::vector<float>& floats) {
    if constexpr (std::is_same_v<V, float>) {
        return floats[0];
    } else if constexpr (std::is_same_v<V, std::uint32_t>) {
        return MdlParser::truncateToWord(floats[0]);
    } else {
        V value{};
        for (std::size_t i = 0; i < value.size(); ++i) value[i] = floats[i];
        return value;
    }
}

}  // namespace

void MdlParser::readTrack(FloatTrack& track) {
    readTrackKeys(track);
}
void MdlParser::readTrack(IntTrack& track) {
    readTrackKeys(track);
}
void MdlParser::readTrack(VectorTrack& track) {
    readTrackKeys(track);
}
void MdlParser::readTrack(QuatTrack& track) {
    readTrackKeys(track);
}

template <class V>
void MdlParser::readTrackKeys(Track<V>& track) {
    constexpr bool kIntegerTrack = std::is_same_v<V, std::uint32_t>;
    next();
    if (token_.kind != MdlTokenKind::Flag) {
        error("Expected interpolation type.");
        return;
    }
    std::int32_t code = -1;
    for (std::size_t i = 0; i < kInterpolationNames.size(); ++i) {
        if (equalsFolded(token_.keyword(), kInterpolationNames[i])) code = static_cast<std::int32_t>(i);
    }
    if (code < 0) error("Unrecognized interpolation type. Should be DontInterp, Linear, Hermite, or Bezier.");
    track.interpolationType = code;
    // Integer keys never carry tangents, whatever the code says.
    if (kIntegerTrack && code > Linear) error("No such interpolation for int values.");

    next();
    // A second block for the same track without this line keeps the earlier GlobalSeqId.
    if (intData("GlobalSeqId")) {
        track.GlobalSeqId = token_.intValue;
        next();
    }
    for (; !atBlockEnd(); next()) {
        if (token_.kind != MdlTokenKind::AnimationKey || token_.floats.size() != kKeyWidth<V>) {
            error(kKeyWidthMessage<V>);
            return;
        }
        TrackKey<V> key;
        key.time = token_.keyTime;
        key.value = valueFrom<V>(token_.floats);
        if constexpr (!kIntegerTrack) {
            if (hasTangents(code)) {
                next();
                if (!readTangent("InTan", key.InTan)) {
                    error("Expected InTan");
                    return;
                }
                next();
                if (!readTangent("OutTan", key.OutTan)) {
                    error("Expected OutTan");
                    return;
                }
            }
        }
        track.keys.push_back(key);
    }
}

template <class V>
bool MdlParser::readTangent(std::string_view keyword, V& tangent) {
    if constexpr (std::is_same_v<V, float>) {
        if (!floatData(keyword)) return false;
        tangent = token_.floatValue;
    } else {
        if (!bracedFloats(keyword, kKeyWidth<V>)) return false;
        tangent = valueFrom<V>(token_.floats);
    }
    return true;
}

}  // namespace tess
