#include "EncoderCommand.h"

#include <cstdio>

std::vector<std::string> encoderArguments(const VideoOptions& options, const SoundtrackMix& mix,
                                          const std::string& file) {
    char fps[32];
    std::snprintf(fps, sizeof fps, "%.6g", options.fps);
    const std::string size = std::to_string(options.width) + "x" + std::to_string(options.height);
    // clang-format off
    std::vector<std::string> arguments = {
        "ffmpeg", "-hide_banner", "-loglevel", "error", "-nostats", "-y",
        "-f", "rawvideo", "-pix_fmt", "rgb24", "-s", size, "-r", fps, "-i", "pipe:0",
    };
    arguments.insert(arguments.end(), mix.inputArguments.begin(), mix.inputArguments.end());
    // "file:" keeps a name with a colon or a leading dash a plain file name; the container is
    // named, so any extension will do.
    arguments.insert(arguments.end(), {
        "-filter_complex", mix.filterGraph, "-map", "0:v", "-map", "[aout]",
        "-c:v", "libx264", "-preset", "medium", "-crf", "20", "-pix_fmt", "yuv420p",
        "-c:a", "aac", "-b:a", "192k",
        "-movflags", "+faststart", "-f", "mp4", "file:" + file,
    });
    // clang-format on
    return arguments;
}
