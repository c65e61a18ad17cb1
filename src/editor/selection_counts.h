#pragma once

#include <cstddef>

#include "view/selection.h"

namespace tess {

// How many vertices (viewport flags) and triangles are selected, in the shown geosets and
// in all of them.
struct SelectionCounts {
    std::size_t shownVertices = 0;
    std::size_t shownTriangles = 0;
    std::size_t allVertices = 0;
    std::size_t allTriangles = 0;
    friend bool operator==(const SelectionCounts&, const SelectionCounts&) = default;
};

SelectionCounts countSelection(const Selection& selection);

}  // namespace tess
