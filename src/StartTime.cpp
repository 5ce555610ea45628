#include "StartTime.h"

#include <cmath>
#include <cstring>
#include <sstream>

StartTime takeStartTime(int& argc, char** argv) {
    StartTime start;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--time") != 0) {
            argv[kept++] = argv[i];
            continue;
        }
        start.given = true;
        std::istringstream value(i + 1 < argc ? argv[++i] : "");
        double seconds = 0.0;
        char rest = 0;
        const bool number = static_cast<bool>(value >> seconds) && !(value >> rest);
        start.valid = number && std::isfinite(seconds) && seconds >= 0.0;
        start.seconds = start.valid ? seconds : 0.0;
    }
    argc = kept;
    if (argv) argv[argc] = nullptr;
    return start;
}
