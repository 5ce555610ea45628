#include "FrameComparison.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <cstdlib>

#include "FramebufferPixels.h"

namespace {
// A channel this far apart is more than rounding and filtering between drivers.
constexpr int kVisibleStep = 8;
}  // namespace

bool compareFrames(const RgbImage& a, const RgbImage& b, FrameDifference& difference,
                   std::string& error) {
    if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size()) {
        error = "the frames differ in size: " + std::to_string(a.width) + "x" +
                std::to_string(a.height) + " and " + std::to_string(b.width) + "x" +
                std::to_string(b.height);
        return false;
    }
    difference = FrameDifference{};
    if (a.pixels.empty()) return true;
    double total = 0.0;
    for (size_t c = 0; c < a.pixels.size(); ++c) {
        const int d = std::abs(int(a.pixels[c]) - int(b.pixels[c]));
        total += d;
        difference.largest = std::max(difference.largest, d);
    }
    difference.meanAbsolute = total / static_cast<double>(a.pixels.size());
    difference.share = shareApart(a, b, kVisibleStep);
    return true;
}

double shareApart(const RgbImage& a, const RgbImage& b, int step) {
    if (a.pixels.empty()) return 0.0;
    size_t apart = 0;
    for (size_t i = 0; i < a.pixels.size(); i += 3) {
        for (size_t c = i; c < i + 3; ++c) {
            if (std::abs(int(a.pixels[c]) - int(b.pixels[c])) > step) {
                ++apart;
                break;
            }
        }
    }
    return static_cast<double>(apart) / static_cast<double>(a.pixels.size() / 3);
}

bool withinLimits(const RgbImage& a, const RgbImage& b, const FrameLimits& limits) {
    return shareApart(a, b, limits.maxStep) * 100.0 <= limits.maxSharePercent;
}

RgbImage sideBySide(const RgbImage& a, const RgbImage& b, int gain) {
    RgbImage sheet;
    sheet.width = a.width * 3;
    sheet.height = a.height;
    sheet.pixels.resize(static_cast<size_t>(sheet.width) * sheet.height * 3);
    const size_t row = static_cast<size_t>(a.width) * 3;
    for (int y = 0; y < a.height; ++y) {
        const uint8_t* left = &a.pixels[y * row];
        const uint8_t* middle = &b.pixels[y * row];
        uint8_t* out = &sheet.pixels[y * row * 3];
        std::copy(left, left + row, out);
        std::copy(middle, middle + row, out + row);
        for (size_t c = 0; c < row; ++c) {
            const int d = std::abs(int(left[c]) - int(middle[c])) * gain;
            out[2 * row + c] = static_cast<uint8_t>(std::min(d, 255));
        }
    }
    return sheet;
}

bool loadRgbImage(const std::string& path, RgbImage& image) {
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &image.width, &image.height, &channels, 3);
    if (!data) return false;
    image.pixels.assign(data, data + static_cast<size_t>(image.width) * image.height * 3);
    stbi_image_free(data);
    return true;
}

bool saveRgbImage(const std::string& path, const RgbImage& image) {
    return writePng(path, image.width, image.height, image.pixels);
}
