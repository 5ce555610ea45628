#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct Mix_Chunk;

// The decoded sounds of one engine, keyed by file name. A worker thread of its own decodes files in
// the order asked, urgent requests first, so that no caller ever waits for a decoder. Decoded
// audio is kept until the library is destroyed.
class SoundLibrary {
public:
    // Receives the decoded chunk, or null when the file is missing or cannot be decoded.
    using DecodedCallback = std::function<void(Mix_Chunk*)>;

    SoundLibrary();
    // Stops the worker and frees every chunk; nothing may be playing them any more.
    ~SoundLibrary();
    SoundLibrary(const SoundLibrary&) = delete;
    SoundLibrary& operator=(const SoundLibrary&) = delete;

    // The decoded chunk when the file is ready; null otherwise (then nothing is requested).
    Mix_Chunk* find(const std::string& file);
    // Queues the file for decoding unless it is queued or done already.
    void request(const std::string& file, bool urgent);
    // Calls back at once when the file's decoding has ended, otherwise from the worker thread when
    // it ends; requests the file first in the queue when it is not queued yet.
    void whenDecoded(const std::string& file, DecodedCallback callback);
    // Waits until the file's decoding has ended or the time is up; the chunk, or null.
    Mix_Chunk* wait(const std::string& file, double timeoutSeconds);
    // Ends the worker thread after the file it is decoding; later requests stay undecoded.
    void stopWorker();

private:
    enum class State { Queued, Decoding, Ready, Failed };
    struct Entry {
        State state = State::Queued;
        Mix_Chunk* chunk = nullptr;
        std::vector<DecodedCallback> waiting;
    };

    void enqueueLocked(const std::string& file, bool urgent);
    void run();

    std::mutex mutex_;
    std::condition_variable workAvailable_;
    std::condition_variable decodingEnded_;
    std::map<std::string, Entry> entries_;
    std::deque<std::string> queue_;
    bool stopping_ = false;
    std::thread worker_;
};
