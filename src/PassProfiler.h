#pragma once

#include <GL/glew.h>

#include <array>
#include <chrono>

// The timed stages of a frame: the passes of render and the GPU steps of update.
enum class Pass {
    Shadow,
    GBuffer,
    SmokeFaces,
    Ssao,
    Lighting,
    Sky,
    Fire,
    Rain,
    SmokeMarch,
    ToneOrBright,
    BloomBlur,
    Composite,
    SmokeStep,
    Adapt,
    FireStep,
    RainStep,
    Count
};

constexpr int kPassCount = static_cast<int>(Pass::Count);
// The stage's name in the benchmark's tables, the overlay and the frame's debug groups.
const char* passName(Pass pass);

// Told where each stage of a frame starts and ends: the benchmark's profiler, the overlay's timer.
class PassObserver {
public:
    virtual ~PassObserver() = default;
    virtual void begin(Pass pass) = 0;
    virtual void end(Pass pass) = 0;
};

// Times the stages of frames. On a GPU, GL timer queries measure each stage without stalling; a
// software renderer does most of its work outside what its queries see, so there each stage is
// timed on the wall clock between two glFinish calls. The queries are made once, up front.
class PassProfiler : public PassObserver {
public:
    enum class Method { TimerQueries, WallClock };

    explicit PassProfiler(Method method);
    // Timer queries on a hardware driver, the wall clock on Mesa's software renderers.
    static Method methodForDriver(const char* renderer);

    // Overridable, so that a test can look at the GL state where a pass starts and ends.
    void begin(Pass pass) override;
    void end(Pass pass) override;
    // Collects the frame's times (waiting for the queries), adds them to the totals.
    void endFrame();
    void reset();

    Method method() const { return method_; }
    // Mean milliseconds of a stage over the frames since the last reset, over those that ran it.
    double meanMs(Pass pass) const;
    int framesWith(Pass pass) const { return counts_[static_cast<int>(pass)]; }

private:
    Method method_;
    std::array<GLuint, kPassCount * 2> queries_{};
    std::array<bool, kPassCount> ranThisFrame_{};
    std::array<double, kPassCount> frameMs_{};
    std::array<double, kPassCount> totalMs_{};
    std::array<int, kPassCount> counts_{};
    std::chrono::steady_clock::time_point started_;
};
