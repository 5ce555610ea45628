#pragma once

#include "FlightJumps.h"

struct GLFWwindow;

// The flight's keys: Left / Right jump 5 s back / on (30 s with Shift), Page Up / Page Down to the
// key point of the event before / after, Home to the start, End to the last key point, '.' and
// ',' one step on / back while the path is paused, L marks and clears the loop. They ask for a
// jump, which the frame loop flies (flyPendingJump), and stop a held movement key. False for any
// other key, and for '.' and ',' while the path flies.
bool handleFlightKey(int key, int mods);

// Flies the jump asked for, or back to the loop's start; a jump asked for prints its line and
// shows its notice. True when the renderer arrived at a new moment: the next frame is drawn
// without an update.
bool flyPendingJump(const FlightJumps::Progress& progress = {});
// True while flyPendingJump flies: a key handled meanwhile must not change the path.
bool jumpInFlight();

// A jump's progress on screen once it takes longer than kQuietJumpSeconds ("Going to 110.0 s ...
// 40 %", about four times a second, on a cleared window), with the window's events handled
// meanwhile: Escape or closing the window stops the jump.
FlightJumps::Progress jumpProgressOnScreen(GLFWwindow* window, double seconds);
