#include "TestScene.h"

#include <stb/stb_image_write.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
const glm::vec3 kSkyColours[6] = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200},
                                  {200, 200, 40}, {40, 200, 200}, {200, 40, 200}};

std::string boxObject(const SceneBox& box, int& vertexBase) {
    const glm::vec3 a = box.min;
    const glm::vec3 b = box.max;
    // Each face: four corners counter-clockwise seen from outside, and its normal.
    const glm::vec3 faces[6][5] = {
        {{a.x, a.y, b.z}, {b.x, a.y, b.z}, {b.x, b.y, b.z}, {a.x, b.y, b.z}, {0, 0, 1}},
        {{b.x, a.y, a.z}, {a.x, a.y, a.z}, {a.x, b.y, a.z}, {b.x, b.y, a.z}, {0, 0, -1}},
        {{b.x, a.y, b.z}, {b.x, a.y, a.z}, {b.x, b.y, a.z}, {b.x, b.y, b.z}, {1, 0, 0}},
        {{a.x, a.y, a.z}, {a.x, a.y, b.z}, {a.x, b.y, b.z}, {a.x, b.y, a.z}, {-1, 0, 0}},
        {{a.x, b.y, b.z}, {b.x, b.y, b.z}, {b.x, b.y, a.z}, {a.x, b.y, a.z}, {0, 1, 0}},
        {{a.x, a.y, a.z}, {b.x, a.y, a.z}, {b.x, a.y, b.z}, {a.x, a.y, b.z}, {0, -1, 0}},
    };
    std::ostringstream obj;
    obj << "o " << box.name << "\nusemtl " << box.material << "\n";
    for (const auto& face : faces) {
        for (int k = 0; k < 4; ++k) obj << "v " << face[k].x << " " << face[k].y << " " << face[k].z << "\n";
        obj << "vn " << face[4].x << " " << face[4].y << " " << face[4].z << "\n";
    }
    for (int f = 0; f < 6; ++f) {
        const int v = vertexBase + f * 4;
        const int n = vertexBase / 4 + f + 1;
        obj << "f " << v + 1 << "/1/" << n << " " << v + 2 << "/2/" << n << " " << v + 3 << "/3/"
            << n << "\n";
        obj << "f " << v + 1 << "/1/" << n << " " << v + 3 << "/3/" << n << " " << v + 4 << "/4/"
            << n << "\n";
    }
    vertexBase += 24;
    return obj.str();
}

void writeTga(const std::string& path, glm::vec3 colour) {
    std::vector<unsigned char> pixels(8 * 8 * 3);
    for (size_t i = 0; i < pixels.size(); i += 3) {
        pixels[i] = static_cast<unsigned char>(colour.r);
        pixels[i + 1] = static_cast<unsigned char>(colour.g);
        pixels[i + 2] = static_cast<unsigned char>(colour.b);
    }
    stbi_write_tga(path.c_str(), 8, 8, 3, pixels.data());
}
}  // namespace

glm::vec3 TestScene::skyFaceColour(int face) { return kSkyColours[face]; }

TestScene::TestScene(const std::vector<SceneBox>& boxes) : previous(fs::current_path().string()) {
    fs::create_symlink(fs::path(MURKMOOR_SOURCE_DIR) / "shaders", fs::path(dir.path()) / "shaders");
    std::ostringstream obj;
    obj << "mtllib myhouse.mtl\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n";
    int vertexBase = 0;
    for (const SceneBox& box : boxes) obj << boxObject(box, vertexBase);
    dir.write("res/myhouse/myhouse.obj", obj.str());
    dir.write("res/myhouse/myhouse.mtl", "newmtl stone\nmap_Kd Textures/stone.png\n"
                                         "newmtl plain\nKd 0.5 0.5 0.5\n");
    writeSolidImage(dir.path() + "/res/myhouse/Textures/stone.png", 8, 8, 3, 160);
    writeSolidImage(dir.path() + "/res/myhouse/Textures/windowsBlack.jpg", 8, 8, 3, 10);
    writeSolidImage(dir.path() + "/res/myhouse/Textures/windowsFigure.jpg", 8, 8, 3, 230);
    writeSolidImage(dir.path() + "/res/particles/fire.png", 8, 8, 4, 200);
    writeSolidImage(dir.path() + "/res/particles/smoke.png", 8, 8, 4, 100);
    fs::create_directories(dir.path() + "/res/cubemap/miramar");
    const char* faces[6] = {"ft", "bk", "up", "dn", "rt", "lf"};
    for (int i = 0; i < 6; ++i) {
        writeTga(dir.path() + "/res/cubemap/miramar/interstellar_" + faces[i] + ".tga",
                 kSkyColours[i]);
    }
    fs::current_path(dir.path());
}

TestScene::~TestScene() { fs::current_path(previous); }
