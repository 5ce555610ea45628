#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

// A child process (the encoder) fed through a pipe on its standard input. Its output streams
// stay the caller's, so its own error messages reach the console.
class EncoderProcess {
public:
    EncoderProcess() = default;
    // Closes the pipe and waits for a child still running, so that none is left behind.
    ~EncoderProcess();
    EncoderProcess(const EncoderProcess&) = delete;
    EncoderProcess& operator=(const EncoderProcess&) = delete;

    // Starts arguments[0], looked up in PATH. False with a message when it cannot be started.
    // From here on a write to a closed pipe fails with an error instead of killing this process.
    bool start(const std::vector<std::string>& arguments, std::string& error);
    // Writes every byte; false once the child has stopped reading.
    bool write(const void* data, size_t size);
    // Ends the input and waits for the child. Returns its exit status; -1 when a signal ended it.
    int finish();
    // Stops the child without letting it finish its output, then waits for it.
    void abort();

private:
    pid_t pid_ = -1;
    int input_ = -1;
};
