#include "mdl/mdl_reader.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "mdl/mdl_reader_parser.h"
#include "model/filter_mode.h"

namespace tess {

Diagnostics readMdl(Model& model, std::string_view text) {
    model.reset();
    Diagnostics diagnostics;
    MdlParser(model, diagnostics, text).run();
    return diagnostics;
}

void printParseReport(const Diagnostics& diagnostics, std::ostream& out) {
    const auto isParseError = [](const Diagnostic& d) {
        return d.severity == Severity::Error && d.check == 0;
    };
    out << std::count_if(diagnostics.entries.begin(), diagnostics.entries.end(), isParseError) << " errors\n";
    for (const Diagnostic& d : diagnostics.entries) {
        if (isParseError(d)) out << "  Line " << d.line << ": " << d.lineText << "\n    " << d.text << '\n';
    }
}

namespace {

constexpr std::array<std::string_view, 10> kModelCountKeywords = {"NumGeosets",
                                                                  "NumGeosetAnims",
                                                                  "NumBones",
                                                                  "NumHelpers",
                                                                  "NumLights",
                                                                  "NumAttachments",
                                                                  "NumParticleEmitters",
                                                                  "NumParticleEmitters2",
                                                                  "NumRibbonEmitters",
                                                                  "NumEvents"};

using FlagWord = MdlParser::FlagWord;

constexpr std::array<FlagWord, 6> kLayerShadingFlags = {{{"Unshaded", Unshaded},
                                                         {"SphereEnvMap", SphereEnvMap},
                                                         {"TwoSided", TwoSided},
                                                         {"Unfogged", Unfogged},
                                                         {"NoDepthTest", NoDepthTest},
                                                         {"NoDepthSet", NoDepthSet}}};

constexpr std::array<FlagWord, 3> kMaterialFlags = {
    {{"ConstantColor", ConstantColor}, {"SortPrimsFarZ", SortPrimsFarZ}, {"FullResolution", FullResolution}}};

}  // namespace

void MdlParser::run() {
    // A token made from an empty line, then numbered 0, so the first line read is line 1.
    token_ = MdlToken(std::string_view{});
    token_.lineNumber = 0;
    do {
        next();
        dispatchTopLevel();
    } while (token_.kind != MdlTokenKind::EndOfInput && !stopped());
}

void MdlParser::dispatchTopLevel() {
    constexpr MatchCase kExact = MatchCase::Exact;
    if (token_.kind == MdlTokenKind::EndOfInput) return;
    if (opener("Version", kExact)) {
        readVersion();
    } else if (is(MdlTokenKind::LabeledChunkOpener, "Model", kExact)) {
        model_.Name = token_.argument();
        readModelHeader();
    } else if (opener("TextureAnims", kExact)) {
        readTextureAnims();
    } else if (opener("Sequences", kExact)) {
        readSequences();
    } else if (opener("GlobalSequences", kExact)) {
        readGlobalSequences();
    } else if (opener("Materials", kExact)) {
        readMaterials();
    } else if (opener("Textures")) {
        readTextures();
    } else if (opener("Geoset")) {
        Geoset geoset;
        readGeoset(geoset);
        model_.Geosets.push_back(std::move(geoset));
    } else if (opener("GeosetAnim")) {
        GeosetAnim anim;
        readGeosetAnim(anim);
        model_.GeosetAnims.push_back(std::move(anim));
    } else if (opener("PivotPoints")) {
        readPivotPoints();
    } else if (!readNamedObject()) {
        error("Unknown chunk");
    }
}

template <class Entry>
void MdlParser::readSection(std::string_view message, Entry readEntry) {
    next();
    while (!atBlockEnd() && !stopped()) {
        if (!readEntry()) error(message);
        next();
    }
}

void MdlParser::readVersion() {
    while (nextMember()) {
        if (intData("FormatVersion", MatchCase::Exact)) {
            model_.FormatVersion = intWord();
        } else {
            error("Unexpected in a Version chunk");
        }
    }
}

void MdlParser::readModelHeader() {
    while (nextMember()) {
        if (bracedFloats("MaximumExtent", 3)) {
            model_.MaximumExtent = vec3();
        } else if (bracedFloats("MinimumExtent", 3)) {
            model_.MinimumExtent = vec3();
        } else if (floatData("BoundsRadius")) {
            model_.BoundsRadius = token_.floatValue;
        } else if (intData("BlendTime")) {
            model_.BlendTime = intWord();
        } else {
            bool isCount = false;
            for (std::string_view keyword : kModelCountKeywords) isCount = isCount || anyData(keyword);
            if (!isCount) error("Unexpected in a Model chunk");
        }
    }
}

void MdlParser::readTextureAnims() {
    readSection("Expected TVertexAnim {", [this] {
        if (!opener("TVertexAnim", MatchCase::Exact)) return false;
        TextureAnim anim;
        readTextureAnim(anim);
        model_.TextureAnims.push_back(std::move(anim));
        return true;
    });
}

void MdlParser::readTextureAnim(TextureAnim& anim) {
    constexpr MatchCase kExact = MatchCase::Exact;
    while (nextMember()) {
        if (opener("Translation", kExact)) {
            readTrack(anim.Translation);
        } else if (opener("Rotation", kExact)) {
            readTrack(anim.Rotation);
        } else if (opener("Scaling", kExact)) {
            readTrack(anim.Scaling);
        } else {
            error("Unexpected in a TVertexAnim chunk");
        }
        if (stopped()) return;
    }
}

void MdlParser::readSequences() {
    readSection("Expected Anim \"name\" {", [this] {
        if (!is(MdlTokenKind::LabeledChunkOpener, "Anim")) return false;
        Sequence sequence;
        sequence.Name = token_.argument();
        readSequence(sequence);
        model_.Sequences.push_back(std::move(sequence));
        return true;
    });
}

void MdlParser::readSequence(Sequence& sequence) {
    constexpr MatchCase kExact = MatchCase::Exact;
    while (nextMember()) {
        if (bracedFloats("MaximumExtent", 3, kExact)) {
            sequence.MaximumExtent = vec3();
        } else if (bracedFloats("MinimumExtent", 3, kExact)) {
            sequence.MinimumExtent = vec3();
        } else if (floatData("BoundsRadius", kExact)) {
            sequence.BoundsRadius = token_.floatValue;
        } else if (bracedInts("Interval", 2, kExact)) {
            sequence.IntervalStart = static_cast<std::uint32_t>(token_.ints[0]);
            sequence.IntervalEnd = static_cast<std::uint32_t>(token_.ints[1]);
        } else if (floatData("Rarity", kExact)) {
            sequence.Rarity = token_.floatValue;
        } else if (floatData("MoveSpeed", kExact)) {
            sequence.MoveSpeed = token_.floatValue;
        } else if (flag("NonLooping", kExact)) {
            sequence.flags = 1;
        } else {
            error("Unexpected in a Sequence chunk");
        }
    }
}

void MdlParser::readGlobalSequences() {
    readSection("Expected ###,", [this] {
        if (!intData("Duration")) return false;
        model_.GlobalSequences.push_back(intWord());
        return true;
    });
}

void MdlParser::readMaterials() {
    readSection("Expected Material {", [this] {
        if (!opener("Material")) return false;
        Material material;
        readMaterial(material);
        model_.Materials.push_back(std::move(material));
        return true;
    });
}

void MdlParser::readMaterial(Material& material) {
    while (nextMember()) {
        if (opener("Layer")) {
            Layer layer;
            readLayer(layer);
            material.Layers.push_back(std::move(layer));
        } else if (intData("PriorityPlane")) {
            material.PriorityPlane = token_.intValue;
        } else if (!readFlagWord(kMaterialFlags, material.flags)) {
            error("Unexpected in a Material chunk");
        }
    }
}

void MdlParser::readLayer(Layer& layer) {
    while (nextMember()) {
        if (is(MdlTokenKind::LabeledWord, "FilterMode")) {
            const std::optional<std::uint32_t> mode = parseFilterMode(token_.argument());
            if (mode) {
                layer.FilterMode = *mode;
            } else {
                error("Unexpected in a Layer chunk");
            }
        } else if (intData("TVertexAnimId")) {
            layer.TVertexAnimId = token_.intValue;
        } else if (intData("CoordId")) {
            layer.CoordId = intWord();
        } else if (is(MdlTokenKind::StaticLabeledData, "TextureID") && token_.isInt) {
            layer.TextureID.staticValue = intWord();
        } else if (is(MdlTokenKind::StaticLabeledData, "Alpha") && token_.isFloat) {
            layer.Alpha.staticValue = token_.floatValue;
        } else if (opener("TextureID")) {
            readTrack(layer.TextureID);
        } else if (opener("Alpha")) {
            readTrack(layer.Alpha);
        } else if (!readFlagWord(kLayerShadingFlags, layer.shadingFlags)) {
            error("Unexpected in a Layer chunk");
        }
    }
}

void MdlParser::readTextures() {
    readSection("Expected Bitmap {", [this] {
        if (!opener("Bitmap")) return false;
        Texture texture;
        readBitmap(texture);
        model_.Textures.push_back(std::move(texture));
        return true;
    });
}

void MdlParser::readBitmap(Texture& texture) {
    while (nextMember()) {
        if (is(MdlTokenKind::LabeledStringData, "Image")) {
            texture.Image = token_.argument();
        } else if (intData("ReplaceableId")) {
            texture.ReplaceableId = intWord();
        } else if (flag("WrapWidth")) {
            texture.flags |= WrapWidth;
        } else if (flag("WrapHeight")) {
            texture.flags |= WrapHeight;
        } else {
            error("Unexpected in a Bitmap chunk");
        }
    }
}

void MdlParser::readPivotPoints() {
    readSection("Expected a pivotpoint", [this] {
        if (!bareFloats(3)) return false;
        model_.PivotPoints.push_back(vec3());
        return true;
    });
}

}  // namespace tess
