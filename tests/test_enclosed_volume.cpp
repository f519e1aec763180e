// Which way a surface's faces point: the signed volume it encloses with its
// holes capped.
#include "tests/fixture.h"

#include "construct/copy_remove.h"
#include "geometry/enclosed_volume.h"

namespace {
// The octahedron with corners at distance 1 on the axes, moved by `shift`,
// every face's normal pointing outward; the face of the three positive
// corners left out when `open` (a triangular hole). Encloses 4/3.
void octahedron(bool open, Point3 shift)
{
    NOV = 6;
    const Point3 corners[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int i = 0; i < 6; ++i)
        v[i] = Point3{corners[i].x + shift.x, corners[i].y + shift.y, corners[i].z + shift.z};
    NOS = 0;
    for (int sx = 0; sx < 2; ++sx)
        for (int sy = 0; sy < 2; ++sy)
            for (int sz = 0; sz < 2; ++sz) {
                if (open && sx + sy + sz == 0)
                    continue;
                const int a = sx, b = 2 + sy, c = 4 + sz;
                const bool outward = (sx + sy + sz) % 2 == 0;  // an even number of negative corners
                face[NOS][0] = a;
                face[NOS][1] = outward ? b : c;
                face[NOS][2] = outward ? c : b;
                ++NOS;
            }
}
}  // namespace

TEST_F(StoreTest, EnclosedVolumeIsPositiveForOutwardFacesWhereverTheSurfaceIs)
{
    for (const bool open : {false, true})
        for (const Point3 shift : {Point3{0, 0, 0}, Point3{3, -2, 5}}) {
            SCOPED_TRACE(std::string(open ? "open" : "closed") + (shift.x != 0 ? ", moved" : ""));
            octahedron(open, shift);
            EXPECT_NEAR(enclosedVolume(), 4.0 / 3, 1e-12);
            flipFace();
            EXPECT_NEAR(enclosedVolume(), -4.0 / 3, 1e-12) << "turned inside out";
        }
}

TEST_F(StoreTest, AFlatSheetEnclosesNothing)
{
    octahedron(false, Point3{0, 0, 0});
    // Keep the four faces on the positive z corner and press them flat: a square with its
    // hole on the boundary.
    int kept = 0;
    for (int f = 0; f < NOS; ++f)
        if (face[f][0] == 4 || face[f][1] == 4 || face[f][2] == 4) {
            for (int k = 0; k < 3; ++k)
                face[kept][k] = face[f][k];
            ++kept;
        }
    NOS = kept;
    v[4].z = 0;
    EXPECT_NEAR(enclosedVolume(), 0, 1e-12);
}
