#pragma once

#include <string>

#include "Audio.h"

// Encodes to a constant-bit-rate MP3 at 44.1 kHz with a LAME information frame (which lets
// decoders drop the encoder delay and padding, so the decoded length equals the input length) and
// no ID3 tag, so identical audio always gives identical bytes. Writes through a temporary file and
// a rename; false on any failure.
bool writeMp3(const std::string& path, const Stereo& audio, int kilobitsPerSecond);
