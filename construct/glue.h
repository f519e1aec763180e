// Gluing (pasting) boundary vertices: one pair at a time, or every seam at once.
#pragma once

#include <string>
#include <vector>

// The gluing rule, the only one, in words: why vertices a and b may not be
// pasted, "" when they may. They must both be live and different, the surface
// not subdivided, no face may hold both, each may lie in at most 5 faces, the
// edge table must have room for one more edge, and the paste must not fold
// the surface (foldingRefusal). The mouse's paste, the
// tool's paste=A,B (both through pasteCommand) and the glues of Shift + double
// click all ask it. Reads NOV, NOE, NOS, face, subdiv_level.
std::string pasteRefusal(int a, int b);

// The part of the gluing rule that keeps a surface a surface, in words: why
// pasting a and b would fold it onto itself ("" when it would not): a face
// holds both (it would lose a corner), or a neighbour of both is joined to
// them by sides that hold more than two faces together (the pasted side would
// hold them all, which no surface, and no file the reader accepts, has).
// facesOfA and facesOfB list the faces holding a and b. Reads face.
std::string foldingRefusal(int a, int b, const std::vector<int>& facesOfA, const std::vector<int>& facesOfB);

// Merges vertices a and b: the lower index survives with its own position, the
// higher is removed and later vertices move down one place; every reference to
// the removed vertex goes to the survivor; of edges that now join the same two
// vertices only the lowest-indexed survives (one pass over a hash set, keeping
// the order). Marks the derived face data stale. Does nothing when a == b or
// either is not a live vertex. Writes: v, edge, phi, face, NOV, NOE, the
// staleness flags.
void pasteVertices(int a, int b);

// The first face in list[0 .. n-1], other than f, that holds vertex i and the
// corner of f next to i: the one before i in f's corner order when `before` is
// true, the one after it otherwise; -1 when there is none. Reads: face.
int getNbdFace(int i, int f, const int* list, int n, bool before);

// Zips every seam: repeatedly finds the lowest vertex whose 6 faces form one
// open fan and pastes the fan's two boundary neighbours, unless that would
// fold the surface (foldingRefusal; the vertex is then passed over until a
// paste changes its fan), until no such vertex is left; then marks the derived face data stale. The result is that of
// pasting with pasteVertices() and restarting the scan at vertex 0 after each
// paste, but the pastes are made in the starting numbering with a
// vertex-to-face index kept up to date, only the vertices whose fans a paste
// changed are looked at again, and the tables are renumbered and cleared of
// duplicate edges once at the end: O(n log n) in all. Writes what
// pasteVertices writes.
void pasteAllpastableEdges();
