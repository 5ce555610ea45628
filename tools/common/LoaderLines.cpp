#include "LoaderLines.h"

#include <unistd.h>

#include <iostream>

namespace {
const char* const kRoutine[] = {"Compiling shader: ", "Linking program ", "Texture loaded: "};

bool routine(const std::string& line) {
    for (const char* start : kRoutine) {
        if (line.rfind(start, 0) == 0) return true;
    }
    return false;
}

void flushBoth() {
    std::cout.flush();
    std::fflush(stdout);
}
}  // namespace

LoaderLines::LoaderLines() {
    flushBoth();
    held = std::tmpfile();
    if (!held) return;  // nowhere to hold them: the lines go to the console as they come
    console = dup(STDOUT_FILENO);
    dup2(fileno(held), STDOUT_FILENO);
}

LoaderLines::~LoaderLines() {
    release();
}

std::string LoaderLines::release() {
    if (!held) return "";
    flushBoth();
    dup2(console, STDOUT_FILENO);
    close(console);
    std::rewind(held);
    std::string kept;
    std::string line;
    for (int c = std::fgetc(held); c != EOF; c = std::fgetc(held)) {
        line += static_cast<char>(c);
        if (c != '\n') continue;
        if (!routine(line)) kept += line;
        line.clear();
    }
    // A message without its newline (some loaders print none) still counts.
    if (!line.empty() && !routine(line)) kept += line + "\n";
    std::fclose(held);
    held = nullptr;
    return kept;
}
