#include "OptionValues.h"

#include <cmath>
#include <cstdlib>

#include "EffectSwitches.h"

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

bool isHelpFlag(const std::string& flag) {
    return flag == "--help" || flag == "-h";
}

bool parseSwitchSetting(const std::string& text, SwitchSetting& setting, std::string& error) {
    const size_t equals = text.find('=');
    const std::string name = text.substr(0, equals);
    const EffectSwitch* entry = effectSwitchNamed(name.c_str());
    if (!entry) {
        error = "unknown switch " + name;
        return false;
    }
    const int largest = entry->stateCount() - 1;
    int value = 0;
    if (equals == std::string::npos ||
        !parseWholeNumber(text.substr(equals + 1), 0, largest, value)) {
        error = "bad value for --set: " + text + " (" + name + " takes 0 to " +
                std::to_string(largest) + ")";
        return false;
    }
    setting = {name, value};
    return true;
}

std::string switchRanges(size_t indent) {
    constexpr size_t kWidth = 90;
    std::string text = std::string(indent, ' ');
    size_t lineStart = 0;
    for (size_t i = 0; i < kEffectSwitchCount; ++i) {
        const EffectSwitch& row = kEffectSwitches[i];
        const std::string entry =
            std::string(row.name) + " 0-" + std::to_string(row.stateCount() - 1);
        if (text.size() > lineStart + indent) {
            text += ",";
            if (text.size() - lineStart + entry.size() + 1 > kWidth) {
                lineStart = text.size() + 1;
                text += "\n" + std::string(indent, ' ');
            } else {
                text += " ";
            }
        }
        text += entry;
    }
    return text + "\n";
}
