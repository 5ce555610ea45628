#pragma once

#include <cstdio>
#include <string>

// Holds back what the loaders print while the scene loads: a line for every shader compiled,
// program linked and texture loaded, some hundred and fifty in all, which would bury a tool's own
// output. Standard output goes into a temporary file until release, which puts standard output
// back and returns the lines that are not of those kinds (a file that failed to load, a compile
// log, a missing uniform), for the tool to print.
class LoaderLines {
public:
    LoaderLines();
    LoaderLines(const LoaderLines&) = delete;
    LoaderLines& operator=(const LoaderLines&) = delete;
    ~LoaderLines();
    std::string release();

private:
    std::FILE* held = nullptr;
    int console = -1;
};
