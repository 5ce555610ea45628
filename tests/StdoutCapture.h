#pragma once

#include <string>

// Captures everything written to file descriptor 1 (printf and std::cout alike) while alive.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    // Stops capturing (once) and returns what was written.
    std::string finish();

private:
    int savedFd = -1;
    std::string path;
    std::string text;
    bool finished = false;
};
