#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// The program's sound output: plays MP3 (and WAV) files as 2D sounds, fire-and-forget, on the
// mixer's own thread. Files are decoded ahead on a worker thread of the engine so that play2D never
// waits for a decoder. The engine plays through one SDL audio device opened at creation.

enum SoundOutputDriver {
    ESOD_AUTO_DETECT = 0,  // the platform's default output, or the one named by SDL_AUDIODRIVER
};

// How a file is read. The engine always decodes a file completely before playing it.
enum StreamMode {
    ESM_AUTO_DETECT = 0,
    ESM_NO_STREAMING = 1,
    ESM_STREAMING = 2,
};

// Option bits of createSoundEngine. The program passes the default set; the engine always decodes
// and mixes on threads of its own and never prints, so no bit changes its behaviour.
constexpr int ESEO_MULTI_THREADED = 0x01;
constexpr int ESEO_DEFAULT_OPTIONS = 61;

// The interface version that callers are built against; creation refuses any other.
constexpr const char* SOUND_ENGINE_VERSION = "1.6.0";

// Every sound is mixed in this format, whatever its file holds.
constexpr int kSoundSampleRate = 44100;
constexpr int kSoundChannels = 2;

class SoundLibrary;
struct Playback;

// A tracked sound, returned by play2D when asked to track. The sound plays on when the handle is
// dropped. Handles must be dropped before their engine is deleted.
class SoundHandle {
public:
    explicit SoundHandle(std::shared_ptr<Playback> playback);
    ~SoundHandle();
    SoundHandle(const SoundHandle&) = delete;
    SoundHandle& operator=(const SoundHandle&) = delete;

    // True once the sound has ended, was stopped, or could not be played at all.
    bool isFinished() const;
    // A sound started paused begins playing here.
    void setIsPaused(bool paused);
    // Where a sound started paused begins when it is unpaused, in milliseconds from its
    // beginning (a looped one then loops the part from there); a position past its end plays
    // nothing. No effect once the sound has started.
    void setPlayPosition(unsigned milliseconds);
    void stop();
    // Releases the handle (deletes it); the sound itself goes on.
    void drop();

private:
    std::shared_ptr<Playback> playback_;
};

// Decoded audio of a file as the mixer plays it: interleaved 16-bit stereo at 44.1 kHz.
struct SoundSamples {
    const int16_t* data = nullptr;
    size_t frames = 0;
};

class SoundEngine {
public:
    // Use createSoundEngine, which returns null instead of an engine without an output device.
    explicit SoundEngine(int options);
    ~SoundEngine();
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    // Starts playing the file and returns at once. When the file is not decoded yet its decoding is
    // put first in the worker's queue and the sound starts as soon as it is ready. A missing or
    // undecodable file plays nothing. Returns a handle only when track is true. A sound started
    // paused and not tracked can never be heard. mode and enableSoundEffects change nothing.
    SoundHandle* play2D(const char* file, bool playLooped = false, bool startPaused = false,
                        bool track = false, StreamMode mode = ESM_AUTO_DETECT,
                        bool enableSoundEffects = false);

    // Queues the file for decoding on the worker thread, so that a later play2D starts at once.
    void preload(const char* file);

    // Waits until the file is decoded, or the time runs out. True when it decoded; then samples
    // (when given) shows the decoded audio, which lives as long as the engine.
    bool waitUntilDecoded(const char* file, double timeoutSeconds, SoundSamples* samples = nullptr);

    // Stops every sound playing now. A sound still waiting for its file's decoding starts later.
    void stopAllSounds();

    // Number of sounds the mixer is playing now.
    int playingCount() const;

    // Ends the engine (deletes it): stops every sound and the decoding worker and closes the
    // output device, so that another engine may open it.
    void drop();

private:
    std::unique_ptr<SoundLibrary> library_;
};

// Opens the output device and starts the engine. Returns null when no audio device can be opened,
// the driver is unknown or sdkVersion is not SOUND_ENGINE_VERSION; it prints nothing. deviceId
// names an output device; null picks the default one. One engine at a time owns the device.
SoundEngine* createSoundEngine(SoundOutputDriver driver = ESOD_AUTO_DETECT,
                               int options = ESEO_DEFAULT_OPTIONS, const char* deviceId = nullptr,
                               const char* sdkVersion = SOUND_ENGINE_VERSION);
