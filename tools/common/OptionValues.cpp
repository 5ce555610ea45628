#include "OptionValues.h"

#include <cmath>
#include <cstdlib>

bool parseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && std::isfinite(value);
}

namespace {
// One side of a size: decimal digits only, read without overflow (a side beyond the largest is
// refused as soon as it passes it, never wrapped into range).
bool parseSide(const char*& text, int largest, int& side) {
    long value = 0;
    const char* start = text;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > largest) return false;
    }
    side = static_cast<int>(value);
    return text != start;
}
}  // namespace

bool parseSize(const std::string& text, int smallest, int largest, int& width, int& height) {
    const char* c = text.c_str();
    int w = 0;
    int h = 0;
    if (!parseSide(c, largest, w) || *c++ != 'x' || !parseSide(c, largest, h) || *c != '\0')
        return false;
    if (w < smallest || h < smallest) return false;
    width = w;
    height = h;
    return true;
}
