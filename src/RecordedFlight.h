#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "KeyPoint.h"

class Camera;
class Renderer;
struct FlightLoop;

// The key points the C key recorded in this run, and flying them at once: K makes them the path
// (two at least) and flies it from its first key point; K again goes back to the path followed
// before. Backspace takes the last of them back out of the recording file.
class RecordedFlight {
public:
    // This run's key points as the file holds them: a flight of the file equals a flight of these.
    std::vector<KeyPoint> recorded;
    bool flyingRecording = false;

    // Notes the camera's pose, just written to the recording file.
    void note(const Camera& camera);
    // K: flies the recording from its start, or the path before it; clears the loop, which
    // belongs to the other path. Returns the notice to show.
    std::string toggle(Renderer& renderer, FlightLoop& loop);
    // Backspace: rewrites `file` without its last line (under a temporary name, renamed over it),
    // reopens `out` to append to it and drops the last recorded key point. Only a regular file
    // that holds a key point recorded in this run is touched. Returns the notice to show.
    std::string takeBackLast(const std::string& file, std::ofstream& out);

private:
    std::vector<KeyPoint> pathBefore;
};

// The program's recording, fed by its C key.
extern RecordedFlight recordedFlight;
