#pragma once

#include <string>

#include "Audio.h"

// The encoder drops everything above this. Sounds are band-limited to it before they are measured,
// so that their loudness and peaks are those of the file.
constexpr double kEncoderLowPass = 16000.0;

// Encodes to a constant-bit-rate MP3 at 44.1 kHz with a LAME information frame (which lets
// decoders drop the encoder delay and padding, so the decoded length equals the input length) and
// no ID3 tag, so identical audio always gives identical bytes. Writes through a temporary file and
// a rename; false on any failure.
bool writeMp3(const std::string& path, const Stereo& audio, int kilobitsPerSecond);
