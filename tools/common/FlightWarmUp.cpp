#include "FlightWarmUp.h"

#include <algorithm>
#include <cmath>

#include "Renderer.h"

void flyWithWarmUp(Renderer& renderer, long heldSteps, long drawnSteps, float dt) {
    int* const simulations[3] = {&renderer.doSmoke, &renderer.doFire, &renderer.doRain};
    int saved[3];
    for (int i = 0; i < 3; ++i) saved[i] = *simulations[i];
    for (int i = 0; i < 3; ++i) *simulations[i] = 0;
    for (long step = 0; step < heldSteps; ++step) renderer.update(dt);
    for (int i = 0; i < 3; ++i) *simulations[i] = saved[i];
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
