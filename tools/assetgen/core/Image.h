#pragma once

#include <glm/glm.hpp>
#include <string>
#include <vector>

// A picture of 0..1 channel values as they are stored in the file, row 0 at the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<glm::vec4> pixels;

    Image() = default;
    Image(int width, int height, glm::vec4 fill = glm::vec4(0.0f, 0.0f, 0.0f, 1.0f))
        : width(width), height(height), pixels(static_cast<size_t>(width) * height, fill) {}

    glm::vec4& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const glm::vec4& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Writes the image as JPG, PNG or TGA, chosen by the path's extension, with 1, 3 or 4 channels
// (1 keeps red). Creates the directories on the way. Returns false if the file was not written.
bool writeImage(const std::string& path, const Image& image, int channels);
