#include "SoundPlayback.h"

#include <SDL_mixer.h>

#include <atomic>
#include <vector>

#include "SoundEngine.h"

namespace {

// Counts the ends of each channel: a started sound has ended when its channel's count has moved
// on, even after the channel was given to another sound.
std::atomic<unsigned> channelEnds[kMixerChannels];

void onChannelFinished(int channel) {
    if (channel >= 0 && channel < kMixerChannels) channelEnds[channel].fetch_add(1);
}

// A sound started past its beginning plays a chunk over the tail of the decoded one, which stays
// the library's. Such chunks stay until the engine ends, when no channel plays them any more.
std::mutex partChunksMutex;
std::vector<Mix_Chunk*> partChunks;

Mix_Chunk* chunkFrom(Mix_Chunk* whole, size_t frame) {
    const size_t frameBytes = sizeof(Sint16) * kSoundChannels;
    const size_t offset = frame * frameBytes;
    if (frame == 0) return whole;
    if (offset >= whole->alen) return nullptr;
    Mix_Chunk* part =
        Mix_QuickLoad_RAW(whole->abuf + offset, static_cast<Uint32>(whole->alen - offset));
    if (!part) return nullptr;
    part->volume = whole->volume;
    std::lock_guard<std::mutex> lock(partChunksMutex);
    partChunks.push_back(part);
    return part;
}

}  // namespace

void watchChannelEnds() {
    Mix_ChannelFinished(onChannelFinished);
}

void startPlaybackLocked(Playback& playback) {
    if (!playback.chunk || playback.paused || playback.stopped || playback.failed ||
        playback.channel >= 0) {
        return;
    }
    Mix_Chunk* chunk = chunkFrom(playback.chunk, playback.startFrame);
    // Started past its end: nothing is left to hear.
    if (!chunk) {
        playback.failed = true;
        return;
    }
    const int channel = Mix_PlayChannel(-1, chunk, playback.looped ? -1 : 0);
    if (channel < 0 || channel >= kMixerChannels) {
        playback.failed = true;
        return;
    }
    playback.channel = channel;
    // The count is read after the start; a sound ending within that instant would read as still
    // playing, which no sound of a few milliseconds or more can do.
    playback.endCountAtStart = channelEnds[channel].load();
}

bool playbackEndedLocked(const Playback& playback) {
    return playback.channel >= 0 &&
           channelEnds[playback.channel].load() != playback.endCountAtStart;
}

void freePartChunks() {
    std::lock_guard<std::mutex> lock(partChunksMutex);
    for (Mix_Chunk* part : partChunks) Mix_FreeChunk(part);
    partChunks.clear();
}
