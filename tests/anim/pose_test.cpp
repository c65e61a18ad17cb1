#include "anim/pose.h"

#include <gtest/gtest.h>

#include <cmath>

#include "anim/matrix.h"
#include "anim/node_order.h"

namespace tess {
namespace {

const float kH = std::sqrt(0.5f);
const Quat kQuarterTurnZ{0, 0, kH, kH};

// A bone with ObjectId = its index, its pivot, and keys at time 0 holding `move` and `turn`.
Bone& addBone(Model& model, std::int32_t parent, Vec3 pivot = {}, Vec3 move = {}, Quat turn = {0, 0, 0, 1}) {
    Bone& bone = model.Bones.emplace_back();
    bone.node.ObjectId = static_cast<std::uint32_t>(model.Bones.size() - 1);
    bone.node.Parent = parent;
    bone.node.Translation.keys = {{0, move, {}, {}}};
    bone.node.Rotation.keys = {{0, turn, {}, {}}};
    model.PivotPoints.push_back(pivot);
    return bone;
}

void expectPoint(const Vec3& actual, const Vec3& expected) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(actual[c], expected[c], 1e-5) << "component " << c;
}

Vec3 at(const Bone& bone, Vec3 point = {}) {
    return transformPoint(bone.node.worldMatrix, point);
}

// Vertex i sits at `positions[i]` in group i; each group lists bones.
Geoset& addGeoset(Model& model, std::vector<Vec3> positions, std::vector<std::vector<std::uint32_t>> groups) {
    Geoset& g = model.Geosets.emplace_back();
    for (std::uint32_t i = 0; i < positions.size(); ++i) {
        Vertex& v = g.Vertices.emplace_back();
        v.position = positions[i];
        v.vertexGroup = i;
    }
    g.matrixGroups = std::move(groups);
    return g;
}

void pose(Model& model, std::int32_t time = 0) {
    computeNodeOrder(model);
    evaluateModel(model, time);
}

TEST(NodeTransforms, TurnAboutThePivotAndApplyTheParentAfterTheChild) {
    Model model;
    addBone(model, -1, {1, 0, 0}, {}, kQuarterTurnZ);
    pose(model);
    expectPoint(at(model.Bones[0], {2, 0, 0}), {1, 1, 0});
    expectPoint(at(model.Bones[0], {1, 0, 0}), {1, 0, 0});

    // The child is listed before its parent, so the order, not the array, must put the
    // parent first; the parent's turn applies to the child's translation, its scaling to nothing.
    addBone(model, 2, {0, 0, 5}, {1, 0, 0});
    addBone(model, -1, {}, {0, 0, 10}, kQuarterTurnZ).node.Scaling.keys = {{0, {2, 2, 2}, {}, {}}};
    pose(model);
    expectPoint(at(model.Bones[1]), {0, 1, 10});

    // A helper (whose ObjectId has no pivot: it turns about the origin) passes its transform
    // on; the world matrix follows the time.
    addBone(model, 9);
    Helper& helper = model.Helpers.emplace_back();
    helper.node.ObjectId = 9;
    helper.node.Parent = 1;
    helper.node.Translation.keys = {{0, {0, 0, 0}, {}, {}}, {100, {0, 0, 4}, {}, {}}};
    helper.node.Rotation.keys = {{0, kQuarterTurnZ, {}, {}}};
    pose(model, 50);
    expectPoint(at(model.Bones[3]), {0, 1, 12});
    evaluateModel(model, 100);
    expectPoint(at(model.Bones[3]), {0, 1, 14});
}

TEST(Skinning, VerticesOfEveryGeosetFollowTheMeanOfTheirGroupsBones) {
    Model model;
    addBone(model, -1);
    addBone(model, -1, {}, {0, 0, 10});
    addBone(model, -1, {}, {3, 6, 0});
    addBone(model, -1, {}, {}, kQuarterTurnZ);
    // Vertex 5's group does not exist.
    Geoset& hidden = addGeoset(model, {{1, 1, 1}, {1, 0, 0}, {1, 0, 0}, {5, 5, 5}, {7, 7, 7}, {1, 1, 1}},
                               {{0, 1}, {0, 1, 2}, {0, 3, 99}, {}, {42}});
    hidden.shown = 0;
    hidden.Vertices[0].U = {0.25f, 0.5f};
    hidden.Vertices[0].V = {0.75f, 1.0f};
    hidden.Vertices[1].currentUV = {9, 9};
    pose(model);
    // Entry 99 names no bone and is left out of the mean: (identity + turn) / 2. Nothing
    // usable to follow: the rest position.
    const Vec3 expected[] = {{1, 1, 6}, {2, 2, 10.0f / 3}, {0.5f, 0.5f, 0}, {5, 5, 5}, {7, 7, 7}, {1, 1, 1}};
    for (std::size_t i = 0; i < 6; ++i) expectPoint(hidden.Vertices[i].animatedPosition, expected[i]);
    EXPECT_EQ(hidden.Vertices[0].currentUV, (Vec2{0.25f, 0.75f}));
    EXPECT_EQ(hidden.Vertices[1].currentUV, (Vec2{0, 0}));
}

TEST(Skinning, GivesExactlyTheMeanMatrixAppliedToTheRestPosition) {
    Model model;
    addBone(model, -1, {3, -2, 7}, {}, {0.1f, -0.7f, 0.2f, 0.6782330f});
    addBone(model, 0, {-1, 4, 2}, {0.3f, -9.5f, 2.25f}, {0.5f, 0.5f, -0.5f, 0.5f});
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

}  // namespace
}  // namespace tess
