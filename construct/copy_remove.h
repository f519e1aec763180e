// Whole-surface edits: copies, removing a vertex with its cells, the kago
// operation and reversing every face.
#pragma once

#include <string>
#include <vector>

// The copy's room rule, in words: why the surface cannot be copied, "" when
// it can (NOV <= MAX_VERTICES / 2, NOE <= MAX_EDGES / 4 and
// NOS <= MAX_FACES / 6: 15000, 15000 and 6666). Reads NOV, NOE, NOS.
std::string copyRefusal();

// Appends a copy of the whole surface, 2.0 further along x (mirror false) or
// reflected in the plane x = 1 with every copied face reversed (mirror true).
// Records no undo snapshot (addCopyCommand does). Copied vertices carry their
// source's label plus NOcomp and NOcomp doubles; a label that would pass the
// component tables (above 98) becomes 0, "no component", and NOcomp stops at
// 99. Refused, with no change, when copyRefusal() says why. Marks the face
// counts stale. Reads and writes the model, conn_comp, NOcomp,
// NOfaceOfVertex_on. Returns true when the copy was made.
bool addcopy(bool mirror);

// Deletes every vertex i with gone[i] (gone has NOV entries), every edge with
// such a vertex as an end and every face with one as a corner, in one pass
// each; the others keep their order and their indices close up. Vertices left
// without edges stay. Writes: v, edge, phi, face, NOV, NOE, NOS.
void removeVertices(const std::vector<bool>& gone);

// Deletes live vertex p, every edge with p as an end and every face with p as a
// corner; later edges, faces and vertices move down and indices above p
// decrease by one. Vertices left without edges stay. Does nothing for an index
// outside [0, NOV). Writes: v, edge, phi, face, NOV, NOE, NOS.
void remove(int p);

// Removes every vertex that lies in exactly 7 faces (on a subdivided surface:
// the old cell centres), judging the vertices in increasing index, each by the
// faces left once the earlier ones are gone, exactly as removing them one by
// one with remove() would; counts once, removes in one compaction. Marks the
// face counts stale. Writes what removeVertices() writes and NOfaceOfVertex_on.
void kago();

// Reverses every face by exchanging its corners 1 and 2. Writes: face.
void flipFace();
