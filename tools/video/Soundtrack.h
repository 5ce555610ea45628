#pragma once

#include <string>
#include <vector>

#include "FlightTimeline.h"

// The soundtrack as the program plays it: the music from the start of the flight, then every
// sound of the path from the step that starts it. Music first.
std::vector<SoundCue> soundtrackCues(const FlightTimeline& timeline);

// ffmpeg's share of the mix: one input per cue heard in the range, and a filter graph that mixes
// them into the stream [aout], exactly the range long.
struct SoundtrackMix {
    std::vector<std::string> inputArguments;
    std::string filterGraph;
};

constexpr int kMixSampleRate = 44100;
// A video may end in the middle of a sound: its soundtrack fades out over this last stretch.
constexpr double kSoundtrackFadeOutSeconds = 1.0;

// Mixes what is heard from second `from` of the flight for `duration` seconds. Cue inputs are
// numbered from firstInput on (the inputs before it are the caller's). Sounds add at full level,
// as the program's mixer adds them; a limiter keeps their sum below full scale, and the whole fades
// out over its last kSoundtrackFadeOutSeconds.
SoundtrackMix soundtrackMix(const std::vector<SoundCue>& cues, double from, double duration,
                            int firstInput);
