#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/host.h"

namespace tess::testing {

// A Host that records every message and answers from scripts: Yes/No replies in order
// (an empty script answers No), and dialog handlers that may edit what they are shown
// (without a handler the primitive dialog answers Cancel).
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
    int runPrimitiveDialog(PrimitiveParameters& parameters) override {
        ++primitiveDialogs;
        return primitiveDialog ? primitiveDialog(parameters) : 2;
    }
    void repaintAnimationBar() override { ++animationBarRepaints; }
    void repaintUvEditor() override { ++uvEditorRepaints; }
    bool altKeyDown() const override { return altDown; }

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::deque<bool> yesNoReplies;
    std::function<int(PrimitiveParameters&)> primitiveDialog;
    int primitiveDialogs = 0;
    int animationBarRepaints = 0;
    int uvEditorRepaints = 0;
    bool altDown = false;
};

}  // namespace tess::testing
