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

}  // namespace

void computeNodeOrder(Model& model) {
    const std::vector<Candidate> candidates = collectCandidates(model);
    const std::size_t count = candidates.size();

    // Candidate indices by the parent they name, each list in candidate order.
    std::unordered_map<std::int64_t, std::vector<std::size_t>> childrenOf;
    std::unordered_set<std::int64_t> objectIds;
    for (std::size_t c = 0; c < count; ++c) {
        childrenOf[candidates[c].parent].push_back(c);
        objectIds.insert(candidates[c].objectId);
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
            // Unreachable nodes: those naming a missing parent become roots; a pure cycle
            // is entered at its first node in candidate order.
            for (std::size_t c = 0; c < count; ++c)
                if (!placed[c] && !objectIds.count(candidates[c].parent)) generation.push_back(c);
            if (generation.empty())
                generation.push_back(
                    static_cast<std::size_t>(std::find(placed.begin(), placed.end(), 0) - placed.begin()));
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

    model.nodeOrder.clear();
    model.nodeOrder.reserve(count);
    std::unordered_map<std::int64_t, std::int32_t> lastSlotOf;
    for (std::size_t c : order) {
        NodeOrderEntry entry = candidates[c].entry;
        const auto parentSlot = lastSlotOf.find(candidates[c].parent);
        entry.parentSlot =
            candidates[c].parent != -1 && parentSlot != lastSlotOf.end() ? parentSlot->second : -1;
        lastSlotOf[candidates[c].objectId] = static_cast<std::int32_t>(model.nodeOrder.size());
        model.nodeOrder.push_back(entry);
    }
}

}  // namespace tess
