#pragma once

#include <GL/glew.h>

// Half extents in normalised device coordinates of an image of size (w, h) scaled to fit a
// viewport of size (W, H) with its aspect ratio kept and centred.
void letterboxExtents(float viewportWidth, float viewportHeight, float imageWidth,
                      float imageHeight, float& halfX, float& halfY);

// A rectangle of whole pixels in a window, origin at its lower left.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The largest centred rectangle of the picture's aspect that fits the window: the whole window
// when the aspects agree, bars on two sides otherwise. Empty for a minimised (0 x 0) window.
PixelRect letterboxRect(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight);

// A vertex array of four strip vertices (position, texture coordinate) covering the letter box.
GLuint makeLetterboxQuad(float viewportWidth, float viewportHeight, float imageWidth,
                         float imageHeight);
