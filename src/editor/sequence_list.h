#pragma once

#include <string>
#include <vector>

#include "model/model.h"

namespace tess {

// One sequence's fields as the Sequences dialog shows them.
struct SequenceTexts {
    std::string name;
    std::string start, end;  // the interval in decimal
    std::string rarity;      // truncated toward zero, in decimal
    bool looping = false;    // the flags word is not 1 (NonLooping)
    friend bool operator==(const SequenceTexts&, const SequenceTexts&) = default;
};

// The Sequences dialog's list over a model's sequences, which every action edits at once.
// Line i is sequence i. There is a selected line whenever there are sequences, and none
// only when there are none: every action works on a line that exists or does nothing.
class SequenceList {
public:
    // `sequences` must outlive the list. Selects line 0 (none when empty).
    explicit SequenceList(std::vector<Sequence>& sequences);

    std::vector<std::string> names() const;
    int selected() const { return selected_; }
    bool hasSelection() const { return selected_ >= 0; }

    // Selects `line`; a line that does not exist (a click below the last one) keeps the
    // selection as it is.
    void select(int line);

    // The selected sequence's texts; empty texts, not looping, without a selection.
    SequenceTexts shown() const;

    // Stores into the selected sequence every field whose text differs from shown(): the
    // name as typed; start and end read as whole numbers (textToWhole) saturated to 0 ..
    // 2^32 - 1; the rarity as a whole number saturated to the i32 range; the flags word 0
    // when looping, 1 when not. Fields left as shown keep their stored value, so a rarity of
    // 0.5 (shown "0") or flags other than 0 and 1 survive a visit. Nothing without a selection.
    void apply(const SequenceTexts& texts);

    // Appends a looping sequence of rarity 0 starting at the next whole second after the last
    // sequence's end (at 0 without sequences; saturated at 2^32 - 1), 1000 long, named
    // "Untitled N" with the smallest N no sequence has as its name, and selects it.
    void add();

    // Removes the selected sequence and selects the one before it, or the first; removing the
    // last one leaves no sequence and no selection. Nothing without a selection.
    void remove();

private:
    std::vector<Sequence>& sequences_;
    int selected_ = -1;
};

}  // namespace tess
