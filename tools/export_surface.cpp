#include "tools/export_surface.h"

#include "geometry/thicken.h"
#include "io/writer.h"
#include "model/store.h"
#include "model/triangle_mesh.h"
#include "tools/mesh_export.h"
#include "tools/picture.h"

bool isExportFormat(const std::string& extension)
{
    return isMeshFormat(extension) || isPictureFormat(extension);
}

bool isPrintFormat(const std::string& extension)
{
    return extension == ".stl" || extension == ".3mf";
}

bool exportSurface(const std::string& path, const std::string& extension, const PrintSize* print,
                   std::string* error)
{
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
        TriangleMesh solid;
        if (!thickenMesh(mesh, print->thicknessMm / scale, &solid, error))
            return false;
        scaleMesh(solid, scale);
        mesh = std::move(solid);
    }
    return writeMeshFile(path, extension, mesh, error);
}
