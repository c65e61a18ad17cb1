#pragma once

#include <string>

#include "model/diagnostics.h"

namespace tess {

struct PrimitiveParameters;

enum class MessageIcon { None, Information, Exclamation, Error };

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
    // The primitive parameter dialog over `parameters`; on OK the texts hold the user's
    // normalised values. Returns 1 for OK, 2 for Cancel.
    virtual int runPrimitiveDialog(PrimitiveParameters& parameters) = 0;

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

// Shows a reader's or writer's findings as the editor reports them: every entry with a
// check number, in order, as that check's assertion box (showAssertion). Entries without
// one (the MDL parse report, which goes to standard output, and messages in words) are the
// caller's to present.
inline void showDiagnostics(Host& host, const Diagnostics& diagnostics) {
    for (const Diagnostic& entry : diagnostics.entries)
        if (entry.check != 0) showAssertion(host, entry.check);
}

}  // namespace tess
