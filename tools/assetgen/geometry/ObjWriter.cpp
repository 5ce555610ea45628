#include "geometry/ObjWriter.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace {
// Fixed-point text keeps the file identical from run to run; "-0.0000" is written as "0.0000".
std::string formatNumbers(const float* values, int count) {
    std::string text;
    char buffer[32];
    for (int i = 0; i < count; ++i) {
        float v = values[i];
        if (v > -0.00005f && v < 0.00005f) v = 0.0f;
        std::snprintf(buffer, sizeof buffer, " %.4f", v);
        text += buffer;
    }
    return text;
}

// Numbered lines of one kind ("v", "vt", "vn"), each distinct line written once.
class LineTable {
public:
    explicit LineTable(const char* tag) : tag(tag) {}
    size_t index(const std::string& numbers) {
        const auto found = indices.find(numbers);
        if (found != indices.end()) return found->second;
        lines.push_back(numbers);
        return indices[numbers] = lines.size() + firstIndex - 1;
    }
    void flush(std::FILE* file) {
        for (const std::string& line : lines) std::fprintf(file, "%s%s\n", tag, line.c_str());
        firstIndex += lines.size();
        lines.clear();
        indices.clear();
    }

private:
    const char* tag;
    size_t firstIndex = 1;
    std::vector<std::string> lines;
    std::unordered_map<std::string, size_t> indices;
};
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
    LineTable positions("v");
    LineTable uvs("vt");
    LineTable normals("vn");
    for (const SceneObject& object : scene.objects()) {
        if (object.mesh.indices.empty()) continue;
        std::vector<std::array<size_t, 3>> corners;
        for (const MeshVertex& v : object.mesh.vertices) {
            corners.push_back({positions.index(formatNumbers(&v.position.x, 3)),
                               uvs.index(formatNumbers(&v.uv.x, 2)),
                               normals.index(formatNumbers(&v.normal.x, 3))});
        }
        std::fprintf(obj, "o %s\n", object.name.c_str());
        positions.flush(obj);
        uvs.flush(obj);
        normals.flush(obj);
        std::fprintf(obj, "usemtl %s\n", object.material.c_str());
        const auto& idx = object.mesh.indices;
        for (size_t i = 0; i + 2 < idx.size(); i += 3) {
            std::fputc('f', obj);
            for (int k = 0; k < 3; ++k) {
                const auto& c = corners[idx[i + k]];
                std::fprintf(obj, " %zu/%zu/%zu", c[0], c[1], c[2]);
            }
            std::fputc('\n', obj);
        }
    }
    std::fclose(obj);
}
