#include "FlightWarmUp.h"

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
