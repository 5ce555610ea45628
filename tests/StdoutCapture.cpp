#include "StdoutCapture.h"

#include "TestFiles.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

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
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    text = content.str();
    std::remove(path.c_str());
    return text;
}
