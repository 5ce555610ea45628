#include "Effects/Quad.h"

#include <cassert>
#include <cstdio>

GLuint Quad::vertexArray = 0;
GLuint Quad::vertexBuffer = 0;
bool Quad::geometryReady = false;

namespace {
// Position (x, y, z) and texture coordinate (u, v) of the four strip vertices.
const float kQuadVertices[4 * 5] = {
    -1.0f, 1.0f,  0.0f, 0.0f, 1.0f,  //
    -1.0f, -1.0f, 0.0f, 0.0f, 0.0f,  //
    1.0f,  1.0f,  0.0f, 1.0f, 1.0f,  //
    1.0f,  -1.0f, 0.0f, 1.0f, 0.0f,
};
}  // namespace

GLuint Quad::makeStripVertexArray(const float (&vertices)[20], GLuint& buffer) {
    GLuint array = 0;
    glGenVertexArrays(1, &array);
    glGenBuffers(1, &buffer);
    glBindVertexArray(array);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float),
                          reinterpret_cast<const void*>(3 * sizeof(float)));
    glBindVertexArray(0);
    return array;
}

void Quad::makeGeometry() {
    vertexArray = makeStripVertexArray(kQuadVertices, vertexBuffer);
    geometryReady = true;
}

Quad::Quad(bool withFramebuffer, int width, int height, GLenum internalFormat, GLenum format)
    : hasFramebuffer(withFramebuffer), width(width), height(height) {
    if (!geometryReady) makeGeometry();
    if (!withFramebuffer) return;

    glGenFramebuffers(1, &framebuffer);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        printf("Half-res framebuffer not complete! Id: %d\n", framebuffer);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

Quad::Quad(int width, int height) : Quad(false, width, height, GL_RGBA16F, GL_RGBA) {}

Quad::Quad(bool withFramebuffer, int width, int height)
    : Quad(withFramebuffer, width, height, GL_RGBA16F, GL_RGBA) {}

void Quad::bind(bool clear) const {
    if (!hasFramebuffer) return;
    glViewport(0, 0, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    if (clear) glClear(GL_COLOR_BUFFER_BIT);
}

GLuint Quad::getTexture() const {
    if (!hasFramebuffer) assert(false);
    return texture;
}

void Quad::draw() {
    glBindVertexArray(vertexArray);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}
