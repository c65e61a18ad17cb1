#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "mdx/byte_cursor.h"
#include "mdx/mdx_track_codec.h"
#include "model/checks.h"
#include "model/diagnostics.h"
#include "model/model.h"

namespace tess {

// State shared by the MDX record readers: the one cursor over the file and the findings.
// Positions and ends are byte offsets from the start of the file; ends are 64-bit
// because a declared size may point far past the file.
struct MdxReadContext {
    ByteCursor cursor;
    Diagnostics& diagnostics;

    // Reports a structural problem as an error. Silent once the cursor has failed: the
    // failure itself is reported once by the chunk loop, and checks after it would only
    // echo it.
    void report(Check check) {
        if (!cursor.failed()) diagnostics.check(check);
    }

    // The end of a record that starts at `start` with inclusive size `size`, kept within
    // `enclosingEnd` (reported when it points past).
    std::uint64_t recordEnd(std::size_t start, std::uint32_t size, std::uint64_t enclosingEnd) {
        const std::uint64_t end = static_cast<std::uint64_t>(start) + size;
        if (end <= enclosingEnd) return end;
        report(kMdxRecordPastEnclosing);
        return enclosingEnd;
    }

    // Reports `check` when reading did not stop exactly at `end`.
    void checkEnd(std::uint64_t end, Check check) {
        if (!cursor.failed() && cursor.position() != end) report(check);
    }

    // Reads tagged tracks up to `end`. `visitTracks(visit)` hands each track the record
    // can hold to `visit` with its tag (one of the forEachTrack functions of
    // mdx_record_tracks.h); a tag read goes into the track stored under it. Any other tag
    // is reported with `unexpectedCheck` and skipped as a bare tag: the next four bytes
    // are taken as the next tag.
    template <class VisitTracks>
    void readTracks(std::uint64_t end, Check unexpectedCheck, VisitTracks&& visitTracks) {
        while (cursor.position() < end) {
            const std::uint32_t tag = cursor.u32();
            if (cursor.failed()) return;
            bool found = false;
            visitTracks([&](std::uint32_t trackTag, auto& track) {
                if (found || trackTag != tag) return;
                found = true;
                readTrack(track);
            });
            if (!found) report(unexpectedCheck);
        }
    }

    // Reads a track's header and keys into `track`, replacing any keys it held. An
    // interpolation type outside 0..3 is reported and read as Linear. Integer tracks of
    // a type with tangents are reported, and their tangents are read back as written.
    template <class V>
    void readTrack(Track<V>& track) {
        const std::uint32_t count = cursor.u32();
        std::uint32_t type = cursor.u32();
        const std::int32_t globalSeqId = cursor.i32();
        if (cursor.failed()) return;
        if (type > static_cast<std::uint32_t>(Bezier)) {
            report(kMdxBadInterpolation);
            type = Linear;
        }
        const bool tangents = hasTangents(static_cast<std::int32_t>(type));
        if constexpr (std::is_same_v<V, std::uint32_t>) {
            if (tangents) report(kMdxIntegerTangents);
        }
        track.interpolationType = static_cast<std::int32_t>(type);
        track.GlobalSeqId = globalSeqId;
        track.keys.clear();
        const std::size_t keySize = mdxKeySize<V>(tangents);
        const std::uint8_t* p =
            cursor.require(count, keySize) ? cursor.take(std::uint64_t{count} * keySize) : nullptr;
        if (!p) return;
        track.keys.resize(count);
        for (TrackKey<V>& key : track.keys) {
            key.time = loadI32(p);
            key.value = MdxValue<V>::load(p + 4);
            p += 4 + MdxValue<V>::kSize;
            if (tangents) {
                key.InTan = MdxValue<V>::load(p);
                key.OutTan = MdxValue<V>::load(p + MdxValue<V>::kSize);
                p += 2 * MdxValue<V>::kSize;
            }
        }
    }
};

// Record readers, one per kind. Each reads one record at the cursor into a freshly
// constructed object; `chunkEnd` is the declared end of the enclosing chunk. On a
// failed cursor they return early, leaving what was read in the object.
void readMaterial(MdxReadContext& ctx, Material& material, std::uint64_t chunkEnd);
void readTextureAnim(MdxReadContext& ctx, TextureAnim& anim, std::uint64_t chunkEnd);
void readGeosetAnim(MdxReadContext& ctx, GeosetAnim& anim, std::uint64_t chunkEnd);
void readBone(MdxReadContext& ctx, Bone& bone, std::uint64_t chunkEnd);
void readLight(MdxReadContext& ctx, Light& light, std::uint64_t chunkEnd);
void readHelper(MdxReadContext& ctx, Helper& helper, std::uint64_t chunkEnd);
void readAttachment(MdxReadContext& ctx, Attachment& attachment, std::uint64_t chunkEnd);
void readParticleEmitter(MdxReadContext& ctx, ParticleEmitter& emitter, std::uint64_t chunkEnd);
void readParticleEmitter2(MdxReadContext& ctx, ParticleEmitter2& emitter, std::uint64_t chunkEnd);
void readRibbonEmitter(MdxReadContext& ctx, RibbonEmitter& emitter, std::uint64_t chunkEnd);
void readCamera(MdxReadContext& ctx, Camera& camera, std::uint64_t chunkEnd);
void readEventObject(MdxReadContext& ctx, EventObject& event, std::uint64_t chunkEnd);
void readCollisionShape(MdxReadContext& ctx, CollisionShape& shape, std::uint64_t chunkEnd);
// Geosets are read block by block. Whatever stopped early, every per-vertex array ends
// with one entry per vertex that VRTX gave.
void readGeoset(MdxReadContext& ctx, Geoset& geoset);

}  // namespace tess
