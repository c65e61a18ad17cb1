#include "editor/keyframes.h"

#include <cstdlib>
#include <vector>

#include "anim/track_evaluation.h"

namespace tess {
namespace {

struct KeySlot {
    std::size_t index = 0;
    bool found = false;
};

// The key at exactly `time`, or else where a key for it belongs: before the first later key.
template <class Key>
KeySlot findKeySlot(const std::vector<Key>& keys, std::int32_t time) {
    std::size_t i = 0;
    for (; i < keys.size(); ++i) {
        if (keys[i].time == time) return {i, true};
        if (keys[i].time > time) break;
    }
    return {i, false};
}

template <class V>
std::size_t insertKey(Track<V>& track, std::size_t index, const TrackKey<V>& key) {
    track.keys.insert(track.keys.begin() + static_cast<std::ptrdiff_t>(index), key);
    return index;
}

template <class V>
void eraseFirstKeyAt(Track<V>& track, std::int32_t time) {
    for (auto key = track.keys.begin(); key != track.keys.end(); ++key)
        if (key->time == time) {
            track.keys.erase(key);
            return;
        }
}

// The selected bone's index, or -1 when the selection names no bone of the model.
std::int64_t selectedBone(const Model& model, const AppState& state) {
    const std::int32_t bone = state.view.selectedNode;
    return bone >= 0 && static_cast<std::size_t>(bone) < model.Bones.size() ? bone : -1;
}

template <class V>
void linearise(Track<V>& track) {
    if (track.interpolationType == Hermite || track.interpolationType == Bezier)
        track.interpolationType = Linear;
}

// Replaces the candidate only on a strictly smaller distance, so equal distances keep the
// key found first. Distances are 64-bit: two i32 times can be 2^32 - 1 apart.
template <class V>
void closerKey(const Track<V>& track, std::int32_t time, std::int64_t& bestDistance, std::int32_t& best) {
    for (const TrackKey<V>& key : track.keys) {
        const std::int64_t distance = std::llabs(std::int64_t{key.time} - time);
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = key.time;
        }
    }
}

}  // namespace

Node* selectedBoneNode(Model& model, const AppState& state) {
    const std::int64_t bone = selectedBone(model, state);
    return bone < 0 ? nullptr : &model.Bones[static_cast<std::size_t>(bone)].node;
}

std::size_t findOrInsertKey(QuatTrack& track, std::int32_t time) {
    const KeySlot slot = findKeySlot(track.keys, time);
    if (slot.found) return slot.index;
    const Quat value = evaluateRotation(track, time);
    return insertKey(track, slot.index, {time, value, value, value});
}

std::size_t findOrInsertKey(VectorTrack& track, std::int32_t time) {
    const KeySlot slot = findKeySlot(track.keys, time);
    if (slot.found) return slot.index;
    return insertKey(track, slot.index, {time, evaluateTranslation(track, time), {}, {}});
}

void deleteKey(QuatTrack& track, std::int32_t time) {
    eraseFirstKeyAt(track, time);
}

void deleteKey(VectorTrack& track, std::int32_t time) {
    eraseFirstKeyAt(track, time);
}

void copyKeyframe(const Document& document, AppState& state) {
    const std::int64_t bone = selectedBone(document.model, state);
    if (bone < 0 || static_cast<std::size_t>(bone) >= document.pose.bones.size()) return;
    const NodePose& posed = document.pose.bones[static_cast<std::size_t>(bone)];
    state.keyClipboard.rotation = posed.rotation;
    state.keyClipboard.translation = posed.translation;
    state.keyClipboard.valid = true;
}

void pasteKeyframe(Document& document, AppState& state, Host& host) {
    Node* node = selectedBoneNode(document.model, state);
    if (node == nullptr || !state.keyClipboard.valid) return;
    const std::int32_t t = state.currentTime;
    if (state.keyRotation)
        node->Rotation.keys[findOrInsertKey(node->Rotation, t)].value = state.keyClipboard.rotation;
    if (state.keyTranslation)
        node->Translation.keys[findOrInsertKey(node->Translation, t)].value = state.keyClipboard.translation;
    refreshTime(document, state, host);
}

void zeroKeyframe(Document& document, AppState& state, Host& host) {
    Node* node = selectedBoneNode(document.model, state);
    if (node == nullptr) return;
    const std::int32_t t = state.currentTime;
    if (state.keyRotation) node->Rotation.keys[findOrInsertKey(node->Rotation, t)].value = {0, 0, 0, 1};
    if (state.keyTranslation) node->Translation.keys[findOrInsertKey(node->Translation, t)].value = {0, 0, 0};
    if (state.keyScaling) node->Scaling.keys[findOrInsertKey(node->Scaling, t)].value = {1, 1, 1};
    refreshTime(document, state, host);
}

void deleteKeyframe(Document& document, AppState& state, Host& host) {
    Node* node = selectedBoneNode(document.model, state);
    if (node == nullptr) return;
    if (state.keyRotation) deleteKey(node->Rotation, state.currentTime);
    if (state.keyTranslation) deleteKey(node->Translation, state.currentTime);
    refreshTime(document, state, host);
}

void jumpToNearestKey(Document& document, AppState& state, Host& host) {
    const Node* node = selectedBoneNode(document.model, state);
    if (node == nullptr) return;
    std::int64_t bestDistance = -1;
    std::int32_t best = state.currentTime;
    closerKey(node->Rotation, state.currentTime, bestDistance, best);
    closerKey(node->Translation, state.currentTime, bestDistance, best);
    closerKey(node->Scaling, state.currentTime, bestDistance, best);
    state.currentTime = best;
    refreshTime(document, state, host);
}

void makeLinear(Document& document, const AppState& state, Host& host) {
    if (!host.askYesNo("Make things linear?", "")) return;
    for (std::uint32_t bone : state.view.allNodes) {
        if (bone >= document.model.Bones.size()) continue;
        Node& node = document.model.Bones[bone].node;
        linearise(node.Rotation);
        linearise(node.Translation);
        linearise(node.Scaling);
    }
}

}  // namespace tess
