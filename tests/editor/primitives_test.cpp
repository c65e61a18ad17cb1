#include "editor/primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "anim/normals.h"
#include "common/fake_host.h"
#include "editor/document.h"
#include "model/validate.h"

namespace tess {
namespace {

using enum PrimitiveKind;
using Typed = std::map<std::string, std::string>;
const Typed kAt{{"X", "10"}, {"Y", "-20"}, {"Z", "5"}};

struct Document {
    Document() { buildDefaultDocument(model); }
    // Answers the dialog with OK after typing `typed` (label -> text) and the position kAt into its fields.
    bool create(PrimitiveKind kind, Typed typed) {
        typed.insert(kAt.begin(), kAt.end());
        host.primitiveDialog = [typed](PrimitiveParameters& p) {
            for (std::size_t i = 0; i < p.count(); ++i)
                if (typed.count(p.labels[i])) p.texts[i] = typed.at(p.labels[i]);
            return 1;
        };
        return createPrimitive(kind, model, state, host);
    }
    Model model;
    AppState state;
    testing::FakeHost host;
};

const auto dot = [](const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
const auto minus = [](const Vec3& a, const Vec3& b) { return Vec3{a[0] - b[0], a[1] - b[1], a[2] - b[2]}; };

struct ShapeCase {
    const char* name;
    PrimitiveKind kind;
    Typed typed;
    std::size_t vertices, triangles;
    float centreZ;           // every face and vertex normal points away from (10, -20, centreZ)
    float innerRadius = -1;  // tubes: the wall at this radius faces the axis instead
};

class PrimitiveShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(PrimitiveShapes, CountsOutwardFacesAndRestValues) {
    const ShapeCase& c = GetParam();
    Document doc;
    ASSERT_TRUE(doc.create(c.kind, c.typed));
    const Geoset& g = doc.model.Geosets[0];
    ASSERT_EQ(g.Vertices.size(), c.vertices);
    ASSERT_EQ(g.triangleCount(), c.triangles);
    EXPECT_EQ(g.triangleSelected, std::vector<std::uint8_t>(c.triangles, 1));

    const Vec3 centre{10, -20, c.centreZ};
    const auto facesAxis = [&](const Vec3& p) {
        return std::hypot(p[0] - centre[0], p[1] - centre[1]) < c.innerRadius + 1e-3f;
    };
    for (std::size_t t = 0; t < g.triangleCount(); ++t) {
        Vec3 p{};  // the triangle's centroid
        for (std::size_t k = 0; k < 3; ++k)
            for (int i = 0; i < 3; ++i) p[i] += g.Vertices[g.corners[3 * t + k]].position[i] / 3;
        const Vec3 n = faceNormal(g, t), away = minus(p, centre);
        EXPECT_GT(facesAxis(p) ? -dot(n, away) : dot(n, away), 0) << "triangle " << t;
    }
    for (std::size_t i = 0; i < g.Vertices.size(); ++i) {
        const Vertex& v = g.Vertices[i];
        const Vec3 d = minus(v.position, centre);
        EXPECT_NEAR(dot(v.normal, v.normal), 1, 1e-5f) << "vertex " << i;
        EXPECT_TRUE(facesAxis(v.position) || dot(v.normal, d) > 0) << "vertex " << i;
        if (c.kind == Geosphere ||
            c.kind == Sphere) {  // radial normals, on the sphere of the typed radius 20
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(v.normal[k], d[k] / 20, 1e-5f) << "vertex " << i;
        }
        if (c.kind == Plane) {  // U runs along x and V along y over the 100 by 60 rectangle
            EXPECT_NEAR(v.U[0], (v.position[0] + 40) / 100, 1e-6f) << "vertex " << i;
            EXPECT_NEAR(v.V[0], (v.position[1] + 50) / 60, 1e-6f) << "vertex " << i;
        }
        EXPECT_EQ(v.selected, c.kind == Plane) << "vertex " << i;
        EXPECT_TRUE(v.U.size() == 1 && v.V.size() == 1 && v.vertexGroup == 0 &&
                    v.animatedPosition == v.position && v.animatedNormal == v.normal &&
                    v.currentUV == (Vec2{v.U[0], v.V[0]}))
            << "vertex " << i;
    }
}

const Typed kBoxSegments{{"Width Segments", "2"}, {"Length Segments", "3"}, {"Height Segments", "4"}};
const Typed kCylinderSegments{{"Radial Segments", "8"}, {"Height Segments", "3"}, {"Height", "90"}};
const Typed kTubeSegments{{"Radial Segments", "5"}, {"Height Segments", "2"}, {"Inner radius", "10"}};
const ShapeCase kShapes[] = {
    {"PlaneGrid", Plane, {{"Width Segments", "3"}, {"Length Segments", "2"}, {"Length", "60"}}, 12, 12, -100},
    {"BoxDefault", Box, {}, 8, 12, 5},
    {"BoxSegmented", Box, kBoxSegments, 54, 104, 5},
    {"GeosphereIcosahedron", Geosphere, {{"Subdivisions", "0"}, {"Radius", "20"}}, 12, 20, 5},
    {"GeosphereFinest", Geosphere, {{"Subdivisions", "4"}, {"Radius", "20"}}, 2562, 5120, 5},
    {"CylinderUncapped", Cylinder, {{"Capped", "N"}}, 12, 12, 20},
    {"CylinderSegmented", Cylinder, kCylinderSegments, 34, 64, 50},
    {"TubeDefault", Tube, {}, 24, 48, 20, 30},
    {"TubeSegmented", Tube, kTubeSegments, 30, 60, 20, 10},
    {"SphereDefault", Sphere, {{"Radius", "20"}}, 20, 36, 5},
    {"SphereOnlyFans", Sphere, {{"Height Segments", "2"}, {"Radius", "20"}}, 8, 12, 5}};
INSTANTIATE_TEST_SUITE_P(Primitives, PrimitiveShapes, ::testing::ValuesIn(kShapes),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Primitives, BoundsAreTheVertexBoxAndTheRadiusFromItsCentre) {
    Document doc;
    ASSERT_TRUE(doc.create(Box, {{"Height", "40"}}));
    const Geoset& box = doc.model.Geosets[0];
    EXPECT_EQ(box.MinimumExtent, (Vec3{-40, -70, -15}));
    EXPECT_EQ(box.MaximumExtent, (Vec3{60, 30, 25}));
    EXPECT_FLOAT_EQ(box.BoundsRadius, std::sqrt(50.0f * 50 + 50 * 50 + 20 * 20));

    // The cylinder stands on z = 5: its radius is measured from z = 20, not from its base.
    ASSERT_TRUE(doc.create(Cylinder, {}));
    const Geoset& cylinder = doc.model.Geosets[1];
    EXPECT_NEAR(cylinder.BoundsRadius, std::sqrt(30.0f * 30 + 15 * 15), 1e-3f);
}

TEST(Primitives, DialogShowsTheShapesFieldsAndCancelOrAnEmptiedFieldListCreatesNothing) {
    Model model;  // no material, texture or bone: none may be added either
    AppState state;
    testing::FakeHost host;
    PrimitiveParameters shown;
    host.primitiveDialog = [&shown](PrimitiveParameters& p) {
        shown = p;
        return 2;
    };
    EXPECT_FALSE(createPrimitive(Cylinder, model, state, host));
    EXPECT_EQ(shown.title, "Cylinder creation");
    EXPECT_EQ(shown.labels, (std::vector<std::string>{"X", "Y", "Z", "Height", "Radius", "Height Segments",
                                                      "Radial Segments", "Capped"}));
    EXPECT_EQ(shown.texts, (std::vector<std::string>{"0", "0", "0", "30", "30", "1", "6", "Y"}));
    EXPECT_EQ(shown.kinds, (std::vector<std::int32_t>{1, 1, 1, 1, 1, 0, 0, 3}));
    EXPECT_EQ(shown.minima, (std::vector<float>{-1e37f, -1e37f, -1e37f, 0, 0, 1, 3, -1e37f}));
    EXPECT_EQ(shown.maxima, (std::vector<float>{1e37f, 1e37f, 1e37f, 1e37f, 1e37f, 15, 32, 1e37f}));

    host.primitiveDialog = [](PrimitiveParameters& p) {
        p.clear();
        return 1;
    };
    EXPECT_FALSE(createPrimitive(Box, model, state, host));
    EXPECT_EQ(model, Model{});
}

TEST(Primitives, EmptyModelGetsTheStartDocumentsMaterialTextureAndBone) {
    Document doc, start;
    doc.model = Model{};
    ASSERT_TRUE(doc.create(Sphere, {}));
    const Model& m = doc.model;
    EXPECT_TRUE(m.Textures == start.model.Textures && m.Materials == start.model.Materials &&
                m.Bones == start.model.Bones && m.PivotPoints == start.model.PivotPoints);
    EXPECT_EQ(m.nodeOrder.size(), 1u);
    EXPECT_EQ(doc.state.allNodes, std::vector<std::uint32_t>{0});
    EXPECT_EQ(doc.state.selectedNode, 0);
    EXPECT_EQ(validateModel(m), std::vector<std::string>{});

    // A texture of its own is kept, with no white texture added beside it.
    doc.model = Model{};
    doc.model.Textures.push_back({0, "Textures\\stone.blp", 0});
    ASSERT_TRUE(doc.create(Plane, {}));
    EXPECT_EQ(m.Textures.size(), 1u);
    EXPECT_EQ(m.Materials.size(), 1u);
}

TEST(Primitives, MatrixGroupNamesTheBoneWithObjectIdZeroElseTheFirstBone) {
    Document doc;
    doc.model.Bones[0].node.ObjectId = 1;
    doc.model.Bones.emplace_back().node.ObjectId = 0;
    doc.model.PivotPoints.resize(3);
    ASSERT_TRUE(doc.create(Box, {}));
    EXPECT_EQ(doc.model.Geosets[0].matrixGroups[0], std::vector<std::uint32_t>{1});

    doc.model.Bones[1].node.ObjectId = 2;
    ASSERT_TRUE(doc.create(Box, {}));
    EXPECT_EQ(doc.model.Geosets[1].matrixGroups[0], std::vector<std::uint32_t>{0});
    EXPECT_EQ(doc.model.Bones.size(), 2u);
}

TEST(Primitives, UnnormalisedTextsAreClampedToTheFieldLimits) {
    Document doc;
    const Typed junk{{"X", "1e400"}, {"Z", "-1e400"}, {"Width Segments", "-7"}, {"Length Segments", "900"}};
    ASSERT_TRUE(doc.create(Plane, junk));
    const Geoset& g = doc.model.Geosets[0];
    EXPECT_EQ(g.Vertices.size(), 2u * 41);  // width segments -7 -> 1, length segments 900 -> 40
    EXPECT_EQ(g.Vertices[0].position[0], 1e37f);
    EXPECT_EQ(g.Vertices[0].position[2], -1e37f);
}

}  // namespace
}  // namespace tess
