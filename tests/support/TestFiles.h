#pragma once

#include <functional>
#include <string>

// The folder of the build where the tests keep their scratch files, locks and temporary
// directories: nothing a test writes lands outside the build.
std::string scratchFolder();

// A fresh directory in the scratch folder that is removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return dir; }
    // Writes text to path()/relative, creating the directories on the way.
    std::string write(const std::string& relative, const std::string& text) const;

private:
    std::string dir;
};

// Changes the working directory for the lifetime of the object.
class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::string& dir);
    ~ScopedWorkingDirectory();

private:
    std::string previous;
};

// Writes a solid-colour image (PNG or JPG by extension) of the given size and channel count.
void writeSolidImage(const std::string& path, int width, int height, int channels,
                     unsigned char value);

// The whole content of a file, empty when it cannot be read.
std::string readFile(const std::string& path);
// The text of a file of the source tree, by its path from the repository root.
std::string readSourceFile(const std::string& relative);

// Polls the condition every 20 ms until it holds (true) or the seconds have passed (false).
bool waitUntil(const std::function<bool()>& condition, double seconds);
