#pragma once

#include <fstream>

#include "FlightJumps.h"
#include "Frustum.h"
#include "Model.h"
#include "Overlay.h"
#include "Renderer.h"
#include "SoundEngine.h"

// Where the C key records key points, given by each executable: the program's "filename.txt"
// (a recording left there by an earlier run is kept under a new name first), null for the tools,
// which must leave an author's recording as it is and record nothing.
extern const char* const keyPointFileName;

// The process-wide objects, constructed before main in the order of Globals.cpp.
extern std::ofstream keyPointFile;
extern Renderer renderer;
extern const glm::mat4 identityModelMatrix;
extern Model house;
// Null when no audio output can be opened: then the program runs silently.
extern SoundEngine* soundEngine;
extern Frustum viewFrustum;
// Drawn by the renderer at the end of each frame; H shows it.
extern Overlay overlay;
// The program's jumps, loop and steps through the flight.
extern FlightJumps flightJumps;

// Shell state of the frame loop and the input callbacks.
extern bool running;
extern bool keyHeld;
extern int lastKey;
// Shift or Ctrl was held at the last key press: the held movement key flies slowly.
extern bool slowMovement;
extern bool showFps;
// Set by F12: the frame loop writes the next frame's picture to a PNG file.
extern bool screenshotAsked;
extern double lastCursorX;
extern double lastCursorY;
