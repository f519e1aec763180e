// Figures that describe a surface as a whole: sizes, topology, and how close
// it is to its target edge lengths.
#pragma once

#include <map>

struct SurfaceInfo {
    int vertices = 0, edges = 0, faces = 0, level = 1;
    int components = 0;              // edge-connected parts; a vertex without edges is a part of its own
    int euler = 0;                   // V - E + F
    int boundaryEdges = 0;           // edges that are a side of exactly one face
    int boundaryLoops = 0;           // connected runs of boundary edges
    int inconsistentEdges = 0;       // edges whose two faces run along them in the same direction
    bool orientable = true;          // the faces can be turned so that every edge's two faces run opposite ways
    int pinchedVertices = 0;         // vertices whose faces form more than one fan (parts that meet at a point)
    bool manifold = true;            // no pinched vertex and no edge in more than two faces
    int genus = -1;                  // orientable: the sum over face-connected parts of (2 - chi - loops) / 2;
                                     // -1 when not orientable or not a manifold
    std::map<int, int> faceCounts;   // number of face corners at a vertex -> number of such vertices
    double maxEdgeError = 0;         // max over edges of |L - phi| / phi at the stored positions
    double angleSumMin = 999.9;      // the Curvature Range figures (vertices with 6 or 7 faces);
    double angleSumMax = -999.9;     // min > max when there is no such vertex
    double theory = 0;
};

// Describes the current surface, with the face counts and angle sums of the
// last derived-data refresh (refreshDerivedData). Reads the model,
// NOfaceOfVertex, curvature, subdiv_level.
SurfaceInfo surfaceInfo();
