#include "FlashCounter.h"

#include <algorithm>
#include <cmath>

namespace {
// Relative luminance of each 8-bit sRGB value, per channel, weighted by Rec. 709.
struct LuminanceTable {
    float r[256], g[256], b[256];
    LuminanceTable() {
        for (int v = 0; v < 256; ++v) {
            const double c = v / 255.0;
            const double linear = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            r[v] = static_cast<float>(0.2126 * linear);
            g[v] = static_cast<float>(0.7152 * linear);
            b[v] = static_cast<float>(0.0722 * linear);
        }
    }
};
const LuminanceTable kLuminance;

// The frames at which a series turns, with a hysteresis of FlashCounter::kChange: each turn is an
// extreme that the series then leaves by that much or more; the last extreme reached counts too.
std::vector<size_t> turningPoints(const std::vector<float>& v) {
    std::vector<size_t> turns;
    int direction = 0;
    size_t low = 0, high = 0, extreme = 0;
    const auto far = [](float a, float b) { return a - b >= FlashCounter::kChange - 1e-6; };
    for (size_t i = 0; i < v.size(); ++i) {
        if (direction == 0) {
            if (v[i] < v[low]) low = i;
            if (v[i] > v[high]) high = i;
            if (far(v[i], v[low])) {
                turns.push_back(low);
                direction = 1;
                extreme = i;
            } else if (far(v[high], v[i])) {
                turns.push_back(high);
                direction = -1;
                extreme = i;
            }
        } else if ((direction > 0) == (v[i] > v[extreme])) {
            extreme = i;
        } else if (direction > 0 ? far(v[extreme], v[i]) : far(v[i], v[extreme])) {
            turns.push_back(extreme);
            direction = -direction;
            extreme = i;
        }
    }
    if (direction != 0) turns.push_back(extreme);
    return turns;
}
}  // namespace

FlashCounter::FlashCounter(int width, int height, double fps)
    : width(width), height(height), fps(fps) {
    blockWidth = std::max(1, static_cast<int>(std::lround(width / 6.0)));
    blockHeight = std::max(1, static_cast<int>(std::lround(height / 6.0)));
    // Windows overlap by three quarters, so that a flash between two of them is not missed.
    stepX = std::max(1, blockWidth / 4);
    stepY = std::max(1, blockHeight / 4);
    blocksX = (width - blockWidth) / stepX + 1;
    blocksY = (height - blockHeight) / stepY + 1;
    series.resize(static_cast<size_t>(blocksX) * blocksY);
    summed.resize(static_cast<size_t>(width + 1) * (height + 1));
}

void FlashCounter::add(const uint8_t* rgb) {
    const size_t stride = width + 1;
    for (int y = 0; y < height; ++y) {
        double row = 0.0;
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = rgb + 3 * (static_cast<size_t>(y) * width + x);
            row += kLuminance.r[p[0]] + kLuminance.g[p[1]] + kLuminance.b[p[2]];
            summed[(y + 1) * stride + x + 1] = summed[y * stride + x + 1] + row;
        }
    }
    const double area = static_cast<double>(blockWidth) * blockHeight;
    for (int by = 0; by < blocksY; ++by) {
        for (int bx = 0; bx < blocksX; ++bx) {
            const size_t x0 = bx * stepX, y0 = by * stepY;
            const size_t x1 = x0 + blockWidth, y1 = y0 + blockHeight;
            const double sum = summed[y1 * stride + x1] - summed[y0 * stride + x1] -
                               summed[y1 * stride + x0] + summed[y0 * stride + x0];
            series[by * blocksX + bx].push_back(static_cast<float>(sum / area));
        }
    }
}

int FlashCounter::worstSecond() const {
    const long window = std::max(1L, std::lround(fps));
    int worst = 0;
    for (const std::vector<float>& v : series) {
        const std::vector<size_t> turns = turningPoints(v);
        // A change ends at its turning point and counts where its darker state is dark enough.
        std::vector<long> changes;
        for (size_t k = 1; k < turns.size(); ++k) {
            if (std::min(v[turns[k - 1]], v[turns[k]]) < kDarker) changes.push_back(turns[k]);
        }
        for (size_t first = 0; first < changes.size(); ++first) {
            size_t last = first;
            while (last < changes.size() && changes[last] < changes[first] + window) ++last;
            worst = std::max(worst, static_cast<int>((last - first) / 2));
        }
    }
    return worst;
}

double FlashCounter::largestSwing() const {
    double largest = 0.0;
    for (const std::vector<float>& v : series) {
        if (v.empty()) continue;
        const auto [low, high] = std::minmax_element(v.begin(), v.end());
        largest = std::max(largest, static_cast<double>(*high - *low));
    }
    return largest;
}
