#include "LetterboxQuad.h"

#include <algorithm>
#include <cmath>

#include "Effects/Quad.h"
#include "GlLabels.h"

void letterboxExtents(float viewportWidth, float viewportHeight, float imageWidth,
                      float imageHeight, float& halfX, float& halfY) {
    const float scale = std::min(viewportWidth / imageWidth, viewportHeight / imageHeight);
    halfX = scale * imageWidth / viewportWidth;
    halfY = scale * imageHeight / viewportHeight;
}

PixelRect letterboxRect(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight) {
    PixelRect rect;
    if (windowWidth <= 0 || windowHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return rect;
    }
    float hx = 0.0f;
    float hy = 0.0f;
    letterboxExtents(static_cast<float>(windowWidth), static_cast<float>(windowHeight),
                     static_cast<float>(pictureWidth), static_cast<float>(pictureHeight), hx, hy);
    // The side that fills the window is exact; the other rounds to the nearest pixel.
    rect.width = std::min(windowWidth, static_cast<int>(std::lround(hx * windowWidth)));
    rect.height = std::min(windowHeight, static_cast<int>(std::lround(hy * windowHeight)));
    rect.x = (windowWidth - rect.width) / 2;
    rect.y = (windowHeight - rect.height) / 2;
    return rect;
}

GLuint makeLetterboxQuad(float viewportWidth, float viewportHeight, float imageWidth,
                         float imageHeight) {
    float hx = 0.0f;
    float hy = 0.0f;
    letterboxExtents(viewportWidth, viewportHeight, imageWidth, imageHeight, hx, hy);
    const float vertices[4 * 5] = {-hx, hy, 0, 0, 1, -hx, -hy, 0, 0, 0,
                                   hx,  hy, 0, 1, 1, hx,  -hy, 0, 1, 0};
    GLuint vertexBuffer = 0;
    const GLuint vertexArray = Quad::makeStripVertexArray(vertices, vertexBuffer);
    labelGlObject(GL_BUFFER, vertexBuffer, "loading screen quad");
    return vertexArray;
}
