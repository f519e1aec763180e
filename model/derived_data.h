// Derived face data: the face-to-edge table, the revision of target lengths and
// corner orders, the face counts per vertex, and the vertex angle sums. Edits
// only raise the staleness flags; the drawing pass rebuilds what is flagged.
#pragma once

#include <string>

// Target lengths written by the revision pass (sines of 54 and 63 degrees).
extern const double REVISED_RIM_LENGTH;
extern const double REVISED_SPOKE_LENGTH;

// Rebuilds face2edge on a level-1 surface: slot k of face f gets the highest
// index of an edge joining corners k and k+1 (mod 3); a slot whose corner pair
// repeats an earlier slot of the same face, or that no edge joins, keeps its
// old value. Clears revised_face2edge (also on a subdivided surface, where it
// does nothing else). Reads: subdiv_level, NOS, face, NOE, edge. Writes:
// face2edge, revised_face2edge.
void make_face2edge();

// On a level-1 surface: recounts the faces per vertex if stale, reassigns every
// edge's target length from the face counts of its ends (one end a cell centre
// with 7 faces, the other with at most 6: spoke; both at most 6: rim; otherwise
// unchanged), rotates each face so that its short (rim) side comes first, and
// rebuilds face2edge. Clears revised_facedata (also on a subdivided surface,
// where it does nothing else). Reads: subdiv_level, the model, face2edge,
// NOfaceOfVertex. Writes: phi, face, face2edge, NOfaceOfVertex, the three flags.
void revise_facedata();

// Recounts NOfaceOfVertex for vertices 0 .. NOV-1 (a face naming a vertex twice
// counts twice) when NOfaceOfVertex_on is false, then sets it; otherwise does
// nothing. Reads: NOV, NOS, face. Writes: NOfaceOfVertex, NOfaceOfVertex_on.
void make_NOfaceOfVertex();

// Recomputes the angle sum of every vertex from the current positions (law of
// cosines, not clamped; a degenerate face gives sums that are not numbers).
// Reads: NOV, NOS, face, v. Writes: curvature.
void make_curvature();

// The angle sum of a vertex of a perfect surface at the current subdivision
// level s: 42 s^2 pi / (21 s^2 - 1). Reads: subdiv_level.
double theoryCurvature();

// The smallest and largest angle sum over the vertices with exactly 6 or 7
// faces, as the last repaint left curvature and NOfaceOfVertex; 999.9 and
// -999.9 when there is none. Reads: NOV, curvature, NOfaceOfVertex.
void curvatureRange(double* min, double* max);

// The Curvature Range report over the vertices with exactly 6 or 7 faces, as
// the last repaint left curvature and NOfaceOfVertex:
// "Curvature : min=%f, max=%f, theory=%f". Reads: NOV, curvature,
// NOfaceOfVertex, subdiv_level.
std::string curvatureRangeText();

// Brings the derived data up to date as a repaint does before drawing: the
// face-to-edge table and the revision when flagged, then the face counts and
// the angle sums. Reads and writes what the four functions above do.
void refreshDerivedData();
