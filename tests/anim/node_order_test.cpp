#include "anim/node_order.h"

#include <gtest/gtest.h>

#include <string>

namespace tess {
namespace {

void add(Model& model, char kind, std::uint32_t objectId, std::int32_t parent) {
    Node& node = kind == 'B' ? model.Bones.emplace_back().node : model.Helpers.emplace_back().node;
    node.ObjectId = objectId;
    node.Parent = parent;
}

// "B3@1" for Bones[3] with its parent in slot 1, "H0@-1" for Helpers[0] without a parent.
std::string describe(const Model& model) {
    std::string out;
    for (const NodeOrderEntry& e : model.nodeOrder)
        out += (e.kind == NodeOrderEntry::BoneNode ? " B" : " H") + std::to_string(e.index) + "@" +
               std::to_string(e.parentSlot);
    return out;
}

TEST(NodeOrder, PlacesGenerationByGenerationInCandidateOrder) {
    Model model;
    add(model, 'B', 0, -1);  // B0: root
    add(model, 'B', 1, 2);   // B1: grandchild of B0
    add(model, 'B', 2, 0);   // B2: child of B0
    add(model, 'B', 3, -1);  // B3: root
    add(model, 'H', 4, 3);   // H0: child of B3
    add(model, 'H', 5, 4);   // H1: child of H0
    computeNodeOrder(model);
    // Depth first would give B0 B2 B1 B3 H0 H1.
    EXPECT_EQ(describe(model), " B0@-1 B3@-1 B2@0 H0@1 B1@2 H1@3");

    // Of two nodes with the parent's ObjectId, the child follows the later one.
    Model twins;
    add(twins, 'B', 5, -1);
    add(twins, 'H', 5, -1);
    add(twins, 'H', 6, 5);
    computeNodeOrder(twins);
    EXPECT_EQ(describe(twins), " B0@-1 H0@-1 H1@1");
}

TEST(NodeOrder, OrphansAndCyclesEndUpOnceAfterTheReachableNodes) {
    Model model;
    add(model, 'B', 0, 7);   // B0: hangs below the cycle of H0 and H1
    add(model, 'B', 1, -1);  // B1: root
    add(model, 'B', 2, 99);  // B2: names no node
    add(model, 'B', 3, 2);   // B3: child of the orphan
    add(model, 'B', 4, 1);   // B4: child of the root, placed before the orphan
    add(model, 'H', 7, 8);
    add(model, 'H', 8, 7);
    model.nodeOrder.resize(3);
    computeNodeOrder(model);
    // The cycle is entered at its first candidate; the rest follow their parents.
    EXPECT_EQ(describe(model), " B1@-1 B4@0 B2@-1 B3@2 H0@-1 B0@4 H1@4");
}

}  // namespace
}  // namespace tess
