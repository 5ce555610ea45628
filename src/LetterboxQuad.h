#pragma once

#include <GL/glew.h>

// Half extents in normalised device coordinates of an image of size (w, h) scaled to fit a
// viewport of size (W, H) with its aspect ratio kept and centred.
void letterboxExtents(float viewportWidth, float viewportHeight, float imageWidth,
                      float imageHeight, float& halfX, float& halfY);

// A vertex array of four strip vertices (position, texture coordinate) covering the letter box.
GLuint makeLetterboxQuad(float viewportWidth, float viewportHeight, float imageWidth,
                         float imageHeight);
