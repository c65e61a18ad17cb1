// Divide. The step-by-step rule walks the corners of each triangle, splits an edge whose
// two ends are selected and looks the edge up in a table of earlier splits. Here the
// splits are found first and grouped by their lower vertex, so the midpoint of every edge
// is known before anything is written. The result is the same; memory is walked nearly in
// order, and the cost stays O(m log m) in the number of splits m even when one vertex has
// many edges.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "editor/mesh_edit.h"
#include "editor/mesh_routines.h"

namespace tess {
namespace {

float mean(float a, float b) {
    return (a + b) / 2;
}

Vec3 mean(const Vec3& a, const Vec3& b) {
    return {mean(a[0], b[0]), mean(a[1], b[1]), mean(a[2], b[2])};
}

// Each set of `a` averaged with the same set of `b`; a set `b` lacks is kept from `a`.
void averageSets(SmallVector<float, 2>& out, const SmallVector<float, 2>& a, const SmallVector<float, 2>& b) {
    out.resize(a.size());
    for (std::size_t s = 0; s < a.size(); ++s) out[s] = s < b.size() ? mean(a[s], b[s]) : a[s];
}

// Appends the midpoint of the edge from vertex `from` to vertex `to`. The caller has
// reserved room, so appending moves no vertex.
void appendMidpoint(std::vector<Vertex>& vertices, std::uint32_t from, std::uint32_t to) {
    Vertex& m = vertices.emplace_back();
    const Vertex& a = vertices[from];
    const Vertex& b = vertices[to];
    m.position = mean(a.position, b.position);
    const Vec3 normalSum{a.normal[0] + b.normal[0], a.normal[1] + b.normal[1], a.normal[2] + b.normal[2]};
    m.normal = normalisedOrUp(normalSum);
    averageSets(m.U, a.U, b.U);
    averageSets(m.V, a.V, b.V);
    m.screenPosition = mean(a.screenPosition, b.screenPosition);
    m.vertexGroup = a.vertexGroup;
    settleNewVertex(m);
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

struct Edge {
    std::uint32_t from = 0;  // the corner the split is at: the midpoint takes its group
    std::uint32_t to = 0;    // the next corner
    std::uint32_t low() const { return std::min(from, to); }
    std::uint32_t high() const { return std::max(from, to); }
};

// Groups up to this size are searched pair by pair, larger ones sorted.
constexpr std::ptrdiff_t kScanLimit = 16;

// For every split, in walk order, the index its midpoint will have: the splits of one
// edge share the midpoint made at the edge's first split, and midpoints are numbered from
// `vertexCount` in the order of those first splits, which are appended to `creators`.
std::vector<std::uint32_t> midpointIndices(const std::vector<Edge>& splits, std::size_t vertexCount,
                                           std::vector<std::uint32_t>& creators) {
    const std::size_t m = splits.size();
    // Splits grouped by their lower vertex with a stable counting sort, so every group
    // lists its splits in walk order.
    std::vector<std::uint32_t> groupStart(vertexCount + 1);
    for (const Edge& e : splits) ++groupStart[e.low() + 1];
    for (std::size_t v = 0; v < vertexCount; ++v) groupStart[v + 1] += groupStart[v];
    struct Entry {
        std::uint32_t otherEnd;
        std::uint32_t split;
    };
    std::vector<Entry> grouped(m);
    std::vector<std::uint32_t> fill(groupStart.begin(), groupStart.end() - 1);
    for (std::size_t i = 0; i < m; ++i)
        grouped[fill[splits[i].low()]++] = {splits[i].high(), static_cast<std::uint32_t>(i)};

    std::vector<std::uint32_t> first(m);
    for (std::size_t v = 0; v < vertexCount; ++v) {
        const auto begin = grouped.begin() + groupStart[v];
        const auto end = grouped.begin() + groupStart[v + 1];
        if (end - begin <= kScanLimit) {
            // A group lists its splits in walk order: the first one with the same other
            // end is the edge's first split.
            for (auto i = begin; i != end; ++i) {
                auto j = begin;
                while (j->otherEnd != i->otherEnd) ++j;
                first[i->split] = j->split;
            }
            continue;
        }
        // Ordered by the other end, then by walk order: each run is one edge, led by its first split.
        std::sort(begin, end, [](const Entry& x, const Entry& y) {
            return x.otherEnd != y.otherEnd ? x.otherEnd < y.otherEnd : x.split < y.split;
        });
        for (auto run = begin; run != end; ++run) {
            const bool sameEdge = run != begin && (run - 1)->otherEnd == run->otherEnd;
            first[run->split] = sameEdge ? first[(run - 1)->split] : run->split;
        }
    }

    std::vector<std::uint32_t> midpoint(m);
    creators.reserve(m);
    auto next = static_cast<std::uint32_t>(vertexCount);
    for (std::size_t i = 0; i < m; ++i) {
        if (first[i] != i) {
            midpoint[i] = midpoint[first[i]];
            continue;
        }
        midpoint[i] = next++;
        creators.push_back(static_cast<std::uint32_t>(i));
    }
    return midpoint;
}

void divideGeoset(Geoset& geoset) {
    const std::size_t triangles = geoset.triangleCount();
    const std::size_t vertexCount = geoset.Vertices.size();
    const std::vector<std::uint8_t> selected = vertexSelection(geoset);
    const auto isSelected = [&selected](std::uint32_t v) { return unsigned{flagAt(selected, v)}; };

    std::vector<std::uint8_t> pattern(triangles);
    std::size_t splitCount = 0;
    for (std::size_t f = 0; f < triangles; ++f) {
        const std::uint32_t* t = &geoset.corners[3 * f];
        pattern[f] =
            static_cast<std::uint8_t>(isSelected(t[0]) | isSelected(t[1]) << 1 | isSelected(t[2]) << 2);
        splitCount += kSplitPatterns[pattern[f]].count;
    }
    if (splitCount == 0) return;
    // Both entries are written for every triangle and only its count is kept, so the
    // loop does not branch on a selection that may be random.
    std::vector<Edge> splits(splitCount + 2);
    Edge* out = splits.data();
    for (std::size_t f = 0; f < triangles; ++f) {
        const std::uint32_t* t = &geoset.corners[3 * f];
        const SplitPattern& p = kSplitPatterns[pattern[f]];
        out[0] = {t[p.corner[0]], t[p.next[0]]};
        out[1] = {t[p.corner[1]], t[p.next[1]]};
        out += p.count;
    }
    splits.resize(splitCount);
    std::vector<std::uint32_t> creators;
    const std::vector<std::uint32_t> midpoint = midpointIndices(splits, vertexCount, creators);

    geoset.Vertices.reserve(vertexCount + creators.size());
    for (const std::uint32_t creator : creators)
        appendMidpoint(geoset.Vertices, splits[creator].from, splits[creator].to);

    // New triangles go after the whole ones, in front of a trailing partial triangle.
    const std::size_t wholeEnd = 3 * triangles;
    const std::vector<std::uint32_t> trailer(geoset.corners.begin() + static_cast<std::ptrdiff_t>(wholeEnd),
                                             geoset.corners.end());
    geoset.corners.resize(wholeEnd + 3 * splits.size());
    geoset.corners.insert(geoset.corners.end(), trailer.begin(), trailer.end());
    geoset.triangleSelected.resize(triangles + splits.size(), 1);
    std::uint32_t* appended = &geoset.corners[wholeEnd];
    std::size_t next = 0;
    for (std::size_t f = 0; f < triangles; ++f) {
        const SplitPattern& p = kSplitPatterns[pattern[f]];
        std::uint32_t* t = &geoset.corners[3 * f];
        for (unsigned k = 0; k < p.count; ++k) {
            const unsigned c = p.corner[k];
            const std::uint32_t m = midpoint[next++];
            appended[0] = t[(c + 1) % 3];
            appended[1] = t[(c + 2) % 3];
            appended[2] = m;
            appended += 3;
            t[(c + 1) % 3] = m;
        }
    }
}

}  // namespace

void divideEdges(Model& model) {
    for (Geoset& geoset : model.Geosets) divideGeoset(geoset);
}

}  // namespace tess
