#include <algorithm>

#include "mdx/mdx_read_context.h"
#include "mdx/mdx_tags.h"

namespace tess {
namespace {

// A per-vertex block located in the file: its entries and how many there are.
struct VertexBlock {
    const std::uint8_t* data = nullptr;
    std::uint32_t count = 0;
};

// Where the per-vertex blocks of a geoset lie. The blocks are walked first and the
// vertices then built in one pass over all of them, which keeps the large vertex array
// to a single write.
struct VertexBlocks {
    VertexBlock positions;
    VertexBlock normals;
    VertexBlock groups;
    std::vector<VertexBlock> textureSets;
};

// Reads a block's tag (a different tag is reported and read past as if it were right)
// and its count.
std::uint32_t readBlockHead(MdxReadContext& ctx, std::uint32_t expectedTag, int wrongTagCheck) {
    const std::uint32_t tag = ctx.cursor.u32();
    if (!ctx.cursor.failed() && tag != expectedTag) ctx.report(wrongTagCheck);
    return ctx.cursor.u32();
}

// Takes `count` elements of `elementSize` bytes, or nullptr when they do not fit.
const std::uint8_t* takeArray(ByteCursor& in, std::uint32_t count, std::size_t elementSize) {
    return in.require(count, elementSize) ? in.take(std::uint64_t{count} * elementSize) : nullptr;
}

// Locates a per-vertex block; a count other than the vertex count is reported.
bool locateVertexBlock(MdxReadContext& ctx, VertexBlock& block, std::uint32_t tag, int wrongTagCheck,
                       std::size_t elementSize, std::uint32_t vertexCount, int countCheck) {
    const std::uint32_t count = readBlockHead(ctx, tag, wrongTagCheck);
    if (!ctx.cursor.failed() && count != vertexCount) ctx.report(countCheck);
    block.data = takeArray(ctx.cursor, count, elementSize);
    block.count = block.data ? count : 0;
    return block.data != nullptr;
}

// PTYP and PCNT: every geoset is taken as a triangle list, so their values are skipped.
bool skipPrimitiveBlock(MdxReadContext& ctx, std::uint32_t tag, int wrongTagCheck) {
    const std::uint32_t count = readBlockHead(ctx, tag, wrongTagCheck);
    return takeArray(ctx.cursor, count, 4) != nullptr;
}

bool readCorners(MdxReadContext& ctx, Geoset& geoset) {
    const std::uint32_t count = readBlockHead(ctx, kTagPVTX, kMdxGeosetPvtxTag);
    const std::uint8_t* p = takeArray(ctx.cursor, count, 2);
    if (!p) return false;
    geoset.corners.resize(count);
    for (std::uint32_t& corner : geoset.corners) {
        corner = loadU16(p);
        p += 2;
    }
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

// Locates the UVBS sets to store. A short set gives its remaining vertices (0, 0), so
// every vertex holds every stored set. Padding is allocation the file does not pay for,
// so a geoset pads at most one set's worth of pairs; a short set past that budget is
// consumed and not stored.
bool locateTextureSets(MdxReadContext& ctx, VertexBlocks& blocks) {
    const std::uint32_t setCount = readBlockHead(ctx, kTagUVAS, kMdxGeosetUvasTag);
    const std::uint32_t n = blocks.positions.count;
    std::size_t padBudget = n;
    for (std::uint32_t set = 0; set < setCount; ++set) {
        VertexBlock block;
        if (!locateVertexBlock(ctx, block, kTagUVBS, kMdxGeosetUvbsTag, 8, n, kMdxUvCountMismatch))
            return false;
        const std::size_t padding = n - std::min(block.count, n);
        if (padding > padBudget) {
            ctx.report(kMdxUvPaddingLimit);
            continue;
        }
        padBudget -= padding;
        blocks.textureSets.push_back(block);
    }
    return true;
}

// Builds the vertices from whichever blocks were found. Entries past the vertex count
// were consumed but are not stored; vertices past a block's count keep the default.
void buildVertices(const VertexBlocks& blocks, Geoset& geoset) {
    const std::uint32_t n = blocks.positions.count;
    geoset.Vertices.reserve(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        Vertex& v = geoset.Vertices.emplace_back();
        v.position = loadVec3(blocks.positions.data + 12 * std::size_t{i});
        if (i < blocks.normals.count) v.normal = loadVec3(blocks.normals.data + 12 * std::size_t{i});
        if (i < blocks.groups.count) v.vertexGroup = blocks.groups.data[i];
        for (const VertexBlock& set : blocks.textureSets) {
            const bool present = i < set.count;
            v.U.push_back(present ? loadF32(set.data + 8 * std::size_t{i}) : 0.0f);
            v.V.push_back(present ? loadF32(set.data + 8 * std::size_t{i} + 4) : 0.0f);
        }
    }
}

}  // namespace

void readGeoset(MdxReadContext& ctx, Geoset& geoset) {
    const std::size_t start = ctx.cursor.position();
    const std::uint32_t size = ctx.cursor.u32();
    VertexBlocks blocks;
    const std::uint32_t n = readBlockHead(ctx, kTagVRTX, kMdxGeosetVrtxTag);
    blocks.positions.data = takeArray(ctx.cursor, n, 12);
    blocks.positions.count = blocks.positions.data ? n : 0;
    // The inclusive size does not position the blocks; a geoset that ends elsewhere is
    // reported once its blocks are read.
    const bool complete =
        blocks.positions.data &&
        locateVertexBlock(ctx, blocks.normals, kTagNRMS, kMdxGeosetNrmsTag, 12, n, kMdxNormalCountMismatch) &&
        skipPrimitiveBlock(ctx, kTagPTYP, kMdxGeosetPtypTag) &&
        skipPrimitiveBlock(ctx, kTagPCNT, kMdxGeosetPcntTag) && readCorners(ctx, geoset) &&
        locateVertexBlock(ctx, blocks.groups, kTagGNDX, kMdxGeosetGndxTag, 1, n, kMdxGroupCountMismatch) &&
        readMatrixGroups(ctx, geoset) && readBoundsAndExtents(ctx, geoset) && locateTextureSets(ctx, blocks);
    buildVertices(blocks, geoset);
    geoset.resetTriangleRecords();
    if (complete) ctx.checkEnd(static_cast<std::uint64_t>(start) + size, kMdxGeosetEndMismatch);
}

}  // namespace tess
