#pragma once

class Renderer;

// Advances the renderer's flight by heldSteps + drawnSteps fixed steps of dt, so that the frame
// that follows shows what the program shows at that moment. The held steps draw nothing: the
// path, the animated meshes, the eye adaptation and the cheap simulations (fire, rain) step
// through all of them; the smoke, costly at any size, only through their last few seconds,
// enough for its plume to form. The drawn steps then run everything and render each frame, as
// the program does. Switches that are off stay off.
void flyWithWarmUp(Renderer& renderer, long heldSteps, long drawnSteps, float dt);

// Flies to `seconds` into the flight in steps of 1 / fps, drawing the last `warmupSeconds` of it,
// and renders, so that the renderer holds the frame that the program shows at that moment. At
// second 0 that is the first frame, drawn after an update of no time.
void flyToMoment(Renderer& renderer, double seconds, double fps, double warmupSeconds);
