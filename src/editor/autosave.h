#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "model/diagnostics.h"
#include "model/model.h"

namespace tess {

// The autosave store: one autosave per running editor, kept in the user's state folder as
// two files named by the process id, "autosave-PID.mdx" (the model) and
// "autosave-PID.record" (which file it belongs to, when it was written, and which process
// wrote it). Both are written atomically, the model first, so a record always describes a
// complete model. An autosave whose process no longer runs was left by an editor that did
// not end cleanly and can be offered for recovery.

using WallClock = std::chrono::system_clock;

// The folder for autosaves: STATE/tessarine when `stateHome` ($XDG_STATE_HOME) is an
// absolute path, else HOME/.local/state/tessarine. Empty when neither is given as an
// absolute path (null, empty and relative values are ignored).
std::string autosaveFolder(const char* stateHome, const char* home);

// Writes this process's autosave of `model` into `folder`, creating the folder (mode 0700,
// parents too) when it is missing. `originalPath` is the document's file, empty for an
// untitled one; `now` is recorded as the autosave's time. Refuses, with an error, to write
// over `originalPath` itself. On failure the previous autosave, if any, is left as it was and
// the diagnostics say why (the MDX writer's refusals included).
Diagnostics writeAutosave(const std::string& folder, const Model& model, const std::string& originalPath,
                          WallClock::time_point now);

// Removes this process's autosave (after a save or on a clean exit). A missing autosave
// is not an error.
Diagnostics removeAutosave(const std::string& folder);

// An autosave left by an editor that no longer runs.
struct LeftAutosave {
    std::string modelPath;     // the autosaved model (MDX)
    std::string recordPath;    // its record
    std::string originalPath;  // the document's own file; empty for an untitled document
    std::int64_t process = 0;  // the id of the process that wrote it
    WallClock::time_point time;
};

struct LeftAutosaves {
    std::vector<LeftAutosave> found;  // oldest first
    Diagnostics problems;             // one warning per damaged record, which is skipped
};

// Lists the autosaves in `folder` whose writing process has ended: no process has its id,
// or the process with that id started at another time or in another boot (the id was
// reused). A missing folder holds none.
LeftAutosaves findLeftAutosaves(const std::string& folder);

// "Recover unsaved changes to NAME from TIME?": NAME is the original file's name
// (without its folders) or "Untitled", TIME the local time "YYYY-MM-DD HH:MM".
std::string recoveryQuestion(const LeftAutosave& autosave);

// Reads the autosaved model into `model` (reset first); errors say why it could not be read.
Diagnostics loadAutosave(const LeftAutosave& autosave, Model& model);

// Deletes both files of a left autosave: on the answer "No" to the recovery question, and
// after a recovery, once the document's own autosave or save holds the recovered edits.
Diagnostics deleteAutosave(const LeftAutosave& autosave);

}  // namespace tess
