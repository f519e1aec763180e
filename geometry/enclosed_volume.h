// The signed volume a surface encloses once every hole is capped: which way
// its faces point, outward or inward.
#pragma once

// The volume of the closed surface made of the faces and, over each boundary
// loop, a fan of triangles from the loop's centroid, each face counted with the
// sign of its corner order: positive when the normals (faceNormal) point away
// from the enclosed side, negative when they point into it, about 0 for a flat
// or open sheet. Reads: NOS, face, v. Writes nothing.
double enclosedVolume();
