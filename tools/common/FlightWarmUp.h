#pragma once

#include <functional>

class Renderer;

// Seconds of smoke simulated, undrawn, before the first frame that shows the smoke's box: the
// plume needs this long to rise out of the brew and fill the box as it does in the program (see
// the README, "Capturing frames").
constexpr double kSmokeLeadSeconds = 2.0;

// How a tool flies the flight in fixed steps of dt from its start and which of the steps it draws.
// Steps are counted from 1; frame k (k from 0) shows the flight after step firstFrameStep + k, the
// moment it is on screen in the program. A first frame at step 0 is the flight's start: it is
// drawn after an update of no time.
//
// Drawing leaves next to nothing for later frames: every pass but one draws from scratch, and the
// simulations advance in update, drawn or not. The exception is the eye adaptation of the "DRAGO"
// tone mapping, which carries each frame's brightest luminance into the next: there the frames of
// its adaptation time before the first frame are drawn as well. The smoke, whose steps are the
// costliest, simulates only where a drawn frame can see it: from kSmokeLeadSeconds before the first
// such frame to the last one. Every other step updates everything (the path and its events, the
// animations, the fire and the rain) and draws nothing.
struct FlightPlan {
    float dt = 1.0f / 30.0f;
    long startStep = 0;  // the steps the renderer has flown before the plan
    long firstFrameStep = 0;
    long frames = 1;
    long warmUpFrames = 0;  // the steps just before the first frame that are drawn, unseen
    long smokeFrom = 1;     // the smoke simulates in the steps smokeFrom to smokeTo...
    long smokeTo = 0;       // ...and in no step when smokeTo < smokeFrom
    long lastFrameStep() const { return firstFrameStep + frames - 1; }
};

// Plans `frames` frames from the moment `firstFrameStep` steps of 1 / fps into the renderer's
// flight, which has flown startStep steps so far (0: none). warmUpSeconds < 0 draws only the
// frames that the shown ones depend on; warmUpSeconds >= 0 draws every frame of the last
// warmUpSeconds up to and including the first frame (at least that frame), as a check on the
// first. A first frame at the step the flight has reached is drawn again, without a step.
FlightPlan planFlight(const Renderer& renderer, long startStep, long firstFrameStep, long frames,
                      double fps, double warmUpSeconds);

// Flies a plan: the steps before the first frame, then frame after frame. Switches keep the
// values they have; the smoke's is held off in the steps where the plan has it still.
class PlannedFlight {
public:
    PlannedFlight(Renderer& renderer, const FlightPlan& plan);
    // Flies and draws every step before the first frame, telling progress(done, total) every few
    // steps.
    void flyToFirstFrame(const std::function<void(long done, long total)>& progress = {});
    // Steps on to the next frame and draws it; the first call draws the first frame.
    void drawNextFrame();
    // Gives the smoke switch back its value.
    void finish();

private:
    // The smoke switch as given in the plan's smoke steps, off in the others.
    void holdSmokeOutside(long index);
    void step(long index, bool draw);

    Renderer& renderer;
    FlightPlan plan;
    int smokeSwitch;
    long done;  // steps flown
    bool firstDrawn = false;
};

// Flies to `seconds` into the flight in steps of 1 / fps and draws the frame of that moment, so
// that the renderer holds the frame the program shows then; warmUpSeconds as in planFlight.
void flyToMoment(Renderer& renderer, double seconds, double fps, double warmUpSeconds = -1.0);
