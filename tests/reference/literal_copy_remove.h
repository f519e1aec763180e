// The straightforward forms of removing a vertex (each deleted edge and face
// closes its gap at once) and of kago (a face count by a full scan for every
// vertex, a removal per cell centre), kept as references for the one-pass forms
// the program uses.
#pragma once

// Deletes vertex p with its edges and faces, one deletion at a time.
void literalRemove(int p);

// Removes every vertex in exactly 7 faces, scanning and removing one by one.
void literalKago();
