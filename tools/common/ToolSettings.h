#pragma once

#include <string>

// --settings FILE: applies the settings file to the tool's renderer, printing each line that is
// refused with its file and line. False with a message in error when the file cannot be read.
bool applyToolSettings(const std::string& file, std::string& error);
