#pragma once

#include <string>

// "1:05" for 65 seconds, "1:01:05" from an hour on; rounded to whole seconds.
std::string clockText(double seconds);

// The console's progress line after `done` of `total` frames took elapsedSeconds, for example
// "frame 120 of 600 (20%), about 2:40 left".
std::string progressLine(long done, long total, double elapsedSeconds);
