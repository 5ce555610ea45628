#include "OutputPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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
