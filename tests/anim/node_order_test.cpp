#include "anim/node_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

void addBone(Model& model, std::uint32_t objectId, std::int32_t parent) {
    Bone bone;
    bone.node.ObjectId = objectId;
    bone.node.Parent = parent;
    model.Bones.push_back(bone);
}

void addHelper(Model& model, std::uint32_t objectId, std::int32_t parent) {
    Helper helper;
    helper.node.ObjectId = objectId;
    helper.node.Parent = parent;
    model.Helpers.push_back(helper);
}

// "B3" for Bones[3], "H0" for Helpers[0], each with its parent slot.
std::vector<std::string> describe(const Model& model) {
    std::vector<std::string> out;
    for (const NodeOrderEntry& e : model.nodeOrder)
        out.push_back((e.kind == NodeOrderEntry::BoneNode ? "B" : "H") + std::to_string(e.index) + "@" +
                      std::to_string(e.parentSlot));
    return out;
}

TEST(NodeOrder, PlacesGenerationByGenerationInCandidateOrder) {
    Model model;
    addBone(model, 0, -1);   // B0: root
    addBone(model, 1, 2);    // B1: grandchild of B0
    addBone(model, 2, 0);    // B2: child of B0
    addBone(model, 3, -1);   // B3: root
    addHelper(model, 4, 3);  // H0: child of B3
    addHelper(model, 5, 4);  // H1: child of H0
    computeNodeOrder(model);
    // Depth first would give B0 B2 B1 B3 H0 H1.
    EXPECT_EQ(describe(model), (std::vector<std::string>{"B0@-1", "B3@-1", "B2@0", "H0@1", "B1@2", "H1@3"}));
}

TEST(NodeOrder, OrphansAndCyclesEndUpOnceAfterTheReachableNodes) {
    Model model;
    addBone(model, 0, 7);    // B0: in a cycle with B1
    addBone(model, 1, -1);   // B1: root
    addBone(model, 2, 99);   // B2: names no node
    addBone(model, 3, 2);    // B3: child of the orphan
    addHelper(model, 7, 8);  // H0 and H1 point at each other
    addHelper(model, 8, 7);
    computeNodeOrder(model);
    const std::vector<std::string> order = describe(model);
    ASSERT_EQ(order.size(), 6u);
    EXPECT_EQ(order[0], "B1@-1");
    EXPECT_EQ(order[1], "B2@-1");
    EXPECT_EQ(order[2], "B3@1");
    // The cycle is entered at its first candidate; the rest follow their parents.
    EXPECT_EQ(order[3], "H0@-1");
    EXPECT_EQ(order[4], "B0@3");
    EXPECT_EQ(order[5], "H1@3");

    // Rebuilding replaces the previous order rather than appending to it.
    computeNodeOrder(model);
    EXPECT_EQ(describe(model), order);
}

TEST(NodeOrder, AChildFollowsTheLastEarlierNodeWithItsParentsId) {
    Model model;
    addBone(model, 5, -1);
    addHelper(model, 5, -1);
    addHelper(model, 6, 5);
    computeNodeOrder(model);
    EXPECT_EQ(describe(model), (std::vector<std::string>{"B0@-1", "H0@-1", "H1@1"}));
}

TEST(NodeOrder, EmptyModelHasAnEmptyOrder) {
    Model model;
    model.nodeOrder.push_back({});
    computeNodeOrder(model);
    EXPECT_TRUE(model.nodeOrder.empty());
}

}  // namespace
}  // namespace tess
