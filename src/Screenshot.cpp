#include "Screenshot.h"

#include <cstdio>
#include <ctime>
#include <vector>

#include "FileReplacement.h"
#include "FramebufferPixels.h"

std::string screenshotFileName(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    const long long milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char name[64];
    std::snprintf(name, sizeof name, "murkmoor-%04d-%02d-%02d_%02d-%02d-%02d-%03lld.png",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, milliseconds);
    return name;
}

std::string takeScreenshot(int width, int height, std::string* reason) {
    const std::string name = screenshotFileName(std::chrono::system_clock::now());
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "Screenshot not taken: the window has no pixels\n");
        if (reason) *reason = "the window has no pixels";
        return "";
    }
    std::vector<uint8_t> pixels;
    readPixelsTopDown(0, width, height, pixels);
    const auto write = [&](const std::string& file) {
        return writePng(file, width, height, pixels);
    };
    std::string error;
    if (!writeFileReplacing(name, write, error)) {
        std::fprintf(stderr, "Screenshot not written: %s\n", error.c_str());
        if (reason) *reason = error;
        return "";
    }
    std::printf("Screenshot: %s\n", name.c_str());
    return name;
}
