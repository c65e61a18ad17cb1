#include "anim/node_order.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tess {
namespace {

// Nodes given as (kind, ObjectId, Parent); the order described as "B3@1" for Bones[3] with its
// parent in slot 1, "H0@-1" for Helpers[0] without a parent. The pose's node arrays are sized.
using Nodes = std::vector<std::tuple<char, std::uint32_t, std::int32_t>>;
std::string orderOf(const Nodes& nodes) {
    Model model;
    for (const auto& [kind, objectId, parent] : nodes) {
        Node& node = kind == 'B' ? model.Bones.emplace_back().node : model.Helpers.emplace_back().node;
        std::tie(node.ObjectId, node.Parent) = std::tuple(objectId, parent);
    }
    Pose pose;
    pose.nodeOrder.resize(3);
    computeNodeOrder(model, pose);
    EXPECT_EQ(std::tuple(pose.bones.size(), pose.helpers.size()),
              std::tuple(model.Bones.size(), model.Helpers.size()));
    std::string out;
    for (const NodeOrderEntry& e : pose.nodeOrder)
        out += (e.kind == NodeOrderEntry::BoneNode ? " B" : " H") + std::to_string(e.index) + "@" +
               std::to_string(e.parentSlot);
    return out;
}

TEST(NodeOrder, PlacesGenerationsInCandidateOrderThenOrphansAndCyclesOnceEachAfterItsParent) {
    // B0 and B3 are roots, B2 a child of B0, B1 its grandchild; H0 a child of B3, H1 of H0.
    // Depth first would give B0 B2 B1 B3 H0 H1.
    EXPECT_EQ(orderOf({{'B', 0, -1}, {'B', 1, 2}, {'B', 2, 0}, {'B', 3, -1}, {'H', 4, 3}, {'H', 5, 4}}),
              " B0@-1 B3@-1 B2@0 H0@1 B1@2 H1@3");
    // Of two earlier nodes with the parent's ObjectId, the child follows the later one; a node
    // never takes itself or a node placed after it as its parent.
    EXPECT_EQ(orderOf({{'B', 5, -1}, {'H', 5, -1}, {'H', 6, 5}}), " B0@-1 H0@-1 H1@1");
    EXPECT_EQ(orderOf({{'B', 0, 0}, {'H', 0, -1}}), " H0@-1 B0@0");
    // Unreachable nodes follow: B2 and B5 name no node and become roots together (B3 is B2's
    // child); the cycle of H0 and H1, reached below H1 by B0, is entered at its first candidate.
    const Nodes nodes = {{'B', 0, 8}, {'B', 1, -1}, {'B', 2, 99}, {'B', 3, 2},
                         {'B', 4, 1}, {'B', 5, 98}, {'H', 7, 8},  {'H', 8, 7}};
    EXPECT_EQ(orderOf(nodes), " B1@-1 B4@0 B2@-1 B5@-1 B3@2 H0@-1 H1@5 B0@6");
}

}  // namespace
}  // namespace tess
