#include "RecordingFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
// The number N of a name stem-N.ext, or 0 for any other name.
unsigned long keptNumber(const std::string& name, const std::string& stem, const std::string& ext) {
    const std::string prefix = stem + "-";
    if (name.size() <= prefix.size() + ext.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - ext.size(), ext.size(), ext) != 0)
        return 0;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - ext.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) return 0;
    return std::stoul(digits);
}
}  // namespace

std::string keptRecordingName(const std::string& path) {
    const fs::path file(path);
    const std::string stem = file.stem().string();
    const std::string ext = file.extension().string();
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    unsigned long highest = 0;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        highest = std::max(highest, keptNumber(entry->path().filename().string(), stem, ext));
    }
    return (file.parent_path() / (stem + "-" + std::to_string(highest + 1) + ext)).string();
}

std::ofstream openRecordingFile(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error) || fs::file_size(path, error) == 0 || error)
        return std::ofstream(path);
    const std::string kept = keptRecordingName(path);
    fs::rename(path, kept, error);
    if (error) {
        std::printf(
            "%s holds key points recorded earlier and cannot be renamed (%s): new key "
            "points are added after them\n",
            path.c_str(), error.message().c_str());
        std::fflush(stdout);
        return std::ofstream(path, std::ios::app);
    }
    std::printf("Key points recorded earlier are kept in %s; %s starts empty\n", kept.c_str(),
                path.c_str());
    // This runs before main sets the console's buffering: the line goes out first.
    std::fflush(stdout);
    return std::ofstream(path);
}
