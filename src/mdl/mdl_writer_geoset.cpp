// Geoset and GeosetAnim blocks: the bulk of a model's text.

#include <cstdint>
#include <span>
#include <string_view>

#include "mdl/mdl_writer_blocks.h"
#include "mdl/mdl_writer_tracks.h"

namespace tess {
namespace {

// prefix, the numbers joined by ", ", " },\n". An empty list leaves the two blanks of
// prefix and suffix side by side.
void writeListLine(MdlText& text, std::string_view prefix, std::span<const std::uint32_t> values) {
    text.text(prefix);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text.text(", ");
        text.integer(values[i]);
    }
    text.text(" },\n");
}

void writeCountHead(MdlText& text, std::string_view head, std::size_t count) {
    text.text(head);
    text.integer(static_cast<std::int32_t>(count));
    text.text(" {\n");
}

void writeExtentLines(MdlText& text, std::string_view indent, float boundsRadius, const Vec3& minimum,
                      const Vec3& maximum) {
    text.text(indent);
    text.bracedLine("MinimumExtent ", minimum);
    text.text(indent);
    text.bracedLine("MaximumExtent ", maximum);
    if (boundsRadius != 0) {
        text.text(indent);
        text.realLine("BoundsRadius ", boundsRadius);
    }
}

}  // namespace

void writeGeoset(MdlText& text, const Geoset& geoset) {
    const std::size_t n = geoset.vertexCount();
    text.text("Geoset {\n");

    writeCountHead(text, "\tVertices ", n);
    for (const Vec3& position : geoset.positions) text.bracedLine("\t\t", position);
    text.text("\t}\n");

    writeCountHead(text, "\tNormals ", n);
    for (const Vec3& normal : geoset.normals) text.bracedLine("\t\t", normal);
    text.text("\t}\n");

    // Without vertices there is no set to write.
    for (std::size_t set = 0; n > 0 && set < geoset.textureSetCount(); ++set) {
        writeCountHead(text, "\tTVertices ", n);
        for (const Vec2& uv : geoset.uvSets[set]) text.bracedLine("\t\t", uv);
        text.text("\t}\n");
    }

    text.text("\tVertexGroup {\n");
    for (const std::uint32_t group : geoset.vertexGroups) text.intLine("\t\t", group);
    text.text("\t}\n");

    writeCountHead(text, "\tFaces 1 ", geoset.corners.size());
    text.text("\t\tTriangles {\n");
    writeListLine(text, "\t\t\t{ ", geoset.corners);
    text.text("\t\t}\n");
    text.text("\t}\n");

    std::size_t entries = 0;
    for (const auto& group : geoset.matrixGroups) entries += group.size();
    text.text("\tGroups ");
    text.integer(static_cast<std::int32_t>(geoset.matrixGroups.size()));
    text.text(" ");
    writeCountHead(text, "", entries);
    for (const auto& group : geoset.matrixGroups) writeListLine(text, "\t\tMatrices { ", group);
    text.text("\t}\n");

    writeExtentLines(text, "\t", geoset.BoundsRadius, geoset.MinimumExtent, geoset.MaximumExtent);
    for (const Extent& extent : geoset.extents) {
        text.text("\tAnim {\n");
        writeExtentLines(text, "\t\t", extent.BoundsRadius, extent.MinimumExtent, extent.MaximumExtent);
        text.text("\t}\n");
    }

    text.intLine("\tMaterialID ", geoset.MaterialID);
    text.intLine("\tSelectionGroup ", geoset.SelectionGroup);
    if (geoset.selectionFlags == kUnselectable) text.text("\tUnselectable,\n");
    text.text("}\n");
}

void writeGeosetAnim(MdlText& text, const GeosetAnim& anim) {
    text.text("GeosetAnim {\n");
    if ((anim.flags & DropShadow) != 0) text.text("\tDropShadow,\n");
    writeTrack(text, anim.Alpha, "Alpha", "\t");
    if ((anim.flags & GeosetAnimUsesColor) != 0) {
        writeNonDefaultTrack(text, anim.Color, "Color", "\t", Vec3{1, 1, 1});
    }
    text.intLine("\tGeosetId ", anim.GeosetId);
    text.text("}\n");
}

}  // namespace tess
