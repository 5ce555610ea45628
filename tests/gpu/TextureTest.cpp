#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include "EffectTestSupport.h"
#include "GlTestFixture.h"
#include "Texture.h"

namespace {
// A 2 x 2 RGB image whose top row is red and bottom row is blue.
void writeTopRedBottomBlue(const std::string& path) {
    const unsigned char pixels[2 * 2 * 3] = {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255};
    stbi_write_png(path.c_str(), 2, 2, 3, pixels, 6);
}

// The first `count` bytes GL holds for an image in `format` (of a 2D texture or a cube-map face).
std::vector<unsigned char> bytes(GLuint texture, GLenum target, GLenum format = GL_RGB,
                                 size_t count = 3) {
    std::vector<unsigned char> pixels(16 * 16 * 4);
    glBindTexture(target == GL_TEXTURE_2D ? GL_TEXTURE_2D : GL_TEXTURE_CUBE_MAP, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, format, GL_UNSIGNED_BYTE, pixels.data());
    return {pixels.begin(), pixels.begin() + count};
}

const std::vector<unsigned char> kRed = {255, 0, 0};
const std::vector<unsigned char> kBlue = {0, 0, 255};

class TextureTest : public GlTest {
protected:
    TempDir dir;
    int width = 0;
    int height = 0;
    GLuint load(const std::string& name) { return loadTexture(name, dir.path(), width, height); }
};
}  // namespace

// Catches an unflipped image, a wrong report, and one or two channels or odd rows misread.
TEST_F(TextureTest, LoadsFlippedWithItsChannelsAndRowsAndReportsItsJoinedPath) {
    writeTopRedBottomBlue(dir.path() + "/fire.png");
    GLuint texture = 0;
    EXPECT_EQ(printedBy([&] { texture = load("fire.png"); }),
              "Texture loaded: " + dir.path() + "/fire.png\n");
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(2, 2));
    EXPECT_EQ(bytes(texture, GL_TEXTURE_2D), kBlue);

    writeSolidImage(dir.path() + "/ga.png", 4, 4, 2, 200);
    writeSolidImage(dir.path() + "/grey.png", 3, 3, 1, 100);
    StdoutCapture quiet;
    EXPECT_EQ(bytes(load("ga.png"), GL_TEXTURE_2D, GL_RG, 32), std::vector<unsigned char>(32, 200));
    EXPECT_EQ(bytes(load("grey.png"), GL_TEXTURE_2D, GL_RED, 9),
              std::vector<unsigned char>(9, 100));
}

// Catches faces flipped, a missing face that stops the rest, and 2D loads left unflipped after.
TEST_F(TextureTest, CubeMapLoadsFacesUnflippedAndSkipsAMissingOne) {
    const char* names[6] = {"ft.png", "bk.png", "up.png", "dn.png", "rt.png", "lf.png"};
    std::string expected;
    for (const char* name : names) {
        const bool present = std::string(name) != "up.png";
        if (present) writeTopRedBottomBlue(dir.path() + "/" + name);
        expected += (present ? "Texture loaded: " : "Failed to load cubemap texture: ") +
                    dir.path() + "/" + name + "\n";
    }
    GLuint cube = 0;
    EXPECT_EQ(printedBy([&] {
                  cube = loadCubeMap(dir.path(), names[0], names[1], names[2], names[3], names[4],
                                     names[5]);
              }),
              expected);
    EXPECT_EQ(bytes(cube, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z), kRed);
    StdoutCapture quiet;
    EXPECT_EQ(bytes(load("ft.png"), GL_TEXTURE_2D), kBlue);
}
