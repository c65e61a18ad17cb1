#include "editor/keyframes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "anim/node_order.h"
#include "anim/pose.h"
#include "common/fake_host.h"

namespace tess {
namespace {

const float kHalfRoot2 = std::sqrt(0.5f);

template <class V>
std::vector<std::int32_t> timesOf(const Track<V>& track) {
    std::vector<std::int32_t> times;
    for (const auto& key : track.keys) times.push_back(key.time);
    return times;
}

TEST(FindOrInsertKey, VectorKeysInsertTheEvaluatedValueInTimeOrder) {
    VectorTrack track;
    track.keys = {{0, {0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, {1000, {10, 0, 0}, {3, 3, 3}, {4, 4, 4}}};
    const VectorTrack before = track;
    EXPECT_EQ(findOrInsertKey(track, 1000), 1u);
    EXPECT_EQ(track, before);

    EXPECT_EQ(findOrInsertKey(track, 250), 1u);
    EXPECT_EQ(track.keys[1], (VectorTrack::Key{250, {2.5f, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(findOrInsertKey(track, -100), 0u);
    EXPECT_EQ(track.keys[0].value, (Vec3{0, 0, 0}));
    EXPECT_EQ(findOrInsertKey(track, 2000), 4u);
    EXPECT_EQ(track.keys[4].value, (Vec3{10, 0, 0}));
    EXPECT_EQ(track.cache.cachedValue, (Vec3{10, 0, 0}));
    EXPECT_EQ(timesOf(track), (std::vector<std::int32_t>{-100, 0, 250, 1000, 2000}));
    // The keys that were there keep their tangents.
    EXPECT_EQ(track.keys[3].InTan, (Vec3{3, 3, 3}));

    VectorTrack empty;
    EXPECT_EQ(findOrInsertKey(empty, 40), 0u);
    EXPECT_EQ(empty.keys[0], (VectorTrack::Key{40, {}, {}, {}}));
}

TEST(FindOrInsertKey, RotationKeysTakeTheSlerpedValueAsValueAndTangents) {
    QuatTrack track;
    track.keys = {{0, {0, 0, 0, 1}, {}, {}}, {1000, {0, 0, kHalfRoot2, kHalfRoot2}, {}, {}}};
    EXPECT_EQ(findOrInsertKey(track, 500), 1u);
    const QuatTrack::Key& key = track.keys[1];
    EXPECT_EQ(key.time, 500);
    EXPECT_NEAR(key.value[2], 0.3826834f, 1e-6);
    EXPECT_NEAR(key.value[3], 0.9238795f, 1e-6);
    EXPECT_EQ(key.InTan, key.value);
    EXPECT_EQ(key.OutTan, key.value);
    EXPECT_EQ(findOrInsertKey(track, 0), 0u);
    EXPECT_EQ(track.keys.size(), 3u);
}

TEST(DeleteKey, ErasesOnlyTheFirstKeyAtTheTime) {
    VectorTrack track;
    track.keys = {{0, {1, 0, 0}, {}, {}}, {100, {2, 0, 0}, {}, {}}, {100, {3, 0, 0}, {}, {}}};
    deleteKey(track, 50);
    EXPECT_EQ(track.keys.size(), 3u);
    deleteKey(track, 100);
    ASSERT_EQ(track.keys.size(), 2u);
    EXPECT_EQ(track.keys[1].value, (Vec3{3, 0, 0}));

    QuatTrack rotation;
    rotation.keys = {{7, {0, 0, 0, 1}, {}, {}}};
    deleteKey(rotation, 7);
    EXPECT_TRUE(rotation.keys.empty());
}

// Bone 0 is selected; bone 1 is another bone of the document. The model is posed at
// currentTime 500 with the node order built.
struct KeyframeCommands : ::testing::Test {
    KeyframeCommands() {
        for (int i = 0; i < 2; ++i) {
            Bone bone;
            bone.node.ObjectId = static_cast<std::uint32_t>(i);
            model.Bones.push_back(bone);
            model.PivotPoints.push_back({});
        }
        Node& node = selected();
        node.Rotation.keys = {{0, {0, 0, 0, 1}, {}, {}}, {1000, {0, 0, kHalfRoot2, kHalfRoot2}, {}, {}}};
        node.Translation.keys = {{0, {0, 0, 0}, {}, {}}, {1000, {0, 0, 10}, {}, {}}};
        node.Scaling.keys = {{500, {2, 2, 2}, {}, {}}};
        computeNodeOrder(model);
        state.selectedNode = 0;
        state.allNodes = {0, 1};
        state.currentTime = 500;
        evaluateModel(model, 500);
    }
    Node& selected() { return model.Bones[0].node; }

    Model model;
    AppState state;
    testing::FakeHost host;
};

TEST_F(KeyframeCommands, CopyTakesTheEvaluatedPoseAndPasteWritesItAtAnotherTime) {
    copyKeyframe(model, state);
    EXPECT_TRUE(state.keyClipboard.valid);
    EXPECT_EQ(state.keyClipboard.translation, (Vec3{0, 0, 5}));
    EXPECT_NEAR(state.keyClipboard.rotation[2], 0.3826834f, 1e-6);
    EXPECT_EQ(selected().Translation.keys.size(), 2u);
    EXPECT_EQ(host.animationBarRepaints, 0);

    selected().Translation.keys[1].InTan = {7, 7, 7};
    state.currentTime = 1000;
    pasteKeyframe(model, state, host);
    EXPECT_EQ(selected().Translation.keys[1], (VectorTrack::Key{1000, {0, 0, 5}, {7, 7, 7}, {}}));
    EXPECT_EQ(selected().Rotation.keys[1].value, state.keyClipboard.rotation);
    EXPECT_EQ(selected().Rotation.keys.size(), 2u);
    EXPECT_EQ(host.animationBarRepaints, 1);
    EXPECT_FLOAT_EQ(selected().worldMatrix[11], 5);  // re-posed with the pasted key
}

TEST_F(KeyframeCommands, PasteActsOnlyOnSwitchedOnTracksAndNeedsAValidClipboard) {
    const Model original = model;
    pasteKeyframe(model, state, host);
    EXPECT_EQ(model, original);
    EXPECT_EQ(host.animationBarRepaints, 0);

    state.keyClipboard = {true, {0, 0, 1, 0}, {1, 2, 3}};
    state.keyRotation = false;
    state.currentTime = 250;
    pasteKeyframe(model, state, host);
    EXPECT_EQ(timesOf(selected().Rotation), (std::vector<std::int32_t>{0, 1000}));
    ASSERT_EQ(timesOf(selected().Translation), (std::vector<std::int32_t>{0, 250, 1000}));
    EXPECT_EQ(selected().Translation.keys[1].value, (Vec3{1, 2, 3}));
    EXPECT_EQ(selected().Scaling.keys.size(), 1u);
}

TEST_F(KeyframeCommands, ZeroOverwritesAnExistingKeyInPlace) {
    selected().Translation.keys[1].OutTan = {4, 4, 4};
    state.currentTime = 1000;
    zeroKeyframe(model, state, host);
    EXPECT_EQ(selected().Rotation.keys[1].value, (Quat{0, 0, 0, 1}));
    EXPECT_EQ(selected().Translation.keys[1], (VectorTrack::Key{1000, {0, 0, 0}, {}, {4, 4, 4}}));
    EXPECT_EQ(timesOf(selected().Scaling), (std::vector<std::int32_t>{500, 1000}));
    EXPECT_EQ(selected().Scaling.keys[1].value, (Vec3{1, 1, 1}));
    EXPECT_EQ(host.animationBarRepaints, 1);
}

TEST_F(KeyframeCommands, ZeroInsertsBetweenAndBeforeTheKeys) {
    state.keyScaling = false;
    zeroKeyframe(model, state, host);
    EXPECT_EQ(timesOf(selected().Rotation), (std::vector<std::int32_t>{0, 500, 1000}));
    EXPECT_EQ(selected().Rotation.keys[1].value, (Quat{0, 0, 0, 1}));
    EXPECT_EQ(selected().Translation.keys[1].value, (Vec3{0, 0, 0}));
    EXPECT_EQ(selected().Scaling.keys[0].value, (Vec3{2, 2, 2}));
    EXPECT_FLOAT_EQ(selected().worldMatrix[11], 0);

    state.keyRotation = false;
    state.keyScaling = true;
    state.currentTime = -20;
    zeroKeyframe(model, state, host);
    EXPECT_EQ(selected().Rotation.keys.size(), 3u);
    EXPECT_EQ(timesOf(selected().Translation), (std::vector<std::int32_t>{-20, 0, 500, 1000}));
    EXPECT_EQ(timesOf(selected().Scaling), (std::vector<std::int32_t>{-20, 500}));
    EXPECT_EQ(selected().Scaling.keys[0].value, (Vec3{1, 1, 1}));
}

TEST_F(KeyframeCommands, DeleteRemovesRotationAndTranslationKeysButKeepsScaling) {
    state.currentTime = 1000;
    deleteKeyframe(model, state, host);
    EXPECT_EQ(timesOf(selected().Rotation), (std::vector<std::int32_t>{0}));
    EXPECT_EQ(timesOf(selected().Translation), (std::vector<std::int32_t>{0}));
    state.currentTime = 500;
    deleteKeyframe(model, state, host);
    EXPECT_EQ(selected().Scaling.keys.size(), 1u);
    EXPECT_EQ(host.animationBarRepaints, 2);

    state.currentTime = 0;
    state.keyTranslation = false;
    deleteKeyframe(model, state, host);
    EXPECT_TRUE(selected().Rotation.keys.empty());
    EXPECT_EQ(selected().Translation.keys.size(), 1u);
}

TEST_F(KeyframeCommands, JumpGoesToTheNearestKeyFirstFoundOnTies) {
    state.keyRotation = state.keyTranslation = state.keyScaling = false;
    state.currentTime = 500;
    jumpToNearestKey(model, state, host);  // the scaling key at 500 itself
    EXPECT_EQ(state.currentTime, 500);

    selected().Scaling.keys.clear();
    // Rotation keys 0 and 1000 are equally far: the earlier index wins.
    jumpToNearestKey(model, state, host);
    EXPECT_EQ(state.currentTime, 0);
    EXPECT_EQ(host.animationBarRepaints, 2);

    // Rotation is searched before Translation: its 1000 beats Translation's equally far 0.
    selected().Rotation.keys.erase(selected().Rotation.keys.begin());
    state.currentTime = 500;
    jumpToNearestKey(model, state, host);
    EXPECT_EQ(state.currentTime, 1000);
    EXPECT_FLOAT_EQ(selected().worldMatrix[11], 10);

    // A strictly nearer key later in the search still wins.
    selected().Scaling.keys = {{990, {1, 1, 1}, {}, {}}};
    state.currentTime = 980;
    jumpToNearestKey(model, state, host);
    EXPECT_EQ(state.currentTime, 990);
}

TEST_F(KeyframeCommands, JumpHandlesNoKeysAndFarApartTimes) {
    selected().Rotation.keys.clear();
    selected().Translation.keys.clear();
    selected().Scaling.keys.clear();
    state.currentTime = 321;
    jumpToNearestKey(model, state, host);
    EXPECT_EQ(state.currentTime, 321);

    // Distances beyond the i32 range must not wrap into small ones.
    selected().Translation.keys = {{INT32_MIN, {}, {}, {}}, {INT32_MAX - 10, {}, {}, {}}};
    state.currentTime = INT32_MAX;
    jumpToNearestKey(model, state, host);
    EXPECT_EQ(state.currentTime, INT32_MAX - 10);
}

TEST_F(KeyframeCommands, MakeLinearAsksAndConvertsOnlyCurvedTracksOfListedBones) {
    selected().Translation.interpolationType = Bezier;
    selected().Rotation.interpolationType = Hermite;
    selected().Scaling.interpolationType = DontInterp;
    selected().Visibility.interpolationType = Bezier;
    model.Bones[1].node.Scaling.interpolationType = Bezier;
    Helper helper;
    helper.node.Translation.interpolationType = Hermite;
    model.Helpers.push_back(helper);
    const Model original = model;

    makeLinear(model, state, host);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "Make things linear?");
    EXPECT_EQ(host.questions[0].caption, "");
    EXPECT_EQ(model, original);

    host.yesNoReplies = {true};
    state.allNodes = {0, 1, 9};
    makeLinear(model, state, host);
    EXPECT_EQ(selected().Translation.interpolationType, Linear);
    EXPECT_EQ(selected().Translation.keys, original.Bones[0].node.Translation.keys);
    EXPECT_EQ(selected().Rotation.interpolationType, Linear);
    EXPECT_EQ(selected().Scaling.interpolationType, DontInterp);
    EXPECT_EQ(selected().Visibility.interpolationType, Bezier);
    EXPECT_EQ(model.Bones[1].node.Scaling.interpolationType, Linear);
    EXPECT_EQ(model.Helpers[0].node.Translation.interpolationType, Hermite);

    // A bone missing from the list keeps its curves.
    model.Bones[1].node.Rotation.interpolationType = Bezier;
    state.allNodes = {0};
    host.yesNoReplies = {true};
    makeLinear(model, state, host);
    EXPECT_EQ(model.Bones[1].node.Rotation.interpolationType, Bezier);
}

TEST_F(KeyframeCommands, NothingHappensWithoutASelectedBone) {
    state.keyClipboard = {true, {0, 0, 1, 0}, {1, 2, 3}};
    const KeyClipboard clipboard = state.keyClipboard;
    const Model original = model;
    for (std::int32_t none : {-1, 2}) {
        state.selectedNode = none;
        state.currentTime = 250;
        copyKeyframe(model, state);
        pasteKeyframe(model, state, host);
        zeroKeyframe(model, state, host);
        deleteKeyframe(model, state, host);
        jumpToNearestKey(model, state, host);
        EXPECT_EQ(model, original);
        EXPECT_EQ(state.currentTime, 250);
        EXPECT_EQ(state.keyClipboard.translation, clipboard.translation);
        EXPECT_EQ(state.keyClipboard.rotation, clipboard.rotation);
    }
    EXPECT_EQ(host.animationBarRepaints, 0);
}

}  // namespace
}  // namespace tess
