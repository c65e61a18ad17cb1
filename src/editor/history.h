#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/model.h"
#include "view/selection.h"

namespace tess {

struct Document;

inline constexpr std::size_t kDefaultHistoryBudget = std::size_t{512} << 20;

// The undo history of one document. It keeps the last recorded stored state as one shared,
// immutable snapshot per geoset plus the model without its geosets ("the rest"), and a list
// of steps with a cursor. A step holds only what its edit changed: the snapshots of the
// geosets it changed (before and after; unchanged geosets are shared, never copied), the
// geoset counts, the rest when it changed, the selection before and after, and its label.
//
// Contract: the caller records after every change to the document's model (a whole drag is
// one record, made when it ends), so that between records the model equals the snapshot.
// undo and redo rely on it: they replace only what the step changed.
//
// Memory: the bytes held by steps are estimated from the array sizes of the geoset
// snapshots and selections they keep alive and the sizes of the rest's arrays. While that
// estimate is over the budget, the oldest undo steps go; then, if still over (a smaller
// budget set while steps were undone), the newest redo steps. A single step larger than the
// budget is dropped too: the budget is never exceeded. The current snapshot is not counted
// and never dropped.
class History {
public:
    History() = default;
    explicit History(std::size_t budgetBytes) : budget_(budgetBytes) {}

    // Forgets every step and takes `document` as the recorded, saved state (after a load or
    // a new document). `document` is left as it was; its model is taken apart and put back to
    // copy the rest without copying the geosets.
    void reset(Document& document);

    // Compares `now` with the recorded state (geoset by geoset, bit for bit: sizes first,
    // then the arrays, stopping at the first difference; the rest with ==). Without a
    // difference nothing is recorded and the result is false; the selection alone is not a
    // document change. Otherwise one step labelled `label` is added (dropping every redo
    // step), holding `selectionBefore` and `now`'s selection, the snapshot takes the changed
    // geosets (copied once) and the budget is applied. `now` is left as it was.
    bool record(Document& now, std::string label, const Selection& selectionBefore);

    // Put the step's geosets and rest back into `document`, restore the selection from
    // before the step (undo) or after it (redo), then fit the document's arrays
    // (fitDocument); the caller poses the model again. False, changing nothing, when there
    // is nothing to undo or redo.
    bool undo(Document& document);
    bool redo(Document& document);

    bool canUndo() const { return cursor_ > 0; }
    bool canRedo() const { return cursor_ < steps_.size(); }
    // The label of the step that undo or redo would apply; empty when there is none.
    const std::string& undoLabel() const;
    const std::string& redoLabel() const;

    // The current state is what the file holds (after a successful save).
    void markSaved() { saved_ = cursor_; }
    // No state in the history is what the file holds (a recovered autosave).
    void markUnsaved() { saved_ = kUnreachable; }
    // True unless the current state is the saved one. Undoing or redoing back to it clears
    // the mark; once the saved state's step has been dropped it stays set.
    bool modified() const { return saved_ != cursor_; }

    // Applies the budget at once.
    void setBudget(std::size_t bytes);
    std::size_t budget() const { return budget_; }
    std::size_t memoryUsed() const { return used_; }

private:
    static constexpr std::size_t kUnreachable = static_cast<std::size_t>(-1);

    // One geoset the step changed: null `before` for a geoset it added, null `after` for one
    // it removed.
    struct GeosetChange {
        std::size_t index = 0;
        std::shared_ptr<const Geoset> before;
        std::shared_ptr<const Geoset> after;
    };

    struct Step {
        std::string label;
        std::vector<GeosetChange> geosets;
        std::size_t geosetCountBefore = 0;
        std::size_t geosetCountAfter = 0;
        std::shared_ptr<const Model> restBefore;  // both null when the rest did not change
        std::shared_ptr<const Model> restAfter;
        Selection selectionBefore;
        Selection selectionAfter;
        std::size_t bytes = 0;
    };

    // Puts one side of `step` into `document` and the snapshot.
    void apply(const Step& step, bool forward, Document& document);
    void dropOldest();
    void dropNewest();
    void trim();

    std::vector<std::shared_ptr<const Geoset>> geosets_;
    std::shared_ptr<const Model> rest_ = std::make_shared<const Model>();
    std::deque<Step> steps_;
    std::size_t cursor_ = 0;  // steps_[0, cursor_) are undoable
    std::size_t saved_ = 0;   // the cursor at the saved state, or kUnreachable
    std::size_t budget_ = kDefaultHistoryBudget;
    std::size_t used_ = 0;
};

}  // namespace tess
