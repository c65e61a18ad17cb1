#pragma once

#include <cstddef>
#include <cstdint>

#include "model/model.h"

namespace tess::testing {

// The one-at-a-time removals the bulk routines must match: the slow, obviously right
// reference the tests compare them against.

// Removes corners 3t, 3t+1, 3t+2 and record t; later triangles move down by one.
inline void deleteTriangle(Geoset& geoset, std::size_t t) {
    const auto first = geoset.corners.begin() + static_cast<std::ptrdiff_t>(3 * t);
    geoset.corners.erase(first, first + 3);
    geoset.triangleSelected.erase(geoset.triangleSelected.begin() + static_cast<std::ptrdiff_t>(t));
}

// Removes vertex `v`; every corner index greater than `v` drops by one, corners equal to it
// are left alone.
inline void deleteVertex(Geoset& geoset, std::uint32_t v) {
    geoset.Vertices.erase(geoset.Vertices.begin() + v);
    for (std::uint32_t& corner : geoset.corners)
        if (corner > v) --corner;
}

}  // namespace tess::testing
