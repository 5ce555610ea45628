#pragma once

// `--time SECONDS`: where the flight starts. Options that start with "--" are taken out of the
// arguments before the width, height and full-screen arguments are read, wherever they stand.
struct StartTime {
    bool given = false;
    bool valid = true;  // false: "--time" without a finite number of seconds from 0 up
    double seconds = 0.0;
};

// Takes every "--time SECONDS" out of argv (the last one counts), leaving the other arguments in
// their order.
StartTime takeStartTime(int& argc, char** argv);

constexpr const char* kStartTimeError = "ERROR: Could not parse --time as seconds.";
