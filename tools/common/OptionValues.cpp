#include "OptionValues.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

bool parseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && std::isfinite(value);
}

bool parseSize(const std::string& text, int smallest, int largest, int& width, int& height) {
    int w = 0;
    int h = 0;
    char x = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &extra) != 3 || x != 'x') return false;
    if (w < smallest || h < smallest || w > largest || h > largest) return false;
    width = w;
    height = h;
    return true;
}
