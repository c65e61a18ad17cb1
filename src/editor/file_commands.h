#pragma once

#include <cstddef>
#include <string>

#include "model/diagnostics.h"

namespace tess {

struct Editor;

// How many findings the open command lists in its warning message; the rest are counted.
inline constexpr std::size_t kListedFindings = 20;

// File > Open: asks what to do with unsaved changes (mayDiscardChanges), then for a file,
// and opens it (openModelFile); a cancelled question or dialog does nothing.
void openFileCommand(Editor& editor);

// File > Save (`alwaysAsk` false) and Save As (true). Save asks for a name only when the
// document has none, and asks before writing over a file that was read with errors; Save As
// always asks for a name. Cancel or No saves nothing. Returns whether the document was saved.
bool saveFileCommand(Editor& editor, bool alwaysAsk);

// The text of the open command's warning message: one line per warning of `findings`
// ("line N: " before the text of one tied to an MDL line), the first kListedFindings of
// them, then "and N more" for the rest. Empty when there is no warning.
std::string findingsMessage(const Diagnostics& findings);

}  // namespace tess
