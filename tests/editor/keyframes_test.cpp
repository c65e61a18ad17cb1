#include "editor/keyframes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "anim/node_order.h"
#include "anim/pose.h"
#include "common/fake_host.h"

namespace tess {
namespace {

const float kH = std::sqrt(0.5f);

template <class V>
std::string timesOf(const Track<V>& track) {
    std::string out;
    for (const auto& key : track.keys) out += " " + std::to_string(key.time);
    return out;
}

// The key times of the Rotation, Translation and Scaling tracks: " 0 1000 | 0 1000 | 500".
std::string keyTimes(const Node& node) {
    return timesOf(node.Rotation) + " |" + timesOf(node.Translation) + " |" + timesOf(node.Scaling);
}

TEST(KeysAtATime, FindOrInsertAddsTheEvaluatedValueInTimeOrderAndDeleteErasesTheFirst) {
    VectorTrack track;
    track.keys = {{0, {0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, {1000, {10, 0, 0}, {3, 3, 3}, {4, 4, 4}}};
    const VectorTrack before = track;
    EXPECT_EQ(findOrInsertKey(track, 1000), 1u);
    EXPECT_EQ(track, before);
    EXPECT_EQ(findOrInsertKey(track, 250), 1u);
    EXPECT_EQ(track.keys[1], (VectorTrack::Key{250, {2.5f, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(findOrInsertKey(track, -100), 0u);
    EXPECT_EQ(findOrInsertKey(track, 2000), 4u);
    EXPECT_EQ(timesOf(track), " -100 0 250 1000 2000");

    // An inserted rotation key takes the slerped value as value and both tangents.
    QuatTrack rotation;
    rotation.keys = {{0, {0, 0, 0, 1}, {}, {}}, {1000, {0, 0, kH, kH}, {}, {}}};
    EXPECT_EQ(findOrInsertKey(rotation, 500), 1u);
    const Quat q = rotation.keys[1].value;
    EXPECT_NEAR(q[2], 0.3826834f, 1e-6);
    EXPECT_EQ(rotation.keys[1], (QuatTrack::Key{500, q, q, q}));

    // Of keys sharing a time, the first is erased; a time without a key erases nothing.
    track.keys = {{100, {2, 0, 0}, {}, {}}, {100, {3, 0, 0}, {}, {}}};
    deleteKey(track, 50);
    deleteKey(track, 100);
    EXPECT_EQ(track.keys, (std::vector<VectorTrack::Key>{{100, {3, 0, 0}, {}, {}}}));
}

// Of two bones, bone 0 is selected; it has rotation and translation keys at 0 and 1000 and a
// scaling key at 500. The model is posed at currentTime 500.
struct KeyframeCommands : ::testing::Test {
    KeyframeCommands() {
        model.Bones.resize(2);
        selected().Rotation.keys = {{0, {0, 0, 0, 1}, {}, {}}, {1000, {0, 0, kH, kH}, {}, {}}};
        selected().Translation.keys = {{0, {0, 0, 0}, {}, {}}, {1000, {0, 0, 10}, {}, {}}};
        selected().Scaling.keys = {{500, {2, 2, 2}, {}, {}}};
        computeNodeOrder(model);
        state.selectedNode = 0;
        state.currentTime = 500;
        evaluateModel(model, 500);
    }
    Node& selected() { return model.Bones[0].node; }

    Model model;
    AppState state;
    testing::FakeHost host;
};

TEST_F(KeyframeCommands, CopyTakesTheEvaluatedPoseAndPasteWritesItIntoSwitchedOnTracks) {
    const Model original = model;
    pasteKeyframe(model, state, host);  // nothing copied yet
    copyKeyframe(model, state);
    EXPECT_EQ(model, original);
    EXPECT_EQ(host.animationBarRepaints, 0);
    EXPECT_NEAR(state.keyClipboard.rotation[2], 0.3826834f, 1e-6);

    state.keyRotation = false;
    state.currentTime = 250;
    pasteKeyframe(model, state, host);
    EXPECT_EQ(keyTimes(selected()), " 0 1000 | 0 250 1000 | 500");
    EXPECT_EQ(selected().Translation.keys[1].value, (Vec3{0, 0, 5}));

    // An existing key keeps its tangents; the model is re-posed with the pasted key.
    state.keyRotation = true;
    selected().Translation.keys[2].InTan = {7, 7, 7};
    state.currentTime = 1000;
    pasteKeyframe(model, state, host);
    EXPECT_EQ(selected().Translation.keys[2], (VectorTrack::Key{1000, {0, 0, 5}, {7, 7, 7}, {}}));
    EXPECT_EQ(selected().Rotation.keys[1].value, state.keyClipboard.rotation);
    EXPECT_EQ(host.animationBarRepaints, 2);
    EXPECT_FLOAT_EQ(selected().worldMatrix[11], 5);
}

TEST_F(KeyframeCommands, ZeroSetsTheSwitchedOnKeysAtTheCurrentTime) {
    state.keyScaling = false;
    zeroKeyframe(model, state, host);
    EXPECT_EQ(keyTimes(selected()), " 0 500 1000 | 0 500 1000 | 500");
    EXPECT_EQ(selected().Rotation.keys[1].value, (Quat{0, 0, 0, 1}));
    EXPECT_EQ(selected().Translation.keys[1].value, (Vec3{0, 0, 0}));
    EXPECT_EQ(selected().Scaling.keys[0].value, (Vec3{2, 2, 2}));
    EXPECT_FLOAT_EQ(selected().worldMatrix[11], 0);

    // An existing key is overwritten in place, its tangents kept.
    state.keyRotation = false;
    state.keyScaling = true;
    selected().Translation.keys[2].OutTan = {4, 4, 4};
    state.currentTime = 1000;
    zeroKeyframe(model, state, host);
    EXPECT_EQ(selected().Rotation.keys[2].value, (Quat{0, 0, kH, kH}));
    EXPECT_EQ(selected().Translation.keys[2], (VectorTrack::Key{1000, {0, 0, 0}, {}, {4, 4, 4}}));
    EXPECT_EQ(keyTimes(selected()), " 0 500 1000 | 0 500 1000 | 500 1000");
    EXPECT_EQ(selected().Scaling.keys[1].value, (Vec3{1, 1, 1}));
    EXPECT_EQ(host.animationBarRepaints, 2);
}

TEST_F(KeyframeCommands, DeleteRemovesRotationAndTranslationKeysButKeepsScaling) {
    state.currentTime = 1000;
    deleteKeyframe(model, state, host);
    state.currentTime = 500;
    deleteKeyframe(model, state, host);
    EXPECT_EQ(keyTimes(selected()), " 0 | 0 | 500");
    EXPECT_EQ(host.animationBarRepaints, 2);
    state.currentTime = 0;
    state.keyTranslation = false;
    deleteKeyframe(model, state, host);
    EXPECT_EQ(keyTimes(selected()), " | 0 | 500");
}

template <class V>
void setKeyTimes(Track<V>& track, const std::vector<std::int32_t>& times) {
    track.keys.clear();
    for (std::int32_t time : times) track.keys.push_back({time, {}, {}, {}});
}

TEST_F(KeyframeCommands, JumpGoesToTheNearestKeyWhateverTheSwitchesFirstFoundOnTies) {
    // Ties go to the key found first, searching Rotation, Translation, Scaling in key order;
    // distances beyond the i32 range must not wrap into small ones.
    using Times = std::vector<std::int32_t>;
    const std::tuple<Times, Times, Times, std::int32_t, std::int32_t> cases[] = {
        {{0, 1000}, {0, 1000}, {500}, 500, 500},
        {{0, 1000}, {0, 1000}, {}, 500, 0},
        {{1000}, {0, 1000}, {}, 500, 1000},
        {{1000}, {0}, {990}, 980, 990},
        {{}, {INT32_MIN, INT32_MAX - 10}, {}, INT32_MAX, INT32_MAX - 10},
        {{}, {}, {}, 321, 321}};
    state.keyRotation = state.keyTranslation = state.keyScaling = false;
    for (const auto& [rotation, translation, scaling, from, to] : cases) {
        setKeyTimes(selected().Rotation, rotation);
        setKeyTimes(selected().Translation, translation);
        setKeyTimes(selected().Scaling, scaling);
        state.currentTime = from;
        jumpToNearestKey(model, state, host);
        EXPECT_EQ(state.currentTime, to) << "from " << from;
    }
    EXPECT_EQ(host.animationBarRepaints, 6);
}

TEST_F(KeyframeCommands, MakeLinearAsksAndConvertsOnlyCurvedTracksOfListedBones) {
    model.Bones.emplace_back().node.Rotation.interpolationType = Bezier;  // not listed
    Node& listed = model.Bones[1].node;
    listed.Translation.keys = {{0, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
    listed.Translation.interpolationType = Bezier;
    listed.Rotation.interpolationType = Hermite;
    listed.Scaling.interpolationType = Bezier;
    listed.Visibility.interpolationType = Bezier;
    selected().Scaling.interpolationType = DontInterp;
    model.Helpers.emplace_back().node.Translation.interpolationType = Hermite;
    state.allNodes = {0, 1, 9};
    const Model original = model;

    makeLinear(model, state, host);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "Make things linear?");
    EXPECT_EQ(host.questions[0].caption, "");
    EXPECT_EQ(model, original);

    // Yes: only the curved tracks of listed bones change, keys and all else kept.
    host.yesNoReplies = {true};
    makeLinear(model, state, host);
    Model expected = original;
    Node& converted = expected.Bones[1].node;
    converted.Translation.interpolationType = converted.Rotation.interpolationType = Linear;
    converted.Scaling.interpolationType = Linear;
    EXPECT_EQ(model, expected);
}

TEST_F(KeyframeCommands, NothingHappensWithoutASelectedBone) {
    state.keyClipboard = {true, {0, 0, 1, 0}, {1, 2, 3}};
    state.currentTime = 250;
    const Model original = model;
    for (std::int32_t none : {-1, 2}) {
        state.selectedNode = none;
        copyKeyframe(model, state);
        pasteKeyframe(model, state, host);
        zeroKeyframe(model, state, host);
        deleteKeyframe(model, state, host);
        jumpToNearestKey(model, state, host);
        EXPECT_EQ(model, original);
        EXPECT_EQ(state.currentTime, 250);
        EXPECT_EQ(state.keyClipboard.translation, (Vec3{1, 2, 3}));
    }
    EXPECT_EQ(host.animationBarRepaints, 0);
}

}  // namespace
}  // namespace tess
