#include "editor/primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "anim/normals.h"
#include "common/fake_host.h"
#include "mesh_documents.h"

namespace tess {
namespace {

using enum PrimitiveKind;
using Typed = std::map<std::string, std::string>;

struct Editor {
    Editor() { buildDefaultDocument(document.model); }
    // Answers OK after typing `typed` and the position (10, -20, 5).
    bool create(PrimitiveKind kind, Typed typed) {
        typed.insert({{"X", "10"}, {"Y", "-20"}, {"Z", "5"}});
        host.primitiveDialog = [typed](PrimitiveParameters& p) {
            for (std::size_t i = 0; i < p.count(); ++i)
                if (typed.count(p.labels[i])) p.texts[i] = typed.at(p.labels[i]);
            return 1;
        };
        return createPrimitive(kind, document, state, host);
    }
    const Geoset& last() const { return document.model.Geosets.back(); }
    Document document;
    AppState state;
    testing::FakeHost host;
};

float dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Counts, selection, and every face and unit normal pointing away from (10, -20, centreZ) (a
// tube's inner wall towards the axis).
TEST(Primitives, ShapesHaveTheirCountsOutwardFacesAndSelection) {
    const Typed box{{"Width Segments", "3"}, {"Length Segments", "4"}, {"Height Segments", "2"}};
    const Typed cylinder{{"Radial Segments", "8"}, {"Height Segments", "3"}, {"Height", "90"}};
    const Typed tube{{"Radial Segments", "5"}, {"Height Segments", "2"}, {"Inner radius", "10"}};
    const struct {
        PrimitiveKind kind;
        Typed typed;
        std::size_t vertices, triangles;
        float centreZ, innerRadius = -1;
    } cases[] = {{Plane, {{"Width Segments", "3"}, {"Length Segments", "2"}, {"Length", "60"}}, 12, 12, -100},
                 {Box, box, 54, 104, 5},
                 {Geosphere, {{"Subdivisions", "4"}, {"Radius", "20"}}, 2562, 5120, 5},
                 {Cylinder, {{"Capped", "N"}}, 12, 12, 20},
                 {Cylinder, cylinder, 34, 64, 50},
                 {Tube, tube, 30, 60, 20, 10},
                 {Sphere, {{"Height Segments", "2"}, {"Radius", "20"}}, 8, 12, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.kind) << ' ' << c.vertices);
        Editor editor;
        ASSERT_TRUE(editor.create(c.kind, c.typed));
        const Geoset& g = editor.last();
        const GeosetSelection& marks = editor.document.selection.geosets[0];
        ASSERT_TRUE(g.vertexCount() == c.vertices && g.triangleCount() == c.triangles);
        EXPECT_TRUE(testing::consistent(editor.document) && g.uvSets.size() == 1 &&
                    g.vertexGroups == std::vector<std::uint32_t>(c.vertices, 0) &&
                    marks.triangles == testing::Flags(c.triangles, 1) &&
                    marks.vertices == testing::Flags(c.vertices, c.kind == Plane));
        const auto away = [&c](const Vec3& p) { return Vec3{p[0] - 10, p[1] + 20, p[2] - c.centreZ}; };
        const auto side = [&c](const Vec3& p) {
            return std::hypot(p[0] - 10, p[1] + 20) < c.innerRadius + 1e-3f ? -1.0f : 1.0f;
        };
        for (std::size_t t = 0; t < g.triangleCount(); ++t) {
            Vec3 p{};  // the triangle's centroid
            for (std::size_t k = 0; k < 3; ++k)
                for (int i = 0; i < 3; ++i) p[i] += g.positions[g.corners[3 * t + k]][i] / 3;
            EXPECT_GT(side(p) * dot(faceNormal(g, t), away(p)), 0) << "triangle " << t;
        }
        for (std::size_t i = 0; i < g.vertexCount(); ++i) {
            const Vec3 &n = g.normals[i], d = away(g.positions[i]);
            EXPECT_TRUE(std::abs(dot(n, n) - 1) < 1e-5f && side(g.positions[i]) * dot(n, d) > 0) << i;
            const Vec2 uv = g.uvSets[0][i],
                       plane{(g.positions[i][0] + 40) / 100, (g.positions[i][1] + 50) / 60};
            // Radial on the spheres of radius 20; the plane's over its 100 by 60 rectangle from (-40, -50).
            EXPECT_TRUE((c.kind != Geosphere && c.kind != Sphere) ||
                        (std::abs(dot(d, d) - 400) < 1e-2f && std::abs(dot(n, d) - 20) < 1e-3f))
                << i;
            EXPECT_TRUE(c.kind != Plane ||
                        (std::abs(uv[0] - plane[0]) < 1e-6f && std::abs(uv[1] - plane[1]) < 1e-6f));
        }
    }
}

// Bounds are the vertex box and the radius from its centre; adding a geoset resets the pose of
// the others; texts outside the field limits are clamped.
TEST(Primitives, BoundsPoseAndClampedTexts) {
    Editor editor;
    ASSERT_TRUE(editor.create(Box, {{"Height", "40"}}));
    EXPECT_TRUE(editor.last().MinimumExtent == (Vec3{-40, -70, -15}) &&
                editor.last().MaximumExtent == (Vec3{60, 30, 25}));
    EXPECT_FLOAT_EQ(editor.last().BoundsRadius, std::sqrt(50.0f * 50 + 50 * 50 + 20 * 20));
    editor.document.pose.animatedPositions[0][0] = {1, 2, 3};
    ASSERT_TRUE(editor.create(Cylinder, {}));
    EXPECT_NEAR(editor.last().BoundsRadius, std::sqrt(30.0f * 30 + 15 * 15), 1e-3f);
    EXPECT_EQ(editor.document.pose.animatedPositions[0], editor.document.model.Geosets[0].positions);
    ASSERT_TRUE(editor.create(
        Plane, {{"X", "1e400"}, {"Z", "-1e400"}, {"Width Segments", "-7"}, {"Length Segments", "900"}}));
    EXPECT_EQ(editor.last().vertexCount(), 2u * 41);  // width segments -7 -> 1, length segments 900 -> 40
    EXPECT_TRUE(editor.last().positions[0][0] == 1e37f && editor.last().positions[0][2] == -1e37f);
}

// Cancel or an emptied field list creates nothing. An empty model gets the start document's
// material, texture and bone. The matrix group names the bone with ObjectId 0, else the first.
TEST(Primitives, DialogAndMissingParts) {
    Editor editor, start, bones;
    editor.document = {};
    PrimitiveParameters shown;
    editor.host.primitiveDialog = [&shown](PrimitiveParameters& p) { return shown = p, 2; };
    EXPECT_FALSE(createPrimitive(Cylinder, editor.document, editor.state, editor.host));
    EXPECT_EQ(shown.labels, (std::vector<std::string>{"X", "Y", "Z", "Height", "Radius", "Height Segments",
                                                      "Radial Segments", "Capped"}));
    EXPECT_EQ(shown.maxima, (std::vector<float>{1e37f, 1e37f, 1e37f, 1e37f, 1e37f, 15, 32, 1e37f}));
    editor.host.primitiveDialog = [](PrimitiveParameters& p) { return p.clear(), 1; };
    EXPECT_FALSE(createPrimitive(Box, editor.document, editor.state, editor.host));
    EXPECT_EQ(editor.document.model, Model{});

    const Model& m = editor.document.model;
    ASSERT_TRUE(editor.create(Sphere, {}));
    EXPECT_TRUE(m.Textures == start.document.model.Textures &&
                m.Materials == start.document.model.Materials && m.Bones == start.document.model.Bones &&
                m.PivotPoints == start.document.model.PivotPoints);
    EXPECT_TRUE(editor.document.pose.nodeOrder.size() == 1 &&
                editor.state.view.allNodes == std::vector<std::uint32_t>{0} &&
                editor.state.view.selectedNode == 0);
    editor.document = {};
    editor.document.model.Textures.push_back({0, "Textures\\stone.blp", 0});
    ASSERT_TRUE(editor.create(Plane, {}));
    EXPECT_TRUE(m.Textures.size() == 1 && m.Materials.size() == 1);

    bones.document.model.Bones[0].node.ObjectId = 1;
    bones.document.model.Bones.emplace_back().node.ObjectId = 0;
    ASSERT_TRUE(bones.create(Box, {}));
    bones.document.model.Bones[1].node.ObjectId = 2;
    ASSERT_TRUE(bones.create(Box, {}));
    const std::vector<Geoset>& made = bones.document.model.Geosets;
    EXPECT_TRUE(made[0].matrixGroups[0] == std::vector<std::uint32_t>{1} &&
                made[1].matrixGroups[0] == std::vector<std::uint32_t>{0} &&
                bones.document.model.Bones.size() == 2);
}

// Like the C conversions, without their locale: decimals take hexadecimal too, whole numbers not.
TEST(PrimitiveParameters, ReadsNumbersLikeTheCConversionsAndNormalisesFieldTexts) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max(), kMin = -kMax - 1;
    using Decimals = std::vector<std::pair<std::string, double>>;
    const Decimals decimals = {{"  -3.25abc", -3.25}, {"abc", 0},    {"+4", 4},  {".5e1", 5}, {"1e400", kInf},
                               {"-1e400", -kInf},     {"1e-400", 0}, {"nan", 0}, {"1e", 1},   {"--5", 0}};
    const Decimals hexadecimals = {{"0x1p3", 8},
                                   {" -0X.8", -0.5},
                                   {"0xg", 0},
                                   {"0x1" + std::string(399, '0') + "p-500", kInf}};  // 2^1096
    const std::pair<const char*, std::int32_t> wholes[] = {
        {" -7x", -7}, {"12.9", 12}, {"99999999999", kMax},
        {"+-3", 0},   {"0x10", 0},  {"-99999999999999999999", kMin}};
    PrimitiveParameters p;
    for (const Decimals& list : {decimals, hexadecimals})
        for (const auto& [text, value] : list) {
            p.texts = {text};
            EXPECT_EQ(p.readDecimal(0), value) << text;
        }
    for (const auto& [text, value] : wholes) {
        p.texts = {text};
        EXPECT_EQ(p.readWhole(0), value) << text;
    }
    p.texts = {"Y", "Yes", "N", "y"};
    EXPECT_TRUE(p.readCheckBox(0) && p.readCheckBox(1) && !p.readCheckBox(2) && !p.readCheckBox(3));
    EXPECT_FALSE(p.readCheckBox(4) || p.readDecimal(4) != 0);
    for (const auto& [value, whole] : {std::pair{-2.7, -2}, {1e300, kMax}, {-1e300, kMin}, {std::nan(""), 0}})
        EXPECT_EQ(truncateToInt(value), whole) << value;

    // Field texts: clamped to the limits and printed "%d" or "%.2f".
    p.clear();
    p.addField("Count", "1", PrimitiveParameters::Whole, 1, 40);
    p.addField("Width", "100", PrimitiveParameters::Decimal, 0, 1e37f);
    p.addField("Capped", "Y", PrimitiveParameters::CheckBox, -1e37f, 1e37f);
    const std::tuple<std::size_t, const char*, const char*> fields[] = {
        {0, "-5", "1"},         {0, "99999999999", "40"}, {0, "7.9", "7"}, {1, "-0.125", "0.00"},
        {1, "12.345", "12.35"}, {1, "0x1p4", "16.00"},    {2, "N", "Y"},   {3, "no field", "no field"}};
    for (const auto& [field, typed, shown] : fields)
        EXPECT_EQ(normalizedFieldText(p, field, typed, true), shown) << field << " " << typed;
    EXPECT_TRUE(normalizedFieldText(p, 1, "1e400", true) == "9999999933815812510711506376257961984.00" &&
                normalizedFieldText(p, 2, "Y", false) == "N");
}

}  // namespace
}  // namespace tess
