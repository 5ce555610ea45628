#include "core/Image.h"

#include <stb/stb_image_write.h>

#include <cmath>
#include <cstdint>
#include <filesystem>

namespace {
uint8_t toByte(float value) {
    return static_cast<uint8_t>(std::lround(glm::clamp(value, 0.0f, 1.0f) * 255.0f));
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
}  // namespace

bool writeImage(const std::string& path, const Image& image, int channels) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::vector<uint8_t> bytes(image.pixels.size() * static_cast<size_t>(channels));
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        for (int c = 0; c < channels; ++c) bytes[i * channels + c] = toByte(image.pixels[i][c]);
    }
    const int w = image.width;
    const int h = image.height;
    if (endsWith(path, ".jpg"))
        return stbi_write_jpg(path.c_str(), w, h, channels, bytes.data(), 92);
    if (endsWith(path, ".png")) {
        return stbi_write_png(path.c_str(), w, h, channels, bytes.data(), w * channels);
    }
    if (endsWith(path, ".tga")) return stbi_write_tga(path.c_str(), w, h, channels, bytes.data());
    return false;
}
