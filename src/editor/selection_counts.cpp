#include "editor/selection_counts.h"

#include <algorithm>

namespace tess {

namespace {

std::size_t countSet(const std::vector<std::uint8_t>& flags) {
    return flags.size() - static_cast<std::size_t>(std::count(flags.begin(), flags.end(), std::uint8_t{0}));
}

}  // namespace

SelectionCounts countSelection(const Selection& selection) {
    SelectionCounts counts;
    for (std::size_t i = 0; i < selection.geosets.size(); ++i) {
        const std::size_t vertices = countSet(selection.geosets[i].vertices);
        const std::size_t triangles = countSet(selection.geosets[i].triangles);
        counts.allVertices += vertices;
        counts.allTriangles += triangles;
        if (!selection.isShown(i)) continue;
        counts.shownVertices += vertices;
        counts.shownTriangles += triangles;
    }
    return counts;
}

}  // namespace tess
