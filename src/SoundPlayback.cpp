#include "SoundPlayback.h"

#include <SDL_mixer.h>

#include <atomic>

namespace {

// Counts the ends of each channel: a started sound has ended when its channel's count has moved
// on, even after the channel was given to another sound.
std::atomic<unsigned> channelEnds[kMixerChannels];

void onChannelFinished(int channel) {
    if (channel >= 0 && channel < kMixerChannels) channelEnds[channel].fetch_add(1);
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
    const int channel = Mix_PlayChannel(-1, playback.chunk, playback.looped ? -1 : 0);
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
