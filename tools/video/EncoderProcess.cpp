#include "EncoderProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "Interruption.h"

extern char** environ;

EncoderProcess::~EncoderProcess() {
    finish();
}

bool EncoderProcess::start(const std::vector<std::string>& arguments, std::string& error) {
    std::signal(SIGPIPE, SIG_IGN);
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        error = std::string("cannot make a pipe: ") + std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int failure = posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[0]);
    if (failure != 0) {
        close(ends[1]);
        pid_ = -1;
        error = "cannot run " + arguments[0] + ": " + std::strerror(failure);
        if (failure == ENOENT) error += " (install it: scripts/setup.sh installs ffmpeg)";
        return false;
    }
    input_ = ends[1];
    // Stopped at once on an interruption: told to stop, ffmpeg would go on to finish its file.
    stopChildOnInterrupt(pid_, SIGKILL);
    return true;
}

bool EncoderProcess::write(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0 && input_ >= 0) {
        const ssize_t written = ::write(input_, bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return size == 0;
}

int EncoderProcess::finish() {
    if (input_ >= 0) close(input_);
    input_ = -1;
    if (pid_ < 0) return -1;
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    stopChildOnInterrupt(-1, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void EncoderProcess::abort() {
    if (pid_ >= 0) kill(pid_, SIGTERM);
    finish();
}
