#include "SoundLibrary.h"

#include <SDL_mixer.h>

#include <chrono>

SoundLibrary::SoundLibrary() : worker_([this] { run(); }) {}

SoundLibrary::~SoundLibrary() {
    stopWorker();
    for (auto& item : entries_) {
        if (item.second.chunk) Mix_FreeChunk(item.second.chunk);
    }
}

void SoundLibrary::stopWorker() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    workAvailable_.notify_all();
    decodingEnded_.notify_all();
    if (worker_.joinable()) worker_.join();
}

Mix_Chunk* SoundLibrary::find(const std::string& file) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = entries_.find(file);
    return found == entries_.end() ? nullptr : found->second.chunk;
}

void SoundLibrary::request(const std::string& file, bool urgent) {
    std::lock_guard<std::mutex> lock(mutex_);
    enqueueLocked(file, urgent);
}

void SoundLibrary::enqueueLocked(const std::string& file, bool urgent) {
    auto found = entries_.find(file);
    if (found != entries_.end()) {
        // An urgent request moves a file that still waits in the queue to its front.
        if (urgent && found->second.state == State::Queued) {
            for (auto it = queue_.begin(); it != queue_.end(); ++it) {
                if (*it == file) {
                    queue_.erase(it);
                    break;
                }
            }
            queue_.push_front(file);
        }
        return;
    }
    entries_[file];
    if (urgent) {
        queue_.push_front(file);
    } else {
        queue_.push_back(file);
    }
    workAvailable_.notify_one();
}

void SoundLibrary::whenDecoded(const std::string& file, DecodedCallback callback) {
    Mix_Chunk* chunk = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        enqueueLocked(file, true);
        Entry& entry = entries_[file];
        if (entry.state == State::Queued || entry.state == State::Decoding) {
            entry.waiting.push_back(std::move(callback));
            return;
        }
        chunk = entry.chunk;
    }
    callback(chunk);
}

Mix_Chunk* SoundLibrary::wait(const std::string& file, double timeoutSeconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    enqueueLocked(file, true);
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(timeoutSeconds));
    decodingEnded_.wait_until(lock, deadline, [&] {
        const State state = entries_[file].state;
        return stopping_ || state == State::Ready || state == State::Failed;
    });
    return entries_[file].chunk;
}

void SoundLibrary::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        workAvailable_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        const std::string file = queue_.front();
        queue_.pop_front();
        entries_[file].state = State::Decoding;

        lock.unlock();
        Mix_Chunk* chunk = Mix_LoadWAV(file.c_str());
        lock.lock();

        Entry& entry = entries_[file];
        entry.chunk = chunk;
        entry.state = chunk ? State::Ready : State::Failed;
        std::vector<DecodedCallback> waiting;
        waiting.swap(entry.waiting);
        decodingEnded_.notify_all();

        lock.unlock();
        for (auto& callback : waiting) callback(chunk);
        lock.lock();
    }
}
