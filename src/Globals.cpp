#include "Globals.h"

// Construction order matters and is the order of definition in this one file: the key-point file
// first, the sound engine after the scene objects, the view frustum last.
std::ofstream keyPointFile("filename.txt");
Renderer renderer;
Model house;
SoundEngine* soundEngine =
    createSoundEngine(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.6.0");
Frustum viewFrustum;

bool running = true;
bool keyHeld = false;
int lastKey = 0;
bool showFps = false;
double lastCursorX = 0.0;
double lastCursorY = 0.0;
