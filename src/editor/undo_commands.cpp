#include "editor/undo_commands.h"

#include <filesystem>

#include "anim/node_order.h"
#include "editor/file_commands.h"

namespace tess {
namespace {

std::string documentName(const std::string& fileName) {
    return fileName.empty() ? "Untitled" : std::filesystem::path(fileName).filename().string();
}

// An undo may add or remove bones: the node order and the bone list follow the model.
void refitNodes(Document& document, View& view) {
    const Model& model = document.model;
    computeNodeOrder(model, document.pose);
    view.allNodes.clear();
    for (std::size_t i = 0; i < model.Bones.size(); ++i)
        view.allNodes.push_back(static_cast<std::uint32_t>(i));
    if (view.selectedNode < 0 || static_cast<std::size_t>(view.selectedNode) >= model.Bones.size())
        view.selectedNode = model.Bones.empty() ? -1 : 0;
}

void afterStep(Editor& editor) {
    refitNodes(editor.document, editor.state.view);
    if (editor.state.view.editMode == EditMode::Animation)
        refreshTime(editor.document, editor.state, editor.host);
    else
        resetPose(editor.document);
    showDocumentStatus(editor);
}

}  // namespace

std::string windowTitle(const std::string& fileName, bool modified) {
    if (fileName.empty() && !modified) return kProgramTitle;
    return std::string(kProgramTitle) + " - " + documentName(fileName) + (modified ? "*" : "");
}

void showDocumentStatus(Editor& editor) {
    const History& history = editor.document.history;
    const auto itemText = [](const char* verb, const std::string& label) {
        return label.empty() ? std::string(verb) : std::string(verb) + " " + label;
    };
    editor.host.showDocumentStatus(windowTitle(editor.state.currentFileName, history.modified()),
                                   itemText("&Undo", history.undoLabel()), history.canUndo(),
                                   itemText("&Redo", history.redoLabel()), history.canRedo());
    editor.host.repaintUvEditor();
}

void recordEdit(Editor& editor, const std::string& label, const Selection& selectionBefore) {
    if (editor.document.history.record(editor.document, label, selectionBefore)) showDocumentStatus(editor);
}

// A drag records its step when it ends; until then the model is ahead of the history,
// which a step applied in between would mix with the drag's partial edit.
void undoEdit(Editor& editor) {
    if (editor.state.view.dragState == DragState::Idle && editor.document.history.undo(editor.document))
        afterStep(editor);
}

void redoEdit(Editor& editor) {
    if (editor.state.view.dragState == DragState::Idle && editor.document.history.redo(editor.document))
        afterStep(editor);
}

bool mayDiscardChanges(Editor& editor) {
    if (!editor.document.history.modified()) return true;
    switch (editor.host.askSaveDiscardCancel("Save changes to " + documentName(editor.state.currentFileName) +
                                             "?")) {
        case SaveChoice::Save:
            return saveFileCommand(editor, false);
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

}  // namespace tess
