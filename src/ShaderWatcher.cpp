#include "ShaderWatcher.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "Globals.h"
#include "Renderer.h"
#include "ShaderProgram.h"

namespace {
// A file that cannot be read has the oldest time and no size.
ShaderWatcher::Stamp stampOf(const std::string& file) {
    std::error_code error;
    ShaderWatcher::Stamp stamp;
    stamp.time = std::filesystem::last_write_time(file, error);
    if (error) return {std::filesystem::file_time_type::min(), 0};
    stamp.size = std::filesystem::file_size(file, error);
    return stamp;
}

bool readsAny(const ShaderProgram& program, const std::vector<std::string>& files) {
    for (const std::string& file : program.files()) {
        if (std::find(files.begin(), files.end(), file) != files.end()) return true;
    }
    return false;
}
}  // namespace

void ShaderWatcher::start() {
    stamps_.clear();
    noteFiles();
}

void ShaderWatcher::noteFiles() {
    for (const ShaderProgram* program : programsFromFiles()) {
        for (const std::string& file : program->files()) {
            if (stamps_.count(file) == 0) stamps_[file] = stampOf(file);
        }
    }
}

std::string ShaderWatcher::poll(double now) {
    if (now - lastCheck_ < kCheckInterval) return "";
    lastCheck_ = now;
    std::vector<std::string> changed;
    for (auto& [file, stamp] : stamps_) {
        const Stamp present = stampOf(file);
        if (present == stamp) continue;
        stamp = present;
        changed.push_back(file);
    }
    if (changed.empty()) return "";
    std::string what = changed.front();
    if (changed.size() > 1) what += " and " + std::to_string(changed.size() - 1) + " more";
    return reload(what, changed);
}

std::string ShaderWatcher::reloadAll() {
    for (auto& [file, stamp] : stamps_) stamp = stampOf(file);
    return reload("all shaders", {});
}

std::string ShaderWatcher::reload(const std::string& what,
                                  const std::vector<std::string>& changed) {
    const auto began = std::chrono::steady_clock::now();
    // A rebuild changes the list: walk a copy, and each program once.
    const std::vector<ShaderProgram*> programs = programsFromFiles();
    std::vector<GLuint> done;
    int rebuilt = 0;
    std::string log;
    for (ShaderProgram* program : programs) {
        if (!changed.empty() && !readsAny(*program, changed)) continue;
        if (std::find(done.begin(), done.end(), program->id) != done.end()) continue;
        std::string programLog;
        if (program->rebuild(programLog)) {
            ++rebuilt;
        } else {
            log += programLog;
        }
        done.push_back(program->id);
    }
    // The renderer's own programs take its fixed uniforms and switches again.
    renderer.applyFixedUniforms();
    renderer.applySwitches();
    noteFiles();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
    char line[512];
    if (!log.empty()) {
        error_ = log;
        std::snprintf(line, sizeof line, "Shader error in %s: the running programs stay",
                      what.c_str());
        // The compilers' messages were printed as they came.
        std::printf("%s\n", line);
    } else {
        error_.clear();
        std::snprintf(line, sizeof line, "Reloaded %s: %d program%s, %.0f ms", what.c_str(),
                      rebuilt, rebuilt == 1 ? "" : "s", ms);
        std::printf("%s\n", line);
    }
    return line;
}

ShaderWatcher shaderWatcher;
