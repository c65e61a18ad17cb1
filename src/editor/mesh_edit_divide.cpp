// Divide. The step-by-step rule walks the corners of each triangle, splits an edge whose
// two ends are selected and looks the edge up in a table of earlier splits. Here the splits
// are listed first, in walk order; then every vertex keeps a chain of the midpoints made on
// its edges to higher vertices, so an edge's earlier split is found without searching the
// whole table (should one chain grow long, the splits are grouped by vertex and sorted
// instead, which keeps the cost O(m log m) in the number of splits m). Midpoints and new
// triangles are then written in one pass each. The result is the step-by-step rule's.

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "editor/mesh_edit.h"
#include "editor/mesh_routines.h"
#include "editor/vertex_arrays.h"

namespace tess {
namespace {

float mean(float a, float b) {
    return (a + b) / 2;
}

Vec2 mean(const Vec2& a, const Vec2& b) {
    return {mean(a[0], b[0]), mean(a[1], b[1])};
}

Vec3 mean(const Vec3& a, const Vec3& b) {
    return {mean(a[0], b[0]), mean(a[1], b[1]), mean(a[2], b[2])};
}

// Which corners of a triangle split, by the selection of its original corners (bit c set:
// corner c selected). A split at corner c makes corner c + 1 a midpoint, which is never
// selected, so the edge after it cannot split; the edges that do split always join two
// original corners.
struct SplitPattern {
    std::uint8_t count = 0;
    std::array<std::uint8_t, 2> corner{};  // where the split edges start
    std::array<std::uint8_t, 2> next{};    // and end
};

constexpr std::array<SplitPattern, 8> kSplitPatterns = [] {
    std::array<SplitPattern, 8> patterns{};
    for (unsigned mask = 0; mask < 8; ++mask) {
        bool selected[3] = {(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
        for (unsigned c = 0; c < 3; ++c) {
            if (!selected[c] || !selected[(c + 1) % 3]) continue;
            SplitPattern& p = patterns[mask];
            p.corner[p.count] = static_cast<std::uint8_t>(c);
            p.next[p.count++] = static_cast<std::uint8_t>((c + 1) % 3);
            selected[(c + 1) % 3] = false;
        }
    }
    return patterns;
}();

// One split, in walk order: the edge from corner `slot` (an index into the corner list) to
// the next corner of its triangle, whose ends are `from` and `to`. Left uninitialised in
// bulk, so it has no member initialisers.
struct Split {
    std::uint32_t from;  // the midpoint takes this end's vertex group
    std::uint32_t to;
    std::uint32_t slot;
    std::uint32_t low() const { return std::min(from, to); }
    std::uint32_t high() const { return std::max(from, to); }
};

// Chains of midpoints at one vertex up to this length are searched one by one; a longer
// one sends the whole geoset to the sorting numberer.
constexpr std::size_t kChainLimit = 16;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

// The midpoint index of every split, in walk order: the splits of one edge share the
// midpoint made at the edge's first split, and midpoints are numbered from `vertexCount` in
// the order of those first splits, whose walk indices go to `creators`.
//
// Fast path: each vertex keeps a chain of the midpoints made on edges to higher vertices.
// Returns false, with the outputs unspecified, when a chain grows past kChainLimit.
bool numberByChains(const Split* splits, std::size_t m, std::size_t vertexCount,
                    std::vector<std::uint32_t>& midpoint, std::vector<std::uint32_t>& creators) {
    struct Link {
        std::uint32_t high;
        std::uint32_t next;
    };
    std::vector<std::uint32_t> head(vertexCount, kNone);
    std::vector<Link> links;
    links.reserve(m);
    creators.reserve(m);
    midpoint.resize(m);
    for (std::size_t i = 0; i < m; ++i) {
        const std::uint32_t low = splits[i].low();
        const std::uint32_t high = splits[i].high();
        std::uint32_t n = head[low];
        for (std::size_t steps = 0; n != kNone && links[n].high != high; n = links[n].next)
            if (++steps == kChainLimit) return false;
        if (n == kNone) {
            n = static_cast<std::uint32_t>(links.size());
            links.push_back({high, head[low]});
            head[low] = n;
            creators.push_back(static_cast<std::uint32_t>(i));
        }
        midpoint[i] = static_cast<std::uint32_t>(vertexCount) + n;
    }
    return true;
}

// The same numbering in O(m log m) whatever the chains: the splits grouped by their lower
// vertex with a stable counting sort, each group ordered by its other end and walk order.
void numberBySorting(const Split* splits, std::size_t m, std::size_t vertexCount,
                     std::vector<std::uint32_t>& midpoint, std::vector<std::uint32_t>& creators) {
    // After the scatter, group v is [end[v - 1], end[v]).
    std::vector<std::uint32_t> end(vertexCount + 1);
    for (std::size_t i = 0; i < m; ++i) ++end[splits[i].low() + 1];
    for (std::size_t v = 0; v < vertexCount; ++v) end[v + 1] += end[v];
    struct Entry {
        std::uint32_t otherEnd;
        std::uint32_t split;
    };
    std::vector<Entry> grouped(m);
    for (std::size_t i = 0; i < m; ++i)
        grouped[end[splits[i].low()]++] = {splits[i].high(), static_cast<std::uint32_t>(i)};
    // Each run of one other end is one edge, led by its first split; then, in walk order
    // (where an edge's first split has always been numbered already), the midpoint index.
    std::vector<std::uint32_t> first(m);
    for (std::size_t v = 0; v < vertexCount; ++v) {
        const auto begin = grouped.begin() + (v == 0 ? 0 : end[v - 1]);
        const auto stop = grouped.begin() + end[v];
        std::sort(begin, stop, [](const Entry& x, const Entry& y) {
            return x.otherEnd != y.otherEnd ? x.otherEnd < y.otherEnd : x.split < y.split;
        });
        for (auto run = begin; run != stop; ++run) {
            const bool sameEdge = run != begin && (run - 1)->otherEnd == run->otherEnd;
            first[run->split] = sameEdge ? first[(run - 1)->split] : run->split;
        }
    }
    creators.clear();
    midpoint.resize(m);
    for (std::size_t i = 0; i < m; ++i) {
        if (first[i] != i) {
            midpoint[i] = midpoint[first[i]];
            continue;
        }
        midpoint[i] = static_cast<std::uint32_t>(vertexCount + creators.size());
        creators.push_back(static_cast<std::uint32_t>(i));
    }
}

void divideGeoset(Document& document, std::size_t g) {
    Geoset& geoset = document.model.Geosets[g];
    const std::size_t triangles = geoset.triangleCount();
    const std::size_t vertexCount = geoset.vertexCount();
    const std::vector<std::uint8_t>& selected = document.selection.geosets[g].vertices;
    const auto isSelected = [&selected](std::uint32_t v) { return unsigned{flagAt(selected, v)}; };

    // Both entries are written for every triangle and only its count is kept, so the loop
    // does not branch on a selection that may be random.
    const auto splits = std::make_unique_for_overwrite<Split[]>(2 * triangles + 2);
    std::size_t m = 0;
    for (std::size_t f = 0; f < triangles; ++f) {
        const std::uint32_t* t = &geoset.corners[3 * f];
        const SplitPattern& p =
            kSplitPatterns[isSelected(t[0]) | isSelected(t[1]) << 1 | isSelected(t[2]) << 2];
        for (unsigned k = 0; k < 2; ++k)
            splits[m + k] = {t[p.corner[k]], t[p.next[k]], static_cast<std::uint32_t>(3 * f + p.corner[k])};
        m += p.count;
    }
    if (m == 0) return;
    std::vector<std::uint32_t> midpoint;
    std::vector<std::uint32_t> creators;
    if (!numberByChains(splits.get(), m, vertexCount, midpoint, creators))
        numberBySorting(splits.get(), m, vertexCount, midpoint, creators);

    // Each midpoint is made from the first split of its edge.
    std::vector<Vec3>& screen = document.screenPositions[g];
    appendVertices(document, g, creators.size(), [&](std::uint32_t index) {
        const Split& creator = splits[creators[index - vertexCount]];
        const std::uint32_t a = creator.from;
        const std::uint32_t b = creator.to;
        geoset.positions[index] = mean(geoset.positions[a], geoset.positions[b]);
        const Vec3& na = geoset.normals[a];
        const Vec3& nb = geoset.normals[b];
        geoset.normals[index] = normalisedOrUp({na[0] + nb[0], na[1] + nb[1], na[2] + nb[2]});
        for (std::vector<Vec2>& set : geoset.uvSets) set[index] = mean(set[a], set[b]);
        geoset.vertexGroups[index] = geoset.vertexGroups[a];
        screen[index] = mean(screen[a], screen[b]);
    });

    // One new selected triangle per split, after the whole ones, in front of a trailing
    // partial triangle. A triangle's second split reads its first split's midpoint.
    const std::size_t wholeEnd = 3 * triangles;
    std::vector<std::uint32_t>& corners = geoset.corners;
    corners.insert(corners.begin() + static_cast<std::ptrdiff_t>(wholeEnd), 3 * m, 0);
    document.selection.geosets[g].triangles.resize(triangles + m, 1);
    std::uint32_t* appended = &corners[wholeEnd];
    for (std::size_t i = 0; i < m; ++i, appended += 3) {
        constexpr std::uint32_t kNext[3] = {1, 2, 0};
        constexpr std::uint32_t kFar[3] = {2, 0, 1};
        const std::uint32_t c = splits[i].slot % 3;
        std::uint32_t* t = &corners[splits[i].slot - c];
        appended[0] = t[kNext[c]];
        appended[1] = t[kFar[c]];
        appended[2] = midpoint[i];
        t[kNext[c]] = midpoint[i];
    }
}

}  // namespace

void divideEdges(Document& document) {
    fitDocument(document);
    for (std::size_t g = 0; g < document.model.Geosets.size(); ++g) divideGeoset(document, g);
}

}  // namespace tess
