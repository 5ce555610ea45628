#pragma once

#include <chrono>
#include <string>

// The file that a screenshot taken at this moment goes to, in the working folder:
// "murkmoor-YYYY-MM-DD_HH-MM-SS-mmm.png", local time to the millisecond.
std::string screenshotFileName(std::chrono::system_clock::time_point when);

// Writes the window's picture (its back buffer, before the swap) of width x height pixels to a PNG
// file named for the present moment (under a temporary name beside it until complete), and prints
// the name; a file that cannot be written is reported on standard error and the program goes on.
// Returns the name, empty on failure with the reason in `error` where one is given.
std::string takeScreenshot(int width, int height, std::string* error = nullptr);
