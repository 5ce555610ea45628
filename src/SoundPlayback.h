#pragma once

#include <cstddef>
#include <mutex>

struct Mix_Chunk;

// One started (or waiting) sound: the state shared by the engine, the decoding worker and a
// tracked handle. Every field is guarded by mutex.
struct Playback {
    std::mutex mutex;
    bool looped = false;
    bool paused = false;
    bool stopped = false;
    bool failed = false;         // the file could not be decoded, or no mixer channel was free
    Mix_Chunk* chunk = nullptr;  // set once the file is decoded
    int channel = -1;            // mixer channel once started
    unsigned endCountAtStart = 0;
    size_t startFrame = 0;  // where in the sound it starts: 0 from the beginning
};

// The number of mixer channels, hence of sounds that can play at once.
constexpr int kMixerChannels = 32;

// Registers the mixer's end-of-channel callback that isFinished relies on.
void watchChannelEnds();
// Starts the playback on a free channel when it is decoded, not paused and not stopped.
// Called with playback.mutex held.
void startPlaybackLocked(Playback& playback);
// Frees the stand-in chunks of sounds started past their beginning; no channel may play any more.
void freePartChunks();
// True once a started playback's channel has ended. Called with playback.mutex held.
bool playbackEndedLocked(const Playback& playback);
