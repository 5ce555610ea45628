#pragma once

#include <string>

// Checks ahead of a long render that the file can be written: an existing file must be a
// writable regular file, a new one needs a writable directory. False with a message otherwise.
bool outputWritable(const std::string& path, std::string& error);
