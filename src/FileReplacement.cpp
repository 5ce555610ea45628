#include "FileReplacement.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {
// The replacements not yet committed, as a signal handler reads them: fixed buffers, each
// marked used only once its name is complete.
struct Slot {
    char temporary[PATH_MAX];
    volatile sig_atomic_t used;
};
constexpr int kSlots = 64;
Slot slots[kSlots];

// What abandonUnfinishedFiles says, kept up to date outside the handler: two buffers, the one
// in use switched only once the other is complete.
constexpr size_t kNoteSize = PATH_MAX + 64;
char notes[2][kNoteSize];
volatile sig_atomic_t currentNote = 0;

struct Pending {
    int slot;
    std::string target;
    bool existed;
};
std::vector<Pending> pending;

void updateNote() {
    std::string note;
    if (pending.size() == 1) {
        const Pending& only = pending.front();
        note = only.existed ? "the previous " + only.target + " is untouched"
                            : "no " + only.target + " was written";
    } else if (pending.size() > 1) {
        note = pending.front().target + " and " + std::to_string(pending.size() - 1) +
               " other files are as they were";
    }
    const int next = 1 - currentNote;
    std::snprintf(notes[next], kNoteSize, "%s", note.c_str());
    currentNote = next;
}

int takeSlot(const std::string& temporary) {
    if (temporary.size() >= PATH_MAX) return -1;
    for (int i = 0; i < kSlots; ++i) {
        if (slots[i].used) continue;
        std::memcpy(slots[i].temporary, temporary.c_str(), temporary.size() + 1);
        slots[i].used = 1;
        return i;
    }
    return -1;
}

void releaseSlot(int slot) {
    if (slot < 0) return;
    slots[slot].used = 0;
    for (auto it = pending.begin(); it != pending.end(); ++it) {
        if (it->slot != slot) continue;
        pending.erase(it);
        break;
    }
    updateNote();
}

std::string temporaryName(const std::string& target) {
    const std::filesystem::path path(target);
    const std::string name =
        path.stem().string() + ".partial-" + std::to_string(getpid()) + path.extension().string();
    return (path.parent_path() / name).string();
}
}  // namespace

FileReplacement::FileReplacement(const std::string& target)
    : target_(target), temporary_(temporaryName(target)) {
    slot_ = takeSlot(temporary_);
    if (slot_ < 0) return;
    pending.push_back({slot_, target_, access(target_.c_str(), F_OK) == 0});
    updateNote();
}

FileReplacement::~FileReplacement() {
    if (!pending_) return;
    releaseSlot(slot_);
    std::remove(temporary_.c_str());
}

bool FileReplacement::commit(std::string& error) {
    if (!pending_) return true;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error = "cannot write " + target_ + ": " + std::strerror(errno);
        return false;
    }
    pending_ = false;
    releaseSlot(slot_);
    return true;
}

bool writeFileReplacing(const std::string& target,
                        const std::function<bool(const std::string& temporary)>& write,
                        std::string& error) {
    FileReplacement file(target);
    if (!write(file.temporary())) {
        error = "cannot write " + target;
        return false;
    }
    return file.commit(error);
}

bool writeTextFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

const char* abandonUnfinishedFiles() {
    for (Slot& slot : slots) {
        if (slot.used) unlink(slot.temporary);
    }
    return notes[currentNote];
}
