#include "model/nodes.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace tess {
namespace {

Node nodeNumbered(std::uint32_t objectId, std::int32_t parent) {
    Node node;
    node.ObjectId = objectId;
    node.Parent = parent;
    return node;
}

TEST(BoneNumbering, EveryReferenceFollowsTheNodeItNamed) {
    Model model;
    model.Bones.resize(2);
    model.Bones[0].node = nodeNumbered(7, -1);
    model.Bones[1].node = nodeNumbered(3, 7);
    model.Lights.emplace_back().node = nodeNumbered(1, 0);       // a bone takes 1: moves to 2
    model.Helpers.emplace_back().node = nodeNumbered(0, 3);      // a bone takes 0: moves to 3
    model.Attachments.emplace_back().node = nodeNumbered(9, 8);  // keeps 9; parent 8 names nothing
    model.Geosets.emplace_back().matrixGroups = {{7, 3}, {3, 0, 42}};
    for (float k = 0; k < 10; ++k) model.PivotPoints.push_back({k, k, k});
    numberBonesByIndex(model);

    const auto numbers = [](const Node& n) { return std::tuple(n.ObjectId, n.Parent); };
    EXPECT_EQ(std::vector({numbers(model.Bones[0].node), numbers(model.Bones[1].node),
                           numbers(model.Lights[0].node), numbers(model.Helpers[0].node),
                           numbers(model.Attachments[0].node)}),
              std::vector({std::tuple(0u, -1), std::tuple(1u, 0), std::tuple(2u, 3), std::tuple(3u, 1),
                           std::tuple(9u, 8)}));
    // Entries naming a bone follow it; 0 named the helper and 42 nothing, so both stay.
    EXPECT_EQ(model.Geosets[0].matrixGroups, (std::vector<std::vector<std::uint32_t>>{{0, 1}, {1, 0, 42}}));
    EXPECT_EQ(model.PivotPoints, (std::vector<PivotPoint>{{7, 7, 7},
                                                          {3, 3, 3},
                                                          {1, 1, 1},
                                                          {0, 0, 0},
                                                          {4, 4, 4},
                                                          {5, 5, 5},
                                                          {6, 6, 6},
                                                          {7, 7, 7},
                                                          {8, 8, 8},
                                                          {9, 9, 9}}));
}

TEST(BoneNumbering, BonesInOrderLeaveTheModelAsItWas) {
    Model model;
    model.Bones.resize(2);
    model.Bones[1].node = nodeNumbered(1, 5);
    model.Helpers.emplace_back().node = nodeNumbered(0, 1);  // shares 0 with the first bone
    model.Geosets.emplace_back().matrixGroups = {{1, 0}};
    const Model before = model;
    numberBonesByIndex(model);
    EXPECT_EQ(model, before);
}

}  // namespace
}  // namespace tess
