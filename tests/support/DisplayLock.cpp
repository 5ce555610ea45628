#include "DisplayLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "TestFiles.h"

DisplayLock::DisplayLock() {
    const char* display = std::getenv("DISPLAY");
    // In the build, where every user of the build may open it.
    std::string name = scratchFolder() + "/display";
    for (const char* c = display ? display : ""; *c; ++c) name += (*c == '/' ? '_' : *c);
    fd = open((name + ".lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0) flock(fd, LOCK_EX);
}

DisplayLock::~DisplayLock() {
    if (fd >= 0) close(fd);
}
