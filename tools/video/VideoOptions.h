#pragma once

#include <string>
#include <utility>
#include <vector>

// Command line of the video tool. Times are seconds of the flight.
struct VideoOptions {
    double from = 0.0;
    double to = 0.0;
    bool hasTo = false;  // without --to the video runs to the end of the flight
    int width = 1280;
    int height = 720;
    double fps = 30.0;
    std::string out;           // empty: murkmoor.mp4 in the tools' output folder
    std::string pathFile;      // with --path: the key points recorded in this file, not the scene's
    bool headless = false;     // EGL with no window system, even where there is a display
    double warmup = -1.0;      // below 0: only the frames that the first one depends on
    std::string settingsFile;  // --settings FILE, applied before --set
    std::vector<std::pair<std::string, int>> switches;  // --set, in their order
    bool help = false;                                  // print the usage and stop
};

// Parses the arguments; on a malformed one, returns false with a message in error.
bool parseVideoOptions(int argc, const char* const* argv, VideoOptions& options,
                       std::string& error);

// Sets the end to flightSeconds when --to was not given, then checks that the range holds at
// least one frame. False with a message in error otherwise.
bool resolveVideoRange(VideoOptions& options, double flightSeconds, std::string& error);

// The range in whole steps of 1 / fps: the step count from the start of the flight to the first
// frame, and the number of frames.
long stepsBefore(const VideoOptions& options);
long frameCount(const VideoOptions& options);
