#pragma once

#include <string>

#include "OutputFrame.h"
#include "Progress.h"

// Sets the process-wide renderer up for a tool, once its context is current: silent (the sound
// engine goes, with its device and decoding thread), drawing into a framebuffer of the tool's own
// of width x height, the scene loaded. "Loading the scene" shows on the progress line meanwhile;
// the loaders' routine lines are held back, and any other line they print follows on a line of
// its own. Nothing waits for input: a missing shader file does not wait for Enter as in the
// program. False with a message in error when the framebuffer cannot be made (the scene is then
// not loaded), or when a file of the scene failed to load, compile or link: the message names the
// first, e.g. "shaders/lighting.frag cannot be opened", and the tool must not draw the scene.
bool setUpToolRenderer(int width, int height, OutputFrame& frame, ProgressLine& progress,
                       std::string& error);

// Whether every file of the scene has loaded, compiled and linked so far: programs that only some
// frames use (the views') are built when first drawn. False with the first failure in error, as
// setUpToolRenderer gives it.
bool sceneComplete(std::string& error);
