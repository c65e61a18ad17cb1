#pragma once

#include <optional>
#include <string>

#include "model/diagnostics.h"
#include "view/view.h"

namespace tess {

struct PrimitiveParameters;
struct AnimationRangeForm;
struct VisibilityForm;
class SequenceList;

enum class MessageIcon { None, Information, Exclamation, Error };

// The answers to "Save changes to NAME?".
enum class SaveChoice { Save, Discard, Cancel };

// The one way the editor layer reaches the user. The window implements it with the
// toolkit; tests use a recording fake with scripted replies. Every call returns only once
// the user has answered.
class Host {
public:
    virtual ~Host() = default;

    // A modal message box with an OK button. `ownedByMainWindow` false: no owner window.
    virtual void messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                            bool ownedByMainWindow) = 0;
    // A Yes/No question owned by the main window; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption) = 0;
    // A Save / Discard / Cancel question owned by the main window; closing it is Cancel.
    virtual SaveChoice askSaveDiscardCancel(const std::string& text) = 0;
    // The primitive parameter dialog over `parameters`; on OK the texts hold the user's
    // normalised values. Returns 1 for OK, 2 for Cancel.
    virtual int runPrimitiveDialog(PrimitiveParameters& parameters) = 0;
    // The Animation Range dialog over `form`, owned by the animation bar: choosing a line of
    // the drop-down runs chooseRangeLine; on OK the form holds the edits' texts. The
    // Visibility dialog, likewise: on OK `form.shown` holds which lines are selected. The
    // Sequences dialog, owned by the main window: every edit goes to `sequences` at once.
    // Each returns 1 for OK, 2 for Cancel.
    virtual int runAnimationRangeDialog(AnimationRangeForm& form) = 0;
    virtual int runVisibilityDialog(VisibilityForm& form) = 0;
    virtual int runSequencesDialog(SequenceList& sequences) = 0;

    // The standard file dialogs over the model filters ("MDX Files (*.mdx)", "MDL Files
    // (*.mdl)"), default extension "mdx", owned by the main window. Open asks for an existing
    // file; Save asks before overwriting. nullopt when the user cancels.
    virtual std::optional<std::string> askOpenFileName() = 0;
    virtual std::optional<std::string> askSaveFileName() = 0;

    // The main window's title, and the Edit menu's Undo and Redo items: their texts, and
    // whether each is enabled.
    virtual void showDocumentStatus(const std::string& title, const std::string& undoText, bool canUndo,
                                    const std::string& redoText, bool canRedo) = 0;

    // Puts the menu of `mode` (Vertex, Triangle or Animation) at menu-bar position 6 under its
    // title with access key ("&Vertex", "&Triangle", "&Animation").
    virtual void showModeMenu(EditMode mode) = 0;
    // Shows the UV editor window (command 40044).
    virtual void showUvEditor() = 0;
    // Closes the main window as its close box does (command 40001, "E&xit").
    virtual void closeMainWindow() = 0;

    virtual void repaintAnimationBar() = 0;
    virtual void repaintUvEditor() = 0;
    virtual bool altKeyDown() const = 0;
};

// The editing errors' message box: caption "Error", error icon, owned by the main window.
inline void showEditError(Host& host, const std::string& text) {
    host.messageBox(text, "Error", MessageIcon::Error, true);
}

// An internal consistency report: "Assertion failed (line N)", caption "Assertion failure",
// no owner window.
inline void showAssertion(Host& host, int checkNumber) {
    host.messageBox(assertionText(checkNumber), kAssertionCaption, MessageIcon::None, false);
}

// Shows a reader's or writer's errors as the editor reports them: every error with a check
// number, in order, as that check's assertion box (showAssertion). Warnings and entries
// without a check number (the MDL parse report, which goes to standard output, and messages
// in words) are the caller's to present.
inline void showDiagnostics(Host& host, const Diagnostics& diagnostics) {
    for (const Diagnostic& entry : diagnostics.entries)
        if (entry.severity == Severity::Error && entry.check != 0) showAssertion(host, entry.check);
}

}  // namespace tess
