#include "EffectTestSupport.h"

GLuint makeRgbaTexture(int width, int height, const std::vector<float>& rgba,
                       GLenum internalFormat) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, GL_RGBA, GL_FLOAT,
                 rgba.empty() ? nullptr : rgba.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

std::vector<float> redChannel(const std::vector<float>& rgba) {
    std::vector<float> red;
    for (size_t i = 0; i < rgba.size(); i += 4) red.push_back(rgba[i]);
    return red;
}

ShaderProgram programFromSources(const std::string& vertex, const std::string& fragment) {
    TempDir dir;
    dir.write("shaders/test.vert", vertex);
    dir.write("shaders/test.frag", fragment);
    ScopedWorkingDirectory cwd(dir.path());
    StdoutCapture quiet;
    return ShaderProgram("test.vert", "test.frag");
}
