// Whole-surface edits: copies, removing a vertex with its cells, the kago
// operation and reversing every face.
#pragma once

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

// Deletes live vertex p, every edge with p as an end and every face with p as a
// corner; later edges, faces and vertices move down and indices above p
// decrease by one. Vertices left without edges stay. Does nothing for an index
// outside [0, NOV). Writes: v, edge, phi, face, NOV, NOE, NOS.
void remove(int p);

// Removes, with remove(), every vertex that lies in exactly 7 faces (on a
// subdivided surface: the old cell centres). Marks the face counts stale.
// Writes what remove() writes and NOfaceOfVertex_on.
void kago();

// Reverses every face by exchanging its corners 1 and 2. Writes: face.
void flipFace();
