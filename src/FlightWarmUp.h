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
// tone mapping, which carries each frame's brightest luminance into the next: there the frames
// before the first frame are drawn as well, long enough for the adaptation to come within an 8-bit
// step of the program's, starting settled on the first of them. The smoke, whose steps are the
// costliest, simulates only where a drawn frame shows it (its box in view, or the view of its
// grid): from clean air kSmokeLeadSeconds before the first such frame to the last one, its
// sources seeded with the window's first step. Every other step updates everything (the path and
// its events, the animations, the fire and the rain) and draws nothing. So a frame depends on its
// moment, the path and the switches only, not on the moments captured before it in the same run,
// except where the adaptation's frames of one moment reach back into those of the one before: it
// then goes on from that moment's, drawn all the way, and is as close to the program's.
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
// flight, which has flown startStep steps so far (0: none; otherwise the last of them was drawn,
// as the plan before left it). warmUpSeconds < 0 draws only the
// frames that the shown ones depend on; warmUpSeconds >= 0 draws every frame of the last
// warmUpSeconds up to and including the first frame (at least that frame), as a check on the
// first. A first frame at the step the flight has reached is drawn again, without a step.
FlightPlan planFlight(const Renderer& renderer, long startStep, long firstFrameStep, long frames,
                      double fps, double warmUpSeconds);

// Flies a plan: the steps before the first frame, then frame after frame. Switches keep the
// values they have; the smoke's simulation stands still (Renderer::smokeHeld) outside the plan's
// window.
class PlannedFlight {
public:
    PlannedFlight(Renderer& renderer, const FlightPlan& plan);
    // Flies and draws every step before the first frame, telling progress(done, total) every few
    // steps.
    void flyToFirstFrame(const std::function<void(long done, long total)>& progress = {});
    // Flies every step up to and including the first frame's without drawing any (the plan's
    // warm-up frames are drawn), as the program arrives at a moment: its next frame is drawn
    // without a step. Tells progress(done, total) before every step, and stops early, returning
    // false, when it returns false.
    bool flyThroughFirstFrame(const std::function<bool(long done, long total)>& progress);
    // Steps on to the next frame and draws it; the first call draws the first frame.
    void drawNextFrame();
    // Lets the smoke simulate again.
    void finish();

private:
    // Holds the smoke still outside the plan's window (but in steps drawn with the overlay); its
    // first step in the window starts the window's smoke, simulating the window's steps up to
    // flownThrough, flown already.
    void holdSmokeOutside(long index, long flownThrough, bool drawn);
    void step(long index, bool draw);

    Renderer& renderer;
    FlightPlan plan;
    long done;       // steps flown
    bool drawnLast;  // whether the last step flown was drawn
    bool firstDrawn = false;
    bool smokeStarted = false;
};

// Flies to `seconds` into the flight in steps of 1 / fps and draws the frame of that moment, so
// that the renderer holds the frame the program shows then; warmUpSeconds as in planFlight.
void flyToMoment(Renderer& renderer, double seconds, double fps, double warmUpSeconds = -1.0);
