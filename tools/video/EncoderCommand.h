#pragma once

#include <string>
#include <vector>

#include "Soundtrack.h"
#include "VideoOptions.h"

// The ffmpeg command line (program name first) that reads raw RGB frames, top row first, from
// its standard input and writes them with the soundtrack as H.264 and AAC into the MP4 file
// `file` (the video's temporary, renamed over --out once complete).
std::vector<std::string> encoderArguments(const VideoOptions& options, const SoundtrackMix& mix,
                                          const std::string& file);
