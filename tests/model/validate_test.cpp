#include "model/validate.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/sample_models.h"

namespace tess {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(ValidateModel, SoundModelsHaveNoViolations) {
    EXPECT_THAT(validateModel(testing::makeRichModel()), ::testing::IsEmpty());
    EXPECT_THAT(validateModel(Model{}), ::testing::IsEmpty());
}

TEST(ValidateModel, GeosetFaultsAreSummarisedPerGeoset) {
    Model model = testing::makeRichModel();
    Geoset& g = model.Geosets[1];
    g.corners = {0, 1, 9, 2, 7, 3, 1};  // two out of range, and not whole triangles
    g.Vertices[2].vertexGroup = 2;     // only groups 0 and 1 exist
    g.Vertices[3].U.push_back(1);      // a third set on one vertex
    g.matrixGroups[1].push_back(5);    // bones 0 and 1 only
    g.MaterialID = 2;
    const auto lines = validateModel(model);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_THAT(lines[0], HasSubstr("Geoset 2: 7 corner indices do not make whole triangles"));
    EXPECT_THAT(lines[1], HasSubstr("Geoset 2: 2 corner indices are not below the vertex count (first: corner 2 = 9"));
    EXPECT_THAT(lines[2], HasSubstr("Geoset 2: 1 vertex groups are not matrix groups (first: vertex 2 = 2"));
    EXPECT_THAT(lines[3], HasSubstr("texture-coordinate sets (first: vertex 3"));
    EXPECT_THAT(lines[4], HasSubstr("matrix entries are not bones (first: group 1 = 5"));
    EXPECT_THAT(lines[5], HasSubstr("Geoset 2: MaterialID 2 is not an index into Materials"));
}

TEST(ValidateModel, ReferencesAcrossObjectKinds) {
    Model model = testing::makeRichModel();
    model.Materials[0].Layers[0].TextureID.staticValue = 2;      // unkeyed: the static is the texture
    model.Materials[0].Layers[1].TextureID.staticValue = 99;     // keyed: the static is unused
    model.Materials[1].Layers[0].TVertexAnimId = 4;
    model.GeosetAnims[1].GeosetId = 2;
    model.Bones[1].node.Parent = 3;                              // the Light's ObjectId
    model.Helpers[0].node.ObjectId = 14;                         // 14 pivot points: 0..13
    model.Bones[0].GeosetId = 7;
    EXPECT_THAT(validateModel(model),
                ElementsAre(HasSubstr("Material 1, layer 1: TextureID 2"),
                            HasSubstr("Material 2, layer 1: TVertexAnimId 4"),
                            HasSubstr("GeosetAnim 2: GeosetId 2"),
                            HasSubstr("Bone 2 \"Arm\": Parent 3 is not the ObjectId of a Bone or Helper"),
                            HasSubstr("Helper 1 \"Helper01\": ObjectId 14 has no pivot point"),
                            HasSubstr("Bone 1: GeosetId 7")));
}

TEST(ValidateModel, MinusOneMeansNoReference) {
    Model model = testing::makeRichModel();
    model.Geosets[0].MaterialID = 0xFFFFFFFFu;
    model.GeosetAnims[0].GeosetId = 0xFFFFFFFFu;
    model.Materials[0].Layers[0].TVertexAnimId = -1;
    model.Bones[0].GeosetId = -1;
    EXPECT_THAT(validateModel(model), ::testing::IsEmpty());
}

}  // namespace
}  // namespace tess
