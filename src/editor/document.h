#pragma once

#include <cstdint>

#include "anim/pose.h"
#include "editor/app_state.h"
#include "editor/history.h"
#include "editor/host.h"
#include "model/model.h"
#include "view/selection.h"
#include "view/view.h"

namespace tess {

// The open document: the stored model and, in arrays indexed like it, what is computed
// from it (the pose, the screen positions of the last frame) and what the user has marked
// (the selection and the shown flags). Every edit keeps the arrays in step with the model
// (editor/vertex_arrays.h); after anything that replaces the model wholesale (a load, an
// undo) `fitDocument` sizes them again. `history` holds its undo steps and whether it
// differs from its file.
struct Document {
    Model model;
    Pose pose;
    Selection selection;
    ScreenPositions screenPositions;
    History history;
};

// The start document's parts, also used to complete a model that lacks them: the
// texture "Textures\white.blp"; a material with one layer showing texture 0; the bone
// "Root" (ObjectId 0, no parent, no keys).
Texture defaultTexture();
Material defaultMaterial();
Bone defaultRootBone();

// Resets `model` and fills it with the editor's start document: "Untitled", one sequence
// "Stand" (0-1000 ms), the texture "Textures\white.blp", one material whose one layer
// shows it, one bone "Root" (ObjectId 0, no parent) and its pivot at the origin.
void buildDefaultDocument(Model& model);

// The setup after a load or after building the default document: renumbers the bones
// (ObjectId = index in Bones, with every reference to a node kept on it: numberBonesByIndex), resets the
// tool, rebuilds the node order and the bone list, selects the first bone, clears the selection (every geoset
// shown), takes the range from the first sequence (without one: check kNoSequence, range 0-1000), poses the
// model at the range start and starts the history afresh (reset: the model counts as saved).
void prepareDocument(Document& document, AppState& state, Host& host);

// Stores the time, poses the model at it and repaints the animation bar.
void setCurrentTime(Document& document, AppState& state, Host& host, std::int32_t time);

// setCurrentTime at the current time: run after any edit of keys or of the selected node.
void refreshTime(Document& document, AppState& state, Host& host);

// The bind pose that Vertex and Triangle mode edit: every animated position = rest position.
void resetPose(Document& document);

// What the window does after an idle pass.
struct IdleOutcome {
    bool drawFrame = false;  // the window is not minimised: draw and show a frame
    bool stop = false;       // Escape is held: end the program (exit status 0)
};

// The idle work before each frame. In Animation mode: while Right arrow is held the time
// advances by the clock time since the previous such pass, while Left is held it goes
// back, clamped to the range, re-posing the model; the clock is remembered either way. In
// Vertex mode: resetPose. `nowMs` is the process clock in milliseconds.
IdleOutcome idlePass(Document& document, AppState& state, Host& host, std::int32_t nowMs);

}  // namespace tess
