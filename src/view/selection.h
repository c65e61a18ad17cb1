#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/model.h"

namespace tess {

// The editor's marks on one geoset, parallel to its arrays: 1 = selected.
struct GeosetSelection {
    std::vector<std::uint8_t> vertices;   // viewport selection, per vertex
    std::vector<std::uint8_t> uvs;        // UV editor selection, per vertex
    std::vector<std::uint8_t> triangles;  // per triangle

    friend bool operator==(const GeosetSelection&, const GeosetSelection&) = default;
};

// What the user has marked in the document, kept beside the Model (which stores none of
// it): per geoset the selection flags and the shown flag (editor only: hidden geosets are
// neither drawn nor picked). The selected node is part of the View.
struct Selection {
    std::vector<GeosetSelection> geosets;  // parallel to Model::Geosets
    std::vector<std::uint8_t> shown;       // parallel to Model::Geosets, 1 = drawn

    // Sizes every array to `model`: entries that exist keep their value, new vertices and
    // triangles start unselected, new geosets shown. Run after anything that changes the
    // model's counts without keeping the selection in step (loading, undo).
    void fit(const Model& model);
    // Clears every flag and shows every geoset, sized to `model` (the state after a load).
    void reset(const Model& model);

    bool isShown(std::size_t geoset) const { return geoset < shown.size() && shown[geoset] != 0; }

    friend bool operator==(const Selection&, const Selection&) = default;
};

// The flag at `index`, 0 past the end: lets drawing and picking tolerate arrays that are
// shorter than the model's (they never are after fit, but a reader must never overrun).
inline std::uint8_t flagAt(const std::vector<std::uint8_t>& flags, std::size_t index) {
    return index < flags.size() ? flags[index] : std::uint8_t{0};
}

}  // namespace tess
