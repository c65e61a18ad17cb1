#include <algorithm>

#include "mdx/mdx_read_context.h"
#include "mdx/mdx_tags.h"

namespace tess {
namespace {

// Reads a block's tag (a different tag is reported and read past as if it were right)
// and its count.
std::uint32_t readBlockHead(MdxReadContext& ctx, std::uint32_t expectedTag, Check wrongTagCheck) {
    const std::uint32_t tag = ctx.cursor.u32();
    if (!ctx.cursor.failed() && tag != expectedTag) ctx.report(wrongTagCheck);
    return ctx.cursor.u32();
}

// Takes `count` elements of `elementSize` bytes, or nullptr when they do not fit.
const std::uint8_t* takeArray(ByteCursor& in, std::uint32_t count, std::size_t elementSize) {
    return in.require(count, elementSize) ? in.take(std::uint64_t{count} * elementSize) : nullptr;
}

// A per-vertex block found in the file: its entries and how many there are. A count
// other than the vertex count is reported; the caller stores the first `vertexCount`.
struct VertexBlock {
    const std::uint8_t* data = nullptr;
    std::uint32_t count = 0;
};

VertexBlock takeVertexBlock(MdxReadContext& ctx, std::uint32_t tag, Check wrongTagCheck,
                            std::size_t elementSize, std::size_t vertexCount, Check countCheck) {
    const std::uint32_t count = readBlockHead(ctx, tag, wrongTagCheck);
    if (!ctx.cursor.failed() && count != vertexCount) ctx.report(countCheck);
    const std::uint8_t* data = takeArray(ctx.cursor, count, elementSize);
    return {data, data ? count : 0};
}

// Fills the first entries of `into` (already one per vertex) from a block of float
// tuples; entries past the block's count keep their zeros, entries past the vertex count
// were consumed but are not stored.
template <std::size_t N>
void storeTuples(std::vector<std::array<float, N>>& into, const VertexBlock& block) {
    const std::size_t count = std::min<std::size_t>(block.count, into.size());
    loadFloatTuples(std::span(into.data(), count), block.data);
}

// PTYP and PCNT: every geoset is taken as a triangle list, so their values are skipped.
bool skipPrimitiveBlock(MdxReadContext& ctx, std::uint32_t tag, Check wrongTagCheck) {
    const std::uint32_t count = readBlockHead(ctx, tag, wrongTagCheck);
    return takeArray(ctx.cursor, count, 4) != nullptr;
}

bool readCorners(MdxReadContext& ctx, Geoset& geoset) {
    const std::uint32_t count = readBlockHead(ctx, kTagPVTX, kMdxGeosetPvtxTag);
    const std::uint8_t* p = takeArray(ctx.cursor, count, 2);
    if (!p) return false;
    geoset.corners.resize(count);
    std::uint32_t* corner = geoset.corners.data();
    for (std::uint32_t i = 0; i < count; ++i) corner[i] = loadU16(p + 2 * std::size_t{i});
    return true;
}

bool readVertexGroups(MdxReadContext& ctx, Geoset& geoset) {
    const VertexBlock block =
        takeVertexBlock(ctx, kTagGNDX, kMdxGeosetGndxTag, 1, geoset.vertexCount(), kMdxGroupCountMismatch);
    if (!block.data) return false;
    const std::size_t count = std::min<std::size_t>(block.count, geoset.vertexCount());
    std::uint32_t* group = geoset.vertexGroups.data();
    for (std::size_t i = 0; i < count; ++i) group[i] = block.data[i];
    return true;
}

// Matrix groups take their sizes from MTGC, in order, and are filled from MATS entry by
// entry; a size of 0 gives an empty group. Entries beyond the sizes' total are dropped.
bool readMatrixGroups(MdxReadContext& ctx, Geoset& geoset) {
    ByteCursor& in = ctx.cursor;
    const std::uint32_t groupCount = readBlockHead(ctx, kTagMTGC, kMdxGeosetMtgcTag);
    const std::uint8_t* sizes = takeArray(in, groupCount, 4);
    if (!sizes) return false;
    std::uint64_t total = 0;
    for (std::uint32_t k = 0; k < groupCount; ++k) total += loadU32(sizes + 4 * k);

    const std::uint32_t entryCount = readBlockHead(ctx, kTagMATS, kMdxGeosetMatsTag);
    const std::uint8_t* entries = takeArray(in, entryCount, 4);
    if (!entries) return false;
    if (entryCount > total) ctx.report(kMdxMatsBeyondGroups);
    if (entryCount < total) ctx.report(kMdxMatsShort);

    geoset.matrixGroups.resize(groupCount);
    std::uint32_t next = 0;
    for (std::uint32_t k = 0; k < groupCount && next < entryCount; ++k) {
        const std::uint32_t size = std::min(loadU32(sizes + 4 * k), entryCount - next);
        std::vector<std::uint32_t>& group = geoset.matrixGroups[k];
        group.resize(size);
        for (std::uint32_t& bone : group) bone = loadU32(entries + 4 * next++);
    }
    return true;
}

constexpr std::size_t kExtentSize = 28;

bool readBoundsAndExtents(MdxReadContext& ctx, Geoset& geoset) {
    ByteCursor& in = ctx.cursor;
    geoset.MaterialID = in.u32();
    geoset.SelectionGroup = in.u32();
    geoset.selectionFlags = in.u32();
    geoset.BoundsRadius = in.f32();
    geoset.MinimumExtent = in.vec3();
    geoset.MaximumExtent = in.vec3();
    const std::uint32_t count = in.u32();
    const std::uint8_t* p = takeArray(in, count, kExtentSize);
    if (!p) return false;
    geoset.extents.resize(count);
    for (Extent& extent : geoset.extents) {
        extent.BoundsRadius = loadF32(p);
        extent.MinimumExtent = loadVec3(p + 4);
        extent.MaximumExtent = loadVec3(p + 16);
        p += kExtentSize;
    }
    return true;
}

// Reads the UVBS sets. A short set gives its remaining vertices (0, 0). Padding is
// allocation the file does not pay for, so a geoset pads at most one set's worth of
// pairs; a short set past that budget is consumed and not stored. A geoset without
// vertices stores no set: the writer writes none for it either.
bool readTextureSets(MdxReadContext& ctx, Geoset& geoset) {
    const std::uint32_t setCount = readBlockHead(ctx, kTagUVAS, kMdxGeosetUvasTag);
    const std::size_t n = geoset.vertexCount();
    std::size_t padBudget = n;
    for (std::uint32_t set = 0; set < setCount; ++set) {
        const VertexBlock block =
            takeVertexBlock(ctx, kTagUVBS, kMdxGeosetUvbsTag, 8, n, kMdxUvCountMismatch);
        if (!block.data) return false;
        if (n == 0) continue;
        const std::size_t padding = n - std::min<std::size_t>(block.count, n);
        if (padding > padBudget) {
            ctx.report(kMdxUvPaddingLimit);
            continue;
        }
        padBudget -= padding;
        storeTuples(geoset.uvSets.emplace_back(n), block);
    }
    return true;
}

}  // namespace

void readGeoset(MdxReadContext& ctx, Geoset& geoset) {
    const std::size_t start = ctx.cursor.position();
    const std::uint32_t size = ctx.cursor.u32();
    const std::uint32_t n = readBlockHead(ctx, kTagVRTX, kMdxGeosetVrtxTag);
    const std::uint8_t* positions = takeArray(ctx.cursor, n, 12);
    if (!positions) return;
    // Every per-vertex array holds n entries from here on, zero until its block is read.
    geoset.resizeVertices(n);
    loadFloatTuples(std::span(geoset.positions), positions);
    const VertexBlock normals =
        takeVertexBlock(ctx, kTagNRMS, kMdxGeosetNrmsTag, 12, n, kMdxNormalCountMismatch);
    if (!normals.data) return;
    storeTuples(geoset.normals, normals);
    // The inclusive size does not position the blocks; a geoset that ends elsewhere is
    // reported once its blocks are read.
    const bool complete = skipPrimitiveBlock(ctx, kTagPTYP, kMdxGeosetPtypTag) &&
                          skipPrimitiveBlock(ctx, kTagPCNT, kMdxGeosetPcntTag) && readCorners(ctx, geoset) &&
                          readVertexGroups(ctx, geoset) && readMatrixGroups(ctx, geoset) &&
                          readBoundsAndExtents(ctx, geoset) && readTextureSets(ctx, geoset);
    if (complete) ctx.checkEnd(static_cast<std::uint64_t>(start) + size, kMdxGeosetEndMismatch);
}

}  // namespace tess
