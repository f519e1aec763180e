// Whole-surface edits: copies, removing a vertex with its cells, the kago
// operation and reversing every face.
#pragma once

#include <vector>

// Appends a copy of the whole surface, 2.0 further along x (mirror false) or
// reflected in the plane x = 1 with every copied face reversed (mirror true);
// records an undo snapshot first. Copied vertices carry their source's label
// plus NOcomp and NOcomp doubles; a label that would pass the component tables
// (above 98) becomes 0, "no component", and NOcomp stops at 99. Refused, with
// no change and no snapshot, unless NOV <= 15000, NOE <= 15000 and
// NOS <= 6666. Marks the face counts stale. Reads and writes the model,
// conn_comp, NOcomp, NOfaceOfVertex_on, the undo history. Returns true when
// the copy was made.
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
