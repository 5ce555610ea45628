#pragma once

#include <string>

// Checks ahead of a long render that the file can be written: an existing file must be a
// writable regular file, a new one needs a writable directory. False with a message otherwise.
bool outputWritable(const std::string& path, std::string& error);

// Where the tools write what they make unless told otherwise, below the working folder: a folder
// that git ignores, made on the first run.
constexpr const char* kOutputFolder = "captures";

// Makes the folder that a path names, and its parents, where they are missing. False with a
// message otherwise.
bool makeFolderFor(const std::string& path, std::string& error);
