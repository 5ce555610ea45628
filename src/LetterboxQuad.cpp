#include "LetterboxQuad.h"

#include <algorithm>

#include "Effects/Quad.h"

void letterboxExtents(float viewportWidth, float viewportHeight, float imageWidth,
                      float imageHeight, float& halfX, float& halfY) {
    const float scale = std::min(viewportWidth / imageWidth, viewportHeight / imageHeight);
    halfX = scale * imageWidth / viewportWidth;
    halfY = scale * imageHeight / viewportHeight;
}

GLuint makeLetterboxQuad(float viewportWidth, float viewportHeight, float imageWidth,
                         float imageHeight) {
    float hx = 0.0f;
    float hy = 0.0f;
    letterboxExtents(viewportWidth, viewportHeight, imageWidth, imageHeight, hx, hy);
    const float vertices[4 * 5] = {-hx, hy, 0, 0, 1, -hx, -hy, 0, 0, 0,
                                   hx,  hy, 0, 1, 1, hx,  -hy, 0, 1, 0};
    GLuint vertexBuffer = 0;
    return Quad::makeStripVertexArray(vertices, vertexBuffer);
}
