#include "editor/keyframes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "anim/track_evaluation.h"
#include "common/fake_host.h"

namespace tess {
namespace {

const float kH = std::sqrt(0.5f);

// Keys in any order with repeated times: find-or-insert stops at the first key not before t;
// delete erases the first key at t wherever it stands.
TEST(KeysAtATime, FindOrInsertAndDeleteOnShuffledTracksWithRepeatedTimes) {
    std::mt19937 random(5);
    for (int round = 0; round < 1000; ++round) {
        VectorTrack track;
        for (std::uint32_t k = 0, n = static_cast<std::uint32_t>(random() % 6); k < n; ++k)
            track.keys.push_back(
                {static_cast<std::int32_t>(random() % 4) * 100, {float(k), 1, 2}, {3, 4, 5}, {6, 7, 8}});
        std::shuffle(track.keys.begin(), track.keys.end(), random);
        const std::int32_t t = static_cast<std::int32_t>(random() % 8) * 50;
        VectorTrack expected = track, actual = track;
        auto& keys = expected.keys;
        const auto at = std::find_if(keys.begin(), keys.end(), [t](auto& k) { return k.time == t; });
        if (at != keys.end()) keys.erase(at);
        deleteKey(actual, t);
        ASSERT_EQ(actual, expected) << "round " << round;
        expected = actual = track;
        const auto stop = std::find_if(keys.begin(), keys.end(), [t](auto& k) { return k.time >= t; });
        const auto index = static_cast<std::size_t>(stop - keys.begin());
        if (stop == keys.end() || stop->time != t)
            keys.insert(stop, {t, evaluateTranslation(track, t), {}, {}});
        ASSERT_EQ(findOrInsertKey(actual, t), index) << "round " << round;
        ASSERT_EQ(actual, expected) << "round " << round;
    }
    QuatTrack rotation;
    rotation.keys = {{0, {0, 0, 0, 1}, {}, {}}, {1000, {0, 0, kH, kH}, {}, {}}};
    const Quat q = evaluateRotation(rotation, 500);
    EXPECT_EQ(rotation.keys.at(findOrInsertKey(rotation, 500)), (QuatTrack::Key{500, q, q, q}));
}

// Bone 0 of two, selected: rotation and translation keys at 0 and 1000, scaling at 500; posed at 500.
struct KeyframeCommands : ::testing::Test {
    KeyframeCommands() {
        document.model.Bones.resize(2);
        selected().Rotation.keys = {{0, {0, 0, 0, 1}, {}, {}}, {1000, {0, 0, kH, kH}, {1, 2, 3, 4}, {}}};
        selected().Translation.keys = {{0, {0, 0, 0}, {}, {}}, {1000, {0, 0, 10}, {7, 7, 7}, {}}};
        selected().Scaling.keys = {{500, {2, 2, 2}, {}, {}}};
        state.view.selectedNode = 0;
        setCurrentTime(document, state, host, 500);
    }
    Node& selected() { return document.model.Bones[0].node; }
    Document document;
    AppState state;
    testing::FakeHost host;
};

template <class V>
std::string timesOf(const Track<V>& track) {
    std::string out;
    for (const auto& key : track.keys) out += " " + std::to_string(key.time);
    return out;
}

TEST_F(KeyframeCommands, CopyPasteZeroAndDeleteEditTheSwitchedOnTracksAtTheCurrentTimeAndRepose) {
    const Model original = document.model;
    pasteKeyframe(document, state, host);  // nothing copied yet
    copyKeyframe(document, state);         // the pose at 500; no key, no repaint
    EXPECT_EQ(document.model, original);
    const float half = document.pose.bones[0].rotation[2];
    EXPECT_NEAR(half, 0.3826834f, 1e-6);
    EXPECT_EQ(state.keyClipboard.translation, (Vec3{0, 0, 5}));
    // Command, time, switches on (R, T, S), then key times and the posed rotation z, translation z, scaling.
    using Command = void (*)(Document&, AppState&, Host&);
    const std::tuple<Command, std::int32_t, std::string, std::string, float, float, float> steps[] = {
        {pasteKeyframe, 250, "-TS", " 0 1000| 0 250 1000| 500", 0.1950903f, 5, 0},
        {pasteKeyframe, 1000, "R-S", " 0 1000| 0 250 1000| 500", half, 10, 2},
        {zeroKeyframe, 500, "RT-", " 0 500 1000| 0 250 500 1000| 500", 0, 0, 2},
        {zeroKeyframe, 1000, "-TS", " 0 500 1000| 0 250 500 1000| 500 1000", half, 0, 1},
        {deleteKeyframe, 500, "RTS", " 0 1000| 0 250 1000| 500 1000", 0.1950903f, 10.0f / 3, 2},
        {deleteKeyframe, 250, "-T-", " 0 1000| 0 1000| 500 1000", 0.0980171f, 0, 0}};
    for (const auto& [command, time, on, times, rotationZ, translationZ, scaling] : steps) {
        state.currentTime = time;
        std::tie(state.keyRotation, state.keyTranslation, state.keyScaling) =
            std::tuple(on[0] == 'R', on[1] == 'T', on[2] == 'S');
        command(document, state, host);
        const Node& node = selected();
        EXPECT_EQ(timesOf(node.Rotation) + "|" + timesOf(node.Translation) + "|" + timesOf(node.Scaling),
                  times);
        const NodePose& posed = document.pose.bones[0];
        EXPECT_NEAR(posed.rotation[2], rotationZ, 1e-6) << times;
        EXPECT_NEAR(posed.rotation[3], std::sqrt(1 - rotationZ * rotationZ), 1e-6) << times;
        EXPECT_NEAR(posed.translation[2], translationZ, 1e-5) << times;
        EXPECT_EQ(evaluateTranslation(node.Scaling, time), (Vec3{scaling, scaling, scaling})) << times;
    }
    EXPECT_EQ(std::tuple(selected().Rotation.keys.back().InTan, selected().Translation.keys.back().InTan),
              std::tuple(Quat{1, 2, 3, 4}, Vec3{7, 7, 7}));  // keys written in place keep their tangents
    EXPECT_EQ(host.animationBarRepaints, 7);
}

TEST_F(KeyframeCommands, JumpGoesToTheNearestKeyOfAnyTrackWhateverTheSwitchesFirstFoundOnTies) {
    // Ties go to the first track's key; distances beyond the i32 range must not wrap.
    state.keyRotation = state.keyTranslation = state.keyScaling = false;
    const auto jumpFrom = [&](std::int32_t from) {
        state.currentTime = from;
        jumpToNearestKey(document, state, host);
        return state.currentTime;
    };
    EXPECT_EQ(std::tuple(jumpFrom(450), jumpFrom(250)), std::tuple(500, 0));
    selected().Rotation.keys.clear();
    selected().Scaling.keys.clear();
    selected().Translation.keys = {{INT32_MIN, {}, {}, {}}, {INT32_MAX - 10, {}, {}, {}}};
    EXPECT_EQ(jumpFrom(INT32_MAX), INT32_MAX - 10);
    selected().Translation.keys.clear();
    EXPECT_EQ(jumpFrom(321), 321);
}

TEST_F(KeyframeCommands, MakeLinearAsksThenConvertsOnlyCurvedTracksOfListedBonesAndNoBoneMeansNoChange) {
    Node& listed = document.model.Bones[1].node;
    listed.Translation.interpolationType = listed.Visibility.interpolationType = Bezier;
    listed.Rotation.interpolationType = Hermite;
    listed.Scaling.interpolationType = DontInterp;
    selected().Rotation.interpolationType = Bezier;  // not listed
    state.view.allNodes = {1, 9};
    const Model original = document.model;
    makeLinear(document, state, host);
    EXPECT_EQ(std::tuple(host.questions.size(), host.questions[0].text, host.questions[0].caption),
              std::tuple(1u, "Make things linear?", ""));
    EXPECT_EQ(document.model, original);
    host.yesNoReplies = {true};
    makeLinear(document, state, host);
    Model expected = original;
    Node& converted = expected.Bones[1].node;
    converted.Translation.interpolationType = converted.Rotation.interpolationType = Linear;
    EXPECT_EQ(document.model, expected);
    state.keyClipboard = {true, {0, 0, 1, 0}, {1, 2, 3}};
    for (std::int32_t none : {-1, 2}) {
        state.view.selectedNode = none;
        for (auto command : {pasteKeyframe, zeroKeyframe, deleteKeyframe, jumpToNearestKey})
            command(document, state, host);
        copyKeyframe(document, state);
        EXPECT_EQ(document.model, expected);
        EXPECT_EQ(std::tuple(state.currentTime, state.keyClipboard.translation),
                  std::tuple(500, Vec3{1, 2, 3}));
    }
    EXPECT_EQ(host.animationBarRepaints, 1);
}

}  // namespace
}  // namespace tess
