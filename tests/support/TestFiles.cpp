#include "TestFiles.h"

#include <stb/stb_image_write.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

std::string scratchFolder() {
    const std::string folder = std::string(MURKMOOR_TEST_WORK_DIR) + "/scratch";
    fs::create_directories(folder);
    return folder;
}

TempDir::TempDir() {
    std::string name = scratchFolder() + "/test-XXXXXX";
    dir = mkdtemp(name.data());
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

std::string TempDir::write(const std::string& relative, const std::string& text) const {
    const fs::path full = fs::path(dir) / relative;
    fs::create_directories(full.parent_path());
    std::ofstream(full) << text;
    return full.string();
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::string& dir)
    : previous(fs::current_path().string()) {
    fs::current_path(dir);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() { fs::current_path(previous); }

void writeSolidImage(const std::string& path, int width, int height, int channels,
                     unsigned char value) {
    fs::create_directories(fs::path(path).parent_path());
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * channels, value);
    if (path.size() > 4 && path.substr(path.size() - 4) == ".jpg") {
        stbi_write_jpg(path.c_str(), width, height, channels, pixels.data(), 95);
    } else {
        stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels);
    }
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string readSourceFile(const std::string& relative) {
    return readFile(std::string(MURKMOOR_SOURCE_DIR) + "/" + relative);
}

bool waitUntil(const std::function<bool()>& condition, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
