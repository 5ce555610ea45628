#pragma once

#include <GL/glew.h>

#include <array>

#include "PassProfiler.h"

// Times every stage of the frames on the GPU for a live display, without ever waiting for it: GL
// timestamps around each stage, in kFramesInFlight sets used in turn, each read when its turn
// comes again (two frames later) and only once the GPU has delivered both ends of every stage. A
// frame whose times have not arrived by then is skipped. The queries are made at the first stage
// timed.
class LatePassTimer : public PassObserver {
public:
    static constexpr int kFramesInFlight = 3;

    void begin(Pass pass) override;
    void end(Pass pass) override;
    // Closes the frame: collects the times of the frame that used the next set of queries, if they
    // have arrived, and moves on to that set.
    void endFrame();

    // Mean milliseconds of each stage over the frames collected since the last call, and whether
    // any of them ran it; then starts a new collection.
    struct Means {
        std::array<double, kPassCount> ms{};
        std::array<bool, kPassCount> measured{};
    };
    Means takeMeans();
    // Drops the frames in flight and the times collected: a timer that stopped listening starts
    // again with the frames drawn after it resumed.
    void forget();

private:
    void collect(int slot);

    bool made_ = false;
    int slot_ = 0;
    std::array<std::array<GLuint, kPassCount * 2>, kFramesInFlight> queries_{};
    std::array<std::array<bool, kPassCount>, kFramesInFlight> issued_{};
    std::array<double, kPassCount> totalMs_{};
    std::array<int, kPassCount> counts_{};
};
