// Geoset and GeosetAnim blocks. A geoset's sections come in a fixed order; any error
// in them ends the block at once unless noted.

#include <string>
#include <vector>

#include "mdl/mdl_reader_parser.h"
#include "model/checks.h"

namespace tess {

void MdlParser::readGeoset(Geoset& geoset) {
    if (readGeosetVertexSections(geoset) && readGeosetFaces(geoset) && readGeosetGroups(geoset)) {
        readGeosetMembers(geoset);
    }
    // Whatever the block held or where it failed, every per-vertex array ends with one
    // entry per vertex; the errors or the warning have said where the text fell short.
    if (geoset.positions.empty()) geoset.uvSets.clear();
    geoset.resizeVertices(geoset.vertexCount());
}

// Vertices, Normals, any number of TVertices and VertexGroup. Per-vertex sections take
// at most as many lines as there are vertices; extra lines are errors.
bool MdlParser::readGeosetVertexSections(Geoset& geoset) {
    next();
    if (!opener("Vertices")) {
        error("Expected: Vertices # {");
        return false;
    }
    while (nextMember()) {
        if (!bareFloats(3)) {
            error("Expected a vertex.");
            return false;
        }
        geoset.positions.push_back(vec3());
    }
    const std::size_t n = geoset.vertexCount();

    next();
    if (!opener("Normals")) {
        error("Expected \"Normals # {\"");
        return false;
    }
    geoset.normals.reserve(n);
    for (next(); token_.kind != MdlTokenKind::ChunkCloser; next()) {
        if (!bareFloats(3)) {
            error("Expected a normal or a closing }.");
            return false;
        }
        if (geoset.normals.size() == n) {
            error("Too many normals.");
            return false;
        }
        geoset.normals.push_back(vec3());
    }
    if (geoset.normals.size() != n) error("Wrong number of normals (did not match number of vertices).");

    if (!readGeosetTextureSets(geoset)) return false;

    if (!opener("VertexGroup")) {
        error("Expected \"VertexGroup {\"");
        return false;
    }
    geoset.vertexGroups.reserve(n);
    for (next(); token_.kind != MdlTokenKind::ChunkCloser; next()) {
        if (token_.kind != MdlTokenKind::BareInteger) {
            error("Expected a vertex group entry or a closing }.");
            return false;
        }
        if (geoset.vertexGroups.size() == n) {
            error("Too many VertexGroup entries.");
            return false;
        }
        geoset.vertexGroups.push_back(intWord());
    }
    if (geoset.vertexGroups.size() != n) {
        error("Wrong number of vertex group entries (did not match number of vertices).");
    }
    return true;
}

// The k-th TVertices block is texture-coordinate set k. Ends on the token after the last
// block; false after an error.
bool MdlParser::readGeosetTextureSets(Geoset& geoset) {
    const std::size_t n = geoset.vertexCount();
    for (next(); opener("TVertices"); next()) {
        const std::uint32_t headLine = static_cast<std::uint32_t>(token_.lineNumber);
        const std::string headText = token_.lineText;
        std::vector<Vec2>& set = geoset.uvSets.emplace_back();
        set.reserve(n);
        for (next(); token_.kind != MdlTokenKind::ChunkCloser; next()) {
            if (!bareFloats(2)) {
                error("Expected a tvertex or a closing }.");
                return false;
            }
            if (set.size() == n) {
                error("Too many TVertices.");
                return false;
            }
            set.push_back({token_.floats[0], token_.floats[1]});
        }
        // Padded with (0, 0) when the geoset ends.
        if (set.size() < n) {
            diagnostics_.add({Severity::Warning, kMdlShortTextureSet, headLine, headText,
                              "Fewer TVertices than vertices; the rest of the set is (0, 0)."});
        }
    }
    return true;
}

bool MdlParser::readGeosetFaces(Geoset& geoset) {
    next();
    if (!opener("Faces")) {
        error("Expected \"Faces # # {\"");
        return false;
    }
    next();
    if (!opener("Triangles")) {
        error("Expected \"Triangles {\"");
        return false;
    }
    // Corners may be spread over any number of lines of any length.
    for (next(); token_.kind == MdlTokenKind::BracedData && token_.allInt; next()) {
        for (std::int32_t corner : token_.ints) geoset.corners.push_back(static_cast<std::uint32_t>(corner));
    }
    // The Triangles closer, then the Faces closer.
    if (token_.kind != MdlTokenKind::ChunkCloser) {
        error("Expected a closing }.");
        return false;
    }
    next();
    if (token_.kind != MdlTokenKind::ChunkCloser) {
        error("Expected a closing }.");
        return false;
    }
    return true;
}

bool MdlParser::readGeosetGroups(Geoset& geoset) {
    next();
    if (!opener("Groups")) {
        error("Expected \"Groups # # {\"");
        return false;
    }
    // Every braced line is one group, whatever its keyword.
    for (next(); token_.kind == MdlTokenKind::BracedLabeledData && token_.allInt; next()) {
        std::vector<std::uint32_t>& group = geoset.matrixGroups.emplace_back();
        group.reserve(token_.ints.size());
        for (std::int32_t bone : token_.ints) group.push_back(static_cast<std::uint32_t>(bone));
    }
    if (token_.kind != MdlTokenKind::ChunkCloser) {
        error("Expected a matrix or a closing }.");
        return false;
    }
    return true;
}

void MdlParser::readGeosetMembers(Geoset& geoset) {
    geoset.selectionFlags = 0;
    while (nextMember()) {
        if (opener("Anim")) {
            Extent extent;
            if (!readGeosetExtent(extent)) return;
            geoset.extents.push_back(extent);
        } else if (bracedFloats("MinimumExtent", 3)) {
            geoset.MinimumExtent = vec3();
        } else if (bracedFloats("MaximumExtent", 3)) {
            geoset.MaximumExtent = vec3();
        } else if (floatData("BoundsRadius")) {
            geoset.BoundsRadius = token_.floatValue;
        } else if (intData("MaterialID")) {
            geoset.MaterialID = intWord();
        } else if (intData("SelectionGroup")) {
            geoset.SelectionGroup = intWord();
        } else if (flag("Unselectable")) {
            geoset.selectionFlags = kUnselectable;
        } else {
            error("Unexpected in a Geoset chunk");
        }
    }
}

// False when the sub-block failed: the record is dropped and the geoset ends.
bool MdlParser::readGeosetExtent(Extent& extent) {
    while (nextMember()) {
        if (bracedFloats("MaximumExtent", 3)) {
            extent.MaximumExtent = vec3();
        } else if (bracedFloats("MinimumExtent", 3)) {
            extent.MinimumExtent = vec3();
        } else if (floatData("BoundsRadius")) {
            extent.BoundsRadius = token_.floatValue;
        } else {
            error("Unexpected in an Anim chunk.");
            return false;
        }
    }
    return true;
}

void MdlParser::readGeosetAnim(GeosetAnim& anim) {
    while (nextMember()) {
        if (flag("DropShadow")) {
            anim.flags |= DropShadow;
        } else if (staticAny("Alpha")) {
            anim.Alpha.staticValue = token_.floatValue;
        } else if (opener("Alpha")) {
            readTrack(anim.Alpha);
        } else if (staticBracedFloats("Color", 3)) {
            anim.Color.staticValue = vec3();
            anim.flags |= GeosetAnimUsesColor;
        } else if (opener("Color")) {
            readTrack(anim.Color);
            anim.flags |= GeosetAnimUsesColor;
        } else if (intData("GeosetId")) {
            anim.GeosetId = intWord();
        } else {
            error("Unexpected in a GeosetAnim chunk");
            return;
        }
    }
}

}  // namespace tess
