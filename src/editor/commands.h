#pragma once

#include <cstdint>
#include <string>

#include "editor/app_state.h"
#include "editor/document.h"
#include "editor/host.h"
#include "editor/viewport.h"

namespace tess {

// Menu command identifiers.
namespace command {
inline constexpr int kExit = 40001;
inline constexpr int kSequences = 40002;
inline constexpr int kOpen = 40003;
inline constexpr int kSave = 40004;
inline constexpr int kSaveAs = 40005;
inline constexpr int kToggleOverlay = 40006;
inline constexpr int kPlane = 40007;
inline constexpr int kBox = 40008;
inline constexpr int kGeosphere = 40009;
inline constexpr int kCylinder = 40031;
inline constexpr int kTube = 40032;
inline constexpr int kSphere = 40033;
inline constexpr int kVertexMode = 40034;
inline constexpr int kTriangleMode = 40035;
inline constexpr int kAnimationMode = 40036;
inline constexpr int kPerspective = 40037;  // through kBottom = 40043, in ViewType order
inline constexpr int kBottom = 40043;
inline constexpr int kUvEditor = 40044;
inline constexpr int kCreateTriangle = 40052;
inline constexpr int kDeleteVertices = 40053;
inline constexpr int kDivide = 40054;
inline constexpr int kWeldVertices = 40055;
inline constexpr int kDeleteTriangles = 40056;
inline constexpr int kTurnEdge = 40057;
inline constexpr int kWeldTriangles = 40058;
inline constexpr int kFlip = 40059;
inline constexpr int kCopyKeyframe = 40060;
inline constexpr int kPasteKeyframe = 40061;
inline constexpr int kZeroKeyframe = 40062;
inline constexpr int kDeleteKeyframe = 40063;
inline constexpr int kUndo = 40070;
inline constexpr int kRedo = 40071;
inline constexpr int kFrameSelection = 40072;
}  // namespace command

// Everything a command acts on.
struct Editor {
    Document& document;
    AppState& state;
    Host& host;
    Viewport& viewport;
};

// Runs the command `id` (every menu item and every key goes through here). A command that
// changes the model becomes one undo step labelled with its menu text. Returns false for an
// id the editor does not know, which the window passes on to its default handling.
bool handleCommand(Editor& editor, int id);

// Enters a mode as the Mode menu and F1-F3 do (Triangle first derives the vertex selection
// from the faces), swaps the mode menu, then resets the pose or, in Animation mode, re-poses.
void enterMode(Editor& editor, EditMode mode);

// Sets the camera target and distance so that the selected vertices, or every vertex of the
// shown geosets when `wholeModel` is set or none is selected, fill the view (F and View >
// Frame Selection frame the selection, Home the whole model); nothing changes without a
// vertex to frame.
void frameCamera(Editor& editor, bool wholeModel);

// Key down / key up with a Windows virtual-key code: records it in keysDown, then (down only)
// runs the key table of the current mode.
void handleKeyDown(Editor& editor, int virtualKey);
void handleKeyUp(Editor& editor, int virtualKey);

// One wheel notch: `wheelWord` is the wheel delta as an unsigned 16-bit number.
void handleWheel(Editor& editor, std::uint16_t wheelWord);

// The window's client area changed size (device pixels; a height of 0 counts as 1).
void handleResize(Editor& editor, std::int32_t width, std::int32_t height);

// Loads `path` into the document: MDX when its last character is 'x' or 'X', MDL otherwise.
// The reader's errors are shown (assertion boxes, the parse report on standard output), then
// its warnings and the model's validation findings in one "Warning" message; the model is
// kept as read and state.readWithErrors records whether the reader reported errors. A file
// that cannot be read, or an MDX name whose file lacks the MDX magic, shows "Error" and
// leaves the document and the file name as they were. A model read starts a new history
// and removes this editor's autosave. Returns whether a model was read.
bool openModelFile(Editor& editor, const std::string& path);

// Writes the document to `path`, MDX or MDL by the last character, atomically; on success
// `path` becomes the file name, the document no longer counts as read with errors nor as
// modified, and this editor's autosave is removed. A failure shows "Error" with the reason
// and changes nothing else. Returns whether it was saved.
bool saveModelFile(Editor& editor, const std::string& path);

// The mouse over the 3D view. Positions are device pixels, y downward. A drag that edits
// the model (Rotate, Move, Scale, Extrude, in every mode) becomes one undo step when its
// button goes up.
void onLeftButtonDown(Editor& editor, std::int32_t x, std::int32_t y);
void onMiddleButtonDown(Editor& editor);
void onButtonUp(Editor& editor, std::int32_t x, std::int32_t y);
void onMouseMove(Editor& editor, std::int32_t x, std::int32_t y);

}  // namespace tess
