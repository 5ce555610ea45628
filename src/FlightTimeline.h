#pragma once

#include <string>
#include <vector>

#include "CameraPath.h"
#include "KeyPoint.h"

// A sound that the flight starts, at the time (seconds of flight) of the step that starts it.
struct SoundCue {
    double time = 0.0;
    std::string file;
    bool looped = false;
};

// What the camera path does when flown in fixed steps of 1 / fps from its first key point.
struct FlightTimeline {
    std::vector<SoundCue> sounds;  // in the order the path plays them
    // When the camera reaches each key point: the time of the step that brings it there.
    std::vector<double> keyPointArrivals;
    double arrival = 0.0;  // when the last key point is reached
};

// Flies a fresh camera path over these key points (at the speed given) in steps of
// 1 / fps, as the renderer does, and notes every sound it plays and when each key point is
// reached. Needs no GL context.
FlightTimeline traceFlight(double fps, const std::vector<KeyPoint>& keyPoints,
                           float speed = kDefaultPathSpeed);
// The scene's own flight.
FlightTimeline traceFlight(double fps);

// Seconds that a default video lasts: the flight, then this long on the last key point.
constexpr double kRestAtEndSeconds = 2.0;
