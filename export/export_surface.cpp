#include "export/export_surface.h"

#include "geometry/thicken.h"
#include "io/writer.h"
#include "model/store.h"
#include "model/triangle_mesh.h"
#include "export/mesh_export.h"
#include "export/picture.h"
#include "export/print_report.h"

#include <cstdio>

bool isExportFormat(const std::string& extension)
{
    return isMeshFormat(extension) || isPictureFormat(extension);
}

bool isPrintFormat(const std::string& extension)
{
    return extension == ".stl" || extension == ".3mf";
}

bool exportSurface(const std::string& path, const std::string& extension, const PrintSize* print,
                   std::string* error, ExportNotes* notes)
{
    ExportNotes local;
    ExportNotes& n = notes ? *notes : local;
    n = ExportNotes{};
    TriangleMesh mesh = currentMesh();
    if (!meshIsFinite(mesh)) {
        *error = "the surface has positions that are not numbers (undo or relax it first)";
        return false;
    }
    if (isPictureFormat(extension))
        return renderPicture(path, extension, error);
    if (print) {
        if (!(print->rimEdgeMm > 0) || !(print->thicknessMm > 0)) {
            *error = "the thickness and the edge length must be positive";
            return false;
        }
        const double scale = print->rimEdgeMm / RIM_LENGTH;
        n.scale = scale;
        TriangleMesh solid;
        if (!thickenChecked(mesh, print->thicknessMm / scale, print->allowCrossing, &solid, &n.wall, error)) {
            if (n.wall.crossingPairs > 0) {
                char text[200];
                std::snprintf(text, sizeof text, "at %.3g mm the solid passes through itself (%d pairs of faces cross)",
                              print->thicknessMm, n.wall.crossingPairs);
                *error = text;
                if (n.wall.cleanThickness > 0) {
                    std::snprintf(text, sizeof text, "; the largest clean thickness found is %.3g mm",
                                  n.wall.cleanThickness * scale);
                    *error += text;
                }
            }
            return false;
        }
        scaleMesh(solid, scale);
        mesh = std::move(solid);
        n.thickened = true;
    }
    if (extension == ".glb")
        scaleMesh(mesh, 0.001);  // glTF is read in metres
    n.warnings = printWarnings(mesh, extension);
    return writeMeshFile(path, extension, mesh, error);
}
