#pragma once

// The levels the scene's sounds are generated to. The program plays every sound at full volume and
// adds them, so these alone make the mix: each effect's loudest 400 ms stands 3 to 10 LU (aimed at
// 6.5) over the music it plays over, the rain runs well under the music, and no file's true peak
// passes the ceiling, which leaves the MP3 encoder room to overshoot and the sum room under full
// scale where thunder, rain and music meet.
constexpr double kMusicLoudness = -21.0;  // LUFS, integrated, even through the piece
constexpr double kEffectLoudness = kMusicLoudness + 6.5;  // LUFS, the loudest 400 ms
constexpr double kRainLoudness = kMusicLoudness - 9.0;    // LUFS, integrated
constexpr double kTruePeakCeiling = -5.0;                 // dBTP, before encoding
constexpr double kEncodedTruePeakLimit = -3.0;            // dBTP, every file as written
