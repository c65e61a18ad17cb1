#pragma once

#include "editor/commands.h"

namespace tess {

// The animation bar's "...": the Animation Range dialog. OK sets the range the form gives
// (rangeOf) and, when the current time lies outside it, moves the time to its start and
// poses the model there. Cancel changes nothing. The bar repaints either way. The range is
// editor state, not part of the document: no undo step.
void editAnimationRange(Editor& editor);

// The animation bar's "< o >": the Visibility dialog. OK sets the geosets' shown flags from
// it; Cancel leaves them. Nothing else of the selection changes, and it is no undo step.
void editVisibility(Editor& editor);

// Model > Sequences: the Sequences dialog, which edits the model's sequences as the user
// works; OK and Cancel both only close it. The whole session becomes one undo step
// "Sequences" when it changed the model, restoring the selection it began with.
void editSequences(Editor& editor);

}  // namespace tess
