#include "SceneSounds.h"

#include "SoundEngine.h"

void preloadSceneSounds(SoundEngine* engine) {
    if (!engine) return;
    for (const char* file : kSceneSoundFiles) engine->preload(file);
}
