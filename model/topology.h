// Incidence queries: each a scan of the face or edge table in increasing index
// order, reading the counts at the moment of the call. None checks its indices.
#pragma once

// True when vertex `vtx` is one of the three corners of face `f`. Reads: face.
bool isFaceIncludeVertex(int f, int vtx);

// True when both vertices are corners of face `f` (unordered; the same vertex
// twice asks whether it is a corner). Reads: face.
bool isFaceIncludeEdge(int f, int a, int b);

// True when vertex `vtx` is an end of edge `e`. Reads: edge.
bool isEdgeIncludeVertex(int e, int vtx);

// Number of edges with `vtx` as an end; an edge from the vertex to itself counts
// once. Reads: NOE, edge.
int numberOfEdgesIncludeVertex(int vtx);

// Number of faces with `vtx` as a corner; each face counts at most once.
// Reads: NOS, face.
int numberOfFacesIncludeVertex(int vtx);

// Lowest index of an edge joining the two vertices in either order, or -1.
// Reads: NOE, edge.
int getEdgeIncludeVertices(int a, int b);

// Position (0, 1 or 2) of vertex `vtx` in face `f`: the last match, or 0 when
// the vertex is not a corner. Reads: face.
int getPhaseOfFace(int vtx, int f);

// The faces on edge `e`: *first gets the lowest-indexed face containing both
// ends, *second the highest-indexed other one; -1 where there is none.
// Reads: NOS, face, edge. Writes *first and *second.
void getsurface(int e, int* first, int* second);

// Exchanges the two integers.
void swap(int* a, int* b);
