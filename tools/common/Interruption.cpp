#include "Interruption.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "FileReplacement.h"

namespace {
const char* tool = nullptr;
volatile pid_t child = -1;
volatile int childStopSignal = SIGKILL;
volatile sig_atomic_t progressLineOpen = 0;

void say(const char* text) {
    for (size_t left = std::strlen(text); left > 0;) {
        const ssize_t written = write(STDERR_FILENO, text, left);
        if (written <= 0) return;
        text += written;
        left -= static_cast<size_t>(written);
    }
}

// Only async-signal-safe calls from here on.
void onInterrupt(int signal) {
    const pid_t running = child;
    if (running > 0) {
        kill(running, childStopSignal);
        while (waitpid(running, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    const char* left = abandonUnfinishedFiles();
    if (tool) {
        if (progressLineOpen) say("\n");
        say(tool);
        say(": interrupted");
        if (*left) {
            say("; ");
            say(left);
        }
        say("\n");
    }
    _exit(128 + signal);
}
}  // namespace

void stopCleanlyOnInterrupt(const char* toolName) {
    tool = toolName;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void stopChildOnInterrupt(pid_t process, int stopSignal) {
    childStopSignal = stopSignal;
    child = process;
}

bool interruptedStatus(int status) {
    return status == 128 + SIGINT || status == 128 + SIGTERM;
}

void noteProgressLineOpen(bool open) {
    progressLineOpen = open ? 1 : 0;
}
