#include "editor/commands.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "common/fake_host.h"
#include "common/sample_models.h"
#include "common/temp_dir.h"
#include "editor/file_commands.h"
#include "editor/mesh_documents.h"

namespace tess {
namespace {

using testing::readBytes;

// Counts what the editor asks of the view; a hit writes `writes`.
struct FakeViewport : Viewport {
    bool pickHandle(std::int32_t, std::int32_t, DragState& code) override {
        if (hits && writes) code = *writes;
        return hits;
    }
    void projectionChanged() override { ++projections; }
    void reloadTextures() override { ++textureReloads; }
    bool hits = false;
    std::optional<DragState> writes;
    int projections = 0, textureReloads = 0;
};

// A quad drawn at (10, 10), (40, 40), (10, 40), (40, 10), a broken geoset, keys at 0 and 200.
struct Bench {
    Bench() {
        Model& model = document.model;
        buildDefaultDocument(model);
        model.Geosets = {testing::lineGeoset(4, {0, 1, 2, 2, 1, 3}), testing::lineGeoset(3, {0, 1, 9, 2, 2})};
        model.Geosets[1].matrixGroups = {{99}};  // corners past the vertices, groups past the matrix
        model.Bones[0].node.Rotation.keys = {{0, {0, 0, 0, 1}, {}, {}}, {200, {0, 0, 1, 0}, {}, {}}};
        prepareDocument(document, state, host);
        document.selection.geosets = {{{1, 1, 1, 1}, {0, 0, 0, 0}, {1, 1}}, {{1, 1, 1}, {1, 1, 1}, {0}}};
        document.screenPositions[0] = {{10, 10, 0.5}, {40, 40, 0.5}, {10, 40, 0.5}, {40, 10, 0.5}};
    }
    Document document;
    AppState state;
    testing::FakeHost host;
    FakeViewport viewport;
    Editor editor{document, state, host, viewport};
};

constexpr int kCtrl = 0x1000;  // with Control held

// Runs a key (below 256, kCtrl added for Control) or a command; names what it changed.
std::string changesBy(Bench& b, int input) {
    const Bench was = b;
    b.state.keysDown[kKeyControl] = input >= kCtrl;
    input < 40000 ? handleKeyDown(b.editor, input % kCtrl) : void(handleCommand(b.editor, input));
    const std::pair<bool, const char*> aspects[] = {
        {was.state.view.currentTool != b.state.view.currentTool, "tool"},
        {was.state.view.editMode != b.state.view.editMode, "mode"},
        {was.state.view.showOverlay != b.state.view.showOverlay, "overlay"},
        {was.host.modeMenus != b.host.modeMenus,
         b.host.modeMenus.empty() ? "" : editModeName(b.host.modeMenus.back()).data()},
        {was.host.questions != b.host.questions, "ask"},
        {was.document.model.Geosets[0].positions != b.document.model.Geosets[0].positions, "verts"},
        {was.document.model.Geosets[0].corners != b.document.model.Geosets[0].corners, "tris"},
        {was.document.model.Bones != b.document.model.Bones, "keys"},
        {was.state.keyClipboard.rotation != b.state.keyClipboard.rotation, "clip"},
        {was.state.currentTime != b.state.currentTime, "time"},
        {was.state.view.cameraTarget != b.state.view.cameraTarget, "camera"}};
    std::string changed;
    for (const auto& [differs, name] : aspects)
        if (differs) changed += (changed.empty() ? "" : " ") + std::string(name);
    return changed;
}

TEST(Commands, KeysAndMenuCommandsActOnlyInTheirModes) {
    using namespace command;
    constexpr int kCtrlL = kCtrl + 'L', kDel = 0x2E, kF1 = 0x70, kF2 = 0x71, kF3 = 0x72, kF4 = 0x73;
    // Key or command, then what it changes in Animation, Vertex, Triangle mode and mode None.
    const std::pair<int, std::array<std::string, 4>> rows[] = {
        {'2', {"tool", "tool", "tool", "tool"}},
        {kCtrlL, {"ask", "ask", "ask", "ask"}},
        {'O', {"overlay", "overlay", "overlay", "overlay"}},
        {kF1, {"mode Vertex", "Vertex", "mode Vertex", "mode Vertex"}},
        {kF2, {"mode Triangle", "mode Triangle", "Triangle", "mode Triangle"}},
        {kF3, {"Animation", "mode Animation", "mode Animation", "mode Animation"}},
        {kF4, {"mode", "mode", "mode", ""}},
        {kDel, {"keys", "verts tris", "tris", ""}},
        {'C', {"clip", "", "", ""}},
        {'N', {"time", "", "", ""}},
        {'D', {"", "verts tris", "", ""}},
        {'W', {"", "verts tris", "verts tris", ""}},
        {'F', {"camera", "camera", "camera", "camera"}},
        {0x24, {"camera", "camera", "camera", "camera"}},  // Home
        {kFlip, {"tris", "tris", "tris", "tris"}}};
    for (const auto& [input, changes] : rows)
        for (int mode = 0; mode < 4; ++mode) {
            Bench b;
            std::tie(b.state.view.editMode, b.state.currentTime, b.state.view.showOverlay) =
                std::tuple(EditMode(mode), input == 'N' ? 170 : 200, mode % 2 == 1);
            b.state.keyClipboard = {true, {0, 1, 0, 0}, {1, 2, 3}};
            EXPECT_EQ(changesBy(b, input), changes[mode]) << mode << " " << input;
        }
}

void drag(Bench& b, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    onMouseMove(b.editor, x0, y0);
    onLeftButtonDown(b.editor, x0, y0);
    onMouseMove(b.editor, x1, y1);
    onButtonUp(b.editor, x1, y1);
}

TEST(Commands, ModesPresetsAndResize) {
    Bench b;
    b.document.selection.geosets[0] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 1}};
    b.document.pose.animatedPositions[0][3] = {9, 9, 9};
    handleKeyDown(b.editor, 0x71);  // F2: the faces' corners become the selection, the pose is reset
    EXPECT_EQ(std::tuple(b.document.selection.geosets[0].vertices, b.document.pose.animatedPositions[0][3]),
              std::tuple(std::vector<std::uint8_t>{0, 1, 1, 1}, Vec3{3, 1, 0}));
    handleKeyDown(b.editor, 0x72);  // F3: posed again
    EXPECT_EQ(std::tuple(handleCommand(b.editor, command::kExit), handleCommand(b.editor, command::kUvEditor),
                         handleCommand(b.editor, command::kSequences), handleCommand(b.editor, 40064)),
              std::tuple(true, true, true, false));
    EXPECT_EQ(std::tuple(b.host.animationBarRepaints, b.host.mainWindowCloses, b.host.uvEditorShows),
              std::tuple(2, 1, 1));
    // Presets in id order from pitch 10, yaw 20, roll 30.
    View& v = b.state.view;
    const std::array<float, 3> presets[] = {{10, 20, 30}, {0, 180, 0},  {0, 0, 0},   {0, 270, 0},
                                            {0, 90, 0},   {90, -90, 0}, {-90, 90, 0}};
    for (int i = 0; i < 7; ++i) {
        std::tie(v.cameraPitch, v.cameraYaw, v.cameraRoll) = std::tuple(10.f, 20.f, 30.f);
        handleCommand(b.editor, command::kPerspective + i);
        EXPECT_EQ((std::tuple(v.viewType, std::array{v.cameraPitch, v.cameraYaw, v.cameraRoll})),
                  std::tuple(ViewType(i), presets[i]));
    }
    handleResize(b.editor, 300, 0);
    EXPECT_EQ(std::tuple(v.windowWidth, v.windowHeight, b.viewport.projections), std::tuple(300, 1, 8));
}

TEST(FileCommands, OpenAndSave) {
    testing::TempDir dir;
    testing::writeText(dir.file("text.mdx"), "Version {\n}\n");
    for (const auto& [name, mdx] : {std::pair{"a.MDX", true}, {"a.mdx.bak", false}, {"a.txt", false}}) {
        Bench b;
        b.document.model = testing::makeRichModel();
        const Model saved = b.document.model;
        b.host.fileNames = {dir.file(name), dir.file(name)};
        handleCommand(b.editor, command::kSaveAs);
        EXPECT_EQ(readBytes(dir.file(name)).at(0) == 'M', mdx) << name;  // "MDLX" or MDL's "//" comment
        buildDefaultDocument(b.document.model);
        handleCommand(b.editor, command::kOpen);
        EXPECT_EQ(std::tuple(b.document.model == saved, b.state.currentFileName, b.viewport.textureReloads,
                             b.host.messages.size()),
                  std::tuple(true, dir.file(name), 1, 0u));
        // A missing file, a folder, a file without the MDX magic: "Error", nothing changes.
        for (const std::string bad : {"absent.mdl", "", "text.mdx"}) {
            EXPECT_FALSE(openModelFile(b.editor, dir.file(bad)));
            const testing::FakeHost::Message& error = b.host.messages.back();
            EXPECT_EQ(
                std::tuple(error.caption, error.text.find(dir.file(bad)) != std::string::npos,
                           b.document.model == saved, b.state.currentFileName, b.viewport.textureReloads),
                std::tuple("Error", true, true, dir.file(name), 1));
        }
    }
    // A read with errors: its findings listed, and Save asks before writing over it.
    const std::string path = dir.file("broken.mdl");
    Bench b;
    b.document.model.Geosets.clear();
    for (const std::size_t bones : {20u, 45u}) {  // each bone after the first lacks a pivot
        b.document.model.Bones.resize(bones + 1, defaultRootBone());
        for (std::size_t i = 0; i <= bones; ++i)
            b.document.model.Bones[i].node.ObjectId = static_cast<std::uint32_t>(i);
        ASSERT_TRUE(saveModelFile(b.editor, path));
        const std::vector<std::uint8_t> saved = readBytes(path);
        testing::writeText(path, std::string(saved.begin(), saved.end()) + "Junk\n");
        ASSERT_TRUE(openModelFile(b.editor, path) && b.state.readWithErrors);
        const testing::FakeHost::Message& warning = b.host.messages.back();
        EXPECT_EQ(std::tuple(warning.caption, warning.icon, warning.ownedByMainWindow,
                             std::count(warning.text.begin(), warning.text.end(), '\n')),
                  std::tuple("Warning", MessageIcon::Exclamation, true, bones == 20 ? 19 : 20));
        EXPECT_TRUE(warning.text.starts_with("Bone 2 \"Root\": ObjectId 1 has no pivot point") &&
                    warning.text.ends_with(bones == 20 ? "points)" : "and 25 more"));
    }
    const std::vector<std::uint8_t> text = readBytes(path);
    handleCommand(b.editor, command::kSave);  // No
    ASSERT_EQ(b.host.questions.size(), 1u);
    EXPECT_EQ(b.host.questions[0].text,
              "broken.mdl was read with errors; saving over it may lose what "
              "could not be read. Save anyway?");
    EXPECT_EQ(readBytes(path), text);
    // Failed saves: a missing folder, a geoset MDX cannot hold. Nothing changes.
    b.document.model.Geosets.emplace_back().resizeVertices(65537);
    b.host.fileNames = {dir.file("missing/a.mdl"), dir.file("big.mdx")};
    handleCommand(b.editor, command::kSaveAs);
    handleCommand(b.editor, command::kSaveAs);
    EXPECT_EQ(std::tuple(b.host.messages.end()[-2].caption, b.host.messages.back().caption,
                         b.state.currentFileName, b.state.readWithErrors, dir.entries().size()),
              std::tuple("Error", "Error", path, true, 5u));  // no new file
    b.document.model.Geosets.pop_back();
    b.host.yesNoReplies = {true};
    handleCommand(b.editor, command::kSave);  // Yes, then no more questions
    handleCommand(b.editor, command::kSave);
    EXPECT_EQ(std::tuple(b.host.questions.size(), b.state.readWithErrors), std::tuple(2u, false));
    EXPECT_NE(readBytes(path), text);
}

TEST(MouseInput, AReleaseWithin2PixelsClicksAndFartherDrawsARectangle) {
    // Mode (Vertex, Triangle), press, release, then the quad's vertex selection (bit v: vertex v).
    const int rows[][6] = {{1, 14, 10, 13, 10, 1},  {1, 15, 10, 13, 10, 0}, {1, 0, 0, 40, 10, 9},
                           {2, 36, 20, 35, 20, 14}, {2, 0, 0, 12, 12, 7},   {1, 40, 14, 40, 13, 8}};
    for (const auto& [mode, x0, y0, x1, y1, selected] : rows) {
        Bench b;
        b.state.view.editMode = EditMode(mode);
        drag(b, x0, y0, x1, y1);
        const std::vector<std::uint8_t>& flags = b.document.selection.geosets[0].vertices;
        EXPECT_EQ(flags[0] | flags[1] << 1 | flags[2] << 2 | flags[3] << 3, selected) << x0 << " " << x1;
    }
}

TEST(MouseInput, GizmoDragsEditTheSelectionAndOtherDragsOrbit) {
    Bench b;
    std::tie(b.state.gizmo, b.viewport.hits, b.viewport.writes) =
        std::tuple(GizmoVectors{{60, 0}, {}, {0, -60}, {}}, true, DragState::MoveX);
    drag(b, 100, 100, 130, 100);  // half the axis: 7.5 units along X
    EXPECT_EQ(b.document.pose.animatedPositions[0][3], (Vec3{10.5f, 1, 0}));  // and shown at rest
    // The extrude tool's arrow extrudes the triangle at once: three corners copied.
    b.document.selection.geosets[0].triangles = {1, 0};
    std::tie(b.state.view.editMode, b.viewport.writes) = std::tuple(EditMode::Triangle, DragState::Extrude);
    drag(b, 0, 0, 0, 0);
    EXPECT_EQ(b.document.model.Geosets[0].vertexCount(), 7u);
    // Orbits: in perspective, Shift-drags in Vertex mode and empty drags in Animation mode.
    const std::tuple<int, int, bool, float> orbits[] = {
        {5, 1, true, 90}, {0, 1, true, 85}, {5, 0, false, 90}, {0, 0, false, 80}, {0, 2, false, 80}};
    for (const auto& [id, mode, shift, pitch] : orbits) {
        shift ? handleKeyDown(b.editor, kKeyShift) : handleKeyUp(b.editor, kKeyShift);
        std::tie(b.state.view.editMode, b.viewport.hits) = std::tuple(EditMode(mode), false);
        handleCommand(b.editor, command::kPerspective + id);
        drag(b, 0, 0, 0, -5);
        EXPECT_EQ(b.state.view.cameraPitch, pitch) << id << " " << mode;
    }
}

}  // namespace
}  // namespace tess
