#include "SoundEngine.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cstring>
#include <string>

#include "QuietAlsa.h"
#include "SoundLibrary.h"
#include "SoundPlayback.h"

namespace {

// Only one engine can own the mixer, which is one per process.
std::atomic<bool> engineAlive{false};

constexpr int kMixerBufferFrames = 1024;

bool openOutput(const char* deviceId) {
    // Ctrl+C must keep ending the program the usual way.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    silenceAlsaErrors();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MP3);
    // No format change is allowed: SDL converts, so every decoded chunk has the one known format.
    if (Mix_OpenAudioDevice(kSoundSampleRate, AUDIO_S16SYS, kSoundChannels, kMixerBufferFrames,
                            deviceId, 0) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kMixerChannels);
    return true;
}

}  // namespace

SoundEngine* createSoundEngine(SoundOutputDriver driver, int options, const char* deviceId,
                               const char* sdkVersion) {
    if (driver != ESOD_AUTO_DETECT) return nullptr;
    if (!sdkVersion || std::strcmp(sdkVersion, SOUND_ENGINE_VERSION) != 0) return nullptr;
    bool expected = false;
    if (!engineAlive.compare_exchange_strong(expected, true)) return nullptr;
    if (!openOutput(deviceId)) {
        engineAlive = false;
        return nullptr;
    }
    return new SoundEngine(options);
}

SoundEngine::SoundEngine(int /*options*/) : library_(new SoundLibrary) {
    watchChannelEnds();
}

SoundEngine::~SoundEngine() {
    // No worker may start a sound once the channels are halted, and no channel may play a freed
    // chunk.
    library_->stopWorker();
    Mix_HaltChannel(-1);
    freePartChunks();
    library_.reset();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    engineAlive = false;
}

SoundHandle* SoundEngine::play2D(const char* file, bool playLooped, bool startPaused, bool track,
                                 StreamMode /*mode*/, bool /*enableSoundEffects*/) {
    if (!file) return nullptr;
    // An untracked sound started paused could never be resumed.
    if (startPaused && !track) return nullptr;

    auto playback = std::make_shared<Playback>();
    playback->looped = playLooped;
    playback->paused = startPaused;

    const std::string name(file);
    if (Mix_Chunk* chunk = library_->find(name)) {
        std::lock_guard<std::mutex> lock(playback->mutex);
        playback->chunk = chunk;
        startPlaybackLocked(*playback);
    } else {
        library_->whenDecoded(name, [playback](Mix_Chunk* decoded) {
            std::lock_guard<std::mutex> lock(playback->mutex);
            playback->chunk = decoded;
            if (!decoded) playback->failed = true;
            startPlaybackLocked(*playback);
        });
    }
    return track ? new SoundHandle(playback) : nullptr;
}

void SoundEngine::preload(const char* file) {
    if (file) library_->request(file, false);
}

bool SoundEngine::waitUntilDecoded(const char* file, double timeoutSeconds, SoundSamples* samples) {
    if (!file) return false;
    Mix_Chunk* chunk = library_->wait(file, timeoutSeconds);
    if (!chunk) return false;
    if (samples) {
        samples->data = reinterpret_cast<const int16_t*>(chunk->abuf);
        samples->frames = chunk->alen / (sizeof(int16_t) * kSoundChannels);
    }
    return true;
}

void SoundEngine::stopAllSounds() {
    Mix_HaltChannel(-1);
}

int SoundEngine::playingCount() const {
    return Mix_Playing(-1);
}

void SoundEngine::drop() {
    delete this;
}

SoundHandle::SoundHandle(std::shared_ptr<Playback> playback) : playback_(std::move(playback)) {}

SoundHandle::~SoundHandle() = default;

bool SoundHandle::isFinished() const {
    std::lock_guard<std::mutex> lock(playback_->mutex);
    return playback_->stopped || playback_->failed || playbackEndedLocked(*playback_);
}

void SoundHandle::setIsPaused(bool paused) {
    std::lock_guard<std::mutex> lock(playback_->mutex);
    playback_->paused = paused;
    if (playback_->channel < 0) {
        startPlaybackLocked(*playback_);
        return;
    }
    if (playbackEndedLocked(*playback_)) return;
    if (paused) {
        Mix_Pause(playback_->channel);
    } else {
        Mix_Resume(playback_->channel);
    }
}

void SoundHandle::setPlayPosition(unsigned milliseconds) {
    std::lock_guard<std::mutex> lock(playback_->mutex);
    if (playback_->channel < 0) {
        playback_->startFrame = static_cast<size_t>(milliseconds) * kSoundSampleRate / 1000;
    }
}

void SoundHandle::stop() {
    std::lock_guard<std::mutex> lock(playback_->mutex);
    if (playback_->channel >= 0 && !playbackEndedLocked(*playback_)) {
        Mix_HaltChannel(playback_->channel);
    }
    playback_->stopped = true;
}

void SoundHandle::drop() {
    delete this;
}
