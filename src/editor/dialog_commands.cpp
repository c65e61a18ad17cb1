#include "editor/dialog_commands.h"

#include <tuple>

#include "editor/dialog_forms.h"
#include "editor/sequence_list.h"
#include "editor/undo_commands.h"

namespace tess {
namespace {

constexpr int kDialogOk = 1;

}  // namespace

void editAnimationRange(Editor& editor) {
    AppState& state = editor.state;
    AnimationRangeForm form = animationRangeForm(editor.document.model, state);
    if (editor.host.runAnimationRangeDialog(form) == kDialogOk) {
        std::tie(state.rangeStart, state.rangeEnd) = rangeOf(form);
        if (state.currentTime < state.rangeStart || state.currentTime > state.rangeEnd)
            setCurrentTime(editor.document, state, editor.host, state.rangeStart);
    }
    editor.host.repaintAnimationBar();
}

void editVisibility(Editor& editor) {
    Document& document = editor.document;
    VisibilityForm form = visibilityForm(document.model, document.selection);
    if (editor.host.runVisibilityDialog(form) != kDialogOk) return;
    std::vector<std::uint8_t>& shown = document.selection.shown;
    shown.resize(document.model.Geosets.size(), 1);
    for (std::size_t i = 0; i < shown.size() && i < form.shown.size(); ++i) shown[i] = form.shown[i] != 0;
}

void editSequences(Editor& editor) {
    const Selection before = editor.document.selection;
    SequenceList list(editor.document.model.Sequences);
    editor.host.runSequencesDialog(list);
    recordEdit(editor, "Sequences", before);
}

}  // namespace tess
