#pragma once

#include <string>

// Values of the tools' command-line options. Each accepts the whole text or nothing: trailing
// characters, an empty text and non-finite numbers are refused.

// A decimal number, e.g. "40" or "60.5".
bool parseNumber(const std::string& text, double& value);

// "WxH" with both sides within [smallest, largest] pixels.
bool parseSize(const std::string& text, int smallest, int largest, int& width, int& height);
