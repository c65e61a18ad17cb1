#include "model/validate.h"

#include <cstdint>
#include <set>
#include <string>

#include "model/checks.h"
#include "model/nodes.h"

namespace tess {
namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;

std::string ordinal(const char* kind, std::size_t index) {
    return std::string(kind) + " " + std::to_string(index + 1);
}

// Counts the faults of one kind within one object and turns them into a single warning.
class FaultSummary {
public:
    void add(std::size_t where, std::uint64_t value) {
        if (count_++ == 0) {
            firstWhere_ = where;
            firstValue_ = value;
        }
    }
    void emit(Diagnostics& out, Check check, const std::string& subject, const char* what, const char* item,
              const std::string& limit) const {
        if (count_ == 0) return;
        out.warning(subject + ": " + std::to_string(count_) + " " + what + " (first: " + item + " " +
                        std::to_string(firstWhere_) + " = " + std::to_string(firstValue_) + ", " + limit +
                        ")",
                    check);
    }

private:
    std::size_t count_ = 0;
    std::size_t firstWhere_ = 0;
    std::uint64_t firstValue_ = 0;
};

void checkIndex(Diagnostics& out, Check check, const std::string& subject, const char* field,
                std::uint32_t value, std::size_t count, const char* arrayName) {
    if (value == kNone || value < count) return;
    out.warning(subject + ": " + field + " " + std::to_string(value) + " is not an index into " + arrayName +
                    " (" + std::to_string(count) + " entries)",
                check);
}

void checkArrayLength(Diagnostics& out, const std::string& subject, const std::string& array,
                      std::size_t size, std::size_t vertexCount) {
    if (size == vertexCount) return;
    out.warning(subject + ": " + array + " has " + std::to_string(size) + " entries for " +
                    std::to_string(vertexCount) + " vertices",
                kGeosetArraysOutOfStep);
}

void checkGeoset(Diagnostics& out, const Model& model, const Geoset& g, std::size_t index) {
    const std::string subject = ordinal("Geoset", index);
    const std::size_t n = g.vertexCount();
    checkArrayLength(out, subject, "normal array", g.normals.size(), n);
    for (std::size_t k = 0; k < g.uvSets.size(); ++k)
        checkArrayLength(out, subject, "texture set " + std::to_string(k + 1), g.uvSets[k].size(), n);
    checkArrayLength(out, subject, "vertex group array", g.vertexGroups.size(), n);

    if (g.corners.size() % 3 != 0)
        out.warning(subject + ": " + std::to_string(g.corners.size()) +
                        " corner indices do not make whole triangles of three",
                    kGeosetPartialTriangle);
    FaultSummary corners;
    for (std::size_t i = 0; i < g.corners.size(); ++i)
        if (g.corners[i] >= n) corners.add(i, g.corners[i]);
    corners.emit(out, kGeosetCornerRange, subject, "corner indices are not below the vertex count", "corner",
                 std::to_string(n) + " vertices");

    FaultSummary groups;
    for (std::size_t i = 0; i < g.vertexGroups.size(); ++i)
        if (g.vertexGroups[i] >= g.matrixGroups.size()) groups.add(i, g.vertexGroups[i]);
    groups.emit(out, kGeosetVertexGroupRange, subject, "vertex groups are not matrix groups", "vertex",
                std::to_string(g.matrixGroups.size()) + " matrix groups");

    FaultSummary bones;
    for (std::size_t gi = 0; gi < g.matrixGroups.size(); ++gi)
        for (std::uint32_t bone : g.matrixGroups[gi])
            if (bone >= model.Bones.size()) bones.add(gi, bone);
    bones.emit(out, kGeosetMatrixBoneRange, subject, "matrix entries are not bones", "group",
               std::to_string(model.Bones.size()) + " bones");

    checkIndex(out, kGeosetMaterialId, subject, "MaterialID", g.MaterialID, model.Materials.size(),
               "Materials");
}

void checkMaterials(Diagnostics& out, const Model& model) {
    for (std::size_t mi = 0; mi < model.Materials.size(); ++mi) {
        const Material& material = model.Materials[mi];
        for (std::size_t li = 0; li < material.Layers.size(); ++li) {
            const Layer& layer = material.Layers[li];
            const std::string subject = ordinal("Material", mi) + ", " + ordinal("layer", li);
            if (!layer.TextureID.keyed())
                checkIndex(out, kLayerTextureId, subject, "TextureID", layer.TextureID.staticValue,
                           model.Textures.size(), "Textures");
            checkIndex(out, kLayerTextureAnimId, subject, "TVertexAnimId",
                       static_cast<std::uint32_t>(layer.TVertexAnimId), model.TextureAnims.size(),
                       "TextureAnims");
        }
    }
}

void checkNodes(Diagnostics& out, const Model& model) {
    std::set<std::uint32_t> parents;
    for (const Bone& b : model.Bones) parents.insert(b.node.ObjectId);
    for (const Helper& h : model.Helpers) parents.insert(h.node.ObjectId);
    forEachNode(model, [&](const char* kind, std::size_t i, const Node& node) {
        const std::string subject = ordinal(kind, i) + " \"" + node.Name + "\"";
        if (node.Parent != -1 && !parents.count(static_cast<std::uint32_t>(node.Parent)))
            out.warning(subject + ": Parent " + std::to_string(node.Parent) +
                            " is not the ObjectId of a Bone or Helper",
                        kNodeParent);
        if (node.ObjectId >= model.PivotPoints.size())
            out.warning(subject + ": ObjectId " + std::to_string(node.ObjectId) + " has no pivot point (" +
                            std::to_string(model.PivotPoints.size()) + " pivot points)",
                        kNodePivot);
    });
    for (std::size_t i = 0; i < model.Bones.size(); ++i)
        checkIndex(out, kBoneGeosetId, ordinal("Bone", i), "GeosetId",
                   static_cast<std::uint32_t>(model.Bones[i].GeosetId), model.Geosets.size(), "Geosets");
    for (std::size_t i = 0; i < model.ParticleEmitters2.size(); ++i)
        checkIndex(out, kEmitter2TextureId, ordinal("ParticleEmitter2", i), "TextureID",
                   model.ParticleEmitters2[i].TextureID, model.Textures.size(), "Textures");
    for (std::size_t i = 0; i < model.RibbonEmitters.size(); ++i)
        checkIndex(out, kRibbonMaterialId, ordinal("RibbonEmitter", i), "MaterialID",
                   model.RibbonEmitters[i].MaterialID, model.Materials.size(), "Materials");
}

}  // namespace

Diagnostics validateModel(const Model& model) {
    Diagnostics out;
    for (std::size_t i = 0; i < model.Geosets.size(); ++i) checkGeoset(out, model, model.Geosets[i], i);
    checkMaterials(out, model);
    for (std::size_t i = 0; i < model.GeosetAnims.size(); ++i)
        checkIndex(out, kGeosetAnimGeosetId, ordinal("GeosetAnim", i), "GeosetId",
                   model.GeosetAnims[i].GeosetId, model.Geosets.size(), "Geosets");
    checkNodes(out, model);
    return out;
}

}  // namespace tess
