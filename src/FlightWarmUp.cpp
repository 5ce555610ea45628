#include "FlightWarmUp.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Camera.h"
#include "CameraPath.h"
#include "Effects/HdrToneMapping.h"
#include "Effects/SmokeVolume.h"
#include "Globals.h"
#include "Overlay.h"
#include "Renderer.h"

namespace {
// The share of the gap between the adapted white and the program's that the "DRAGO" eye
// adaptation may keep when a frame is drawn. Each drawn step moves the adapted white a fraction
// t = dt / adaptTime of the way to the last frame's maximum, and the program's white moves by the
// same rule from the same maxima, so the gap between the two shrinks by (1 - t) a step, whatever
// the frames show. A run of drawn frames starts with the white settled on its first frame's own
// maximum. The worst starting gap allowed for is the white itself: the program's white, a mean of
// the maxima of the frames before, anywhere from 0 to twice the first frame's. A white within 1 %
// of its value moves no pixel by a whole 8-bit step: the mapped, display-encoded value climbs at
// most 95 steps per unit of ln(white) (at the brightest pixel of a frame as dim as white 0.25; 15
// to 60 steps for whites from 2 to 100; the bloom's glow is a blur of mapped values and moves with
// them). So the adaptation is drawn for the n steps that give (1 - t)^n <= 1 %: 275 steps, 9.2 s,
// at 30 steps a second with the 2 s adaptation, about 4.6 of its time constants.
constexpr double kAdaptationGapLeft = 0.01;

// Frames before a frame whose drawing that frame depends on: the eye adaptation's in "DRAGO",
// none in the other mappings, which measure each frame on itself.
long carriedOverFrames(const Renderer& renderer, double fps) {
    const bool adapting = renderer.hdrMode != 0 && renderer.hdr->mode == 1;
    if (!adapting) return 0;
    const double t = 1.0 / (fps * static_cast<double>(renderer.hdr->adaptTime));
    if (t >= 1.0) return 1;  // a step of the adaptation's time or more adapts all the way
    return static_cast<long>(std::ceil(std::log(kAdaptationGapLeft) / std::log(1.0 - t)));
}

// Frames in the last `seconds` up to and including a frame, beyond that frame itself.
long framesWithin(double seconds, double fps) {
    return std::max(std::lround(seconds * fps), 1L) - 1;
}

// Whether a frame drawn after each step from `first` to `last` shows the smoke: its box is in
// the camera's view, or the view is the one of the grid itself. A copy of the camera path flies,
// firing no event, from where the renderer's is after `flown` steps, or from its start when
// `first` lies among those steps.
std::vector<bool> smokeSeen(const Renderer& renderer, long flown, long first, long last, float dt) {
    if (renderer.view == TargetView::SmokeDensity) {
        return std::vector<bool>(static_cast<size_t>(std::max(last - first + 1, 0L)), true);
    }
    Camera camera = renderer.camera;
    CameraPath path = renderer.cameraPath.silentCopy(&camera);
    if (first < flown && path.active) {
        path.follow(path.m_keyPoints);
        flown = 0;
    }
    std::vector<bool> seen;
    for (long step = std::min(flown, first); step <= last; ++step) {
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
    const long carried = carriedOverFrames(renderer, fps);
    const long wanted = warmUpSeconds < 0.0 ? carried : framesWithin(warmUpSeconds, fps);
    plan.warmUpFrames = std::clamp(wanted, 0L, std::max(plan.firstFrameStep - 1 - startStep, 0L));
    if (renderer.doSmoke == 0) return plan;

    // The frames that reach the picture: those shown, and the adaptation's before them, counted
    // from the moment alone (the flight draws a frame of step 0 only where it shows step 0).
    const long first = std::max(plan.firstFrameStep - carried, std::min(plan.firstFrameStep, 1L));
    const std::vector<bool> seen =
        smokeSeen(renderer, startStep, first, plan.lastFrameStep(), plan.dt);
    const auto firstSeen = std::find(seen.begin(), seen.end(), true);
    if (firstSeen == seen.end()) return plan;
    const long firstSeenStep = first + (firstSeen - seen.begin());
    const long lead = std::lround(kSmokeLeadSeconds * fps);
    plan.smokeFrom = firstSeenStep == 0 ? 0 : std::max(firstSeenStep - lead + 1, 1L);
    plan.smokeTo = first + (seen.rend() - std::find(seen.rbegin(), seen.rend(), true)) - 1;
    return plan;
}

PlannedFlight::PlannedFlight(Renderer& renderer, const FlightPlan& plan)
    : renderer(renderer), plan(plan), done(plan.startStep), drawnLast(plan.startStep > 0) {}

void PlannedFlight::holdSmokeOutside(long index, long flownThrough, bool drawn) {
    const bool inWindow = index >= plan.smokeFrom && index <= plan.smokeTo;
    // The overlay's pass times show the smoke's step as the program takes it in each frame: in a
    // drawn frame out of the window it steps too, unseen (a window starts over from clean air).
    const bool timed = drawn && overlay.visible;
    if (inWindow && !smokeStarted) {
        // The window's smoke depends on the window alone: from clean air and the window's own
        // seed, its steps that the flight has flown already simulated here.
        renderer.smoke->restart(static_cast<unsigned>(plan.smokeFrom));
        for (long s = std::max(plan.smokeFrom, 1L); s <= flownThrough; ++s) {
            renderer.smoke->simulate(plan.dt);
        }
        smokeStarted = true;
    }
    renderer.smokeHeld = !inWindow && !timed;
}

void PlannedFlight::step(long index, bool draw) {
    holdSmokeOutside(index, index - 1, draw);
    renderer.update(index == 0 ? 0.0f : plan.dt);
    if (draw) {
        renderer.render();
        // A run of drawn frames starts with the eye settled on its first frame: the adaptation
        // carries nothing from the steps and moments before.
        if (!drawnLast) renderer.hdr->settle();
    }
    drawnLast = draw;
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

bool PlannedFlight::flyThroughFirstFrame(const std::function<bool(long, long)>& progress) {
    const long heldUntil = plan.firstFrameStep - 1 - plan.warmUpFrames;
    const long total = plan.firstFrameStep - plan.startStep;
    for (; done < plan.firstFrameStep; ++done) {
        if (progress && !progress(done - plan.startStep, total)) {
            return false;
        }
        step(done + 1, done + 1 > heldUntil && done + 1 < plan.firstFrameStep);
    }
    firstDrawn = true;
    return true;
}

void PlannedFlight::drawNextFrame() {
    const bool again = !firstDrawn && plan.firstFrameStep == done;
    firstDrawn = true;
    if (again && done > 0) {
        // The moment the flight is at already: drawn once more as it stands.
        holdSmokeOutside(done, done, false);
        renderer.render();
        return;
    }
    if (!again) ++done;
    step(done, true);
}

void PlannedFlight::finish() {
    renderer.smokeHeld = false;
}

void flyToMoment(Renderer& renderer, double seconds, double fps, double warmUpSeconds) {
    const FlightPlan plan =
        planFlight(renderer, 0, std::lround(seconds * fps), 1, fps, warmUpSeconds);
    PlannedFlight flight(renderer, plan);
    flight.flyToFirstFrame();
    flight.drawNextFrame();
    flight.finish();
}
