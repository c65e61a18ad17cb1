#include "render/picking.h"

#include "render_fixture.h"

namespace tess::testing {
namespace {

TEST(NearestHitName, TakesTheSmallestUnsignedMinimumDepthAndNeverReadsPastTheBuffer) {
    using Buffer = std::vector<std::uint32_t>;
    const std::tuple<Buffer, std::int32_t, std::optional<std::uint32_t>> cases[] = {
        {{1, 100, 200, 7, 1, 90, 95, 8, 1, 50, 60, 9}, 3, 9u},
        {{1, 50, 60, 9, 1, 10, 10, 8}, 1, 9u},                  // `hits` records only
        {{1, 0x80000000u, 0, 1, 1, 0x7FFFFFFFu, 0, 2}, 2, 2u},  // unsigned, not signed
        {{1, 5, 9, 3, 1, 5, 6, 4}, 2, 3u},                      // the first of equals
        {{0, 1, 1, 2, 9, 9, 6, 7}, 2, 6u},                      // a nameless record is no handle
        {{1, 9, 9, 1, 2, 1, 1, 5}, -1, 1u},                     // overflow: the whole records
        {{1, 9, 9, 1, 1, 1, 1}, 2, 1u},                         // records cut short are not read
        {{0xFFFFFFFFu, 1, 1, 4}, 1, std::nullopt}};
    for (const auto& [buffer, hits, name] : cases) EXPECT_EQ(nearestHitName(buffer, hits), name) << buffer[1];
}

// A named square in the plane z at model (x0..x1, y0..y1), drawn in selection mode.
void square(std::uint32_t name, float z, float x0, float y0, float x1, float y1) {
    glPushName(name);
    glTranslatef(0, 0, z);
    glRectf(x0, y0, x1, y1);
    glTranslatef(0, 0, -z);
    glPopName();
}

TEST_F(RenderTest, PickNameFindsTheNearestOfMoreHitsThanTheFirstBufferHoldsAndCountsYFromTheTop) {
    drawFrame();  // the Top view's transform stays on the modelview matrix
    const auto overlapping = [] {
        for (std::uint32_t name = 1; name <= 300; ++name)
            square(name, name == 217 ? 40.0f : static_cast<float>(name % 30), -20, -20, 20, 20);
    };
    EXPECT_EQ(pickName(view, kSize / 2, kSize / 2, overlapping), 217u);
    // +X is down and +Y right on screen: this square covers the upper left quarter.
    const auto upperLeft = [] { square(6, 0, -60, -60, 0, 0); };
    EXPECT_EQ(pickName(view, kSize / 4, kSize / 4, upperLeft), 6u);
    EXPECT_EQ(pickName(view, kSize / 4, 3 * kSize / 4, upperLeft), std::nullopt);
}

TEST(HandleForName, ConesGiveTheToolsDragTheArrowExtrudesAMarkerSelectsTheLastListedBoneWithItsId) {
    Model model;
    model.Bones.resize(3);
    model.Bones[1].node.ObjectId = model.Bones[2].node.ObjectId = 2;
    EXPECT_EQ(handleForName(3, Tool::Scale, model, {0, 1, 2}).code, DragState::ScaleZ);
    EXPECT_EQ(handleForName(1, Tool::Extrude, model, {}).code, std::nullopt);
    EXPECT_EQ(handleForName(4, Tool::Move, model, {}).code, DragState::Extrude);
    EXPECT_EQ(handleForName(7, Tool::Move, model, {0, 1, 2}).selectedNode, 2);
    EXPECT_EQ(handleForName(7, Tool::Move, model, {0, 1}).selectedNode, 1);
}

}  // namespace
}  // namespace tess::testing
