#pragma once

#include <string>

#include "model/report.h"

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

// Shows the readers' and writers' reports as assertion message boxes.
class HostReportSink : public ReportSink {
public:
    explicit HostReportSink(Host& host) : host_(host) {}
    void assertionFailed(int checkNumber) override { showAssertion(host_, checkNumber); }

private:
    Host& host_;
};

}  // namespace tess
