#pragma once

#include <cstdint>

#include "model/model.h"

namespace tess {

// Mesh generators for the primitive commands. Each returns the shape as a new geoset
// holding only geometry: positions, unit normals pointing out of the shape, exactly one
// texture-coordinate set ((0, 0) unless stated), vertex group 0 and the corners, every
// triangle wound so that faceNormal points out of the shape. Material, matrix groups,
// bounds and the selection are the caller's.
//
// Lengths are model units and are used as given. Counts outside the ranges the primitive
// dialog allows are clamped into them (stated per generator), so no input can make a
// generator divide by zero or allocate without bound.

// A grid in the plane z = `z`, normal +Z, from (x - width/2, y - length/2) to
// (x + width/2, y + length/2); (w + 1)(l + 1) vertices with U = i/w, V = j/l; 2wl
// triangles. Segment counts 1..40.
Geoset generatePlane(float x, float y, float z, float width, float length, std::int32_t widthSegments,
                     std::int32_t lengthSegments);

// A closed box centred on (x, y, z): rings of 2(w + l) side vertices at h + 1 heights plus
// (w - 1)(l - 1) interior vertices per cap. Normals are the area-weighted means of the
// adjacent faces (corners point diagonally out). Segment counts 1..20.
Geoset generateBox(float x, float y, float z, float width, float length, float height,
                   std::int32_t widthSegments, std::int32_t lengthSegments, std::int32_t heightSegments);

// An icosahedron of radius `radius` about (x, y, z), each subdivision splitting every
// triangle into four with the new vertices pushed out to the sphere: 20 * 4^n triangles.
// Radial normals. Subdivisions 0..4.
Geoset generateGeosphere(float x, float y, float z, float radius, std::int32_t subdivisions);

// A cylinder standing on the circle about (x, y, z) up to z + `height`, with R vertices per
// ring and h + 1 rings, optionally closed by two fans round a centre vertex each. Wall
// vertices have radial normals; the centre vertices -Z and +Z. Radial segments 3..32,
// height segments 1..15.
Geoset generateCylinder(float x, float y, float z, float radius, float height, std::int32_t radialSegments,
                        std::int32_t heightSegments, bool capped);

// A tube between the radii `innerRadius` and `outerRadius` from z up to z + `height`: an
// inner wall facing the axis (normals towards it), an outer wall facing away, and two flat
// rings joining them at the ends. Radial segments 3..32, height segments 1..15.
Geoset generateTube(float x, float y, float z, float innerRadius, float outerRadius, float height,
                    std::int32_t radialSegments, std::int32_t heightSegments);

// A UV sphere of radius `radius` about (x, y, z): two poles and h - 1 rings of latitude of R
// vertices each. Radial normals. Radial segments 3..32, height segments 2..15.
Geoset generateSphere(float x, float y, float z, float radius, std::int32_t radialSegments,
                      std::int32_t heightSegments);

// Sets the geoset's MinimumExtent and MaximumExtent to the bounding box of its rest
// positions, and BoundsRadius to the largest distance of a vertex from that box's centre.
// Without vertices all three are zero.
void computeGeosetBounds(Geoset& geoset);

}  // namespace tess
