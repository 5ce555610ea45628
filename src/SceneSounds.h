#pragma once

#include <array>

class SoundEngine;

// The sound files of the scene: the music first, then the effects that the camera path plays.
constexpr const char* kMusicFile = "res/Music/horrorPiano.mp3";
constexpr const char* kRainSoundFile = "res/Soundeffects/rain.mp3";
constexpr std::array<const char*, 10> kSceneSoundFiles = {
    kMusicFile,
    "res/Soundeffects/gate.mp3",
    "res/Soundeffects/ghost.mp3",
    "res/Soundeffects/fire.mp3",
    "res/Soundeffects/chauldron.mp3",
    "res/Soundeffects/wolf.mp3",
    "res/Soundeffects/laugh.mp3",
    "res/Soundeffects/chair.mp3",
    kRainSoundFile,
    "res/Soundeffects/thunder.mp3",
};

// Queues every scene sound for decoding on the engine's worker, so that each later play2D starts
// at once. Does nothing without an engine.
void preloadSceneSounds(SoundEngine* engine);
