#include "StdoutCapture.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

StdoutCapture::StdoutCapture() {
    char name[] = "/tmp/murkmoor-stdout-XXXXXX";
    const int fd = mkstemp(name);
    path = name;
    std::cout.flush();
    fflush(stdout);
    savedFd = dup(1);
    dup2(fd, 1);
    close(fd);
}

StdoutCapture::~StdoutCapture() { finish(); }

std::string StdoutCapture::finish() {
    if (finished) return text;
    finished = true;
    std::cout.flush();
    fflush(stdout);
    dup2(savedFd, 1);
    close(savedFd);
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    text = content.str();
    std::remove(path.c_str());
    return text;
}
