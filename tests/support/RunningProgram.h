#pragma once

#include <string>

#include "DisplayLock.h"

// The real program started in the background in a directory, its prompts answered from a file,
// its output collected in files there, and its window driven with xdotool.
class RunningProgram {
public:
    RunningProgram(const std::string& directory, const std::string& arguments,
                   const std::string& answers);
    ~RunningProgram();

    // Waits for the window titled "Murkmoor!"; false after the timeout.
    bool waitForWindow(double seconds);
    // Waits until the frame loop handles input: middle clicks until their line shows.
    bool waitForFrameLoop(double seconds);
    // Runs "xdotool ARGS" (the window id is available as $W).
    void xdotool(const std::string& arguments) const;
    // Sends the window manager's close request, as a title-bar close button would.
    void requestClose() const;
    // Waits until standard output holds the text (from the given offset on); false after timeout.
    bool waitForOutput(const std::string& text, double seconds, size_t from = 0) const;
    // With the frame rate printing (F11), waits until `frames` more frames have been drawn.
    bool waitForFrames(int frames, double seconds) const;
    // Waits for the process to end and returns its exit code, or -1 after the timeout.
    int waitForExit(double seconds);
    std::string out() const;
    std::string err() const;
    // The X window id found by waitForWindow.
    const std::string& windowId() const { return window; }

private:
    DisplayLock displayLock;  // first member: taken before the program starts, released last
    std::string dir;
    std::string window;
    int pid = -1;
    bool ended = false;
};
