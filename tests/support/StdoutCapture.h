#pragma once

#include <string>

// Captures what printf and std::cout (or, with fd 2, standard error) write while it is alive.
class StdoutCapture {
public:
    explicit StdoutCapture(int fd = 1);
    ~StdoutCapture();
    // Stops capturing (once) and returns what was written.
    std::string finish();
    // Everything any capture of this process has taken so far, in the order captures finished:
    // what the GL fixture searches for lines that a test kept quiet.
    static std::string& everythingCaptured();

private:
    int capturedFd = 1;
    int savedFd = -1;
    std::string path;
    std::string text;
    bool finished = false;
};
