// The asset generator writes every image and the model from code: the same files on every run,
// each decodable at the size the program expects.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <glm/glm.hpp>
#include <string>

#include "TestFiles.h"

namespace fs = std::filesystem;

namespace {
const std::string kSource = std::string(MURKMOOR_SOURCE_DIR) + "/";

// Width, height and channels of an image of the build's res/, all zero when it does not decode.
glm::ivec3 decode(const std::string& path) {
    glm::ivec3 d(0);
    unsigned char* pixels = stbi_load((kSource + path).c_str(), &d.x, &d.y, &d.z, 0);
    const bool decoded = pixels != nullptr;
    stbi_image_free(pixels);
    return decoded ? d : glm::ivec3(0);
}
}  // namespace

// Catches output that depends on the run (thread order, unseeded noise, time): a fresh run must
// write byte for byte what the build's run wrote into res/.
TEST(AssetGeneratorTest, FreshRunWritesExactlyWhatTheBuildWrote) {
    TempDir fresh;
    const std::string command =
        std::string(MURKMOOR_ASSETGEN) + " " + fresh.path() + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fresh.path())) {
        if (!entry.is_regular_file()) continue;
        const std::string name = fs::relative(entry.path(), fresh.path()).string();
        EXPECT_TRUE(readFile(entry.path().string()) == readFile(kSource + name))
            << name << " differs from the build's copy";
        ++files;
    }
    EXPECT_GT(files, 50);
}

// Catches an image the loaders would reject or stretch: wrong channels, a non-square sky face or
// sprite, a loading card that is not 16:9, a window variant of another size than the window (the
// house's maps are checked where SceneModelTest loads them).
TEST(AssetGeneratorTest, ImagesDecodeAtTheShapesTheProgramExpects) {
    auto expectShape = [](const std::string& path, int channels, int aspectX, int aspectY) {
        const glm::ivec3 d = decode(path);
        EXPECT_TRUE(d.x >= 128 && d.z == channels && d.x * aspectY == d.y * aspectX)
            << path << " is " << d.x << " x " << d.y << " x " << d.z;
    };
    expectShape("res/particles/fire.png", 4, 1, 1);
    expectShape("res/particles/smoke.png", 4, 1, 1);
    expectShape("res/loading.jpg", 3, 16, 9);
    for (const char* face : {"ft", "bk", "up", "dn", "rt", "lf"})
        expectShape(std::string("res/cubemap/miramar/interstellar_") + face + ".tga", 3, 1, 1);
    const glm::ivec2 window(decode("res/myhouse/Textures/windows.jpg"));
    for (const char* variant : {"windowsBlack.jpg", "windowsFigure.jpg"})
        EXPECT_EQ(glm::ivec2(decode(std::string("res/myhouse/Textures/") + variant)), window);
}
