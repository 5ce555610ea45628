#pragma once

#include <chrono>
#include <cstdio>
#include <string>

// "1:05" for 65 seconds, "1:01:05" from an hour on; rounded to whole seconds.
std::string clockText(double seconds);

// "15.3 s" under a minute, clockText from a minute on.
std::string durationText(double seconds);

// How much of total is done, in whole per cent; 100 when there is nothing to do.
long percentDone(long done, long total);

// The console's progress line after `done` of `total` frames took elapsedSeconds, for example
// "frame 120 of 600 (20%), about 2:40 left".
std::string progressLine(long done, long total, double elapsedSeconds);

// One console line that a tool rewrites as its work goes on ("\r" and the new text), and the
// time since the tool began.
class ProgressLine {
public:
    explicit ProgressLine(std::FILE* to = stdout);
    // Replaces the line's text.
    void show(const std::string& text);
    // Ends the line, when one is shown, so that other output starts on a line of its own.
    void end();
    double seconds() const;

private:
    std::FILE* to;
    size_t shownLength = 0;
    std::string shownText;
    std::chrono::steady_clock::time_point start;
};
