// Consistency check of the surface store: the tests run it after their
// mutations, the fuzz targets after every accepted input and every command.
#pragma once

#include <string>

// Checks every invariant of the store that the commands rely on and that
// holds for every surface the reader accepts (parseSurfaceText refuses a file
// that breaks one of them) and every command keeps:
//   - the counts NOV, NOE, NOS lie within [0, capacity], subdiv_level within
//     1 .. 6, NOcomp within [0, MAX_COMPONENTS);
//   - every live position is finite; every live target length `phi` is finite
//     and positive;
//   - connectivity: every edge end and face corner is a live vertex,
//     [0, NOV); the three corners of every face are different vertices; no
//     side of a face (an unordered pair of its corners) is a side of more than
//     two faces, so that the faces at every side form a surface;
//   - every component label lies within [0, MAX_COMPONENTS).
// The reader does not refuse, so the store may hold and the commands cope
// with, and this check accepts: an edge whose two ends are one vertex, two
// edges that join the same two vertices, a face side with no edge along it,
// an edge on no face, a vertex on no edge, two faces that run the same way
// along a shared side (no consistent orientation), a vertex whose faces form
// more than one fan (pinched), several components, labels that no longer
// match the components (pastes and removals do not relabel), positions far
// out (the runaway guard, not the store, keeps those in bounds).
// Reads the model and the component tables. Returns an empty string when the
// store is sound, otherwise a description of the first fault found.
std::string validateStore();
