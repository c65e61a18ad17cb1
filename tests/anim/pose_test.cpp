#include "anim/pose.h"

#include <gtest/gtest.h>

#include <cmath>

#include "anim/matrix.h"
#include "anim/node_order.h"

namespace tess {
namespace {

const float kHalfRoot2 = std::sqrt(0.5f);

// Bones numbered by index, each with its pivot.
Bone& addBone(Model& model, std::int32_t parent, Vec3 pivot = {}) {
    Bone bone;
    bone.node.ObjectId = static_cast<std::uint32_t>(model.Bones.size());
    bone.node.Parent = parent;
    model.Bones.push_back(bone);
    model.PivotPoints.push_back(pivot);
    return model.Bones.back();
}

void keyTranslation(Node& node, Vec3 value) {
    node.Translation.keys = {{0, value, {}, {}}};
}
void keyRotation(Node& node, Quat value) {
    node.Rotation.keys = {{0, value, {}, {}}};
}

void expectPoint(const Vec3& actual, const Vec3& expected) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(actual[c], expected[c], 1e-5) << "component " << c;
}

// One geoset whose vertex i sits at `positions[i]` in group i; each group lists bones.
Geoset& addGeoset(Model& model, std::vector<Vec3> positions, std::vector<std::vector<std::uint32_t>> groups) {
    Geoset& g = model.Geosets.emplace_back();
    for (std::size_t i = 0; i < positions.size(); ++i) {
        Vertex v;
        v.position = positions[i];
        v.vertexGroup = static_cast<std::uint32_t>(i);
        g.Vertices.push_back(v);
    }
    g.matrixGroups = std::move(groups);
    return g;
}

void pose(Model& model, std::int32_t time = 0) {
    computeNodeOrder(model);
    evaluateModel(model, time);
}

TEST(NodeTransforms, RotationTurnsAboutThePivot) {
    Model model;
    keyRotation(addBone(model, -1, {1, 0, 0}).node, {0, 0, kHalfRoot2, kHalfRoot2});
    pose(model);
    const Mat4& m = model.Bones[0].node.worldMatrix;
    expectPoint(transformPoint(m, {2, 0, 0}), {1, 1, 0});
    expectPoint(transformPoint(m, {1, 0, 0}), {1, 0, 0});
}

TEST(NodeTransforms, ChildrenComposeWithTheirParentsWorldMatrix) {
    Model model;
    // Listed before its parent, so the order, not the array, must put the parent first.
    addBone(model, 1);
    keyTranslation(addBone(model, -1).node, {0, 0, 10});
    pose(model);
    expectPoint(transformPoint(model.Bones[0].node.worldMatrix, {0, 0, 0}), {0, 0, 10});

    // The parent's rotation applies to the child's translation: Parent * child, not the reverse.
    Model turned;
    keyRotation(addBone(turned, -1).node, {0, 0, kHalfRoot2, kHalfRoot2});
    keyTranslation(addBone(turned, 0, {0, 0, 5}).node, {1, 0, 0});
    pose(turned);
    expectPoint(transformPoint(turned.Bones[1].node.worldMatrix, {0, 0, 0}), {0, 1, 0});

    // A helper in the chain passes its transform on; the world matrix follows the time.
    addBone(turned, 9);
    Helper helper;
    helper.node.ObjectId = 9;
    helper.node.Parent = 1;
    helper.node.Translation.keys = {{0, {0, 0, 0}, {}, {}}, {100, {0, 0, 4}, {}, {}}};
    turned.Helpers.push_back(helper);
    pose(turned, 50);
    expectPoint(transformPoint(turned.Bones[2].node.worldMatrix, {0, 0, 0}), {0, 1, 2});
    evaluateModel(turned, 100);
    expectPoint(transformPoint(turned.Bones[2].node.worldMatrix, {0, 0, 0}), {0, 1, 4});
}

TEST(NodeTransforms, ScalingKeysAndMissingPivotsAreHarmless) {
    Model model;
    Bone& bone = addBone(model, -1);
    keyTranslation(bone.node, {1, 2, 3});
    bone.node.Scaling.keys = {{0, {2, 2, 2}, {}, {}}};
    addBone(model, 0);
    model.PivotPoints.pop_back();  // the second bone has no pivot: it pivots about the origin
    keyRotation(model.Bones[1].node, {0, 0, kHalfRoot2, kHalfRoot2});
    addGeoset(model, {{1, 0, 0}}, {{0}});
    pose(model);
    expectPoint(model.Geosets[0].Vertices[0].animatedPosition, {2, 2, 3});
    expectPoint(transformPoint(model.Bones[1].node.worldMatrix, {1, 0, 0}), {1, 3, 3});
}

TEST(Skinning, AVertexFollowsTheMeanOfItsGroupsBoneMatrices) {
    Model model;
    addBone(model, -1);
    keyTranslation(addBone(model, -1).node, {0, 0, 10});
    keyTranslation(addBone(model, -1).node, {3, 6, 0});
    keyRotation(addBone(model, -1).node, {0, 0, kHalfRoot2, kHalfRoot2});
    addGeoset(model, {{1, 1, 1}, {1, 0, 0}, {1, 0, 0}, {5, 5, 5}, {7, 7, 7}},
              {{0, 1}, {0, 1, 2}, {0, 3, 99}, {}, {42}});
    model.Geosets[0].Vertices.push_back(model.Geosets[0].Vertices[0]);
    model.Geosets[0].Vertices.back().vertexGroup = 17;  // no such group
    pose(model);
    const std::vector<Vertex>& v = model.Geosets[0].Vertices;
    expectPoint(v[0].animatedPosition, {1, 1, 6});
    expectPoint(v[1].animatedPosition, {2, 2, 10.0f / 3});
    // Entry 99 names no bone and is left out of the mean: (identity + turn) / 2.
    expectPoint(v[2].animatedPosition, {0.5f, 0.5f, 0});
    // Nothing usable to follow: the rest position.
    expectPoint(v[3].animatedPosition, {5, 5, 5});
    expectPoint(v[4].animatedPosition, {7, 7, 7});
    expectPoint(v[5].animatedPosition, {1, 1, 1});
}

TEST(Skinning, GivesExactlyTheMeanMatrixAppliedToTheRestPosition) {
    Model model;
    keyRotation(addBone(model, -1, {3, -2, 7}).node, {0.1f, -0.7f, 0.2f, 0.6782330f});
    keyTranslation(addBone(model, 0, {-1, 4, 2}).node, {0.3f, -9.5f, 2.25f});
    keyRotation(model.Bones[1].node, {0.5f, 0.5f, -0.5f, 0.5f});
    addGeoset(model, {{12.5f, -3.75f, 0.1f}, {-0.3f, 8, 1e3f}}, {{0, 1}, {1, 0, 1}});
    pose(model);
    for (const Vertex& v : model.Geosets[0].Vertices) {
        const std::vector<std::uint32_t>& group = model.Geosets[0].matrixGroups[v.vertexGroup];
        Mat4 mean{};
        for (std::uint32_t b : group)
            for (int e = 0; e < 16; ++e) mean[e] += model.Bones[b].node.worldMatrix[e];
        for (float& e : mean) e /= static_cast<float>(group.size());
        EXPECT_EQ(v.animatedPosition, transformPoint(mean, v.position));
    }
}

TEST(Skinning, HiddenGeosetsAreSkinnedAndTheFirstCoordinateSetIsCurrent) {
    Model model;
    keyTranslation(addBone(model, -1).node, {0, 0, 10});
    Geoset& hidden = addGeoset(model, {{1, 2, 3}, {0, 0, 0}}, {{0}});
    hidden.shown = 0;
    hidden.Vertices[0].U = {0.25f, 0.5f};
    hidden.Vertices[0].V = {0.75f, 1.0f};
    hidden.Vertices[1].vertexGroup = 0;
    hidden.Vertices[1].currentUV = {9, 9};
    pose(model);
    expectPoint(hidden.Vertices[0].animatedPosition, {1, 2, 13});
    EXPECT_EQ(hidden.Vertices[0].currentUV, (Vec2{0.25f, 0.75f}));
    EXPECT_EQ(hidden.Vertices[1].currentUV, (Vec2{0, 0}));

    // Re-posing overwrites the previous pose rather than accumulating on it.
    model.Bones[0].node.Translation.keys[0].value = {0, 0, -1};
    evaluateModel(model, 0);
    expectPoint(hidden.Vertices[0].animatedPosition, {1, 2, 2});
}

}  // namespace
}  // namespace tess
