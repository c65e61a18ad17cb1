#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/host.h"

namespace tess::testing {

// A Host that records every message and answers from scripts: Yes/No replies in order
// (an empty script answers No), Save/Discard/Cancel replies in order (an empty script
// cancels), file dialog replies in order (an empty script cancels),
// and dialog handlers that may edit what they are shown
// (without a handler a dialog answers Cancel).
class FakeHost : public Host {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
        bool ownedByMainWindow;
        friend bool operator==(const Message&, const Message&) = default;
    };

    void messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                    bool ownedByMainWindow) override {
        messages.push_back({text, caption, icon, ownedByMainWindow});
    }
    bool askYesNo(const std::string& text, const std::string& caption) override {
        questions.push_back({text, caption, MessageIcon::None, true});
        if (yesNoReplies.empty()) return false;
        const bool reply = yesNoReplies.front();
        yesNoReplies.pop_front();
        return reply;
    }
    SaveChoice askSaveDiscardCancel(const std::string& text) override {
        questions.push_back({text, "Save", MessageIcon::None, true});
        if (saveReplies.empty()) return SaveChoice::Cancel;
        const SaveChoice reply = saveReplies.front();
        saveReplies.pop_front();
        return reply;
    }
    void showDocumentStatus(const std::string& title, const std::string& undoText, bool canUndo,
                            const std::string& redoText, bool canRedo) override {
        status = {title, undoText, canUndo, redoText, canRedo};
    }
    int runPrimitiveDialog(PrimitiveParameters& parameters) override {
        ++primitiveDialogs;
        return primitiveDialog ? primitiveDialog(parameters) : 2;
    }
    int runAnimationRangeDialog(AnimationRangeForm& f) override { return rangeDialog ? rangeDialog(f) : 2; }
    int runVisibilityDialog(VisibilityForm& f) override { return visibilityDialog ? visibilityDialog(f) : 2; }
    int runSequencesDialog(SequenceList& f) override { return sequencesDialog ? sequencesDialog(f) : 2; }
    std::optional<std::string> askOpenFileName() override { return nextFileName(); }
    std::optional<std::string> askSaveFileName() override { return nextFileName(); }
    void showModeMenu(EditMode mode) override { modeMenus.push_back(mode); }
    void showUvEditor() override { ++uvEditorShows; }
    void closeMainWindow() override { ++mainWindowCloses; }
    void repaintAnimationBar() override { ++animationBarRepaints; }
    void repaintUvEditor() override { ++uvEditorRepaints; }
    bool altKeyDown() const override { return altDown; }

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::deque<bool> yesNoReplies;
    std::deque<SaveChoice> saveReplies;
    struct Status {
        std::string title, undoText;
        bool canUndo = false;
        std::string redoText;
        bool canRedo = false;
        friend bool operator==(const Status&, const Status&) = default;
    } status;  // the last shown
    std::function<int(PrimitiveParameters&)> primitiveDialog;
    std::function<int(AnimationRangeForm&)> rangeDialog;
    std::function<int(VisibilityForm&)> visibilityDialog;
    std::function<int(SequenceList&)> sequencesDialog;
    std::deque<std::optional<std::string>> fileNames;  // dialog replies in order; empty: cancel
    int fileDialogs = 0;
    std::vector<EditMode> modeMenus;
    int uvEditorShows = 0;
    int mainWindowCloses = 0;
    int primitiveDialogs = 0;
    int animationBarRepaints = 0;
    int uvEditorRepaints = 0;
    bool altDown = false;

private:
    std::optional<std::string> nextFileName() {
        ++fileDialogs;
        if (fileNames.empty()) return std::nullopt;
        std::optional<std::string> reply = fileNames.front();
        fileNames.pop_front();
        return reply;
    }
};

}  // namespace tess::testing
