// The straightforward forms of smoothing and spreading (a scan of the edge
// list per vertex, a scan of the face list per edge), kept as references for
// the linear forms the program uses.
#pragma once

// One smoothing pass, counting and summing each vertex's neighbours by scanning
// all edges. Reads: NOV, NOE, edge. Writes: v.
void literalSmoothen();

// One spreading pass finding each edge's faces with getsurface, without the
// closing relaxation burst. Reads: NOV, NOE, NOS, edge, face, g_purtj. Writes: v.
void literalSpreadPass();
