#include "Texture.h"

#include <stb/stb_image.h>

#include <cstdio>

#include "GlLabels.h"
#include "GlTargets.h"
#include "LoadFailures.h"
#include "ShaderProgram.h"
#include "SoftwareRenderer.h"

namespace {
// A decoded image that GL would refuse (GL_INVALID_VALUE) counts as a file that failed to load.
bool fitsLimit(int width, int height, GLenum limit) {
    GLint largest = 0;
    glGetIntegerv(limit, &largest);
    return width > 0 && height > 0 && width <= largest && height <= largest;
}

void refuse(unsigned char*& pixels) {
    stbi_image_free(pixels);
    pixels = nullptr;
}
}  // namespace

GLenum textureFormatForChannels(int channels) {
    switch (channels) {
        case 1:
            return GL_RED;
        case 2:
            return GL_RG;
        case 3:
            return GL_RGB;
        default:
            return GL_RGBA;
    }
}

void setMaterialSampling() {
    glGenerateMipmap(GL_TEXTURE_2D);
    setSampling(GL_TEXTURE_2D, GL_LINEAR, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, materialAnisotropy());
}

float materialAnisotropy() {
    GLfloat maxAnisotropy = 1.0f;
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maxAnisotropy);
    return maxAnisotropy;
}

void setMaterialFootprint(const ShaderProgram& geometry) {
    const float anisotropy = materialAnisotropy();
    geometry.setFloat("u_maxAnisotropy", anisotropy);
    geometry.setFloat("u_averageBeyond", contextIsSoftware() ? 1.0f : anisotropy);
}

GLuint loadTexture(const std::string& fileName, const std::string& directory, int& width,
                   int& height) {
    GLuint name = 0;
    glGenTextures(1, &name);
    const std::string path = directory + "/" + fileName;

    stbi_set_flip_vertically_on_load(true);
    int channels = 0;
    unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 0);
    if (pixels && !fitsLimit(width, height, GL_MAX_TEXTURE_SIZE)) {
        refuse(pixels);
        width = 0;
        height = 0;
    }
    if (pixels) {
        const GLenum format = textureFormatForChannels(channels);
        glBindTexture(GL_TEXTURE_2D, name);
        labelGlObject(GL_TEXTURE, name, path);
        // Rows of 1- to 3-channel images need not be 4-byte aligned.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        setMaterialSampling();
        printf("Texture loaded: %s\n", path.c_str());
        stbi_image_free(pixels);
    } else {
        printf("Failed to load texture: %s\n", path.c_str());
        noteLoadFailure(path, "cannot be loaded");
    }
    return name;
}

GLuint loadCubeMap(const std::string& directory, const std::string& positiveX,
                   const std::string& negativeX, const std::string& positiveY,
                   const std::string& negativeY, const std::string& positiveZ,
                   const std::string& negativeZ) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_CUBE_MAP, name);
    labelGlObject(GL_TEXTURE, name, directory + " (cube map)");
    const std::string faces[6] = {positiveX, negativeX, positiveY, negativeY, positiveZ, negativeZ};

    stbi_set_flip_vertically_on_load(false);
    for (int i = 0; i < 6; ++i) {
        const std::string path = directory + "/" + faces[i];
        int width = 0;
        int height = 0;
        int channels = 0;
        unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 0);
        // Cube-map faces must be square.
        if (pixels &&
            (width != height || !fitsLimit(width, height, GL_MAX_CUBE_MAP_TEXTURE_SIZE))) {
            refuse(pixels);
        }
        if (pixels) {
            const GLenum format = textureFormatForChannels(channels);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, 0, format, width, height, 0, format,
                         GL_UNSIGNED_BYTE, pixels);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
            stbi_image_free(pixels);
            printf("Texture loaded: %s\n", path.c_str());
        } else {
            printf("Failed to load cubemap texture: %s\n", path.c_str());
            noteLoadFailure(path, "cannot be loaded");
        }
    }
    setSampling(GL_TEXTURE_CUBE_MAP, GL_LINEAR, GL_CLAMP_TO_EDGE);
    return name;
}
