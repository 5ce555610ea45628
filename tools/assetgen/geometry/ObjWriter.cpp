#include "geometry/ObjWriter.h"

#include <cstdio>
#include <filesystem>

namespace {
// Fixed-point text keeps the file identical from run to run; "-0.0000" is written as "0.0000".
void writeNumber(std::FILE* file, float value) {
    if (value > -0.00005f && value < 0.00005f) value = 0.0f;
    std::fprintf(file, " %.4f", value);
}
}  // namespace

void writeObj(const std::string& directory, const std::string& baseName, const SceneModel& scene,
              const std::vector<MaterialFile>& materials) {
    std::filesystem::create_directories(directory);
    std::FILE* mtl = std::fopen((directory + "/" + baseName + ".mtl").c_str(), "w");
    for (const MaterialFile& m : materials) {
        std::fprintf(mtl, "newmtl %s\nKa 0 0 0\nKd 1 1 1\nKs 0.5 0.5 0.5\nNs %.0f\nd 1\nillum 2\n",
                     m.name.c_str(), m.shininess);
        std::fprintf(mtl, "map_Kd %s\n\n", m.diffuseMap.c_str());
    }
    std::fclose(mtl);

    std::FILE* obj = std::fopen((directory + "/" + baseName + ".obj").c_str(), "w");
    std::fprintf(obj, "# Murkmoor: the house, its grounds and props\nmtllib %s.mtl\n",
                 baseName.c_str());
    size_t base = 1;
    for (const SceneObject& object : scene.objects()) {
        if (object.mesh.indices.empty()) continue;
        std::fprintf(obj, "o %s\n", object.name.c_str());
        for (const MeshVertex& v : object.mesh.vertices) {
            std::fputc('v', obj);
            for (int k = 0; k < 3; ++k) writeNumber(obj, v.position[k]);
            std::fputc('\n', obj);
        }
        for (const MeshVertex& v : object.mesh.vertices) {
            std::fputs("vt", obj);
            for (int k = 0; k < 2; ++k) writeNumber(obj, v.uv[k]);
            std::fputc('\n', obj);
        }
        for (const MeshVertex& v : object.mesh.vertices) {
            std::fputs("vn", obj);
            for (int k = 0; k < 3; ++k) writeNumber(obj, v.normal[k]);
            std::fputc('\n', obj);
        }
        std::fprintf(obj, "usemtl %s\n", object.material.c_str());
        const auto& idx = object.mesh.indices;
        for (size_t i = 0; i + 2 < idx.size(); i += 3) {
            std::fputc('f', obj);
            for (int k = 0; k < 3; ++k) {
                const size_t n = base + idx[i + k];
                std::fprintf(obj, " %zu/%zu/%zu", n, n, n);
            }
            std::fputc('\n', obj);
        }
        base += object.mesh.vertices.size();
    }
    std::fclose(obj);
}
