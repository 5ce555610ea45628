#include "ProgramOptions.h"

#include <cmath>
#include <cstring>
#include <sstream>

std::vector<const char*> takeOption(int& argc, char** argv, const char* name) {
    std::vector<const char*> values;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], name) != 0) {
            argv[kept++] = argv[i];
            continue;
        }
        values.push_back(i + 1 < argc ? argv[++i] : nullptr);
    }
    argc = kept;
    if (argv) argv[argc] = nullptr;
    return values;
}

StartTime takeStartTime(int& argc, char** argv) {
    StartTime start;
    const std::vector<const char*> values = takeOption(argc, argv, "--time");
    if (values.empty()) return start;
    start.given = true;
    std::istringstream value(values.back() ? values.back() : "");
    double seconds = 0.0;
    char rest = 0;
    const bool number = static_cast<bool>(value >> seconds) && !(value >> rest);
    start.valid = number && std::isfinite(seconds) && seconds >= 0.0;
    start.seconds = start.valid ? seconds : 0.0;
    return start;
}

PathFileOption takePathFile(int& argc, char** argv) {
    PathFileOption path;
    const std::vector<const char*> values = takeOption(argc, argv, "--path");
    if (values.empty()) return path;
    path.given = true;
    path.valid = values.back() && *values.back();
    if (path.valid) path.file = values.back();
    return path;
}
