#pragma once

// An editing session that runs the editor over a model as a user would, without a window:
// prepare the document, pose and skin it at some time, project it with a fixed camera, pick
// at a few points, then run every mesh, key and UV operation once on a selection chosen
// afresh each time. After every step the document's arrays must match the model and the
// model must be no less valid than before the step; at the end, undoing every step must give
// back the model as prepared.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "common/fake_host.h"
#include "editor/commands.h"
#include "editor/extrude.h"
#include "editor/keyframes.h"
#include "editor/picking.h"
#include "editor/transform_tools.h"
#include "editor/undo_commands.h"
#include "editor/uv_operations.h"
#include "editor/uv_remap.h"
#include "fuzz_choices.h"
#include "mdx/mdx_writer.h"
#include "model/validate.h"

namespace tess::fuzz {

namespace detail {

class NoViewport : public Viewport {
public:
    bool pickHandle(std::int32_t, std::int32_t, DragState&) override { return false; }
    void projectionChanged() override {}
    void reloadTextures() override {}
};

using FindingCounts = std::map<int, std::size_t>;

FindingCounts findingCounts(const Model& model) {
    FindingCounts counts;
    for (const Diagnostic& finding : validateModel(model).entries) ++counts[finding.check];
    return counts;
}

// Every array beside the model has one entry per geoset and per vertex or triangle.
bool arraysInStep(const Document& d) {
    const std::size_t geosets = d.model.Geosets.size();
    if (d.selection.geosets.size() != geosets || d.selection.shown.size() != geosets ||
        d.pose.animatedPositions.size() != geosets || d.screenPositions.size() != geosets)
        return false;
    for (std::size_t g = 0; g < geosets; ++g) {
        const std::size_t n = d.model.Geosets[g].vertexCount();
        const GeosetSelection& marks = d.selection.geosets[g];
        if (marks.vertices.size() != n || marks.uvs.size() != n || d.pose.animatedPositions[g].size() != n ||
            d.screenPositions[g].size() != n || marks.triangles.size() != d.model.Geosets[g].triangleCount())
            return false;
    }
    return true;
}

// A fixed front view, 4 pixels per unit, origin at (320, 240); nearer (smaller y) is less deep.
void projectWithFixedCamera(Document& d) {
    for (std::size_t g = 0; g < d.pose.animatedPositions.size(); ++g) {
        d.screenPositions[g].clear();
        for (const Vec3& p : d.pose.animatedPositions[g])
            d.screenPositions[g].push_back({320 + 4 * p[0], 240 - 4 * p[2], 0.5f + p[1] * 1e-4f});
    }
}

void chooseSelection(Document& d, Choices& choose) {
    for (GeosetSelection& marks : d.selection.geosets) {
        for (std::uint8_t& flag : marks.vertices) flag = choose.oneIn(3);
        for (std::uint8_t& flag : marks.uvs) flag = choose.oneIn(3);
        for (std::uint8_t& flag : marks.triangles) flag = choose.oneIn(3);
    }
    for (std::uint8_t& flag : d.selection.shown) flag = !choose.oneIn(8);
}

}  // namespace detail

// One scripted editing session over a model; `fail` hears each step that broke the document
// (its name), and the session goes on.
class EditorSession {
public:
    // `seed` steers every choice of selection, time, node, pixel and amount.
    EditorSession(Model model, std::span<const std::uint8_t> seed,
                  std::function<void(const std::string&)> fail)
        : choose_(seed), editor_{document_, state_, host_, viewport_}, fail_(std::move(fail)) {
        document_.model = std::move(model);
    }

    // Runs `action`; reports it when the model has more findings of some check than before or
    // the document's arrays no longer match the model.
    void step(const std::string& name, const std::function<void()>& action) {
        action();
        const detail::FindingCounts now = detail::findingCounts(document_.model);
        for (const auto& [check, count] : now)
            if (count > counts_[check]) fail_(name + ": more findings of check " + std::to_string(check));
        if (!detail::arraysInStep(document_)) fail_(name + ": arrays out of step with the model");
        counts_ = now;
    }

    // A model edit as one undo step, run on a fresh selection.
    void edit(const char* label, const std::function<void()>& action) {
        step(label, [&] {
            detail::chooseSelection(document_, choose_);
            const Selection before = document_.selection;
            action();
            recordEdit(editor_, label, before);
        });
    }

    void command(int id) {
        step("command " + std::to_string(id), [&] {
            detail::chooseSelection(document_, choose_);
            handleCommand(editor_, id);
        });
    }

    // The whole session: prepare, pose, pick, every command and edit, then undo everything,
    // which must give back the prepared model.
    void everything() {
        counts_ = detail::findingCounts(document_.model);
        step("prepare", [&] { prepareDocument(document_, state_, host_); });
        std::vector<std::uint8_t> loaded;
        writeMdx(document_.model, loaded);
        const detail::FindingCounts prepared = counts_;
        step("pose", [&] {
            state_.view.selectedNode =
                choose_.between(-1, static_cast<std::int32_t>(document_.model.Bones.size()));
            enterMode(editor_, EditMode::Animation);
            setCurrentTime(document_, state_, host_, choose_.between(-100, 3000));
            detail::projectWithFixedCamera(document_);
        });
        pick();
        for (const int id : {command::kCreateTriangle, command::kDeleteVertices, command::kDivide,
                             command::kWeldVertices, command::kDeleteTriangles, command::kTurnEdge,
                             command::kWeldTriangles, command::kFlip, command::kCopyKeyframe,
                             command::kPasteKeyframe, command::kZeroKeyframe, command::kDeleteKeyframe})
            command(id);
        drags();
        uvEdits();
        edit("Make Linear", [&] {
            host_.yesNoReplies = {true};
            makeLinear(document_, state_, host_);
        });
        step("jump to key", [&] { jumpToNearestKey(document_, state_, host_); });
        counts_ = prepared;  // undoing may bring back what the edits mended, never more
        step("undo", [&] {
            while (document_.history.canUndo()) undoEdit(editor_);
        });
        std::vector<std::uint8_t> undone;
        writeMdx(document_.model, undone);
        if (undone != loaded) fail_("undoing every step did not give back the model");
    }

    const Document& document() const { return document_; }

private:
    std::int32_t anyPixel() { return choose_.between(-50, 700); }

    void pick() {
        for (const EditMode mode : {EditMode::Vertex, EditMode::Triangle}) {
            step("pick", [&] {
                state_.view.editMode = mode;
                state_.keysDown[kKeyControl] = choose_.oneIn(2);
                host_.altDown = choose_.oneIn(3);
                if (mode == EditMode::Vertex) {
                    pickVertex(document_, state_, host_, anyPixel(), anyPixel());
                    pickVerticesInRectangle(document_, state_, host_, anyPixel(), anyPixel(), anyPixel(),
                                            anyPixel());
                } else {
                    pickTriangle(document_, state_, host_, anyPixel(), anyPixel());
                    pickTrianglesInRectangle(document_, state_, host_, anyPixel(), anyPixel(), anyPixel(),
                                             anyPixel());
                }
            });
        }
        state_.keysDown[kKeyControl] = false;
        host_.altDown = false;
    }

    void drags() {
        state_.gizmo.axisScreenX = {15, 0};
        state_.gizmo.axisScreenY = {0, -15};
        state_.gizmo.axisScreenZ = {10, 10};
        state_.gizmo.extrudeNormal = {0, 0, 1};
        const std::int32_t dx = choose_.between(-40, 40), dy = choose_.between(-40, 40);
        edit("Move", [&] { moveSelection(document_, state_, DragState::MoveX, dx, dy); });
        edit("Rotate", [&] { rotateSelection(document_, state_, DragState::RotateY, dx, dy); });
        edit("Scale", [&] { scaleSelection(document_, state_, DragState::ScaleZ, dx, dy); });
        edit("Extrude", [&] {
            extrudeSelection(document_);
            extrudeMove(document_, state_, dx, dy);
        });
        edit("Rotate", [&] { rotateNodeKey(document_, state_, host_, DragState::RotateZ, dx, dy); });
        edit("Move", [&] { moveNodeKey(document_, state_, host_, DragState::MoveY, dx, dy); });
    }

    void uvEdits() {
        const float amount = static_cast<float>(choose_.between(-100, 100)) / 50;
        edit("Move", [&] { uvMoveSelection(document_, host_, amount, -amount); });
        edit("Rotate", [&] { uvRotateSelection(document_, host_, amount); });
        edit("Scale", [&] { uvScaleSelection(document_, host_, amount, 1 / (amount + 3)); });
        edit("Mirror", [&] { uvMirrorX(document_, host_); });
        edit("Mirror", [&] { uvMirrorY(document_, host_); });
        edit("Expand", [&] { uvExpandSelection(document_, host_); });
        edit("Remap", [&] {
            detail::projectWithFixedCamera(document_);
            remapSelection(document_, state_, host_);
        });
        step("rubber band", [&] {
            UvEditorState uv;
            uv.clientWidth = 256;
            uv.clientHeight = 256;
            uv.dragStartX = anyPixel();
            uv.dragStartY = anyPixel();
            uv.lastMouseX = anyPixel();
            uv.lastMouseY = anyPixel();
            uvApplyRubberBand(document_, uv, host_);
            uvNextTexture(document_.model, uv, host_);
        });
    }

    Choices choose_;
    Document document_;
    AppState state_;
    testing::FakeHost host_;
    detail::NoViewport viewport_;
    Editor editor_;
    std::function<void(const std::string&)> fail_;
    detail::FindingCounts counts_;
};

}  // namespace tess::fuzz
