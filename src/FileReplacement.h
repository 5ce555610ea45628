#pragma once

#include <functional>
#include <string>

// A file written in full under a temporary name beside its target, then renamed over the target:
// whoever reads the target finds the file as it was or the new one complete, never part of one.
// The temporary, "NAME.partial-PID.EXT" in the target's folder, keeps the target's extension,
// for writers that choose the format by it. Until it is committed, a replacement is listed for
// abandonUnfinishedFiles, so that a tool stopped by a signal removes what it left half-written.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& target);
    // Removes the temporary unless it was committed.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    const std::string& target() const { return target_; }
    const std::string& temporary() const { return temporary_; }
    // Renames the complete temporary over the target. False with a message when it cannot.
    bool commit(std::string& error);

private:
    std::string target_;
    std::string temporary_;
    bool pending_ = true;
    int slot_ = -1;  // in the list that abandonUnfinishedFiles reads; -1 when it is full
};

// Writes target through write(temporary), which returns whether it wrote the whole file, and
// renames it over the target. False with a message naming the target otherwise; the target is
// then as it was.
bool writeFileReplacing(const std::string& target,
                        const std::function<bool(const std::string& temporary)>& write,
                        std::string& error);

// Writes text to the file at path as it is, e.g. a replacement's temporary. False when not all of
// it reached the file.
bool writeTextFile(const std::string& path, const std::string& text);

// For a signal handler, and safe in one: removes the temporary of every replacement not yet
// committed and returns what the targets are left as, e.g. "the previous captures/murkmoor.mp4 is
// untouched", "no captures/frame-96s.png was written"; empty when nothing was being written.
const char* abandonUnfinishedFiles();
