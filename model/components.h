// Connected components of the surface: labels per vertex and centroids per label.
#pragma once

// Highest label the component tables can hold while the labelling can still
// clear the selection flags of labels 0 .. NOcomp inclusive.
constexpr int MAX_COMPONENT_LABEL = 98;

// Labels every vertex with the number of its edge-connected component, in the
// order of the components' lowest vertex index (1, 2, ...), sets NOcomp to one
// more than the number of labels handed out, sets filledconn_comp, and clears
// the selection flags of labels 0 .. NOcomp. Components beyond label 98 keep
// label 0 (no component), so the 100-entry tables are never overrun. Does
// nothing when NOV <= 0 or NOE <= 0.
// Reads: NOV, NOE, edge. Writes: conn_comp, NOcomp, filledconn_comp, hilighted.
void fill_conn_comp();

// Flood step: gives vertex i, and every unlabelled vertex joined to it by a
// path of edges through unlabelled vertices, the label NOcomp. Iterative, so a
// component of any size labels without deep recursion.
// Reads: NOV, NOE, edge, NOcomp. Writes: conn_comp.
void fill_conn_comp1(int i);

// Recomputes the centroid of every label from the current labels (labelling
// first if no labelling was ever done); labels no vertex carries get (0, 0, 0).
// Reads: NOV, v, conn_comp, filledconn_comp. Writes: compCenter (and what
// fill_conn_comp writes, on the first call).
void fill_center_conn_comp();
