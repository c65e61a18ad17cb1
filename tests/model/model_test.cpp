#include "model/model.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tess {
namespace {

TEST(Model, ConstructorsSetTheDocumentedDefaults) {
    EXPECT_EQ(
        std::tuple(Model{}.FormatVersion, Model{}.BlendTime, Layer{}.TVertexAnimId, Layer{}.Alpha.staticValue,
                   GeosetAnim{}.Color.staticValue, GeosetAnim{}.Alpha.staticValue, GeosetAnim{}.GeosetId,
                   Bone{}.GeosetId, Bone{}.GeosetAnimId, Attachment{}.AttachmentID, Node{}.Parent,
                   VectorTrack{}.GlobalSeqId),
        std::tuple(800u, 100u, -1, 1.0f, Vec3{1, 1, 1}, 1.0f, 1u, -1, -1, -1, -1, -1));
    EXPECT_EQ((std::vector<std::uint32_t>{Bone{}.node.flags, Helper{}.node.flags, Light{}.node.flags,
                                          EventObject{}.node.flags, Attachment{}.node.flags,
                                          ParticleEmitter{}.node.flags, CollisionShape{}.node.flags,
                                          RibbonEmitter{}.node.flags, RibbonEmitter{}.emitterFlags}),
              (std::vector<std::uint32_t>{0x100, 0, 0x200, 0x400, 0x800, 0x1000, 0x2000, 0, 0x400000}));
}

TEST(Geoset, VertexHelpersKeepEveryArrayInStep) {
    // Vertex v carries v in every per-vertex array, so arrays out of step or a vertex in the
    // wrong place show in `numbers`, which lists each array's numbers in turn.
    Geoset g;
    g.uvSets.resize(2);
    g.resizeVertices(6);
    for (std::uint32_t v = 0; v < 6; ++v) {
        const auto f = static_cast<float>(v);
        std::tie(g.positions[v], g.normals[v], g.uvSets[0][v], g.uvSets[1][v], g.vertexGroups[v]) =
            std::tuple(Vec3{f, 0, 0}, Vec3{0, f, 0}, Vec2{f, 0}, Vec2{0, f}, v);
    }
    const auto numbers = [&g] {
        std::vector<std::vector<float>> out(5);
        for (std::size_t v = 0; v < g.vertexCount(); ++v)
            for (std::size_t k = 0; k < 5; ++k)
                out[k].push_back(std::array{g.positions[v][0], g.normals.at(v)[1], g.uvSets[0].at(v)[0],
                                            g.uvSets[1].at(v)[1],
                                            static_cast<float>(g.vertexGroups.at(v))}[k]);
        return out;
    };
    EXPECT_EQ(g.appendVertexCopy(4), 6u);
    g.removeVertices({1, 0, 0, 1});  // removes 0 and 3; vertices past the flags stay
    EXPECT_EQ(numbers(), std::vector<std::vector<float>>(5, {1, 2, 4, 5, 4}));
    g.resizeVertices(6);
    EXPECT_EQ(numbers(), std::vector<std::vector<float>>(5, {1, 2, 4, 5, 4, 0}));
}

}  // namespace
}  // namespace tess
