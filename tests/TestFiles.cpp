#include "TestFiles.h"

#include <stb/stb_image_write.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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
