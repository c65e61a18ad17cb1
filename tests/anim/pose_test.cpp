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

TEST(NodeTransforms, TurnAboutThePivotFollowTheParentAndTheTimeAndNeverUseAStaleOrder) {
    Model model;
    Pose pose;
    addBone(model, -1, {1, 0, 0}, {}, kQuarterTurnZ);
    evaluateModel(model, pose, 0);  // builds the missing node order
    expectPoint(transformPoint(pose.bones[0].worldMatrix, {2, 0, 0}), {1, 1, 0});
    // The child is listed before its parent, so the order, not the array, must put the
    // parent first; the parent's turn applies to the child's translation, its scaling to nothing.
    addBone(model, 2, {0, 0, 5}, {1, 0, 0});
    addBone(model, -1, {}, {0, 0, 10}, kQuarterTurnZ).node.Scaling.keys = {{0, {2, 2, 2}, {}, {}}};
    // A helper (whose ObjectId has no pivot: it turns about the origin) passes its transform
    // on; the world matrix follows the time.
    addBone(model, 9);
    Helper& helper = model.Helpers.emplace_back();
    helper.node.ObjectId = 9;
    helper.node.Parent = 1;
    helper.node.Translation.keys = {{0, {0, 0, 0}, {}, {}}, {100, {0, 0, 4}, {}, {}}};
    helper.node.Rotation.keys = {{0, kQuarterTurnZ, {}, {}}};
    evaluateModel(model, pose, 50);
    expectPoint(transformPoint(pose.bones[1].worldMatrix, {}), {0, 1, 10});
    expectPoint(transformPoint(pose.bones[3].worldMatrix, {}), {0, 1, 12});
    evaluateModel(model, pose, 100);
    expectPoint(transformPoint(pose.bones[3].worldMatrix, {}), {0, 1, 14});
    // A stale or junk order is rebuilt before use.
    model = Model{};
    for (int b = 0; b < 3; ++b) addBone(model, b - 1, {}, {1, 0, 0});
    computeNodeOrder(model, pose);
    model.Bones.pop_back();
    evaluateModel(model, pose, 0);  // the order still names bone 2
    ASSERT_EQ(pose.nodeOrder.size(), 2u);
    EXPECT_EQ(transformPoint(pose.bones[1].worldMatrix, {}), (Vec3{2, 0, 0}));
    // Right sizes, wrong contents: an index past the bones, then a parent not posed before.
    for (const NodeOrderEntry junk :
         {NodeOrderEntry{NodeOrderEntry::BoneNode, 7, -1}, NodeOrderEntry{NodeOrderEntry::BoneNode, 0, 1}}) {
        pose.nodeOrder[1] = junk;
        evaluateModel(model, pose, 0);
        EXPECT_EQ(transformPoint(pose.bones[1].worldMatrix, {}), (Vec3{2, 0, 0}));
    }
    // Bone 0 (ObjectId 0) names Parent 0, the helper's ObjectId too: its parent is the helper,
    // never its own previous matrix.
    model.Bones.resize(1);
    model.Bones[0].node.Parent = 0;
    model.Helpers.emplace_back().node.ObjectId = 0;
    for (int pass = 0; pass < 3; ++pass) evaluateModel(model, pose, 0);
    EXPECT_EQ(transformPoint(pose.bones[0].worldMatrix, {}), (Vec3{1, 0, 0}));
}

TEST(Skinning, VerticesOfEveryGeosetFollowTheExactMeanOfTheirGroupsBonesAndResetGoesBackToRest) {
    Model model;
    addBone(model, -1);
    addBone(model, -1, {}, {0, 0, 10});
    addBone(model, -1, {3, -2, 7}, {0.3f, -9.5f, 2.25f}, {0.1f, -0.7f, 0.2f, 0.6782330f});
    addBone(model, -1, {}, {}, {0.5f, 0.5f, 0.5f, 0.5f});  // x to y, y to z, z to x
    // Vertex i is in group i: entry 99 names no bone and is left out of the mean; groups 3 and 4
    // have nothing usable, and vertex 5's group does not exist: they keep the rest position.
    model.Geosets.resize(2);
    Geoset& g = model.Geosets[0];
    g.positions = {{1, 1, 1}, {12.5f, -3.75f, 0.1f}, {1, 2, 3}, {5, 5, 5}, {7, 7, 7}, {1, 1, 1}};
    g.resizeVertices(6);
    g.vertexGroups = {0, 1, 2, 3, 4, 5};
    g.matrixGroups = {{0, 1}, {0, 2, 1}, {0, 3, 99}, {}, {42}};
    model.Geosets[1].positions = {{1, 2, 3}};
    model.Geosets[1].resizeVertices(1);
    model.Geosets[1].matrixGroups = {{1}};
    Pose pose;
    pose.animatedPositions = {{}, {{9, 9, 9}, {9, 9, 9}}, {{9, 9, 9}}};
    evaluateModel(model, pose, 0);
    ASSERT_EQ(pose.animatedPositions.size(), 2u);
    ASSERT_EQ(pose.animatedPositions[0].size(), 6u);
    // The mean is applied four lanes at a time, exactly as the scalar product would.
    Mat4 mean{};
    for (std::uint32_t b : g.matrixGroups[1])
        for (int e = 0; e < 16; ++e) mean[e] += pose.bones[b].worldMatrix[e];
    for (float& e : mean) e /= 3;
    EXPECT_EQ(pose.animatedPositions[0][1], transformPoint(mean, g.positions[1]));
    const Vec3 expected[] = {{1, 1, 6}, {}, {2, 1.5f, 2.5f}, {5, 5, 5}, {7, 7, 7}, {1, 1, 1}};
    for (std::size_t i : {0, 2, 3, 4, 5}) expectPoint(pose.animatedPositions[0][i], expected[i]);
    EXPECT_EQ(pose.animatedPositions[1], (std::vector<Vec3>{{1, 2, 13}}));
    resetPose(model, pose);
    EXPECT_EQ(pose.animatedPositions, (std::vector{g.positions, model.Geosets[1].positions}));
}

}  // namespace
}  // namespace tess
