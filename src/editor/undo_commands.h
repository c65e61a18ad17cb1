#pragma once

#include <string>

#include "editor/commands.h"
#include "view/selection.h"

namespace tess {

inline constexpr const char* kProgramTitle = "Tessarine 0.80";

// The main window's title: kProgramTitle for an untitled document without changes, else
// "Tessarine 0.80 - NAME", NAME being the file's name without its folders ("Untitled"
// without a file), with "*" after it while the document differs from its file.
std::string windowTitle(const std::string& fileName, bool modified);

// Shows the title and the Edit menu for the document's history: "&Undo LABEL" and "&Redo
// LABEL", or "&Undo" / "&Redo" disabled when there is no step. Runs after every change of
// the document (a recorded edit, undo, redo, a load), so it also repaints the UV editor,
// which shows the model.
void showDocumentStatus(Editor& editor);

// Records the edit just made as one undo step labelled `label` (its menu text), which
// restores `selectionBefore` when undone, and shows the new status. An edit that left the
// model as it was records nothing.
void recordEdit(Editor& editor, const std::string& label, const Selection& selectionBefore);

// Edit > Undo and Redo: apply the step, rebuild the node list, and pose the model again
// (Animation mode at the current time, the other modes in the bind pose). Nothing happens
// when there is no step, nor during a mouse drag (its edit is not recorded yet).
void undoEdit(Editor& editor);
void redoEdit(Editor& editor);

// Run before anything that replaces or ends the document. While the document is modified
// it asks "Save changes to NAME?": Save saves (asking for a name when untitled), Discard goes
// on, Cancel stops. True to go on: unmodified, Discard, or a save that succeeded.
bool mayDiscardChanges(Editor& editor);

}  // namespace tess
