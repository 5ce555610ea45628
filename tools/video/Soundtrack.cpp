#include "Soundtrack.h"

#include <algorithm>
#include <cmath>

#include "SceneSounds.h"

namespace {
long samplesOf(double seconds) {
    return std::lround(seconds * kMixSampleRate);
}
}  // namespace

std::vector<SoundCue> soundtrackCues(const FlightTimeline& timeline) {
    std::vector<SoundCue> cues = {{0.0, kMusicFile, false}};
    cues.insert(cues.end(), timeline.sounds.begin(), timeline.sounds.end());
    return cues;
}

SoundtrackMix soundtrackMix(const std::vector<SoundCue>& cues, double from, double duration,
                            int firstInput) {
    SoundtrackMix mix;
    const long length = samplesOf(duration);
    const std::string end = "atrim=end_sample=" + std::to_string(length);
    std::string labels;
    int count = 0;
    for (const SoundCue& cue : cues) {
        const long offset = samplesOf(cue.time - from);
        if (offset >= length) continue;  // starts after the range
        if (cue.looped) mix.inputArguments.insert(mix.inputArguments.end(), {"-stream_loop", "-1"});
        mix.inputArguments.insert(mix.inputArguments.end(), {"-i", "file:" + cue.file});

        const std::string label = "[s" + std::to_string(count) + "]";
        mix.filterGraph +=
            "[" + std::to_string(firstInput + count) +
            ":a]aformat=sample_fmts=fltp:sample_rates=" + std::to_string(kMixSampleRate) +
            ":channel_layouts=stereo,";
        if (offset >= 0) {
            mix.filterGraph += "adelay=delays=" + std::to_string(offset) + "S:all=1,";
        } else {
            // Started before the range: join it where it has got to. A sound over by then
            // leaves an empty stream, which the mix takes as silence.
            mix.filterGraph +=
                "atrim=start_sample=" + std::to_string(-offset) + ",asetpts=PTS-STARTPTS,";
        }
        mix.filterGraph += end + label + ";";
        labels += label;
        ++count;
    }
    // Nothing heard in the range: silence.
    if (count == 0) {
        mix.filterGraph =
            "anullsrc=r=" + std::to_string(kMixSampleRate) + ":cl=stereo," + end + "[aout]";
        return mix;
    }
    const long fade = std::min(length, samplesOf(kSoundtrackFadeOutSeconds));
    mix.filterGraph += labels + "amix=inputs=" + std::to_string(count) +
                       ":duration=longest:normalize=0,alimiter=limit=0.9:level=0:latency=1,"
                       "apad," +
                       end + ",afade=t=out:ss=" + std::to_string(length - fade) +
                       ":ns=" + std::to_string(fade) + "[aout]";
    return mix;
}
