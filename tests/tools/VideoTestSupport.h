#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Quotes one argument for /bin/sh.
std::string shellQuote(const std::string& argument);
// Joins arguments into a shell command line, each quoted.
std::string shellCommand(const std::vector<std::string>& arguments);

// Decodes the audio of a file with ffmpeg into interleaved 16-bit stereo at 44.1 kHz.
std::vector<int16_t> decodeStereo(const std::string& file, const std::string& filter = "");

// Decodes frame `index` of a video, or an image, into RGB bytes, top row first.
std::vector<uint8_t> decodeRgbFrame(const std::string& file, int index);

// Root mean square of stereo frames [first, last) of interleaved samples.
double rmsOfFrames(const std::vector<int16_t>& samples, long first, long last);

// The streams of a media file as ffprobe reports them, one key-value map per stream, with the
// video frames counted.
std::vector<std::map<std::string, std::string>> probeStreams(const std::string& file);
