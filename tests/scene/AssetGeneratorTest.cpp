// The asset generator writes every image and the model from code: the same files on every run,
// each decodable at the size the program expects.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "TestFiles.h"

namespace fs = std::filesystem;

namespace {
std::map<std::string, std::string> readTree(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), root).string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

int runGenerator(const std::string& root) {
    return std::system((std::string(MURKMOOR_ASSETGEN) + " " + root + " > /dev/null").c_str());
}

struct Decoded {
    int width = 0;
    int height = 0;
    int channels = 0;
    bool ok = false;
};

Decoded decode(const std::string& path) {
    Decoded d;
    unsigned char* pixels = stbi_load(path.c_str(), &d.width, &d.height, &d.channels, 0);
    d.ok = pixels != nullptr;
    stbi_image_free(pixels);
    return d;
}

const std::string kRes = std::string(MURKMOOR_SOURCE_DIR) + "/res/";
}  // namespace

TEST(AssetGeneratorTest, TwoRunsWriteIdenticalFiles) {
    TempDir first;
    TempDir second;
    ASSERT_EQ(runGenerator(first.path()), 0);
    ASSERT_EQ(runGenerator(second.path()), 0);
    const auto a = readTree(first.path());
    const auto b = readTree(second.path());
    ASSERT_GT(a.size(), 50u);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        const auto other = b.find(name);
        ASSERT_NE(other, b.end()) << name << " only in the first run";
        EXPECT_TRUE(bytes == other->second) << name << " differs between runs";
    }
}

TEST(AssetGeneratorTest, SkyFacesDecodeAsEqualSquares) {
    for (const char* face : {"ft", "bk", "up", "dn", "rt", "lf"}) {
        const Decoded d = decode(kRes + "cubemap/miramar/interstellar_" + face + ".tga");
        ASSERT_TRUE(d.ok) << face;
        EXPECT_EQ(d.width, d.height) << face;
        EXPECT_TRUE(d.width == 512 || d.width == 1024) << face;
        EXPECT_EQ(d.channels, 3) << face;
    }
}

TEST(AssetGeneratorTest, ParticleSpritesAreSquareWithAlpha) {
    for (const char* sprite : {"fire.png", "smoke.png"}) {
        const Decoded d = decode(kRes + "particles/" + sprite);
        ASSERT_TRUE(d.ok) << sprite;
        EXPECT_EQ(d.width, d.height) << sprite;
        EXPECT_EQ(d.channels, 4) << sprite;
    }
}

TEST(AssetGeneratorTest, LoadingCardIsSixteenByNine) {
    const Decoded d = decode(kRes + "loading.jpg");
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width * 9, d.height * 16);
    EXPECT_GE(d.width, 1280);
}

TEST(AssetGeneratorTest, EveryMaterialMapAndWindowPictureDecodes) {
    std::ifstream mtl(kRes + "myhouse/myhouse.mtl");
    ASSERT_TRUE(mtl.good());
    std::string line;
    int maps = 0;
    while (std::getline(mtl, line)) {
        if (line.rfind("map_Kd ", 0) != 0) continue;
        const std::string file = line.substr(7);
        const Decoded d = decode(kRes + "myhouse/" + file);
        ASSERT_TRUE(d.ok) << file;
        EXPECT_EQ(d.width, d.height) << file;
        ++maps;
    }
    EXPECT_GT(maps, 10);
    const Decoded window = decode(kRes + "myhouse/Textures/windows.jpg");
    for (const char* variant : {"windowsBlack.jpg", "windowsFigure.jpg"}) {
        const Decoded d = decode(kRes + "myhouse/Textures/" + variant);
        ASSERT_TRUE(d.ok) << variant;
        EXPECT_EQ(d.width, window.width) << variant;
        EXPECT_EQ(d.height, window.height) << variant;
    }
}
