#include "TestScene.h"

#include <stb/stb_image_write.h>

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {
const glm::vec3 kSkyColours[6] = {{200, 40, 40},  {40, 200, 40},  {40, 40, 200},
                                  {200, 200, 40}, {40, 200, 200}, {200, 40, 200}};

std::string boxObject(const SceneBox& box, int& boxIndex) {
    // Corner i takes max.x, max.y, max.z where bits 0, 1, 2 are set; faces counter-clockwise seen
    // from outside, in the order +Z, -Z, +X, -X, +Y, -Y.
    static const int kFaces[6][4] = {{4, 5, 7, 6}, {1, 0, 2, 3}, {5, 1, 3, 7},
                                     {0, 4, 6, 2}, {6, 7, 3, 2}, {0, 1, 5, 4}};
    static const char* const kNormals =
        "vn 0 0 1\nvn 0 0 -1\nvn 1 0 0\nvn -1 0 0\nvn 0 1 0\nvn 0 -1 0\n";
    std::ostringstream obj;
    obj << "o " << box.name << "\nusemtl " << box.material << "\n" << kNormals;
    for (int i = 0; i < 8; ++i) {
        obj << "v " << (i & 1 ? box.max : box.min).x << " " << (i & 2 ? box.max : box.min).y << " "
            << (i & 4 ? box.max : box.min).z << "\n";
    }
    for (int f = 0; f < 6; ++f) {
        const int n = boxIndex * 6 + f + 1;
        const auto corner = [&](int k) {
            return " " + std::to_string(boxIndex * 8 + kFaces[f][k] + 1) + "/" +
                   std::to_string(k + 1) + "/" + std::to_string(n);
        };
        obj << "f" << corner(0) << corner(1) << corner(2) << "\nf" << corner(0) << corner(2)
            << corner(3) << "\n";
    }
    ++boxIndex;
    return obj.str();
}

void writeTga(const std::string& path, glm::vec3 colour) {
    std::vector<unsigned char> pixels;
    for (int i = 0; i < 8 * 8; ++i)
        pixels.insert(pixels.end(), {uint8_t(colour.r), uint8_t(colour.g), uint8_t(colour.b)});
    stbi_write_tga(path.c_str(), 8, 8, 3, pixels.data());
}
}  // namespace

glm::vec3 TestScene::skyFaceColour(int face) {
    return kSkyColours[face];
}

TestScene::TestScene(const std::vector<SceneBox>& boxes) : previous(fs::current_path().string()) {
    fs::create_symlink(fs::path(MURKMOOR_SOURCE_DIR) / "shaders", fs::path(dir.path()) / "shaders");
    std::ostringstream obj;
    obj << "mtllib myhouse.mtl\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n";
    int boxIndex = 0;
    for (const SceneBox& box : boxes) obj << boxObject(box, boxIndex);
    dir.write("res/myhouse/myhouse.obj", obj.str());
    dir.write("res/myhouse/myhouse.mtl",
              "newmtl stone\nmap_Kd Textures/stone.png\n"
              "newmtl plain\nKd 0.5 0.5 0.5\n");
    writeSolidImage(dir.path() + "/res/myhouse/Textures/stone.png", 8, 8, 3, 160);
    writeSolidImage(dir.path() + "/res/myhouse/Textures/windowsBlack.jpg", 8, 8, 3, 10);
    writeSolidImage(dir.path() + "/res/myhouse/Textures/windowsFigure.jpg", 8, 8, 3, 230);
    writeSolidImage(dir.path() + "/res/particles/fire.png", 8, 8, 4, 200);
    writeSolidImage(dir.path() + "/res/particles/smoke.png", 8, 8, 4, 100);
    writeSolidImage(dir.path() + "/res/loading.jpg", 16, 9, 3, 40);
    fs::create_directories(dir.path() + "/res/cubemap/miramar");
    const char* faces[6] = {"ft", "bk", "up", "dn", "rt", "lf"};
    for (int i = 0; i < 6; ++i) {
        writeTga(dir.path() + "/res/cubemap/miramar/interstellar_" + faces[i] + ".tga",
                 kSkyColours[i]);
    }
    fs::current_path(dir.path());
}

TestScene::~TestScene() {
    fs::current_path(previous);
}
