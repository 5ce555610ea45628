#pragma once

#include <string>

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a shell command with the given text on its standard input and collects both output streams.
ProcessResult runProcess(const std::string& command, const std::string& input);
