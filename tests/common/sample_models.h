#pragma once

#include <cstddef>

#include "model/model.h"

namespace tess::testing {

// A small model holding every object kind, every track kind and every interpolation
// type, every value exactly representable with six decimals, and nothing that one of
// the two file formats leaves out: it survives MDX and MDL round trips unchanged.
// Two texture-coordinate sets, global sequences, keyed and static tracks, flags set.
// A ribbon emitter's node flags stay 0: MDX keeps only its emitter flags word.
Model makeRichModel();

// The generated model the benchmarks use: `geosetCount` geosets of `verticesPerGeoset`
// vertices each with two texture-coordinate sets and about two triangles per vertex,
// `boneCount` bones with keyed Translation and Rotation tracks of `keysPerTrack` keys.
Model makeLargeModel(std::size_t geosetCount, std::size_t verticesPerGeoset, std::size_t boneCount,
                     std::size_t keysPerTrack);

// Appends two triangles per quad of a grid of `columns` x `rows` quads whose vertices are
// numbered row by row from 0, (columns + 1) to a row.
void appendGridTriangles(Geoset& geoset, int columns, int rows);

}  // namespace tess::testing
