#include "model/validate.h"

#include <gtest/gtest.h>

#include "common/sample_models.h"

namespace tess {
namespace {

TEST(ValidateModel, SoundModelsAndReferencesOfMinusOneHaveNoFindings) {
    Model model = testing::makeRichModel();
    model.Geosets[0].MaterialID = 0xFFFFFFFFu;
    model.GeosetAnims[0].GeosetId = 0xFFFFFFFFu;
    model.Bones[0].GeosetId = -1;
    model.Bones[1].node.Parent = static_cast<std::int32_t>(model.Helpers[0].node.ObjectId);
    model.Materials[0].Layers[1].TextureID.staticValue = 99;  // keyed: the static value is unused
    EXPECT_TRUE(validateModel(model).empty() && validateModel(Model{}).empty());
}

// Indices equal to their array's size are the first ones out of range.
TEST(ValidateModel, EveryRuleHasItsCheckAndGeosetFaultsAreSummarised) {
    Model model = testing::makeRichModel();  // geosets of 4 vertices and 2 matrix groups, 2 bones
    Geoset& g = model.Geosets[1];
    g.normals.pop_back();
    g.uvSets[1].push_back({});
    g.corners = {0, 1, 9, 2, 4, 3, 1};
    g.vertexGroups[2] = 2;
    g.matrixGroups[1].push_back(2);
    g.MaterialID = 2;
    model.Materials[0].Layers[0].TextureID.staticValue = 2;  // unkeyed: the static is the texture
    model.Materials[1].Layers[0].TVertexAnimId = 2;
    model.GeosetAnims[1].GeosetId = 2;
    model.Bones[1].node.Parent = 3;       // the Light's ObjectId
    model.Helpers[0].node.ObjectId = 14;  // 14 pivot points
    model.Bones[0].GeosetId = 2;
    model.ParticleEmitters2[0].TextureID = 2;
    model.RibbonEmitters[0].MaterialID = 2;
    std::vector<int> checks;
    std::vector<std::string> texts;
    for (const Diagnostic& d : validateModel(model).entries) {
        EXPECT_EQ(d.severity, Severity::Warning);
        checks.push_back(d.check);
        texts.push_back(d.text);
    }
    ASSERT_EQ(checks, (std::vector<int>{4001, 4001, 4002, 4003, 4004, 4005, 4006, 4007, 4008, 4009, 4010,
                                        4011, 4012, 4013, 4014}));
    EXPECT_EQ(texts[1], "Geoset 2: texture set 2 has 5 entries for 4 vertices");
    EXPECT_EQ(texts[3],
              "Geoset 2: 2 corner indices are not below the vertex count (first: corner 2 = 9, 4 vertices)");
    EXPECT_EQ(texts[8], "Material 2, layer 1: TVertexAnimId 2 is not an index into TextureAnims (2 entries)");
    EXPECT_EQ(texts[10], "Bone 2 \"Arm\": Parent 3 is not the ObjectId of a Bone or Helper");
    EXPECT_EQ(texts[11], "Helper 1 \"Helper01\": ObjectId 14 has no pivot point (14 pivot points)");
}

}  // namespace
}  // namespace tess
