#include "editor/history.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "common/sample_models.h"
#include "editor/keyframes.h"
#include "editor/mesh_edit.h"
#include "mesh_documents.h"

namespace tess {
namespace {

Document richDocument() {
    Document d;
    d.model = testing::makeRichModel();
    fitDocument(d);
    return d;
}

void moveVertex(Document& d, std::size_t geoset, float by) {
    d.model.Geosets[geoset].positions[0][0] += by;
}

// Each kind of edit, recorded one after another: undoing walks back through every state
// exactly (model and selection), redoing walks forward again.
TEST(History, EveryKindOfEditUndoesAndRedoesExactly) {
    const struct {
        const char* label;
        std::function<void(Document&)> change;
    } edits[] = {
        {"Flip", flipTriangles},
        {"Rotate", [](Document& d) { findOrInsertKey(d.model.Bones[1].node.Rotation, 250); }},
        {"Sequences", [](Document& d) { d.model.Sequences[0].Name = "Run"; }},
        // Each stored field of a geoset on its own, -0 against 0 included.
        {"Zero", [](Document& d) { d.model.Geosets[0].positions[1][0] = -0.0f; }},
        {"Normals", [](Document& d) { d.model.Geosets[0].normals[1][2] = -1; }},
        {"UV", [](Document& d) { d.model.Geosets[0].uvSets[1][2][1] = 0.5f; }},
        {"UV Sets", [](Document& d) { d.model.Geosets[0].uvSets.pop_back(); }},
        {"Groups", [](Document& d) { d.model.Geosets[0].vertexGroups[2] = 7; }},
        {"Matrices", [](Document& d) { d.model.Geosets[0].matrixGroups[1].push_back(1); }},
        {"Extents", [](Document& d) { d.model.Geosets[0].extents[1].BoundsRadius = 3; }},
        {"Material", [](Document& d) { d.model.Geosets[0].MaterialID = 1; }},
        {"Group", [](Document& d) { d.model.Geosets[0].SelectionGroup = 0; }},
        {"Flags", [](Document& d) { d.model.Geosets[0].selectionFlags = kUnselectable; }},
        {"Radius", [](Document& d) { d.model.Geosets[0].BoundsRadius = 0; }},
        {"Minimum", [](Document& d) { d.model.Geosets[0].MinimumExtent[1] = 1; }},
        {"Maximum", [](Document& d) { d.model.Geosets[0].MaximumExtent[1] = 2; }},
        {"Delete Geoset",
         [](Document& d) {
             d.model.Geosets.erase(d.model.Geosets.begin());
             d.selection.geosets.erase(d.selection.geosets.begin());
             fitDocument(d);
         }},
    };
    Document d = richDocument();
    History history;
    history.reset(d);
    std::vector<Model> before, after;
    std::vector<Selection> selectedBefore, selectedAfter;
    for (const auto& edit : edits) {
        GeosetSelection& first = d.selection.geosets.front();
        first.vertices[0] = first.vertices[1] = 1;
        d.selection.geosets.back().triangles[0] = 1;
        before.push_back(d.model);
        selectedBefore.push_back(d.selection);
        edit.change(d);
        ASSERT_TRUE(history.record(d, edit.label, selectedBefore.back())) << edit.label;
        after.push_back(d.model);
        selectedAfter.push_back(d.selection);
    }
    for (std::size_t i = std::size(edits); i-- > 0;) {
        SCOPED_TRACE(edits[i].label);
        EXPECT_EQ(history.undoLabel(), edits[i].label);
        ASSERT_TRUE(history.undo(d));
        EXPECT_TRUE(d.model == before[i] && d.selection == selectedBefore[i] && testing::consistent(d));
        EXPECT_EQ(history.redoLabel(), edits[i].label);
    }
    EXPECT_FALSE(history.undo(d) || history.canUndo());
    EXPECT_EQ(history.undoLabel(), "");
    for (std::size_t i = 0; i < std::size(edits); ++i) {
        SCOPED_TRACE(edits[i].label);
        ASSERT_TRUE(history.redo(d));
        EXPECT_TRUE(d.model == after[i] && d.selection == selectedAfter[i] && testing::consistent(d));
    }
    EXPECT_FALSE(history.redo(d) || history.canRedo());
}

// The modified mark follows records, saves, undo and redo; a new record after an undo
// drops the redo steps, and with them a saved state that lay among them.
TEST(History, RecordsOnlyChangesAndTracksTheSavedState) {
    Document d = richDocument();
    const Model original = d.model;
    History history;
    history.reset(d);
    moveVertex(d, 0, 1);
    EXPECT_TRUE(history.record(d, "Move", d.selection) && history.modified());
    history.markSaved();
    const Model saved = d.model;
    d.selection.geosets[0].vertices[1] = 1;
    EXPECT_FALSE(history.record(d, "Select", d.selection));  // the selection alone is no change
    EXPECT_FALSE(history.modified());
    EXPECT_TRUE(history.undo(d) && history.modified() && d.model == original);
    EXPECT_TRUE(history.redo(d) && !history.modified() && d.model == saved);
    history.undo(d);
    moveVertex(d, 1, 1);
    EXPECT_TRUE(history.record(d, "Scale", d.selection) && history.modified());
    EXPECT_FALSE(history.canRedo() || history.redo(d));
    EXPECT_TRUE(history.undo(d) && d.model == original && history.modified());
    history.reset(d);
    EXPECT_FALSE(history.modified() || history.canUndo());
    history.markUnsaved();
    EXPECT_TRUE(history.modified());
}

// Over budget the oldest steps go, then (when the budget shrinks later) the newest redo
// steps; every step kept still restores its exact state. A step keeps only the geosets it
// changed.
TEST(History, BudgetDropsOldestStepsOnly) {
    Document d = richDocument();
    History probe;
    probe.reset(d);
    moveVertex(d, 0, 1);
    probe.record(d, "Move", d.selection);
    const std::size_t step = probe.memoryUsed();
    moveVertex(d, 1, 1);
    moveVertex(d, 0, 1);
    probe.record(d, "Move", d.selection);
    EXPECT_GT(probe.memoryUsed() - step, step);  // two geosets, not one

    History history(3 * step);
    history.reset(d);
    std::vector<Model> states{d.model};
    for (int i = 0; i < 5; ++i) {
        moveVertex(d, 0, 1);
        history.record(d, "Move", d.selection);
        states.push_back(d.model);
    }
    EXPECT_EQ(history.memoryUsed(), 3 * step);
    for (std::size_t i = 4; i >= 2; --i) EXPECT_TRUE(history.undo(d) && d.model == states[i]);
    EXPECT_TRUE(!history.undo(d) && history.modified());  // the saved state was dropped
    history.setBudget(step);
    EXPECT_TRUE(history.redo(d) && d.model == states[3]);
    EXPECT_FALSE(history.redo(d));
    EXPECT_TRUE(history.undo(d) && d.model == states[2]);
}

}  // namespace
}  // namespace tess
