#pragma once

// The stretch of the flight that L loops: the first press marks its start, the second its end,
// the third clears it. Seconds of flight; a time below 0 is not marked.
struct FlightLoop {
    double start = -1.0;
    double end = -1.0;

    bool startMarked() const { return start >= 0.0; }
    // Both ends marked: the flight goes back to the start whenever it reaches the end.
    bool looping() const { return start >= 0.0 && end > start; }
    void clear() { start = end = -1.0; }
};
