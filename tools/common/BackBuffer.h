#pragma once

#include <cstdint>
#include <vector>

// Reads the default framebuffer's back buffer as tightly packed RGB bytes, top row first (GL
// gives the bottom row first). pixels is resized to width * height * 3.
void readBackBufferTopDown(int width, int height, std::vector<uint8_t>& pixels);

// Reverses the order of the rows of a tightly packed image in place.
void flipRows(std::vector<uint8_t>& pixels, int rowBytes, int rows);
