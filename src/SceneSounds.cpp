#include "SceneSounds.h"

#include <cstring>

#include "SoundEngine.h"

void playSceneSound(SoundEngine* engine, const char* file) {
    if (!engine || !file) return;
    const bool looped = std::strcmp(file, kRainSoundFile) == 0;
    engine->play2D(file, looped, false, false, ESM_AUTO_DETECT, false);
}

void preloadSceneSounds(SoundEngine* engine) {
    if (!engine) return;
    for (const char* file : kSceneSoundFiles) engine->preload(file);
}
