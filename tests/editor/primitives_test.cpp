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

using Typed = std::map<std::string, std::string>;

// Answers the dialog with OK after typing `typed` (label -> text) into its fields and
// normalising every field, as the dialog does when it closes.
void answerOk(testing::FakeHost& host, const Typed& typed) {
    host.primitiveDialog = [typed](PrimitiveParameters& p) {
        for (std::size_t i = 0; i < p.count(); ++i) {
            const auto found = typed.find(p.labels[i]);
            const std::string text = found == typed.end() ? p.texts[i] : found->second;
            p.texts[i] = normalizedFieldText(p, i, text, !text.empty() && text[0] == 'Y');
        }
        return 1;
    };
}

struct Document {
    Document() {
        buildDefaultDocument(model);
        prepareDocument(model, state, host);
    }
    bool create(PrimitiveKind kind, const Typed& typed) {
        answerOk(host, typed);
        return createPrimitive(kind, model, state, host);
    }
    Model model;
    AppState state;
    testing::FakeHost host;
};

float dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
Vec3 minus(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
float radial(const Vec3& p, const Vec3& centre) {
    return std::hypot(p[0] - centre[0], p[1] - centre[1]);
}

Vec3 triangleCentroid(const Geoset& g, std::size_t t) {
    Vec3 c{};
    for (std::size_t k = 0; k < 3; ++k)
        for (int i = 0; i < 3; ++i) c[i] += g.Vertices[g.corners[3 * t + k]].position[i] / 3;
    return c;
}

struct ShapeCase {
    const char* name;
    PrimitiveKind kind;
    Typed typed;
    std::size_t vertices;
    std::size_t triangles;
    Vec3 centre;             // every face and vertex normal points away from it
    float innerRadius = -1;  // tubes: walls at this radius face the axis instead
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.name;
}

class PrimitiveShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(PrimitiveShapes, CountsOutwardFacesAndRestValues) {
    const ShapeCase& c = GetParam();
    Document doc;
    ASSERT_TRUE(doc.create(c.kind, c.typed));
    ASSERT_EQ(doc.model.Geosets.size(), 1u);
    const Geoset& g = doc.model.Geosets[0];
    ASSERT_EQ(g.Vertices.size(), c.vertices);
    ASSERT_EQ(g.triangleCount(), c.triangles);
    EXPECT_EQ(g.triangleSelected, std::vector<std::uint8_t>(c.triangles, 1));
    EXPECT_EQ(g.MaterialID, 0u);
    EXPECT_EQ(g.matrixGroups, (std::vector<std::vector<std::uint32_t>>{{0}}));
    EXPECT_EQ(validateModel(doc.model), std::vector<std::string>{});

    for (std::size_t t = 0; t < g.triangleCount(); ++t) {
        const Vec3 n = faceNormal(g, t);
        const Vec3 away = minus(triangleCentroid(g, t), c.centre);
        bool inner = c.innerRadius >= 0;
        for (std::size_t k = 0; k < 3; ++k)
            inner = inner && std::abs(radial(g.Vertices[g.corners[3 * t + k]].position, c.centre) -
                                      c.innerRadius) < 1e-3f;
        if (inner)
            EXPECT_LT(n[0] * away[0] + n[1] * away[1], 0) << "inner wall triangle " << t;
        else
            EXPECT_GT(dot(n, away), 0) << "triangle " << t;
    }
    for (std::size_t i = 0; i < g.Vertices.size(); ++i) {
        const Vertex& v = g.Vertices[i];
        EXPECT_NEAR(dot(v.normal, v.normal), 1, 1e-5f) << "vertex " << i;
        if (c.innerRadius < 0 || std::abs(radial(v.position, c.centre) - c.innerRadius) > 1e-3f) {
            EXPECT_GT(dot(v.normal, minus(v.position, c.centre)), 0) << "vertex " << i;
        }
        ASSERT_EQ(v.U.size(), 1u);
        ASSERT_EQ(v.V.size(), 1u);
        EXPECT_EQ(v.vertexGroup, 0u);
        EXPECT_EQ(v.animatedPosition, v.position);
        EXPECT_EQ(v.animatedNormal, v.normal);
        EXPECT_EQ(v.currentUV, (Vec2{v.U[0], v.V[0]}));
    }
}

const Typed kAt{{"X", "10"}, {"Y", "-20"}, {"Z", "5"}};
Typed at(Typed more) {
    more.insert(kAt.begin(), kAt.end());
    return more;
}

INSTANTIATE_TEST_SUITE_P(
    Primitives, PrimitiveShapes,
    ::testing::Values(
        ShapeCase{"PlaneDefault", PrimitiveKind::Plane, at({}), 4, 2, {10, -20, -100}},
        ShapeCase{"PlaneGrid",
                  PrimitiveKind::Plane,
                  at({{"Width Segments", "3"}, {"Length Segments", "2"}}),
                  12,
                  12,
                  {10, -20, -100}},
        ShapeCase{"BoxDefault", PrimitiveKind::Box, at({}), 8, 12, {10, -20, 5}},
        ShapeCase{"BoxSegmented",
                  PrimitiveKind::Box,
                  at({{"Width Segments", "2"}, {"Length Segments", "3"}, {"Height Segments", "4"}}),
                  54,
                  104,
                  {10, -20, 5}},
        ShapeCase{"GeosphereIcosahedron",
                  PrimitiveKind::Geosphere,
                  at({{"Subdivisions", "0"}}),
                  12,
                  20,
                  {10, -20, 5}},
        ShapeCase{"GeosphereDefault", PrimitiveKind::Geosphere, at({}), 42, 80, {10, -20, 5}},
        ShapeCase{"GeosphereFinest",
                  PrimitiveKind::Geosphere,
                  at({{"Subdivisions", "4"}}),
                  2562,
                  5120,
                  {10, -20, 5}},
        ShapeCase{"CylinderCapped", PrimitiveKind::Cylinder, at({}), 14, 24, {10, -20, 20}},
        ShapeCase{"CylinderUncapped", PrimitiveKind::Cylinder, at({{"Capped", "N"}}), 12, 12, {10, -20, 20}},
        ShapeCase{"CylinderSegmented",
                  PrimitiveKind::Cylinder,
                  at({{"Radial Segments", "8"}, {"Height Segments", "3"}, {"Height", "90"}}),
                  34,
                  64,
                  {10, -20, 50}},
        ShapeCase{"TubeDefault", PrimitiveKind::Tube, at({}), 24, 48, {10, -20, 20}, 30},
        ShapeCase{"TubeSegmented",
                  PrimitiveKind::Tube,
                  at({{"Radial Segments", "5"}, {"Height Segments", "2"}, {"Inner radius", "10"}}),
                  30,
                  60,
                  {10, -20, 20},
                  10},
        ShapeCase{"SphereDefault", PrimitiveKind::Sphere, at({}), 20, 36, {10, -20, 5}},
        ShapeCase{
            "SphereOnlyFans", PrimitiveKind::Sphere, at({{"Height Segments", "2"}}), 8, 12, {10, -20, 5}}),
    [](const ::testing::TestParamInfo<ShapeCase>& param) { return std::string(param.param.name); });

TEST(Primitives, PlaneCarriesGridCoordinatesAndSelectsItsVertices) {
    Document doc;
    ASSERT_TRUE(doc.create(PrimitiveKind::Plane, {}));
    const Geoset& g = doc.model.Geosets[0];
    const Vec2 expected[4] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ((Vec2{g.Vertices[i].U[0], g.Vertices[i].V[0]}), expected[i]) << "vertex " << i;
        EXPECT_TRUE(g.Vertices[i].selected);
    }
    EXPECT_EQ(g.Vertices[3].position, (Vec3{50, 50, 0}));
}

TEST(Primitives, RoundShapesHaveTheirVerticesOnTheSphere) {
    for (const PrimitiveKind kind : {PrimitiveKind::Geosphere, PrimitiveKind::Sphere}) {
        Document doc;
        ASSERT_TRUE(doc.create(kind, at({{"Radius", "12.5"}})));
        for (const Vertex& v : doc.model.Geosets[0].Vertices) {
            const Vec3 d = minus(v.position, {10, -20, 5});
            EXPECT_NEAR(std::sqrt(dot(d, d)), 12.5f, 1e-4f);
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(v.normal[k], d[k] / 12.5f, 1e-5f);
        }
    }
}

TEST(Primitives, BoundsAreTheVertexBoxAndTheRadiusFromItsCentre) {
    Document doc;
    ASSERT_TRUE(doc.create(PrimitiveKind::Box, at({{"Height", "40"}})));
    const Geoset& box = doc.model.Geosets[0];
    EXPECT_EQ(box.MinimumExtent, (Vec3{-40, -70, -15}));
    EXPECT_EQ(box.MaximumExtent, (Vec3{60, 30, 25}));
    EXPECT_FLOAT_EQ(box.BoundsRadius, std::sqrt(50.0f * 50 + 50 * 50 + 20 * 20));

    // The cylinder stands on z = 0: its radius is measured from z = 15, not from the origin.
    ASSERT_TRUE(doc.create(PrimitiveKind::Cylinder, {}));
    const Geoset& cylinder = doc.model.Geosets[1];
    EXPECT_EQ(cylinder.MinimumExtent[2], 0);
    EXPECT_EQ(cylinder.MaximumExtent[2], 30);
    EXPECT_NEAR(cylinder.BoundsRadius, std::sqrt(30.0f * 30 + 15 * 15), 1e-3f);
}

TEST(Primitives, DialogIsShownTheShapesFields) {
    Document doc;
    PrimitiveParameters shown;
    doc.host.primitiveDialog = [&shown](PrimitiveParameters& p) {
        shown = p;
        return 2;
    };
    EXPECT_FALSE(createPrimitive(PrimitiveKind::Cylinder, doc.model, doc.state, doc.host));
    EXPECT_EQ(shown.title, "Cylinder creation");
    EXPECT_EQ(shown.labels, (std::vector<std::string>{"X", "Y", "Z", "Height", "Radius", "Height Segments",
                                                      "Radial Segments", "Capped"}));
    EXPECT_EQ(shown.texts, (std::vector<std::string>{"0", "0", "0", "30", "30", "1", "6", "Y"}));
    EXPECT_EQ(shown.kinds, (std::vector<std::int32_t>{1, 1, 1, 1, 1, 0, 0, 3}));
    EXPECT_EQ(shown.minima, (std::vector<float>{-1e37f, -1e37f, -1e37f, 0, 0, 1, 3, -1e37f}));
    EXPECT_EQ(shown.maxima, (std::vector<float>{1e37f, 1e37f, 1e37f, 1e37f, 1e37f, 15, 32, 1e37f}));
}

TEST(Primitives, CancelOrAnEmptiedFieldListCreatesNothing) {
    Model model;  // no material, texture or bone: none may be added either
    AppState state;
    testing::FakeHost host;
    EXPECT_FALSE(createPrimitive(PrimitiveKind::Box, model, state, host));
    host.primitiveDialog = [](PrimitiveParameters& p) {
        p.clear();
        return 1;
    };
    EXPECT_FALSE(createPrimitive(PrimitiveKind::Box, model, state, host));
    EXPECT_EQ(host.primitiveDialogs, 2);
    EXPECT_EQ(model, Model{});
    EXPECT_EQ(state.selectedNode, -1);
}

TEST(Primitives, EmptyModelGetsTheStartDocumentsMaterialTextureAndBone) {
    Model model;
    AppState state;
    testing::FakeHost host;
    answerOk(host, {});
    ASSERT_TRUE(createPrimitive(PrimitiveKind::Sphere, model, state, host));
    Model start;
    buildDefaultDocument(start);
    EXPECT_EQ(model.Textures, start.Textures);
    EXPECT_EQ(model.Materials, start.Materials);
    EXPECT_EQ(model.Bones, start.Bones);
    EXPECT_EQ(model.PivotPoints, start.PivotPoints);
    EXPECT_EQ(model.nodeOrder.size(), 1u);
    EXPECT_EQ(state.allNodes, std::vector<std::uint32_t>{0});
    EXPECT_EQ(state.selectedNode, 0);
    EXPECT_EQ(validateModel(model), std::vector<std::string>{});

    // A texture of its own is kept and shown by the added material.
    Model textured;
    textured.Textures.push_back({0, "Textures\\stone.blp", 0});
    ASSERT_TRUE(createPrimitive(PrimitiveKind::Plane, textured, state, host));
    EXPECT_EQ(textured.Textures.size(), 1u);
    EXPECT_EQ(textured.Materials.size(), 1u);
    EXPECT_EQ(validateModel(textured), std::vector<std::string>{});
}

TEST(Primitives, MatrixGroupNamesTheBoneWithObjectIdZeroElseTheFirstBone) {
    Document doc;
    doc.model.Bones[0].node.ObjectId = 1;
    Bone zero;
    zero.node.ObjectId = 0;
    doc.model.Bones.push_back(zero);
    doc.model.PivotPoints.push_back({});
    ASSERT_TRUE(doc.create(PrimitiveKind::Box, {}));
    EXPECT_EQ(doc.model.Geosets[0].matrixGroups[0], std::vector<std::uint32_t>{1});

    doc.model.Bones[1].node.ObjectId = 2;
    doc.model.PivotPoints.push_back({});
    ASSERT_TRUE(doc.create(PrimitiveKind::Box, {}));
    EXPECT_EQ(doc.model.Geosets[1].matrixGroups[0], std::vector<std::uint32_t>{0});
    EXPECT_EQ(doc.model.Bones.size(), 2u);
    EXPECT_EQ(validateModel(doc.model), std::vector<std::string>{});
}

TEST(Primitives, UnnormalisedTextsAreClampedToTheFieldLimits) {
    Document doc;
    doc.host.primitiveDialog = [](PrimitiveParameters& p) {
        p.texts = {"1e400", "junk", "-1e400", "-5", "1e39", "-7", "900"};
        return 1;
    };
    ASSERT_TRUE(createPrimitive(PrimitiveKind::Plane, doc.model, doc.state, doc.host));
    const Geoset& g = doc.model.Geosets[0];
    EXPECT_EQ(g.Vertices.size(), 2u * 41);  // width segments -7 -> 1, length segments 900 -> 40
    EXPECT_EQ(g.Vertices[0].position[0], 1e37f);
    EXPECT_EQ(g.Vertices[0].position[2], -1e37f);
}

}  // namespace
}  // namespace tess
