#include "LetterboxQuad.h"

#include <algorithm>

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
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &vertexBuffer);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float),
                          reinterpret_cast<const void*>(3 * sizeof(float)));
    glBindVertexArray(0);
    return vertexArray;
}
