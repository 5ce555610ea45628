#include "FlightJumps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Effects/HdrToneMapping.h"
#include "Effects/SmokeVolume.h"
#include "FlightWarmUp.h"
#include "Renderer.h"
#include "SceneSounds.h"
#include "SoundEngine.h"

namespace {
// A moment within this share of a step of a whole step is taken as that step.
constexpr double kOnStep = 1.0e-3;
// On a software renderer one step of the smoke's simulation takes about as long as a thousand
// other steps: the progress shown weighs it so.
constexpr double kSmokeStepWeight = 1000.0;

// The work of the first `done` steps of a plan, steps of the smoke's window weighed heavier.
double workOf(const FlightPlan& plan, long done) {
    const long first = std::max(plan.startStep + 1, plan.smokeFrom);
    const long last = std::min(plan.startStep + done, plan.smokeTo);
    return static_cast<double>(done) +
           kSmokeStepWeight * static_cast<double>(std::max(last - first + 1, 0L));
}

void play(SoundEngine& engine, const SoundAt& sound) {
    SoundHandle* handle = engine.play2D(sound.file.c_str(), sound.looped, true, true);
    if (!handle) return;
    handle->setPlayPosition(static_cast<unsigned>(std::lround(sound.offset * 1000.0)));
    handle->setIsPaused(false);
    handle->drop();
}
}  // namespace

std::vector<SoundAt> soundsAt(const FlightTimeline& timeline, double seconds, double fps) {
    std::vector<SoundAt> sounds = {{kMusicFile, seconds, false}};
    for (const SoundCue& cue : timeline.sounds) {
        if (cue.time > seconds + kOnStep / fps) break;
        sounds.push_back(
            {cue.file, cue.looped ? 0.0 : std::max(seconds - cue.time, 0.0), cue.looped});
    }
    return sounds;
}

double FlightJumps::now() const {
    return renderer.cameraPath.flownSeconds;
}

FlightTimeline FlightJumps::timeline() const {
    return traceFlight(stepsPerSecond, renderer.cameraPath.m_keyPoints, renderer.cameraPath.speed);
}

int FlightJumps::keyPointReached() const {
    return renderer.cameraPath.keyPointReached();
}

void FlightJumps::request(double seconds) {
    pendingSeconds = std::clamp(seconds, 0.0, timeline().arrival);
}

bool FlightJumps::flyPending(const Progress& progress) {
    if (!pending() && loop.looping() && now() >= loop.end) pendingSeconds = loop.start;
    if (!pending()) return false;
    const double seconds = pendingSeconds;
    pendingSeconds = -1.0;
    jumpTo(seconds, progress);
    return true;
}

bool FlightJumps::jumpTo(double seconds, const Progress& progress) {
    const FlightTimeline course = timeline();
    const long target = std::lround(std::clamp(seconds, 0.0, course.arrival) * stepsPerSecond);
    const double position = now() * stepsPerSecond;
    long flown = static_cast<long>(std::floor(position + kOnStep));
    if (target < position - kOnStep) {
        renderer.restartFlight();
        flown = 0;
    }

    // The flight itself is silent and flies paused or not; its sounds are played after it.
    SoundEngine* engine = renderer.cameraPath.soundEngine;
    const bool flying = renderer.cameraPath.active;
    renderer.cameraPath.soundEngine = nullptr;
    renderer.cameraPath.active = true;
    // The smoke's window also takes in the moments just after the one arrived at, so that smoke
    // coming into view there has had its lead.
    const long ahead = std::lround(kSmokeLeadSeconds * stepsPerSecond) + 1;
    const FlightPlan plan = planFlight(renderer, flown, target, ahead, stepsPerSecond, 0.0);
    PlannedFlight flight(renderer, plan);
    const double work = workOf(plan, target - flown);
    const bool arrived = flight.flyThroughFirstFrame([&](long done, long) {
        return !progress || progress(work > 0.0 ? workOf(plan, done) / work : 1.0);
    });
    flight.finish();
    renderer.cameraPath.active = flying;
    renderer.cameraPath.soundEngine = engine;
    if (!arrived) return false;

    // Smoke that no step of the plan simulated starts from clean air here.
    if (plan.smokeFrom > target || plan.smokeTo < plan.smokeFrom) {
        renderer.smoke->restart(static_cast<unsigned>(target));
    }
    // The eye adapts anew: the first frame at the moment maps by its own brightness.
    renderer.hdr->adaptedMaxLum = 0.0f;
    if (engine) {
        engine->stopAllSounds();
        for (const SoundAt& sound : soundsAt(course, now(), stepsPerSecond)) play(*engine, sound);
    }
    return true;
}

double FlightJumps::previousEventTime(double seconds) const {
    const FlightTimeline flight = timeline();
    const std::vector<KeyPoint>& keyPoints = renderer.cameraPath.m_keyPoints;
    // A press just after arriving at an event's key point goes on to the one before.
    const double before = seconds - 1.0;
    double found = 0.0;
    for (size_t i = 0; i < flight.keyPointArrivals.size() && i < keyPoints.size(); ++i) {
        if (flight.keyPointArrivals[i] >= before) break;
        if (CameraPath::firesEvent(keyPoints[i])) found = flight.keyPointArrivals[i];
    }
    return found;
}

double FlightJumps::nextEventTime(double seconds) const {
    const FlightTimeline flight = timeline();
    const std::vector<KeyPoint>& keyPoints = renderer.cameraPath.m_keyPoints;
    const double after = seconds + 0.5 / stepsPerSecond;
    for (size_t i = 0; i < flight.keyPointArrivals.size() && i < keyPoints.size(); ++i) {
        if (flight.keyPointArrivals[i] > after && CameraPath::firesEvent(keyPoints[i])) {
            return flight.keyPointArrivals[i];
        }
    }
    return flight.arrival;
}

std::string FlightJumps::markLoop() {
    char text[64];
    const double at = now();
    if (loop.looping()) {
        loop.clear();
        return "Loop cleared";
    }
    if (!loop.startMarked() || at <= loop.start) {
        loop.start = at;
        std::snprintf(text, sizeof text, "Loop start %.1f s", at);
        return text;
    }
    loop.end = at;
    std::snprintf(text, sizeof text, "Loop %.1f to %.1f s", loop.start, loop.end);
    return text;
}

std::string FlightJumps::timeNotice() const {
    char text[64];
    std::snprintf(text, sizeof text, "Time %.1f s, key point %d", now(), keyPointReached());
    return text;
}
