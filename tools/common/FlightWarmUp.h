#pragma once

class Renderer;

// Advances the renderer's flight by heldSteps + drawnSteps fixed steps of dt. During the held
// steps only the path and the animated meshes move: the simulations are switched off, as their
// keys would hold them, since they cost the same at any size. The drawn steps then run the
// simulations and render each frame, as the program does, so that whatever builds up over
// frames (particles, eye adaptation) has settled by the frame that follows.
void flyWithWarmUp(Renderer& renderer, long heldSteps, long drawnSteps, float dt);

// Flies to `seconds` into the flight in steps of 1 / fps, drawing the last `warmupSeconds` of it,
// and renders, so that the renderer holds the frame that the program shows at that moment. At
// second 0 that is the first frame, drawn after an update of no time.
void flyToMoment(Renderer& renderer, double seconds, double fps, double warmupSeconds);
