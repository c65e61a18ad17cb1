#include "mdl/mdl_writer.h"

#include <cstdint>
#include <iterator>
#include <string_view>

#include "mdl/mdl_writer_blocks.h"
#include "mdl/mdl_writer_tracks.h"
#include "model/filter_mode.h"

namespace tess {
namespace {

// English names whatever the locale: the stamp must read the same everywhere.
constexpr std::string_view kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::string_view kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// "// Converted Www Mmm dd hh:mm:ss yyyy" in local time, then the fixed version line.
void writeHeaderComment(MdlText& text, std::time_t now) {
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        const std::time_t epoch = 0;
        localtime_r(&epoch, &local);
    }
    text.text("// Converted ");
    text.text(kDayNames[local.tm_wday]);
    text.text(" ");
    text.text(kMonthNames[local.tm_mon]);
    text.text(" ");
    text.padded(local.tm_mday, 2);
    text.text(" ");
    text.padded(local.tm_hour, 2);
    text.text(":");
    text.padded(local.tm_min, 2);
    text.text(":");
    text.padded(local.tm_sec, 2);
    text.text(" ");
    text.padded(local.tm_year + 1900, 4);
    text.text("\n");
    text.text("// Quorvint Version Feb 22 2007.\n");
}

bool anyNonZero(const Vec3& a, const Vec3& b) {
    for (std::size_t i = 0; i < 3; ++i) {
        if (a[i] != 0 || b[i] != 0) return true;
    }
    return false;
}

void writeCountedHead(MdlText& text, std::string_view head, std::size_t count) {
    text.text(head);
    text.integer(static_cast<std::int32_t>(count));
    text.text(" {\n");
}

void writeModelBlock(MdlText& text, const Model& model) {
    text.quotedLine("Model ", model.Name, " {\n");
    text.intLine("\tBlendTime ", model.BlendTime);
    // The radius alone, without extents, is not written.
    if (anyNonZero(model.MinimumExtent, model.MaximumExtent)) {
        text.bracedLine("\tMinimumExtent ", model.MinimumExtent);
        text.bracedLine("\tMaximumExtent ", model.MaximumExtent);
        if (model.BoundsRadius != 0) text.realLine("\tBoundsRadius ", model.BoundsRadius);
    }
    text.text("}\n");
}

void writeSequences(MdlText& text, const std::vector<Sequence>& sequences) {
    writeCountedHead(text, "Sequences ", sequences.size());
    for (const Sequence& s : sequences) {
        text.quotedLine("\tAnim ", s.Name, " {\n");
        text.text("\t\tInterval { ");
        text.integer(s.IntervalStart);
        text.text(", ");
        text.integer(s.IntervalEnd);
        text.text(" },\n");
        if (s.flags == 1) text.text("\t\tNonLooping,\n");
        if (s.MoveSpeed != 0) text.realLine("\t\tMoveSpeed ", s.MoveSpeed);
        if (s.Rarity != 0) text.realLine("\t\tRarity ", s.Rarity);
        if (s.BoundsRadius != 0 || anyNonZero(s.MinimumExtent, s.MaximumExtent)) {
            text.bracedLine("\t\tMinimumExtent ", s.MinimumExtent);
            text.bracedLine("\t\tMaximumExtent ", s.MaximumExtent);
            text.realLine("\t\tBoundsRadius ", s.BoundsRadius);
        }
        text.text("\t}\n");
    }
    text.text("}\n");
}

void writeGlobalSequences(MdlText& text, const std::vector<std::uint32_t>& durations) {
    writeCountedHead(text, "GlobalSequences ", durations.size());
    for (std::uint32_t duration : durations) text.intLine("\tDuration ", duration);
    text.text("}\n");
}

void writeTextures(MdlText& text, const std::vector<Texture>& textures) {
    writeCountedHead(text, "Textures ", textures.size());
    for (const Texture& t : textures) {
        text.text("\tBitmap {\n");
        text.quotedLine("\t\tImage ", t.Image, ",\n");
        if (t.ReplaceableId != 0) text.intLine("\t\tReplaceableId ", t.ReplaceableId);
        if ((t.flags & WrapWidth) != 0) text.text("\t\tWrapWidth,\n");
        if ((t.flags & WrapHeight) != 0) text.text("\t\tWrapHeight,\n");
        text.text("\t}\n");
    }
    text.text("}\n");
}

void writeLayer(MdlText& text, const Layer& layer) {
    struct ShadingLine {
        std::uint32_t bit;
        std::string_view line;
    };
    constexpr ShadingLine kShadingLines[] = {
        {Unshaded, "\t\t\tUnshaded,\n"},       {SphereEnvMap, "\t\t\tSphereEnvMap,\n"},
        {TwoSided, "\t\t\tTwoSided,\n"},       {Unfogged, "\t\t\tUnfogged,\n"},
        {NoDepthTest, "\t\t\tNoDepthTest,\n"}, {NoDepthSet, "\t\t\tNoDepthSet,\n"},
    };
    text.text("\t\tLayer {\n");
    text.text("\t\t\tFilterMode ");
    const std::string_view filterName = filterModeName(layer.FilterMode);
    text.text(filterName.empty() ? "ERROR-UNKNOWN" : filterName);
    text.text(",\n");
    for (const ShadingLine& entry : kShadingLines) {
        if ((layer.shadingFlags & entry.bit) != 0) text.text(entry.line);
    }
    writeTrack(text, layer.TextureID, "TextureID", "\t\t\t");
    if (layer.TVertexAnimId != -1) text.intLine("\t\t\tTVertexAnimId ", layer.TVertexAnimId);
    writeNonDefaultTrack(text, layer.Alpha, "Alpha", "\t\t\t", 1.0f);
    text.text("\t\t}\n");
}

void writeMaterials(MdlText& text, const std::vector<Material>& materials) {
    writeCountedHead(text, "Materials ", materials.size());
    for (const Material& m : materials) {
        text.text("\tMaterial {\n");
        if ((m.flags & ConstantColor) != 0) text.text("\t\tConstantColor,\n");
        if ((m.flags & SortPrimsFarZ) != 0) text.text("\t\tSortPrimsFarZ,\n");
        if ((m.flags & FullResolution) != 0) text.text("\t\tFullResolution,\n");
        if (m.PriorityPlane != 0) text.intLine("\t\tPriorityPlane ", m.PriorityPlane);
        for (const Layer& layer : m.Layers) writeLayer(text, layer);
        text.text("\t}\n");
    }
    text.text("}\n");
}

void writeTextureAnims(MdlText& text, const std::vector<TextureAnim>& anims) {
    writeCountedHead(text, "TextureAnims ", anims.size());
    for (const TextureAnim& a : anims) {
        text.text("\tTVertexAnim {\n");
        writeKeyedTrack(text, a.Translation, "Translation", "\t\t");
        writeKeyedTrack(text, a.Rotation, "Rotation", "\t\t");
        writeKeyedTrack(text, a.Scaling, "Scaling", "\t\t");
        text.text("\t}\n");
    }
    text.text("}\n");
}

void writePivotPoints(MdlText& text, const std::vector<PivotPoint>& pivots) {
    writeCountedHead(text, "PivotPoints ", pivots.size());
    for (const PivotPoint& p : pivots) text.bracedLine("\t", p);
    text.text("}\n");
}

// A generous guess at the bulk of the text (geoset lines) so that large models are
// formatted into storage reserved once; everything else fits in the slack or grows it.
std::size_t estimateTextSize(const Model& model) {
    constexpr std::size_t kVectorLine = 3 * 12 + 10;
    std::size_t bytes = 16 * 1024 + model.PivotPoints.size() * kVectorLine;
    for (const Geoset& g : model.Geosets) {
        const std::size_t perVertex = 2 * kVectorLine + g.textureSetCount() * 30 + 8;
        bytes += g.vertexCount() * perVertex + g.corners.size() * 8;
    }
    return bytes;
}

}  // namespace

Diagnostics writeMdl(const Model& model, std::string& out, std::time_t now) {
    Diagnostics diagnostics;
    MdlText text(out, estimateTextSize(model));
    writeHeaderComment(text, now);
    text.text("Version {\n");
    text.intLine("\tFormatVersion ", model.FormatVersion);
    text.text("}\n");
    writeModelBlock(text, model);
    if (!model.Sequences.empty()) writeSequences(text, model.Sequences);
    if (!model.GlobalSequences.empty()) writeGlobalSequences(text, model.GlobalSequences);
    if (!model.Textures.empty()) writeTextures(text, model.Textures);
    if (!model.Materials.empty()) writeMaterials(text, model.Materials);
    if (!model.TextureAnims.empty()) writeTextureAnims(text, model.TextureAnims);
    for (const Geoset& g : model.Geosets) writeGeoset(text, g);
    for (const GeosetAnim& a : model.GeosetAnims) writeGeosetAnim(text, a);
    for (const Bone& b : model.Bones) writeBone(text, b);
    for (const Light& l : model.Lights) writeLight(text, l);
    for (const Helper& h : model.Helpers) writeHelper(text, h);
    for (std::size_t i = 0; i < model.Attachments.size(); ++i) writeAttachment(text, model.Attachments[i], i);
    writePivotPoints(text, model.PivotPoints);
    for (const ParticleEmitter& e : model.ParticleEmitters) writeParticleEmitter(text, e, diagnostics);
    for (const ParticleEmitter2& e : model.ParticleEmitters2) writeParticleEmitter2(text, e, diagnostics);
    for (const RibbonEmitter& e : model.RibbonEmitters) writeRibbonEmitter(text, e);
    for (const Camera& c : model.Cameras) writeCamera(text, c);
    for (const EventObject& e : model.EventObjects) writeEventObject(text, e);
    for (const CollisionShape& s : model.CollisionShapes) writeCollisionShape(text, s);
    return diagnostics;
}

Diagnostics writeMdl(const Model& model, std::string& out) {
    return writeMdl(model, out, std::time(nullptr));
}

}  // namespace tess
