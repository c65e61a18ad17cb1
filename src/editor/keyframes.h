#pragma once

#include <cstddef>
#include <cstdint>

#include "editor/app_state.h"
#include "editor/document.h"
#include "editor/host.h"
#include "model/track.h"

namespace tess {

// The index of the key at exactly `time`, scanning from the first key and stopping at the
// first later one. Without one, inserts a key holding the track's value at `time` at that
// stopping point (or at the end), so keys that ascended still do. An inserted rotation key's
// InTan and OutTan equal its value (a later switch to Hermite or Bezier starts flat); an
// inserted vector key's are (0, 0, 0).
std::size_t findOrInsertKey(QuatTrack& track, std::int32_t time);
std::size_t findOrInsertKey(VectorTrack& track, std::int32_t time);

// Erases the first key at exactly `time`, wherever it stands in the track (keys may be out
// of time order); does nothing when there is none.
void deleteKey(QuatTrack& track, std::int32_t time);
void deleteKey(VectorTrack& track, std::int32_t time);

// The node of the bone `state.view.selectedNode` names, or null when it names none.
Node* selectedBoneNode(Model& model, const AppState& state);

// The keyframe commands act on the bone `state.view.selectedNode`; when it names no bone
// they do nothing at all. Paste, Zero and Delete touch only the tracks whose `keyRotation`,
// `keyTranslation` and `keyScaling` switches are on, and end with refreshTime.

// Stores the selected bone's rotation and translation of the last pose in the clipboard and
// makes it valid (nothing happens while the bone has no pose yet). Creates no key and
// redraws nothing.
void copyKeyframe(const Document& document, AppState& state);

// With a valid clipboard: writes its rotation and translation into the keys at the current
// time (found or inserted), leaving the tangents of existing keys as they were. Scaling is
// never pasted.
void pasteKeyframe(Document& document, AppState& state, Host& host);

// Sets the keys at the current time (found or inserted) to the identity rotation, zero
// translation and unit scaling.
void zeroKeyframe(Document& document, AppState& state, Host& host);

// Deletes the rotation and translation keys at the current time. Scaling keys stay.
void deleteKeyframe(Document& document, AppState& state, Host& host);

// Moves the current time to the selected bone's key time nearest to it, searching the
// Rotation, Translation and Scaling keys in that order whatever the switches say; of equal
// distances the first found wins. Without keys the time stays. Ends with refreshTime.
void jumpToNearestKey(Document& document, AppState& state, Host& host);

// Asks "Make things linear?" (Yes/No, empty caption). On Yes, every Hermite or Bezier
// Rotation, Translation and Scaling track of the bones in `state.view.allNodes` becomes
// Linear, keys and tangents kept; entries naming no bone are skipped. Does not re-pose.
void makeLinear(Document& document, const AppState& state, Host& host);

}  // namespace tess
