#include "tools/mesh_export.h"

#include <cstdio>
#include <memory>
#include <unistd.h>

#include <assimp/Exporter.hpp>
#include <assimp/scene.h>

#include "io/writer.h"
#include "model/store.h"

namespace {
// The exporter of each format: binary PLY and STL (compact, read by every
// slicer), OBJ without a material file, glTF 2 binary, 3MF.
const char* assimpFormat(const std::string& extension)
{
    if (extension == ".obj")
        return "objnomtl";
    if (extension == ".ply")
        return "plyb";
    if (extension == ".stl")
        return "stlb";
    if (extension == ".glb")
        return "glb2";
    if (extension == ".3mf")
        return "3mf";
    return nullptr;
}

// One mesh of the surface's triangles, held by the one child of the root node
// (the 3MF exporter writes the meshes of child nodes only), and one material.
std::unique_ptr<aiScene> surfaceScene()
{
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode("root");
    aiNode* node = new aiNode("surface");
    node->mParent = scene->mRootNode;
    node->mNumMeshes = 1;
    node->mMeshes = new unsigned int[1]{0};
    scene->mRootNode->addChildren(1, &node);
    scene->mNumMaterials = 1;
    scene->mMaterials = new aiMaterial*[1]{new aiMaterial};
    scene->mNumMeshes = 1;
    scene->mMeshes = new aiMesh*[1]{new aiMesh};
    aiMesh* mesh = scene->mMeshes[0];
    mesh->mName = "surface";
    mesh->mMaterialIndex = 0;
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = static_cast<unsigned int>(NOV);
    mesh->mVertices = new aiVector3D[NOV];
    for (int i = 0; i < NOV; ++i)
        mesh->mVertices[i] = aiVector3D(static_cast<ai_real>(v[i].x), static_cast<ai_real>(v[i].y),
                                        static_cast<ai_real>(v[i].z));
    mesh->mNumFaces = static_cast<unsigned int>(NOS);
    mesh->mFaces = new aiFace[NOS];
    for (int f = 0; f < NOS; ++f) {
        mesh->mFaces[f].mNumIndices = 3;
        mesh->mFaces[f].mIndices = new unsigned int[3];
        for (int k = 0; k < 3; ++k)
            mesh->mFaces[f].mIndices[k] = static_cast<unsigned int>(face[f][k]);
    }
    return scene;
}

std::string offText()
{
    std::string text = "OFF\n" + std::to_string(NOV) + " " + std::to_string(NOS) + " 0\n";
    char line[128];
    for (int i = 0; i < NOV; ++i) {
        std::snprintf(line, sizeof line, "%.9g %.9g %.9g\n", v[i].x, v[i].y, v[i].z);
        text += line;
    }
    for (int f = 0; f < NOS; ++f) {
        std::snprintf(line, sizeof line, "3 %d %d %d\n", face[f][0], face[f][1], face[f][2]);
        text += line;
    }
    return text;
}
}  // namespace

bool isMeshFormat(const std::string& extension)
{
    return extension == ".off" || assimpFormat(extension) != nullptr;
}

bool exportMesh(const std::string& path, const std::string& extension, std::string* error)
{
    if (NOS == 0) {
        *error = "the surface has no faces";
        return false;
    }
    wxString reason;
    if (extension == ".off") {
        if (writeFileReplacing(path, offText(), &reason))
            return true;
        *error = std::string(reason.utf8_str());
        return false;
    }
    // Export beside the target, then move the finished file into place.
    const std::string temp = path + ".exporting" + extension;
    Assimp::Exporter exporter;
    const std::unique_ptr<aiScene> scene = surfaceScene();
    if (exporter.Export(scene.get(), assimpFormat(extension), temp) != AI_SUCCESS) {
        *error = exporter.GetErrorString();
        unlink(temp.c_str());
        return false;
    }
    return moveIntoPlace(temp, path, error);
}
