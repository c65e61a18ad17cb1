#include "model/nodes.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tess {
namespace {

using IdMap = std::unordered_map<std::uint32_t, std::uint32_t>;

struct Move {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
};

bool bonesNumberedByIndex(const Model& model) {
    for (std::size_t i = 0; i < model.Bones.size(); ++i)
        if (model.Bones[i].node.ObjectId != i) return false;
    return true;
}

}  // namespace

void numberBonesByIndex(Model& model) {
    if (bonesNumberedByIndex(model)) return;
    const auto boneCount = static_cast<std::uint32_t>(model.Bones.size());

    // Every other node keeps its ObjectId unless a bone takes it; those that must move get the
    // free numbers from boneCount up, in node order.
    std::unordered_set<std::uint32_t> kept;
    forEachNode(model, [&](const char* kind, std::size_t, const Node& node) {
        if (std::string_view(kind) != "Bone" && node.ObjectId >= boneCount) kept.insert(node.ObjectId);
    });
    std::uint32_t nextFree = boneCount;
    std::vector<Move> moves;
    IdMap parentIds;  // old ObjectId of a Bone or Helper -> its new one
    IdMap boneIds;    // old ObjectId of a Bone -> its index
    forEachNode(model, [&](const char* kind, std::size_t i, Node& node) {
        const std::string_view kindName(kind);
        std::uint32_t to = node.ObjectId;
        if (kindName == "Bone") {
            to = static_cast<std::uint32_t>(i);
            boneIds[node.ObjectId] = to;
        } else if (node.ObjectId < boneCount) {
            while (kept.count(nextFree) != 0) ++nextFree;
            to = nextFree++;
        }
        if (kindName == "Bone" || kindName == "Helper") parentIds[node.ObjectId] = to;
        if (to != node.ObjectId) moves.push_back({node.ObjectId, to});
        node.ObjectId = to;
    });

    forEachNode(model, [&](const char*, std::size_t, Node& node) {
        if (node.Parent == -1) return;
        const auto found = parentIds.find(static_cast<std::uint32_t>(node.Parent));
        if (found != parentIds.end()) node.Parent = static_cast<std::int32_t>(found->second);
    });
    for (Geoset& geoset : model.Geosets)
        for (std::vector<std::uint32_t>& group : geoset.matrixGroups)
            for (std::uint32_t& entry : group) {
                const auto found = boneIds.find(entry);
                if (found != boneIds.end()) entry = found->second;
            }

    // A moved node takes its pivot along; one that had none gets the origin.
    const std::vector<PivotPoint> old = model.PivotPoints;
    for (const Move& move : moves) {
        if (move.to >= model.PivotPoints.size())
            model.PivotPoints.resize(move.to + std::size_t{1}, PivotPoint{});
        model.PivotPoints[move.to] = move.from < old.size() ? old[move.from] : PivotPoint{};
    }
}

}  // namespace tess
