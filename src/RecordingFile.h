#pragma once

#include <fstream>
#include <string>

// The file the C key records key points into, opened empty at every start without losing what an
// earlier run recorded: a non-empty file is first renamed to the next free numbered name beside it
// (filename.txt to filename-1.txt, then filename-2.txt, ...), which one line on standard output
// gives. Where it cannot be renamed, the file is kept and the new key points are appended.
std::ofstream openRecordingFile(const std::string& path);

// The name an earlier recording at `path` is kept under: the stem, "-", one more than the highest
// number already kept there, and the extension.
std::string keptRecordingName(const std::string& path);
