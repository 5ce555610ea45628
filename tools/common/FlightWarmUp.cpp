#include "FlightWarmUp.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Camera.h"
#include "CameraPath.h"
#include "Effects/HdrToneMapping.h"
#include "Effects/SmokeVolume.h"
#include "Renderer.h"

namespace {
// Seconds before a frame whose drawing that frame depends on: the eye adaptation's time in
// "DRAGO", nothing in the other mappings, which measure each frame on itself.
double carriedOverSeconds(const Renderer& renderer) {
    const bool adapting = renderer.hdrMode != 0 && renderer.hdr->mode == 1;
    return adapting ? static_cast<double>(renderer.hdr->adaptTime) : 0.0;
}

// Frames drawn in the last `seconds` up to and including a frame, beyond that frame itself, within
// the steps still to fly before it.
long framesBefore(double seconds, double fps, long startStep, long firstFrameStep) {
    const long drawn = std::max(std::lround(seconds * fps), 1L);
    return std::clamp(drawn - 1, 0L, std::max(firstFrameStep - 1 - startStep, 0L));
}

// Whether a frame drawn after each step from `first` to `last` would show the smoke's box, the
// renderer having flown `flown` steps. A copy of its camera path flies ahead, firing no event.
std::vector<bool> smokeInView(const Renderer& renderer, long flown, long first, long last,
                              float dt) {
    Camera camera = renderer.camera;
    CameraPath path = renderer.cameraPath.silentCopy(&camera);
    std::vector<bool> seen;
    for (long step = flown; step <= last; ++step) {
        if (step > flown) path.update(dt);
        if (step >= first) seen.push_back(renderer.smoke->inView(camera));
    }
    return seen;
}
}  // namespace

FlightPlan planFlight(const Renderer& renderer, long startStep, long firstFrameStep, long frames,
                      double fps, double warmUpSeconds) {
    FlightPlan plan;
    plan.dt = static_cast<float>(1.0 / fps);
    plan.startStep = startStep;
    plan.firstFrameStep = std::max(firstFrameStep, startStep);
    plan.frames = std::max(frames, 1L);
    const double carried = carriedOverSeconds(renderer);
    plan.warmUpFrames = framesBefore(warmUpSeconds < 0.0 ? carried : warmUpSeconds, fps, startStep,
                                     plan.firstFrameStep);
    if (renderer.doSmoke == 0) return plan;

    // The frames that reach the picture: those shown, and the warm-up's where it carries over.
    const long first = plan.firstFrameStep - (carried > 0.0 ? plan.warmUpFrames : 0);
    const std::vector<bool> seen =
        smokeInView(renderer, startStep, first, plan.lastFrameStep(), plan.dt);
    const auto firstSeen = std::find(seen.begin(), seen.end(), true);
    if (firstSeen == seen.end()) return plan;
    const long firstSeenStep = first + (firstSeen - seen.begin());
    const long lead = std::lround(kSmokeLeadSeconds * fps);
    // Step 0 is the update of no time that starts a flight drawn from its start.
    plan.smokeFrom = std::max(firstSeenStep - lead + 1, startStep == 0 ? 0L : startStep + 1);
    plan.smokeTo = first + (seen.rend() - std::find(seen.rbegin(), seen.rend(), true)) - 1;
    return plan;
}

PlannedFlight::PlannedFlight(Renderer& renderer, const FlightPlan& plan)
    : renderer(renderer), plan(plan), smokeSwitch(renderer.doSmoke), done(plan.startStep) {}

void PlannedFlight::holdSmokeOutside(long index) {
    const bool smoke = index >= plan.smokeFrom && index <= plan.smokeTo;
    renderer.doSmoke = smoke ? smokeSwitch : 0;
}

void PlannedFlight::step(long index, bool draw) {
    holdSmokeOutside(index);
    renderer.update(index == 0 ? 0.0f : plan.dt);
    if (draw) renderer.render();
}

void PlannedFlight::flyToFirstFrame(const std::function<void(long, long)>& progress) {
    const long before = std::max(plan.firstFrameStep - 1, plan.startStep);
    const long heldUntil = before - plan.warmUpFrames;
    const long total = before - plan.startStep;
    for (; done < before; ++done) {
        if (progress && (done - plan.startStep) % 64 == 0) progress(done - plan.startStep, total);
        step(done + 1, done + 1 > heldUntil);
    }
    if (progress) progress(total, total);
}

void PlannedFlight::drawNextFrame() {
    const bool again = !firstDrawn && plan.firstFrameStep == done;
    firstDrawn = true;
    if (again && done > 0) {
        // The moment the flight is at already: drawn once more as it stands.
        holdSmokeOutside(done);
        renderer.render();
        return;
    }
    if (!again) ++done;
    step(done, true);
}

void PlannedFlight::finish() {
    renderer.doSmoke = smokeSwitch;
}

void flyToMoment(Renderer& renderer, double seconds, double fps, double warmUpSeconds) {
    const FlightPlan plan =
        planFlight(renderer, 0, std::lround(seconds * fps), 1, fps, warmUpSeconds);
    PlannedFlight flight(renderer, plan);
    flight.flyToFirstFrame();
    flight.drawNextFrame();
    flight.finish();
}
