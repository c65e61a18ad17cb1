#include "editor/document.h"

#include <algorithm>

#include "anim/node_order.h"
#include "anim/pose.h"

namespace tess {

namespace {
constexpr int kNoSequenceCheck = 3667;
}

void buildDefaultDocument(Model& model) {
    model.reset();
    model.FormatVersion = 800;
    model.Name = "Untitled";

    Sequence stand;
    stand.Name = "Stand";
    stand.IntervalStart = 0;
    stand.IntervalEnd = 1000;
    model.Sequences.push_back(stand);

    Texture white;
    white.Image = "Textures\\white.blp";
    model.Textures.push_back(white);

    Layer layer;
    layer.TextureID.staticValue = 0;
    Material material;
    material.Layers.push_back(layer);
    model.Materials.push_back(material);

    Bone root;
    root.node.Name = "Root";
    root.node.ObjectId = 0;
    root.node.Parent = -1;
    root.node.flags = NodeIsBone;
    model.Bones.push_back(root);
    model.PivotPoints.push_back({0, 0, 0});
}

void prepareDocument(Model& model, AppState& state, Host& host) {
    for (std::size_t i = 0; i < model.Bones.size(); ++i)
        model.Bones[i].node.ObjectId = static_cast<std::uint32_t>(i);
    state.currentTool = RotateTool;
    computeNodeOrder(model);

    state.allNodes.clear();
    state.selectedNode = model.Bones.empty() ? -1 : 0;
    for (std::size_t i = 0; i < model.Bones.size(); ++i)
        state.allNodes.push_back(static_cast<std::uint32_t>(i));

    if (model.Sequences.empty()) {
        showAssertion(host, kNoSequenceCheck);
        state.rangeStart = 0;
        state.rangeEnd = 1000;
    } else {
        state.rangeStart = static_cast<std::int32_t>(model.Sequences[0].IntervalStart);
        state.rangeEnd = static_cast<std::int32_t>(model.Sequences[0].IntervalEnd);
    }
    setCurrentTime(model, state, host, state.rangeStart);
}

void setCurrentTime(Model& model, AppState& state, Host& host, std::int32_t time) {
    state.currentTime = time;
    evaluateModel(model, time);
    host.repaintAnimationBar();
}

void refreshTime(Model& model, AppState& state, Host& host) {
    setCurrentTime(model, state, host, state.currentTime);
}

void resetPose(Model& model) {
    for (Geoset& geoset : model.Geosets)
        for (Vertex& v : geoset.Vertices) v.animatedPosition = v.position;
}

IdleOutcome idlePass(Model& model, AppState& state, Host& host, std::int32_t nowMs) {
    if (state.editMode == EditMode::Animation) {
        // 64-bit steps: a long pause or a range near the ends of i32 must not wrap.
        const std::int64_t elapsed = std::int64_t{nowMs} - state.lastClock;
        if (state.keyDown(kKeyRight)) {
            const std::int64_t t = std::min<std::int64_t>(state.currentTime + elapsed, state.rangeEnd);
            setCurrentTime(model, state, host, static_cast<std::int32_t>(t));
        }
        if (state.keyDown(kKeyLeft)) {
            const std::int64_t t = std::max<std::int64_t>(state.currentTime - elapsed, state.rangeStart);
            setCurrentTime(model, state, host, static_cast<std::int32_t>(t));
        }
        state.lastClock = nowMs;
    } else if (state.editMode == EditMode::Vertex) {
        resetPose(model);
    }
    return {state.isActive, state.keyDown(kKeyEscape)};
}

}  // namespace tess
