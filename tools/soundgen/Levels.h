#pragma once

#include "Audio.h"
#include "SceneLoudness.h"

// Scales a sound so that its integrated loudness is `loudness`, holding its peaks under the ceiling
// with a gentle limiter where they would pass it.
void normaliseIntegrated(Stereo& audio, double loudness);
// The same for the loudness of its loudest 400 ms.
void normaliseLoudest(Stereo& audio, double loudness);
// Rides the gain slowly (over seconds) so that quiet and loud passages move most of the way
// towards `loudness`, then normalises the whole to it.
void levelMusic(Stereo& audio, double loudness);
