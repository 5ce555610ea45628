#pragma once

#include <string>
#include <vector>

// Options of the program that start with "--" are taken out of the arguments before the width,
// height and full-screen arguments are read, wherever they stand.

// Takes every "NAME VALUE" out of argv, leaving the other arguments in their order. Returns the
// values in order; null for a NAME that ends the arguments.
std::vector<const char*> takeOption(int& argc, char** argv, const char* name);

// `--time SECONDS`: where the flight starts.
struct StartTime {
    bool given = false;
    bool valid = true;  // false: "--time" without a finite number of seconds from 0 up
    double seconds = 0.0;
};

// Takes every "--time SECONDS" out of argv (the last one counts).
StartTime takeStartTime(int& argc, char** argv);

constexpr const char* kStartTimeError = "ERROR: Could not parse --time as seconds.";

// `--path FILE`: the recorded key points the flight follows instead of the scene's.
struct PathFileOption {
    bool given = false;
    bool valid = true;  // false: "--path" without a file
    std::string file;
};

// Takes every "--path FILE" out of argv (the last one counts).
PathFileOption takePathFile(int& argc, char** argv);

constexpr const char* kPathFileError = "ERROR: --path needs a file of key points.";
