#pragma once

#include "Audio.h"

// Every sound of the house. Each function is deterministic: the same audio on every call.
Stereo renderPianoMusic();
Stereo renderGate();
Stereo renderGhost();
Stereo renderFire();
Stereo renderCauldron();
Stereo renderWolf();
Stereo renderLaugh();
Stereo renderChair();
// Loops without a seam: its last frame runs on into its first.
Stereo renderRain();
Stereo renderThunder();
