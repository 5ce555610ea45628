#include "OptionValues.h"

#include <cmath>
#include <cstdlib>

bool parseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && std::isfinite(value);
}

bool parseNumberIn(const std::string& text, double smallest, double largest, double& value) {
    double number = 0.0;
    if (!parseNumber(text, number) || number < smallest || number > largest) return false;
    value = number;
    return true;
}

namespace {
// Decimal digits only, read without overflow (a value beyond the largest is refused as soon as it
// passes it, never wrapped into range).
bool parseDigits(const char*& text, int largest, int& side) {
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

bool parseWholeNumber(const std::string& text, int smallest, int largest, int& value) {
    const char* c = text.c_str();
    int number = 0;
    if (!parseDigits(c, largest, number) || *c != '\0' || number < smallest) return false;
    value = number;
    return true;
}

bool parseSize(const std::string& text, int smallest, int largest, int& width, int& height) {
    const char* c = text.c_str();
    int w = 0;
    int h = 0;
    if (!parseDigits(c, largest, w) || *c++ != 'x' || !parseDigits(c, largest, h) || *c != '\0')
        return false;
    if (w < smallest || h < smallest) return false;
    width = w;
    height = h;
    return true;
}
