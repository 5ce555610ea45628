#pragma once

#include <functional>
#include <string>

#include "FlightLoop.h"
#include "FlightTimeline.h"

class Renderer;
class SoundEngine;

// A sound as the flight plays it at a moment: where in its file it is, and whether it loops.
struct SoundAt {
    std::string file;
    double offset = 0.0;  // seconds into the file
    bool looped = false;
};

// What the flight has started by `seconds` of a flight with this timeline: the music from the
// start, each effect from the step that played it, every loop from its beginning (the rain sounds
// the same anywhere in its loop). An effect that has ended by then is listed too: started past
// its end, it plays nothing.
std::vector<SoundAt> soundsAt(const FlightTimeline& timeline, double seconds, double fps);

// Steps a second in which a jump flies, as the tools fly their frames.
constexpr double kFlightStepsPerSecond = 30.0;
// How far Left and Right jump, and with Shift.
constexpr double kShortJumpSeconds = 5.0;
constexpr double kLongJumpSeconds = 30.0;
// A jump that takes longer than this shows its progress on screen.
constexpr double kQuietJumpSeconds = 0.5;

// Moves the running flight to any moment by flying there, as the tools do (PlannedFlight): in
// fixed steps, simulating without drawing; a moment before the present one is flown from the
// flight's start (Renderer::restartFlight). The camera path flies during a jump even while paused,
// and stays paused after it; switches stay as they are. The sounds then play as if the flight had
// played them: the music at its position, the rain's loop once it has begun, and each effect
// still sounding started at its offset.
class FlightJumps {
public:
    // Told how far a jump has come (0 to 1) every few steps; false stops it where it is.
    using Progress = std::function<bool(double share)>;

    explicit FlightJumps(Renderer& renderer) : renderer(renderer) {}

    double stepsPerSecond = kFlightStepsPerSecond;
    FlightLoop loop;

    // Seconds the flight has flown.
    double now() const;
    // The flight's timeline at the path's present speed.
    FlightTimeline timeline() const;
    // The key point the camera reached last.
    int keyPointReached() const;

    // Asks for a jump to `seconds`, clamped to the flight: the frame loop flies it (flyPending).
    void request(double seconds);
    bool pending() const { return pendingSeconds >= 0.0; }
    // Where the jump asked for goes, or the loop's start when it wraps next.
    double pendingTarget() const { return pending() ? pendingSeconds : loop.start; }
    // Flies the jump asked for, or back to the loop's start once the flight has passed the loop's
    // end. True when the renderer arrived at a new moment: its next frame is drawn without an
    // update, that frame being the one of the moment arrived at.
    bool flyPending(const Progress& progress = {});
    // Flies to `seconds` at once; false when progress stopped it.
    bool jumpTo(double seconds, const Progress& progress = {});

    // The times Page Up and Page Down go to: the last key point firing an event before `seconds`
    // (a little before it, so that a second press goes on back), the first after it; the start
    // and the last key point where there is none.
    double previousEventTime(double seconds) const;
    double nextEventTime(double seconds) const;
    // L: marks the loop's start, then its end (a press at or before the start marks the start
    // again), then clears it. Returns the notice to show.
    std::string markLoop();
    // "Time 110.0 s, key point 69"
    std::string timeNotice() const;

private:
    Renderer& renderer;
    double pendingSeconds = -1.0;
};
