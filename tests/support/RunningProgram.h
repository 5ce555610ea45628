#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DisplayLock.h"

// The real program run in the background in a directory, its window driven with xdotool.
class RunningProgram {
public:
    RunningProgram(const std::string& directory, const std::string& arguments,
                   const std::string& answers);
    ~RunningProgram();

    // Each wait returns false after its timeout.
    bool waitForWindow(double seconds);
    // Waits until the frame loop handles input: middle clicks until their line shows.
    bool waitForFrameLoop(double seconds);
    // Runs xdotool with the window id as $W.
    void xdotool(const std::string& arguments) const;
    // Focuses the window and presses the key until the text shows, three times at most.
    bool pressUntilOutput(const std::string& key, const std::string& text, double seconds) const;
    // What the X server shows of the window's top left width x height pixels: RGB bytes, top row
    // first; empty when it cannot be read.
    std::vector<uint8_t> windowPixels(int width, int height) const;
    // Sends the window manager's close request, as a title-bar close button would.
    void requestClose() const;
    // Waits until standard output holds the text after offset `from`.
    bool waitForOutput(const std::string& text, double seconds, size_t from = 0) const;
    // With the frame rate printing (F11), waits until `frames` more frames have been drawn.
    bool waitForFrames(int frames, double seconds) const;
    // The exit code, or -1 after the timeout.
    int waitForExit(double seconds);
    std::string out() const;
    std::string err() const;
    const std::string& windowId() const { return window; }

private:
    DisplayLock displayLock;  // first member: taken before the program starts, released last
    std::string dir;
    std::string window;
    int pid = -1;
    bool ended = false;
};
