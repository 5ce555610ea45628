#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Rebuilds the programs whose files below shaders/ changed: poll checks the files' modification
// times about once a second, reloadAll (the R key) rebuilds every program at once. Each reload
// prints what it did ("Reloaded shaders/lighting.frag: 1 program, 38 ms") or the compilers' log; a
// failed one leaves the running programs as they were, and its log stays in `error` until a
// reload succeeds. Only the program watches: the tools load their shaders once.
class ShaderWatcher {
public:
    // What a save changes: the modification time, and the size for two saves within its tick.
    struct Stamp {
        std::filesystem::file_time_type time;
        std::uintmax_t size = 0;
        bool operator==(const Stamp& other) const {
            return time == other.time && size == other.size;
        }
    };
    static constexpr double kCheckInterval = 1.0;  // seconds between two looks at the files

    // Notes the present state of every program's files: changes from now on are reloaded.
    void start();
    // At `now` (seconds, any steady clock): looks at the files when kCheckInterval has passed
    // since the last look and reloads what changed. Returns the line it printed, or "".
    std::string poll(double now);
    std::string reloadAll();
    // The log of the last failed reload, until a later one succeeds; empty otherwise.
    const std::string& error() const { return error_; }

private:
    std::map<std::string, Stamp> stamps_;
    double lastCheck_ = -1.0e30;
    std::string error_;

    void noteFiles();
    // Rebuilds every program that read one of `changed` (every program when it is empty).
    std::string reload(const std::string& what, const std::vector<std::string>& changed);
};

// How long the line of a reload stays on screen.
constexpr double kReloadNoticeSeconds = 3.0;

// The program's watcher: its main loop polls it, R reloads through it, the overlay shows its error.
extern ShaderWatcher shaderWatcher;
