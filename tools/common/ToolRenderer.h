#pragma once

#include "OutputFrame.h"
#include "Progress.h"

// Sets the process-wide renderer up for a tool, once its context is current: silent (the sound
// engine goes, with its device and decoding thread), drawing into a framebuffer of the tool's own
// of width x height, the scene loaded. "Loading the scene" shows on the progress line meanwhile;
// the loaders' routine lines are held back, and any other line they print follows on a line of
// its own. False when the framebuffer cannot be made (the scene is then not loaded).
bool setUpToolRenderer(int width, int height, OutputFrame& frame, ProgressLine& progress);
