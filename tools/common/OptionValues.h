#pragma once

#include <string>

// Values of the tools' command-line options. Each accepts the whole text or nothing: trailing
// characters, an empty text and non-finite numbers are refused.

// The longest stretch of flight a tool takes: a day, so that a count of frames at any accepted
// rate stays far inside a long.
constexpr double kLongestFlightSeconds = 86400.0;

// A decimal number, e.g. "40" or "60.5".
bool parseNumber(const std::string& text, double& value);

// A decimal number within [smallest, largest].
bool parseNumberIn(const std::string& text, double smallest, double largest, double& value);

// Decimal digits only, within [smallest, largest] (smallest at least 0).
bool parseWholeNumber(const std::string& text, int smallest, int largest, int& value);

// "WxH" with both sides within [smallest, largest] pixels.
bool parseSize(const std::string& text, int smallest, int largest, int& width, int& height);

// "--help" or "-h": the tool prints its usage on standard output and exits with 0.
bool isHelpFlag(const std::string& flag);

// The effect switches that --set takes, as "NAME=VALUE": the names of kEffectSwitches, each from 0
// (off) to its last state.
struct SwitchSetting {
    std::string name;
    int value = 0;
};
bool parseSwitchSetting(const std::string& text, SwitchSetting& setting, std::string& error);
// The names and ranges for a usage text, "hdrMode 0-3, bloomMode 0-2, ...", in lines that start
// with `indent` spaces and end in a newline.
std::string switchRanges(size_t indent);
