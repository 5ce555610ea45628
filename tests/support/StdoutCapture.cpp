#include "StdoutCapture.h"

#include "TestFiles.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

StdoutCapture::StdoutCapture(int fd) : capturedFd(fd) {
    std::string name = scratchFolder() + "/stdout-XXXXXX";
    const int file = mkstemp(name.data());
    path = name;
    std::cout.flush();
    std::cerr.flush();
    fflush(stdout);
    fflush(stderr);
    savedFd = dup(capturedFd);
    dup2(file, capturedFd);
    close(file);
}

StdoutCapture::~StdoutCapture() { finish(); }

std::string StdoutCapture::finish() {
    if (finished) return text;
    finished = true;
    std::cout.flush();
    std::cerr.flush();
    fflush(stdout);
    fflush(stderr);
    dup2(savedFd, capturedFd);
    close(savedFd);
    text = readFile(path);
    std::remove(path.c_str());
    everythingCaptured() += text;
    return text;
}

std::string& StdoutCapture::everythingCaptured() {
    static std::string log;
    return log;
}
