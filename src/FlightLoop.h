#pragma once

// A stretch of the flight that plays over and over: L marks its start, then its end; a third L
// clears it. The overlay's timeline draws it; the jump keys' engine keeps the flight inside it.
struct FlightLoop {
    bool set = false;   // both ends marked and the flight looping
    double from = 0.0;  // flight seconds where it starts
    double to = 0.0;    // and where it goes back to `from`
};
