#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <string>
#include <vector>

// Reads a framebuffer's colour as tightly packed RGB bytes, top row first, as image files store
// them (GL gives the bottom row first): the window's back buffer for framebuffer 0, else its first
// colour attachment. pixels is resized to width * height * 3.
void readPixelsTopDown(GLuint framebuffer, int width, int height, std::vector<uint8_t>& pixels);

// Reverses the order of the rows of a tightly packed image in place.
void flipRows(std::vector<uint8_t>& pixels, int rowBytes, int rows);

// Writes tightly packed RGB bytes, top row first, as a PNG file. False when it cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
