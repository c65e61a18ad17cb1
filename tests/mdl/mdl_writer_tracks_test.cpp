#include "mdl/mdl_writer_tracks.h"

#include <gtest/gtest.h>

#include <string>

namespace tess {
namespace {

template <class V>
std::string trackText(const Track<V>& track, const char* name, const char* indent) {
    std::string out;
    MdlText text(out, 0);
    writeTrack(text, track, name, indent);
    return out;
}

template <class V>
Track<V> keyedTrack(std::int32_t type, std::initializer_list<TrackKey<V>> keys, std::int32_t globalSeq = -1) {
    Track<V> track;
    track.interpolationType = type;
    track.GlobalSeqId = globalSeq;
    track.keys = keys;
    return track;
}

TEST(MdlWriterTracks, UnkeyedTracksWriteTheirStaticLineExceptQuaternions) {
    FloatTrack f;
    f.staticValue = 0.5f;
    IntTrack i;
    i.staticValue = 0xFFFFFFFFu;
    VectorTrack v;
    v.staticValue = {1, -2, 0.25f};
    EXPECT_EQ(trackText(f, "Alpha", "\t\t\t"), "\t\t\tstatic Alpha 0.500000,\n");
    EXPECT_EQ(trackText(i, "TextureID", "\t"), "\tstatic TextureID -1,\n");
    EXPECT_EQ(trackText(v, "Color", "\t"), "\tstatic Color { 1.000000, -2.000000, 0.250000 },\n");
    EXPECT_EQ(trackText(QuatTrack{}, "Rotation", "\t"), "");
}

TEST(MdlWriterTracks, KeyedBlocksWithAndWithoutTangents) {
    const auto linear = keyedTrack<float>(Linear, {{0, 1.0f, 9.0f, 9.0f}, {250, -0.5f, 9.0f, 9.0f}}, 2);
    EXPECT_EQ(trackText(linear, "Alpha", "\t"),
              "\tAlpha 2 {\n\t\tLinear,\n\t\tGlobalSeqId 2,\n\t\t0: 1.000000,\n\t\t250: -0.500000,\n\t}\n");

    const auto bezier = keyedTrack<float>(Bezier, {{-10, 1.0f, 0.25f, 0.75f}});
    EXPECT_EQ(trackText(bezier, "Gravity", "\t\t"),
              "\t\tGravity 1 {\n\t\t\tBezier,\n\t\t\t-10: 1.000000,\n\t\t\t\tInTan 0.250000,\n"
              "\t\t\t\tOutTan 0.750000,\n\t\t}\n");

    const auto hermite = keyedTrack<Vec3>(Hermite, {{5, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}}});
    EXPECT_EQ(trackText(hermite, "Translation", "\t"),
              "\tTranslation 1 {\n\t\tHermite,\n\t\t5: { 1.000000, 2.000000, 3.000000 },\n"
              "\t\t\tInTan { 4.000000, 5.000000, 6.000000 },\n\t\t\tOutTan { 7.000000, 8.000000, 9.000000 "
              "},\n\t}\n");

    const auto rotation = keyedTrack<Quat>(DontInterp, {{0, {0, 0, 0, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}}}, 0);
    EXPECT_EQ(trackText(rotation, "Rotation", "\t"),
              "\tRotation 1 {\n\t\tDontInterp,\n\t\tGlobalSeqId 0,\n"
              "\t\t0: { 0.000000, 0.000000, 0.000000, 1.000000 },\n\t}\n");
}

TEST(MdlWriterTracks, IntegerTracksNeverWriteTangents) {
    const auto slots = keyedTrack<std::uint32_t>(Hermite, {{0, 3u, 7u, 8u}, {100, 0xFFFFFFFFu, 7u, 8u}});
    EXPECT_EQ(trackText(slots, "TextureSlot", "\t"),
              "\tTextureSlot 2 {\n\t\tHermite,\n\t\t0: 3,\n\t\t100: -1,\n\t}\n");
}

TEST(MdlWriterTracks, UnknownInterpolationCodesAreWrittenAsUnreadable) {
    // Tangent lines follow the code, as for any code above Linear; -1 has none.
    const auto high = keyedTrack<float>(7, {{0, 1.0f, 2.0f, 3.0f}});
    EXPECT_EQ(trackText(high, "Alpha", ""),
              "Alpha 1 {\n\tERROR-UNKNOWN,\n\t0: 1.000000,\n\t\tInTan 2.000000,\n\t\tOutTan 3.000000,\n}\n");
    const auto negative = keyedTrack<float>(-1, {{0, 1.0f, 2.0f, 3.0f}});
    EXPECT_EQ(trackText(negative, "Alpha", ""), "Alpha 1 {\n\tERROR-UNKNOWN,\n\t0: 1.000000,\n}\n");
}

}  // namespace
}  // namespace tess
