#pragma once

#include "editor/host.h"
#include "model/model.h"

namespace tess {

// The topology commands of the Vertex and Triangle menus. Each works on every geoset,
// hidden ones included, and takes its input from the selection: the vertices' viewport
// selection flags, or the triangle records' selection bytes. They change rest data only;
// the caches of the vertices they create are set to their rest values. User errors show
// an "Error" message box through `host` and leave the model unchanged.
//
// Corner indices outside a geoset's vertices are tolerated and never followed (see
// mesh_routines.h). Vertices without any texture-coordinate set are handled: they add
// nothing to averaged coordinates and receive none.
//
// Every operation is linear in the size of the geosets it touches, except that Divide
// sorts the splits meeting at one vertex: O(m log m) in its m splits at worst.

// Weld: moves the first selected vertex of each geoset to the centroid of all selected
// vertices of the model, points every corner on a selected vertex at it, removes the other
// selected vertices, gives it the mean first (u, v) of the geoset's selected vertices and
// rebuilds the geoset's normals. Then every geoset loses its degenerate triangles, and the
// pose is reset to the rest positions so the moved vertices are shown where they now are.
void weldVertices(Model& model);

// The Triangle menu's Weld: weldVertices, then the corners of the selected triangles
// become the viewport selection.
void weldVerticesThenSelectFaceCorners(Model& model);

// Divide: splits every edge whose two ends are selected at a new, unselected midpoint
// vertex (shared by both triangles of the edge within a geoset), adding one selected
// triangle per split. The midpoint averages position, every texture-coordinate set, screen
// position and (normalised) normal of its ends and takes the first end's vertex group.
void divideEdges(Model& model);

// Vertex mode Delete: removes every triangle using a selected vertex, then every selected
// vertex. Normals are kept.
void deleteSelectedVertices(Model& model);

// Create Triangle: from exactly three selected vertices of one geoset, appends a selected
// triangle wound against the first existing triangle that shares an edge with it.
// Errors: "Vertices must be in only one geoset." and "You must have exactly three vertices
// selected to make a triangle.".
void createTriangle(Model& model, Host& host);

// Triangle mode Delete: removes every selected triangle (vertices stay), then clears the
// viewport selection of the shown geosets.
void deleteSelectedTriangles(Model& model);

// Turn Edge: the two selected triangles of one geoset that run a shared edge in opposite
// directions exchange it for the other diagonal of their quad. Errors: "Select exactly two
// faces to use Turn Edge.", "The two faces for Turn Edge must be in the same geoset." and
// "The two faces do not share an edge.".
void turnEdge(Model& model, Host& host);

// Flip: reverses the winding of every selected triangle by swapping its first two corners.
void flipTriangles(Model& model);

}  // namespace tess
