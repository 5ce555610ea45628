#include "OutputPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

bool outputWritable(const std::string& path, std::string& error) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            error = "cannot write " + path + ": not a regular file";
            return false;
        }
        if (access(path.c_str(), W_OK) != 0) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            return false;
        }
        return true;
    }
    const size_t slash = path.find_last_of('/');
    const std::string dir =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    if (stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        access(dir.c_str(), W_OK | X_OK) != 0) {
        error = "cannot write " + path + ": " + dir + " is not a writable directory";
        return false;
    }
    return true;
}

bool makeFolderFor(const std::string& path, std::string& error) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) return true;
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (!failure) return true;
    error = "cannot make the folder " + folder.string() + ": " + failure.message();
    return false;
}
