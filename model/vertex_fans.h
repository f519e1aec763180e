// How the faces around one vertex hang together: how many fans (runs of faces
// joined by the edges at the vertex) they form, whether a single fan closes,
// and the vertex's boundary neighbours.
#pragma once

#include <string>

struct VertexFans {
    int faces = 0;   // faces holding the vertex
    int fans = 0;    // runs of those faces joined by a shared edge at the vertex
    bool closed = false;  // one fan that goes all the way round
    int start = -1;  // the boundary neighbour the surface's boundary runs on to (vertex -> start is a face side
                     // no face runs back along), -1 when there is not exactly one
    int end = -1;    // the boundary neighbour the boundary comes from (end -> vertex), -1 likewise
};

// The fans at vertex `vtx` (a scan of every face). Reads: NOS, face.
VertexFans vertexFans(int vtx);

// Whether vertex `vtx` is pinched: it lies in faces that do not form one fan,
// so that the surface meets itself only in that point. Reads: NOS, face.
bool isPinched(int vtx);

// The warning after a glue that left vertex `vtx` pinched, one line naming
// Undo ("" when it is not pinched). Reads: NOS, face.
std::string pinchWarning(int vtx);
