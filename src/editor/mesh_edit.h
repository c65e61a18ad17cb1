#pragma once

#include "editor/document.h"
#include "editor/host.h"

namespace tess {

// The topology commands of the Vertex and Triangle menus. Each works on every geoset,
// hidden ones included, and takes its input from `document.selection`: the vertices'
// viewport flags or the triangles' flags. They change the model's stored data and keep every
// parallel array of the document in step (vertex_arrays.h); a vertex they create starts
// unselected with its animated position at its rest position. User errors show an "Error"
// message box through `host` and leave the document unchanged. Each first fits the document
// (fitDocument), so arrays of the wrong length can never be overrun.
//
// Corner indices outside a geoset's vertices are tolerated and never followed (see
// vertex_arrays.h). A geoset without texture sets is handled: it adds nothing to averaged
// coordinates and receives none.
//
// Every operation is linear in the size of the geosets it touches, except that Divide
// sorts the splits meeting at one vertex: O(m log m) in its m splits at worst.

// Weld: moves the first selected vertex of each geoset to the centroid of all selected
// vertices of the model, points every corner on a selected vertex at it, removes the other
// selected vertices, gives it the mean first (u, v) of the geoset's selected vertices and
// rebuilds the geoset's normals. Then every geoset loses its degenerate triangles, and the
// pose is reset to the rest positions so the moved vertices are shown where they now are.
void weldVertices(Document& document);

// The Triangle menu's Weld: weldVertices, then the corners of the selected triangles
// become the viewport selection.
void weldVerticesThenSelectFaceCorners(Document& document);

// Divide: splits every edge whose two ends are selected at a new, unselected midpoint
// vertex (shared by both triangles of the edge within a geoset), adding one selected
// triangle per split. The midpoint averages position, every texture-coordinate set and screen
// position of its ends, takes their normalised normal sum ((0, 0, 1) when it is zero) and the
// first end's vertex group. Other vertices keep their animated positions.
void divideEdges(Document& document);

// Vertex mode Delete: removes every triangle using a selected vertex, then every selected
// vertex. Normals are kept.
void deleteSelectedVertices(Document& document);

// Create Triangle: from exactly three selected vertices of one geoset, appends a selected
// triangle wound against the first existing triangle that shares an edge with it.
// Errors: "Vertices must be in only one geoset." and "You must have exactly three vertices
// selected to make a triangle.".
void createTriangle(Document& document, Host& host);

// Triangle mode Delete: removes every selected triangle (vertices stay), then clears the
// viewport selection of the shown geosets.
void deleteSelectedTriangles(Document& document);

// Turn Edge: the two selected triangles of one geoset that run a shared edge in opposite
// directions exchange it for the other diagonal of their quad. Errors: "Select exactly two
// faces to use Turn Edge.", "The two faces for Turn Edge must be in the same geoset." and
// "The two faces do not share an edge.".
void turnEdge(Document& document, Host& host);

// Flip: reverses the winding of every selected triangle by swapping its first two corners.
void flipTriangles(Document& document);

}  // namespace tess
