#include "FlightWarmUp.h"

#include <algorithm>
#include <cmath>

#include "Renderer.h"

namespace {
// Seconds of smoke simulated, undrawn, before the drawn steps: with those drawn, long enough for
// the plume to rise out of its box as it does in the program; a step of the 64^3 grid costs about
// a fifth of a second on a software renderer, so not the whole flight.
constexpr double kSmokeHeldSeconds = 2.0;
}  // namespace

void flyWithWarmUp(Renderer& renderer, long heldSteps, long drawnSteps, float dt) {
    const long smokeSteps = std::min(heldSteps, std::lround(kSmokeHeldSeconds / dt));
    const int smoke = renderer.doSmoke;
    renderer.doSmoke = 0;
    for (long step = 0; step < heldSteps; ++step) {
        if (step == heldSteps - smokeSteps) renderer.doSmoke = smoke;
        renderer.update(dt);
    }
    renderer.doSmoke = smoke;
    for (long step = 0; step < drawnSteps; ++step) {
        renderer.update(dt);
        renderer.render();
    }
}

void flyToMoment(Renderer& renderer, double seconds, double fps, double warmupSeconds) {
    const float dt = static_cast<float>(1.0 / fps);
    const long steps = std::lround(seconds * fps);
    const long drawn = std::clamp(std::lround(warmupSeconds * fps), 1L, std::max(steps, 1L));
    const long warmSteps = std::min(steps, drawn);
    flyWithWarmUp(renderer, steps - drawn, warmSteps, dt);
    if (warmSteps == 0) {
        renderer.update(0.0f);
        renderer.render();
    }
}
