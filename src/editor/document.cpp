#include "editor/document.h"

#include <algorithm>

#include "anim/node_order.h"
#include "anim/pose.h"
#include "editor/vertex_arrays.h"
#include "model/checks.h"
#include "model/nodes.h"

namespace tess {

Texture defaultTexture() {
    Texture white;
    white.Image = "Textures\\white.blp";
    return white;
}

Material defaultMaterial() {
    Layer layer;
    layer.TextureID.staticValue = 0;
    Material material;
    material.Layers.push_back(layer);
    return material;
}

Bone defaultRootBone() {
    Bone root;
    root.node.Name = "Root";
    root.node.ObjectId = 0;
    root.node.Parent = -1;
    root.node.flags = NodeIsBone;
    return root;
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
    model.Textures.push_back(defaultTexture());
    model.Materials.push_back(defaultMaterial());
    model.Bones.push_back(defaultRootBone());
    model.PivotPoints.push_back({0, 0, 0});
}

void prepareDocument(Document& document, AppState& state, Host& host) {
    Model& model = document.model;
    numberBonesByIndex(model);
    state.view.currentTool = Tool::Rotate;
    computeNodeOrder(model, document.pose);

    state.view.allNodes.clear();
    state.view.selectedNode = model.Bones.empty() ? -1 : 0;
    for (std::size_t i = 0; i < model.Bones.size(); ++i)
        state.view.allNodes.push_back(static_cast<std::uint32_t>(i));

    // Nothing of the previous document's marks or screen positions carries over.
    document.selection.reset(model);
    document.screenPositions.clear();
    fitDocument(document);

    if (model.Sequences.empty()) {
        showAssertion(host, kNoSequence);
        state.rangeStart = 0;
        state.rangeEnd = 1000;
    } else {
        state.rangeStart = static_cast<std::int32_t>(model.Sequences[0].IntervalStart);
        state.rangeEnd = static_cast<std::int32_t>(model.Sequences[0].IntervalEnd);
    }
    setCurrentTime(document, state, host, state.rangeStart);
    document.history.reset(document);
}

void setCurrentTime(Document& document, AppState& state, Host& host, std::int32_t time) {
    state.currentTime = time;
    evaluateModel(document.model, document.pose, time);
    host.repaintAnimationBar();
}

void refreshTime(Document& document, AppState& state, Host& host) {
    setCurrentTime(document, state, host, state.currentTime);
}

void resetPose(Document& document) {
    resetPose(document.model, document.pose);
}

IdleOutcome idlePass(Document& document, AppState& state, Host& host, std::int32_t nowMs) {
    if (state.view.editMode == EditMode::Animation) {
        // The clock difference is taken modulo 2^32, so it stays right when the 32-bit
        // millisecond clock wraps (after about 24.8 days); the steps are 64-bit so a range
        // near the ends of i32 cannot wrap either.
        const std::int64_t elapsed = static_cast<std::uint32_t>(static_cast<std::uint32_t>(nowMs) -
                                                                static_cast<std::uint32_t>(state.lastClock));
        if (state.keyDown(kKeyRight)) {
            const std::int64_t t = std::min<std::int64_t>(state.currentTime + elapsed, state.rangeEnd);
            setCurrentTime(document, state, host, static_cast<std::int32_t>(t));
        }
        if (state.keyDown(kKeyLeft)) {
            const std::int64_t t = std::max<std::int64_t>(state.currentTime - elapsed, state.rangeStart);
            setCurrentTime(document, state, host, static_cast<std::int32_t>(t));
        }
        state.lastClock = nowMs;
    } else if (state.view.editMode == EditMode::Vertex) {
        resetPose(document);
    }
    return {state.isActive, state.keyDown(kKeyEscape)};
}

}  // namespace tess
