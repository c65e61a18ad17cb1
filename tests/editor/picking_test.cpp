#include "editor/picking.h"

#include <gtest/gtest.h>

#include <limits>
#include <span>
#include <string>
#include <type_traits>

#include "common/fake_host.h"
#include "editor/screen_geometry.h"

namespace tess {
namespace {

using Flags = std::vector<std::uint8_t>;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(ScreenGeometry, CrossingsAndContainmentFollowTheirRules) {
    const struct {
        Vec2 a0, a1, b0, b1;
        bool cross;  // the last four pin which ends of the x ranges and of a vertical segment count
    } segments[] = {
        {{0, 0}, {10, 10}, {0, 10}, {10, 0}, true},  {{5, -5}, {5, 5}, {0, 0}, {10, 2}, true},
        {{5, 3}, {5, 9}, {0, 0}, {10, 2}, false},    {{0, 0}, {10, 2}, {5, -5}, {5, 5}, true},
        {{0, 0}, {4, 2}, {5, -5}, {5, 5}, false},    {{0, 0}, {10, 2}, {10, -5}, {10, 5}, true},
        {{10, 2}, {0, 0}, {10, -5}, {10, 5}, false}, {{5, 0}, {5, 10}, {0, 0}, {10, 0}, true},
        {{5, 5}, {2, 20}, {0, 10}, {10, 0}, false},
    };
    for (const auto& c : segments)
        EXPECT_EQ(segmentsCross(c.a0, c.a1, c.b0, c.b1), c.cross) << "segments " << &c - segments;

    // Borders: x = 10, y = 10 and y = 20 are in, x = 20 is out.
    for (const Vec2& q : {Vec2{15, 15}, Vec2{10, 10}, Vec2{15, 20}, Vec2{20, 15}, Vec2{5, 15}})
        EXPECT_EQ(pointInRectangle({10, 10}, {20, 20}, q), q[0] > 5 && q[0] < 20) << q[0] << ' ' << q[1];

    // Far edges, a shared edge, a corner ray, a vertical edge, no area (nearest corner's depth), NaN.
    const struct {
        Vec2 p0, p1, p2, q;
        bool inside;
    } triangles[] = {
        {{0, 0}, {10, 0}, {0, 10}, {6, 6}, false},       {{0, 0}, {10, 0}, {0, 9000}, {1, 1}, true},
        {{0, 0}, {10, 0}, {0, 9000}, {1, -10}, false},   {{0, 0}, {10, 0}, {0, 10}, {5, 5}, true},
        {{10, 0}, {10, 10}, {0, 10}, {5, 5}, false},     {{5, 0}, {0, 10}, {10, 10}, {5, 5}, true},
        {{5, 0}, {0, 10}, {10, 10}, {5, -1}, false},     {{0, 0}, {0, 10}, {10, 5}, {1, 5}, true},
        {{0, 0}, {5, 0}, {10, 0}, {2, -1}, false},       {{0, 0}, {kNaN, 0}, {0, 10}, {1, 1}, false},
        {{-kInf, 10}, {1, 10}, {1, 20}, {0, 12}, false},
    };
    for (const auto& c : triangles)
        EXPECT_EQ(pointInTriangle(c.p0, c.p1, c.p2, c.q), c.inside) << "triangle " << &c - triangles;
    EXPECT_EQ(depthInTriangle({0, 0, 0.7f}, {300, 300, 0.2f}, {400, 400, 0.5f}, {200, 200}), 0.2f);
}

TEST(ScreenGeometry, TrianglesTouchARectangleThroughCornersInsideOrCrossingEdges) {
    const struct {
        Vec2 p0, p1, p2;
        bool touches;  // the rectangle from (100, 100) to (200, 200)
    } cases[] = {
        {{0, 0}, {1000, 0}, {0, 1000}, true},         // the rectangle lies inside the triangle
        {{120, 120}, {180, 120}, {120, 180}, true},   // the triangle lies inside the rectangle
        {{190, 260}, {260, 190}, {300, 300}, false},  // boxes overlap, an edge separates them
        {{0, 230}, {230, 0}, {0, 200}, true},         // a sliver across the start corner only
        {{0, 1000}, {0, 60}, {300, 360}, true},       // an edge cuts off the corner (sx, ey) only
        {{200, 150}, {300, 100}, {300, 200}, true},   // a corner on a side
        {{0, 150}, {300, 150}, {400, 150}, true},     // no area, passing through
        {{0, 250}, {300, 250}, {400, 250}, false},
    };
    const Vec2 s{100, 100}, e{200, 200};
    for (const auto& c : cases) {
        EXPECT_EQ(triangleTouchesRectangle(c.p0, c.p1, c.p2, s, e), c.touches) << &c - cases;
        EXPECT_EQ(triangleTouchesRectangle(c.p0, c.p2, c.p1, e, s), c.touches) << &c - cases;
    }
}

// Geoset 0 drawn at (x, y, depth) triples; geoset 1 hidden, wholly selected and nearest everywhere.
Document makeDocument(std::initializer_list<float> xyz, std::vector<std::uint32_t> corners) {
    Document d;
    d.screenPositions = {{}, {{200, 200, 0}, {-1e4f, -1e4f, 0}, {1e4f, -1e4f, 0}, {0, 1e4f, 0}}};
    for (auto v = xyz.begin(); v + 2 < xyz.end(); v += 3) d.screenPositions[0].push_back({v[0], v[1], v[2]});
    d.model.Geosets.resize(2);
    d.model.Geosets[0].resizeVertices(d.screenPositions[0].size());
    d.model.Geosets[0].corners = std::move(corners);
    d.model.Geosets[1].resizeVertices(4);
    d.model.Geosets[1].corners = {1, 2, 3};
    d.selection.reset(d.model);
    d.selection.shown[1] = 0;
    d.selection.geosets[1] = {Flags(4, 1), Flags(4, 0), {1}};
    return d;
}

std::string text(const Flags& flags) {
    std::string digits;
    for (const std::uint8_t flag : flags) digits += static_cast<char>('0' + flag);
    return digits;
}

enum Keys { kPlain, kCtrl, kAlt, kCtrlAlt };

struct Step {
    Keys keys;
    const char* shown;                    // geoset 0's flags afterwards
    std::int32_t x0, y0, x1 = 0, y1 = 0;  // a click uses (x0, y0) only
};

// Runs the picks; the hidden geoset's flags are `hidden` at the end.
template <auto Pick>
void runSteps(Document& d, Flags GeosetSelection::*flags, std::span<const Step> steps, const char* hidden) {
    AppState state;
    testing::FakeHost host;
    for (const Step& s : steps) {
        state.keysDown[kKeyControl] = s.keys == kCtrl || s.keys == kCtrlAlt;
        host.altDown = s.keys >= kAlt;
        if constexpr (std::is_invocable_v<decltype(Pick), Document&, AppState&, Host&, int, int>)
            Pick(d, state, host, s.x0, s.y0);
        else
            Pick(d, state, host, s.x0, s.y0, s.x1, s.y1);
        EXPECT_EQ(text(d.selection.geosets[0].*flags), s.shown) << "step " << &s - steps.data();
    }
    EXPECT_EQ(text(d.selection.geosets[1].*flags), hidden);
}

TEST(PickVertices, ClicksTakeTheNearestWithinFourPixelsAndRectanglesIncludeTheirBorders) {
    // 0 and 1 share a spot, 1 nearer the viewer; 2 and 3 share a spot and a depth.
    Document d = makeDocument({100, 100, 0.5f, 100, 100, 0.3f, 200, 200, 0.5f, 200, 200, 0.5f}, {});
    d.selection.geosets[0].vertices = {1, 0, 0, 0};
    const Step clicks[] = {{kPlain, "0100", 103, 100}, {kPlain, "0000", 204, 200}, {kCtrl, "0010", 200, 203},
                           {kCtrl, "0110", 98, 102},   {kAlt, "0010", 100, 100},   {kAlt, "0010", 0, 0}};
    runSteps<pickVertex>(d, &GeosetSelection::vertices, clicks, "0000");
    d.selection.geosets[1].vertices.assign(4, 1);
    const Step rectangles[] = {{kPlain, "1111", 200, 200, 100, 100}, {kPlain, "0000", 150, 150, 200, 199},
                               {kCtrl, "0011", 200, 200, 250, 250},  {kCtrl, "1111", 100, 100, 100, 100},
                               {kAlt, "0011", 95, 95, 105, 105},     {kCtrlAlt, "1111", 95, 95, 105, 105}};
    runSteps<pickVerticesInRectangle>(d, &GeosetSelection::vertices, rectangles, "1111");
}

TEST(PickTriangles, ClicksTakeTheNearestContainingTriangleAndRectanglesWhatTheyTouch) {
    // 0: background; 1, 2: nearer at (200, 200) straight below a corner and at (500, 200) beside a
    // vertical edge; 3: no area; 4: as far as 0, after it; 5: a corner past the vertices.
    Document d =
        makeDocument({0,   0,   0.6f, 1000, 0,   0.6f, 0,   1000, 0.6f, 200, 100, 0.9f, 150, 300, 0.1f,
                      250, 300, 0.1f, 400,  200, 0.9f, 600, 100,  0.1f, 600, 300, 0.1f, 50,  50,  0,
                      100, 100, 0,    150,  150, 0,    750, 50,   0.6f, 850, 50,  0.6f, 800, 150, 0.6f},
                     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 1, 99});
    const Step clicks[] = {{kPlain, "010000", 200, 200}, {kCtrl, "011000", 500, 200},
                           {kAlt, "001000", 200, 200},   {kPlain, "100000", 100, 100},
                           {kPlain, "100000", 800, 90},  {kPlain, "000000", 990, 990}};
    runSteps<pickTriangle>(d, &GeosetSelection::triangles, clicks, "1");
    const Step drags[] = {{kPlain, "100000", 320, 320, 300, 300},
                          {kCtrl, "110100", 140, 90, 260, 310},
                          {kAlt, "010100", 560, 190, 590, 210},
                          {kPlain, "000000", 990, 990, 995, 995}};
    runSteps<pickTrianglesInRectangle>(d, &GeosetSelection::triangles, drags, "1");
    pickTriangle(d, AppState{}, testing::FakeHost{}, 200, 200);  // then the corners are selected
    EXPECT_EQ(text(d.selection.geosets[0].vertices), "000111000000000");
}

TEST(Picking, ShortArraysStrayCornersAndNonFinitePositionsAreNeverHit) {
    // Vertices with NaN x, y or depth and two undrawn; geoset 1 shown with its vertices gone.
    Document d = makeDocument({kNaN, 10, 0, 10, kNaN, 0, 50, 50, 0, 90, 10, kNaN, 90, 90, 0, 10, 90, 0},
                              {0, 2, 4, 1, 2, 4, 6, 2, 4, 2, 4, 5, 0});
    d.model.Geosets[0].resizeVertices(8);
    d.model.Geosets[1].resizeVertices(0);
    d.selection.reset(d.model);
    d.selection.geosets[0].vertices = Flags(2, 1);  // fewer flags than drawn vertices
    const Step clicks[] = {{kCtrlAlt, "11", 10, 10}, {kCtrlAlt, "11", 90, 10}, {kCtrlAlt, "11", 50, 50}};
    runSteps<pickVertex>(d, &GeosetSelection::vertices, clicks, "");
    d.selection.geosets[0].vertices.assign(8, 1);
    const Step vertexRectangle[] = {{kPlain, "00111100", 0, 0, 100, 100}};
    runSteps<pickVerticesInRectangle>(d, &GeosetSelection::vertices, vertexRectangle, "");
    d.selection.geosets[0].triangles = Flags(3, 0);  // none for the finite triangle
    const Step click[] = {{kCtrl, "0000", 50, 80}};  // then sized to the model again
    runSteps<pickTriangle>(d, &GeosetSelection::triangles, click, "0");
    d.selection.geosets[0].triangles = Flags(3, 0);
    const Step triangleRectangle[] = {{kCtrl, "0000", 40, 40, 60, 60}};
    runSteps<pickTrianglesInRectangle>(d, &GeosetSelection::triangles, triangleRectangle, "0");
}

}  // namespace
}  // namespace tess
