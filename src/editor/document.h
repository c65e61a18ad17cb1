#pragma once

#include <cstdint>

#include "editor/app_state.h"
#include "editor/host.h"
#include "model/model.h"

namespace tess {

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
// (ObjectId = index in Bones), resets the tool, rebuilds the node order and the bone list,
// selects the first bone, takes the range from the first sequence (without one: report
// 3667, range 0-1000) and poses the model at the range start.
void prepareDocument(Model& model, AppState& state, Host& host);

// Stores the time, poses the model at it and repaints the animation bar.
void setCurrentTime(Model& model, AppState& state, Host& host, std::int32_t time);

// setCurrentTime at the current time: run after any edit of keys or of the selected node.
void refreshTime(Model& model, AppState& state, Host& host);

// Copies every vertex's rest position into its animated position (the bind pose that
// Vertex and Triangle mode edit).
void resetPose(Model& model);

// What the window does after an idle pass.
struct IdleOutcome {
    bool drawFrame = false;  // the window is not minimised: draw and show a frame
    bool stop = false;       // Escape is held: end the program (exit status 0)
};

// The idle work before each frame. In Animation mode: while Right arrow is held the time
// advances by the clock time since the previous such pass, while Left is held it goes
// back, clamped to the range, re-posing the model; the clock is remembered either way. In
// Vertex mode: resetPose. `nowMs` is the process clock in milliseconds.
IdleOutcome idlePass(Model& model, AppState& state, Host& host, std::int32_t nowMs);

}  // namespace tess
