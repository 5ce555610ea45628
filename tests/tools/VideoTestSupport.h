#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Joins arguments into a shell command line, each quoted for /bin/sh.
std::string shellCommand(const std::vector<std::string>& arguments);

// Decodes the audio of a file with ffmpeg into interleaved 16-bit stereo at 44.1 kHz.
std::vector<int16_t> decodeStereo(const std::string& file, const std::string& filter = "");

// Mean absolute difference per byte between frame `index` of a video and an image, both decoded
// to RGB by ffmpeg; -1 when either fails to decode or their sizes differ.
double frameDifference(const std::string& video, int index, const std::string& image);

// Every frame of a video, decoded to 8-bit RGB by ffmpeg, one after the other; empty on failure.
std::string decodeFrames(const std::string& video);

// Root mean square of stereo frames [first, last) of interleaved samples.
double rmsOfFrames(const std::vector<int16_t>& samples, long first, long last);

// What ffprobe reports of the streams selected (all when empty), their entries comma-separated in
// ffprobe's order, one stream a line; video frames are counted.
std::string probe(const std::string& file, const std::string& streams, const std::string& entries);
