#include "model/model.h"

namespace tess {

namespace {

template <class T>
void appendCopy(std::vector<T>& values, std::uint32_t source) {
    values.push_back(source < values.size() ? values[source] : T{});
}

}  // namespace

void Geoset::resizeVertices(std::size_t count) {
    positions.resize(count);
    normals.resize(count);
    for (std::vector<Vec2>& set : uvSets) set.resize(count);
    vertexGroups.resize(count);
}

std::uint32_t Geoset::appendVertexCopy(std::uint32_t source) {
    const auto index = static_cast<std::uint32_t>(positions.size());
    appendCopy(positions, source);
    appendCopy(normals, source);
    for (std::vector<Vec2>& set : uvSets) appendCopy(set, source);
    appendCopy(vertexGroups, source);
    return index;
}

void Geoset::removeVertices(const std::vector<std::uint8_t>& doomed) {
    eraseDoomed(positions, doomed);
    eraseDoomed(normals, doomed);
    for (std::vector<Vec2>& set : uvSets) eraseDoomed(set, doomed);
    eraseDoomed(vertexGroups, doomed);
}

}  // namespace tess
