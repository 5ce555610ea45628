#include "Effects/Quad.h"

#include <cassert>
#include <cstdio>

#include "GlTargets.h"

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

    texture = makeTexture2D(static_cast<GLint>(internalFormat), width, height, format, GL_FLOAT,
                            GL_LINEAR);
    framebuffer = makeFramebuffer("Half-res", {{GL_COLOR_ATTACHMENT0, texture}});
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
