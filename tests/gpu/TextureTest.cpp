#include <gmock/gmock.h>
#include <stb/stb_image_write.h>

#include "GlTestFixture.h"
#include "StdoutCapture.h"
#include "TestFiles.h"
#include "Texture.h"

using ::testing::HasSubstr;

namespace {
// A 2 x 2 RGB image whose top row is red and bottom row is blue.
void writeTopRedBottomBlue(const std::string& path) {
    const unsigned char pixels[2 * 2 * 3] = {255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255};
    stbi_write_png(path.c_str(), 2, 2, 3, pixels, 6);
}

void readFirstRow(GLuint texture, GLenum target, unsigned char rgb[3]) {
    std::vector<unsigned char> pixels(2 * 2 * 3);
    glBindTexture(target == GL_TEXTURE_2D ? GL_TEXTURE_2D : GL_TEXTURE_CUBE_MAP, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    for (int i = 0; i < 3; ++i) rgb[i] = pixels[i];
}
}  // namespace

class TextureTest : public GlTest {
protected:
    TempDir dir;
};

TEST_F(TextureTest, LoadsFlippedWithMipmapsAndReportsTheJoinedPath) {
    writeTopRedBottomBlue(dir.path() + "/fire.png");
    int width = 0;
    int height = 0;
    StdoutCapture capture;
    const GLuint texture = loadTexture("fire.png", dir.path(), width, height);
    EXPECT_EQ(capture.finish(), "Texture loaded: " + dir.path() + "/fire.png\n");
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 2);

    unsigned char first[3];
    readFirstRow(texture, GL_TEXTURE_2D, first);
    EXPECT_EQ(first[2], 255);  // GL's first row is the image's bottom row
    GLint minFilter = 0;
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(wrap, GL_REPEAT);
    GLfloat anisotropy = 0.0f;
    GLfloat maxAnisotropy = 0.0f;
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maxAnisotropy);
    EXPECT_EQ(anisotropy, maxAnisotropy);

    // No cache at this level: a second load is a second texture.
    const GLuint again = loadTexture("fire.png", dir.path(), width, height);
    EXPECT_NE(again, texture);
}

TEST_F(TextureTest, MissingOrCorruptFileGivesANameWithoutImage) {
    dir.write("broken.jpg", "not an image at all");
    int width = 0;
    int height = 0;
    StdoutCapture capture;
    const GLuint missing = loadTexture("missing.png", dir.path(), width, height);
    const GLuint broken = loadTexture("broken.jpg", dir.path(), width, height);
    EXPECT_EQ(capture.finish(), "Failed to load texture: " + dir.path() +
                                    "/missing.png\nFailed to load texture: " + dir.path() +
                                    "/broken.jpg\n");
    EXPECT_NE(missing, 0u);
    EXPECT_NE(broken, missing);
    EXPECT_FALSE(glIsTexture(missing));  // generated but never bound: no storage
}

TEST_F(TextureTest, GreyAndAlphaImageLoadsAsTwoChannels) {
    writeSolidImage(dir.path() + "/ga.png", 4, 4, 2, 200);
    writeSolidImage(dir.path() + "/grey.png", 3, 3, 1, 100);  // odd rows: 3-byte stride
    int width = 0;
    int height = 0;
    StdoutCapture capture;
    const GLuint ga = loadTexture("ga.png", dir.path(), width, height);
    const GLuint grey = loadTexture("grey.png", dir.path(), width, height);
    capture.finish();
    GLint format = 0;
    glBindTexture(GL_TEXTURE_2D, ga);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(format, GL_RG);
    glBindTexture(GL_TEXTURE_2D, grey);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(format, GL_RED);
    std::vector<unsigned char> pixels(9);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
    for (unsigned char value : pixels) EXPECT_EQ(value, 100);
}

TEST_F(TextureTest, CubeMapLoadsFacesInOrderUnflippedAndSkipsAMissingOne) {
    const char* names[6] = {"ft.png", "bk.png", "up.png", "dn.png", "rt.png", "lf.png"};
    for (const char* name : names) {
        if (std::string(name) != "up.png") writeTopRedBottomBlue(dir.path() + "/" + name);
    }
    StdoutCapture capture;
    const GLuint cube = loadCubeMap(dir.path(), names[0], names[1], names[2], names[3], names[4],
                                    names[5]);
    const std::string out = capture.finish();
    std::string expected;
    for (const char* name : names) {
        expected += std::string(std::string(name) == "up.png" ? "Failed to load cubemap texture: "
                                                             : "Texture loaded: ") +
                    dir.path() + "/" + name + "\n";
    }
    EXPECT_EQ(out, expected);

    unsigned char first[3];
    readFirstRow(cube, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, first);
    EXPECT_EQ(first[0], 255);  // not flipped: the image's top row stays first
    GLint wrapR = 0;
    glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, &wrapR);
    EXPECT_EQ(wrapR, GL_CLAMP_TO_EDGE);

    // The flip is global to the decoder: a later 2D load still flips.
    int width = 0;
    int height = 0;
    StdoutCapture quiet;
    const GLuint flat = loadTexture("ft.png", dir.path(), width, height);
    quiet.finish();
    readFirstRow(flat, GL_TEXTURE_2D, first);
    EXPECT_EQ(first[2], 255);
}
