#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "editor/mesh_documents.h"
#include "support/editor_session.h"

namespace tess {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// The start document, a second keyed bone "Arm" under "Root", a quad and a triangle.
Model soundModel() {
    Model m;
    buildDefaultDocument(m);
    Bone arm = defaultRootBone();
    arm.node.Name = "Arm";
    arm.node.ObjectId = 1;
    arm.node.Parent = 0;
    arm.node.Rotation.keys = {{0, {0, 0, 0, 1}, {}, {}}, {500, {0, 0, 1, 0}, {}, {}}};
    arm.node.Translation.keys = {{0, {0, 0, 0}, {}, {}}, {500, {0, 0, 10}, {}, {}}};
    m.Bones.push_back(arm);
    m.PivotPoints.push_back({1, 2, 3});
    m.Geosets = {testing::lineGeoset(4, {0, 1, 2, 2, 1, 3}), testing::lineGeoset(3, {0, 1, 2})};
    m.Geosets[1].matrixGroups = {{0, 1}, {1}, {1}};
    return m;
}

struct Hostile {
    const char* name;
    std::function<void(Model&)> spoil;
};

const Hostile kHostile[] = {
    {"corners beyond the vertices", [](Model& m) { m.Geosets[0].corners = {0, 1, 9, 2, 1, 3, 7, 7, 7, 1}; }},
    {"vertex groups beyond the matrix groups",
     [](Model& m) {
         m.Geosets[0].vertexGroups = {0, 5, 99, ~0u};
     }},
    {"matrix entries beyond the bones",
     [](Model& m) {
         m.Geosets[0].matrixGroups = {{0, 7}, {99}, {}, {~0u}};
     }},
    {"material and texture ids naming nothing",
     [](Model& m) {
         m.Geosets[0].MaterialID = 9;
         m.Materials[0].Layers[0].TextureID.staticValue = 5;
         m.Materials[0].Layers[0].TextureID.keys = {{0, 0xFFFFFFFDu, {}, {}}, {10, 1000, {}, {}}};
         m.Materials.push_back({});  // no layers
         m.Geosets[1].MaterialID = 1;
     }},
    {"parents in a cycle",
     [](Model& m) {
         m.Bones[0].node.Parent = 1;
         m.Helpers.push_back({});
         m.Helpers[0].node.ObjectId = 2;
         m.Helpers[0].node.Parent = 2;
         m.PivotPoints.push_back({});
     }},
    {"NaN and infinite coordinates",
     [](Model& m) {
         m.Geosets[0].positions[1] = {kNaN, kInf, -kInf};
         m.Geosets[0].normals[2] = {kNaN, kNaN, kNaN};
         m.Geosets[0].uvSets[0][3] = {kInf, kNaN};
         m.Geosets[1].positions = {{kInf, kInf, kInf}, {-kInf, 0, 0}, {kNaN, 0, 0}};
         m.PivotPoints[1] = {kNaN, 0, kInf};
         m.Bones[1].node.Rotation.keys[1].value = {kNaN, 0, 0, kInf};
         m.Bones[1].node.Translation.keys[0].value = {kInf, 0, 0};
     }},
    {"empty geosets",
     [](Model& m) {
         m.Geosets.insert(m.Geosets.begin(), Geoset{});
         m.Geosets.push_back(testing::lineGeoset(3, {}));
         m.Geosets[1].uvSets.clear();
     }},
};

// Every command, on selections drawn from several seeds, must leave a document no less valid,
// in step with its model, and undo must give back the model.
TEST(HostileModels, EveryOperationLeavesTheDocumentNoWorseAndUndoable) {
    for (const Hostile& hostile : kHostile) {
        Model model = soundModel();
        hostile.spoil(model);
        for (std::uint8_t seed = 0; seed < 12; ++seed) {
            const std::uint8_t seedBytes[] = {seed};
            fuzz::EditorSession session(model, seedBytes, [&](const std::string& fault) {
                ADD_FAILURE() << hostile.name << " (seed " << int(seed) << "): " << fault;
            });
            session.everything();
        }
    }
}

}  // namespace
}  // namespace tess
