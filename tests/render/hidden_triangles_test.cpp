#include "render/hidden_triangles.h"

#include <gtest/gtest.h>

#include <random>

#include "render/render_fixture.h"
#include "render/window_projection.h"

namespace tess::testing {
namespace {

class HiddenTriangles : public RenderTest {
protected:
    // A geoset of random triangles within +-40 units, each in one quadrant's colour; every
    // fourth also drawn in the other winding and every fifth again in another colour (equal
    // depths, which the drawing order settles).
    void addCloud(std::mt19937& random, int count, std::uint32_t material = 0) {
        std::uniform_real_distribution<float> coordinate(-40, 40);
        std::vector<Vec3> corners;
        std::vector<Vec2> uv;
        for (int t = 0; t < count; ++t) {
            std::array<Vec3, 3> triangle;
            for (Vec3& corner : triangle)
                corner = {coordinate(random), coordinate(random), coordinate(random)};
            const auto add = [&](const std::array<Vec3, 3>& points, int quadrant) {
                corners.insert(corners.end(), points.begin(), points.end());
                uv.insert(uv.end(), 3,
                          Vec2{quadrant % 2 != 0 ? 0.75f : 0.25f, quadrant / 2 != 0 ? 0.75f : 0.25f});
            };
            add(triangle, t % 4);
            if (t % 4 == 0) add({triangle[2], triangle[1], triangle[0]}, 1);
            if (t % 5 == 0) add(triangle, (t + 1) % 4);
        }
        addTriangles(corners, uv, material);
    }
};

TEST_F(HiddenTriangles, RemovesMostOfADeepCloudWithoutChangingAPixel) {
    useQuadrants();
    model.Materials = {material({{0, 0}, {0, 5}})};
    std::mt19937 random(7);
    struct Case {
        ViewType type;
        float pitch, yaw, distance;
        std::size_t leastRemoved;
    };
    // Orthographic from above; perspective from outside; perspective from inside the cloud,
    // where triangles reach behind the eye and past the near plane. About half of each cloud
    // faces away, so the counts from outside need hidden front-facing triangles removed too.
    for (const Case& c :
         {Case{ViewType::Top, 90, -90, 45, 3300}, Case{ViewType::Perspective, 35, 30, 150, 3300},
          Case{ViewType::Perspective, 10, 200, 5, 300}}) {
        model.Geosets.clear();
        for (int g = 0; g < 3; ++g) addCloud(random, 2000);
        setView(c.type, c.pitch, c.yaw, c.distance);
        drawFrame();
        selection.shown[2] = 0;  // hidden: neither drawn, nor hiding anything, nor changed
        drawFrame();
        const std::vector<std::uint8_t> before = frame;
        const std::vector<std::uint32_t> hiddenCorners = model.Geosets[2].corners;
        const std::size_t removed =
            removeHiddenTriangles(model, pose, selection, WindowProjection::current());
        drawFrame();
        EXPECT_EQ(frame, before) << viewTypeName(c.type) << " at " << c.distance;
        EXPECT_GE(removed, c.leastRemoved) << viewTypeName(c.type) << " at " << c.distance;
        EXPECT_EQ(model.Geosets[2].corners, hiddenCorners);
    }
}

TEST_F(HiddenTriangles, KeepsEverythingWhenALayerBlends) {
    useQuadrants();
    std::mt19937 random(3);
    for (const Layers& blended : {Layers{{0, 3}}, Layers{{0, 1}}, Layers{{0, 2}}, Layers{{2, 0}}}) {
        model.Materials = {material({{0, 0}}), material(blended)};
        model.Geosets.clear();
        addCloud(random, 300);
        addCloud(random, 10, 1);
        drawFrame();
        const Model unchanged = model;
        EXPECT_EQ(removeHiddenTriangles(model, pose, selection, WindowProjection::current()), 0u);
        EXPECT_EQ(model.Geosets[0].corners, unchanged.Geosets[0].corners);
    }
}

}  // namespace
}  // namespace tess::testing
