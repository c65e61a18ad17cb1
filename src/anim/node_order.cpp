#include "anim/node_order.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tess {
namespace {

struct Candidate {
    NodeOrderEntry entry;
    std::uint32_t objectId;
    std::int32_t parent;
};

std::vector<Candidate> collectCandidates(const Model& model) {
    std::vector<Candidate> candidates;
    candidates.reserve(model.Bones.size() + model.Helpers.size());
    for (std::uint32_t i = 0; i < model.Bones.size(); ++i)
        candidates.push_back(
            {{NodeOrderEntry::BoneNode, i, -1}, model.Bones[i].node.ObjectId, model.Bones[i].node.Parent});
    for (std::uint32_t i = 0; i < model.Helpers.size(); ++i)
        candidates.push_back({{NodeOrderEntry::HelperNode, i, -1},
                              model.Helpers[i].node.ObjectId,
                              model.Helpers[i].node.Parent});
    return candidates;
}

// Candidate indices in candidate order, keyed by an ObjectId or Parent value.
using CandidatesById = std::unordered_map<std::int64_t, std::vector<std::size_t>>;

// The first candidate, in candidate order, of the parent cycle above unplaced `start`.
// Every unplaced node's parent is itself unplaced (a placed parent would have placed it),
// so walking up from `start` through unplaced nodes must come back to a node seen before.
std::size_t cycleEntry(const std::vector<Candidate>& candidates, const CandidatesById& withId,
                       const std::vector<std::uint8_t>& placed, std::size_t start) {
    auto unplacedParent = [&](std::size_t c) {
        const auto it = withId.find(candidates[c].parent);
        if (it != withId.end())
            for (std::size_t p : it->second)
                if (!placed[p]) return p;
        return c;
    };
    std::vector<std::uint8_t> seen(candidates.size(), 0);
    std::size_t c = start;
    while (!seen[c]) {
        seen[c] = 1;
        c = unplacedParent(c);
    }
    std::size_t entry = c;
    for (std::size_t on = unplacedParent(c); on != c; on = unplacedParent(on)) entry = std::min(entry, on);
    return entry;
}

}  // namespace

void computeNodeOrder(const Model& model, Pose& pose) {
    const std::vector<Candidate> candidates = collectCandidates(model);
    const std::size_t count = candidates.size();

    // Candidate indices by the parent they name, each list in candidate order.
    CandidatesById childrenOf;
    CandidatesById withId;
    for (std::size_t c = 0; c < count; ++c) {
        childrenOf[candidates[c].parent].push_back(c);
        withId[candidates[c].objectId].push_back(c);
    }

    std::vector<std::uint8_t> placed(count, 0);
    std::vector<std::size_t> order;
    order.reserve(count);
    std::vector<std::size_t> generation;
    auto place = [&](const std::vector<std::size_t>& nodes) {
        for (std::size_t c : nodes) {
            placed[c] = 1;
            order.push_back(c);
        }
    };

    for (std::size_t c = 0; c < count; ++c)
        if (candidates[c].parent == -1) generation.push_back(c);
    while (order.size() < count) {
        if (generation.empty()) {
            // Unreachable nodes: those naming a missing parent become roots; a cycle is
            // entered at its first node in candidate order, so nodes hanging below the
            // cycle still follow their parents.
            for (std::size_t c = 0; c < count; ++c)
                if (!placed[c] && !withId.count(candidates[c].parent)) generation.push_back(c);
            if (generation.empty()) {
                const auto firstUnplaced =
                    static_cast<std::size_t>(std::find(placed.begin(), placed.end(), 0) - placed.begin());
                generation.push_back(cycleEntry(candidates, withId, placed, firstUnplaced));
            }
        }
        place(generation);

        std::unordered_set<std::int64_t> parentIds;
        for (std::size_t c : generation) parentIds.insert(candidates[c].objectId);
        std::vector<std::size_t> next;
        for (std::int64_t id : parentIds) {
            const auto it = childrenOf.find(id);
            if (it == childrenOf.end()) continue;
            for (std::size_t c : it->second)
                if (!placed[c]) next.push_back(c);
        }
        std::sort(next.begin(), next.end());
        next.erase(std::unique(next.begin(), next.end()), next.end());
        generation = std::move(next);
    }

    // Deliberate: a node's parent is the last node *before it* in the order that carries its
    // Parent ObjectId, not the last such node in the whole list. Two nodes can share an
    // ObjectId (a file may give a helper the number of a bone): with a helper
    // of ObjectId 0 and bone 0 whose Parent is 0, the last match in the whole list is the
    // bone itself, which would take its own previous matrix as its parent's and compound its
    // pose on every evaluation. An earlier slot is always posed first in the same pass.
    pose.nodeOrder.clear();
    pose.nodeOrder.reserve(count);
    std::unordered_map<std::int64_t, std::int32_t> lastSlotOf;
    for (std::size_t c : order) {
        NodeOrderEntry entry = candidates[c].entry;
        const auto parentSlot = lastSlotOf.find(candidates[c].parent);
        entry.parentSlot =
            candidates[c].parent != -1 && parentSlot != lastSlotOf.end() ? parentSlot->second : -1;
        lastSlotOf[candidates[c].objectId] = static_cast<std::int32_t>(pose.nodeOrder.size());
        pose.nodeOrder.push_back(entry);
    }
    pose.bones.resize(model.Bones.size());
    pose.helpers.resize(model.Helpers.size());
}

}  // namespace tess
