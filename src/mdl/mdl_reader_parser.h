#pragma once

// Internal to the MDL reader: the recursive-descent parser shared by the driver, the
// track reader, the geoset reader and the scene-object readers. Nesting depth is fixed
// by the grammar (at most four levels), never by the input: unknown openers are plain
// unexpected lines, so no input can make the parser recurse deeper.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "mdl/mdl_tokenizer.h"
#include "model/diagnostics.h"
#include "model/model.h"

namespace tess {

class MdlParser {
public:
    // How a keyword is compared: ASCII case folded (most keywords) or exactly.
    enum class MatchCase { Folded, Exact };

    // Parses `text` into `model`, which the caller has reset; findings go to `diagnostics`.
    MdlParser(Model& model, Diagnostics& diagnostics, std::string_view text);
    void run();

    // Same length and equal letters, ASCII A-Z compared as a-z; no other folding.
    static bool equalsFolded(std::string_view a, std::string_view b);
    // Truncates toward zero, saturating at the i32 range, and keeps the result's bits as
    // a u32 (-1.5 gives 0xFFFFFFFF). Integer track values are read this way.
    static std::uint32_t truncateToWord(float value);

    // A flag keyword and the value it stands for.
    struct FlagWord {
        std::string_view keyword;
        std::uint32_t bit;
    };

private:
    // --- tokens and errors ---
    void next() { token_.nextToken(source_); }
    // Reads the next member line of a block; false at the block's closer or the end.
    bool nextMember();
    bool atBlockEnd() const {
        return token_.kind == MdlTokenKind::ChunkCloser || token_.kind == MdlTokenKind::EndOfInput;
    }
    // Set by the first error: the parse ends after the current top-level block.
    bool stopped() const { return stopped_; }
    // Logs `message` against the current token's line and sets the stop flag.
    void error(std::string_view message);

    // --- matching the current token ---
    bool is(MdlTokenKind kind, std::string_view keyword, MatchCase match = MatchCase::Folded) const;
    bool argumentIs(std::string_view word) const { return equalsFolded(token_.argument(), word); }
    bool opener(std::string_view keyword, MatchCase match = MatchCase::Folded) const {
        return is(MdlTokenKind::ChunkOpener, keyword, match);
    }
    bool flag(std::string_view keyword, MatchCase match = MatchCase::Folded) const {
        return is(MdlTokenKind::Flag, keyword, match);
    }
    // LabeledData with the keyword and no condition on the value (*any*).
    bool anyData(std::string_view keyword, MatchCase match = MatchCase::Folded) const {
        return is(MdlTokenKind::LabeledData, keyword, match);
    }
    bool intData(std::string_view keyword, MatchCase match = MatchCase::Folded) const {
        return anyData(keyword, match) && token_.isInt;
    }
    bool floatData(std::string_view keyword, MatchCase match = MatchCase::Folded) const {
        return anyData(keyword, match) && token_.isFloat;
    }
    bool staticAny(std::string_view keyword) const { return is(MdlTokenKind::StaticLabeledData, keyword); }
    bool bracedFloats(std::string_view keyword, std::size_t count,
                      MatchCase match = MatchCase::Folded) const {
        return is(MdlTokenKind::BracedLabeledData, keyword, match) && hasFloats(count);
    }
    bool bracedInts(std::string_view keyword, std::size_t count, MatchCase match = MatchCase::Folded) const {
        return is(MdlTokenKind::BracedLabeledData, keyword, match) && hasInts(count);
    }
    bool staticBracedFloats(std::string_view keyword, std::size_t count) const {
        return is(MdlTokenKind::StaticBracedLabeledData, keyword) && hasFloats(count);
    }
    bool hasFloats(std::size_t count) const { return token_.allFloat && token_.floats.size() == count; }
    bool hasInts(std::size_t count) const { return token_.allInt && token_.ints.size() == count; }
    bool bareFloats(std::size_t count) const {
        return token_.kind == MdlTokenKind::BracedData && hasFloats(count);
    }
    // A Flag token naming one of `words`: ORs its bit into `flags`.
    bool readFlagWord(std::span<const FlagWord> words, std::uint32_t& flags);
    // A Flag token naming one of `words`: sets `value` to its value.
    bool readFlagChoice(std::span<const FlagWord> words, std::uint32_t& value);
    Vec3 vec3() const { return {token_.floats[0], token_.floats[1], token_.floats[2]}; }
    std::uint32_t intWord() const { return static_cast<std::uint32_t>(token_.intValue); }

    // --- tracks (the current token is the track's opener) ---
    void readTrack(FloatTrack& track);
    void readTrack(IntTrack& track);
    void readTrack(VectorTrack& track);
    void readTrack(QuatTrack& track);
    template <class V>
    void readTrackKeys(Track<V>& track);
    template <class V>
    bool readTangent(std::string_view keyword, V& tangent);
    // A static line (*any*) or a keyed block for the named track; false for other lines.
    bool readFloatTrackMember(std::string_view keyword, FloatTrack& track);
    bool readVectorTrackMember(std::string_view keyword, VectorTrack& track);

    // --- top-level blocks and sections ---
    void dispatchTopLevel();
    // A counted section: reads entries up to its closer; `readEntry` returns false for a
    // token that is no entry, which logs `message` and so ends the section.
    template <class Entry>
    void readSection(std::string_view message, Entry readEntry);
    void readVersion();
    void readModelHeader();
    void readTextureAnims();
    void readTextureAnim(TextureAnim& anim);
    void readSequences();
    void readSequence(Sequence& sequence);
    void readGlobalSequences();
    void readMaterials();
    void readMaterial(Material& material);
    void readLayer(Layer& layer);
    void readTextures();
    void readBitmap(Texture& texture);
    void readPivotPoints();

    // --- geosets ---
    void readGeoset(Geoset& geoset);
    bool readGeosetVertexSections(Geoset& geoset);
    bool readGeosetTextureSets(Geoset& geoset);
    bool readGeosetFaces(Geoset& geoset);
    bool readGeosetGroups(Geoset& geoset);
    void readGeosetMembers(Geoset& geoset);
    bool readGeosetExtent(Extent& extent);
    void readGeosetAnim(GeosetAnim& anim);

    // --- scene objects ---
    bool readNodeMember(Node& node);
    bool readNamedObject();
    // Builds one object named by the opener's argument, reads its block, appends it.
    template <class T>
    void readObject(std::vector<T>& objects, void (MdlParser::*readBlock)(T&));
    void readBone(Bone& bone);
    void readHelper(Helper& helper);
    void readAttachment(Attachment& attachment);
    void readLight(Light& light);
    bool readLightMember(Light& light);
    void readEventObject(EventObject& event);
    void readEventTimes(EventObject& event);
    void readCollisionShape(CollisionShape& shape);
    bool readCollisionVertices(CollisionShape& shape);
    void readParticleEmitter(ParticleEmitter& emitter);
    bool readParticleEmitterMember(ParticleEmitter& emitter);
    void readParticleBlock(ParticleEmitter& emitter);
    void readParticleEmitter2(ParticleEmitter2& emitter);
    bool readParticleEmitter2Member(ParticleEmitter2& emitter);
    bool readSegmentColor(ParticleEmitter2& emitter);
    void readRibbonEmitter(RibbonEmitter& ribbon);
    bool readRibbonEmitterMember(RibbonEmitter& ribbon);
    void readCamera(Camera& camera);
    void readCameraTarget(Camera& camera);

    Model& model_;
    Diagnostics& diagnostics_;
    MdlLineSource source_;
    MdlToken token_;
    bool stopped_ = false;
};

}  // namespace tess
