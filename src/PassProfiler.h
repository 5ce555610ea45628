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
const char* passName(Pass pass);

// Times the stages of frames. On a GPU, GL timer queries measure each stage without stalling; a
// software renderer does most of its work outside what its queries see, so there each stage is
// timed on the wall clock between two glFinish calls. The queries are made once, up front.
class PassProfiler {
public:
    enum class Method { TimerQueries, WallClock };

    explicit PassProfiler(Method method);
    virtual ~PassProfiler() = default;
    // Timer queries on a hardware driver, the wall clock on Mesa's software renderers.
    static Method methodForDriver(const char* renderer);

    // Virtual, so that an observer can look at the GL state where a pass starts and ends.
    virtual void begin(Pass pass);
    virtual void end(Pass pass);
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

// Times one stage for the length of a scope; does nothing without a profiler.
class PassScope {
public:
    PassScope(PassProfiler* profiler, Pass pass) : profiler_(profiler), pass_(pass) {
        if (profiler_) profiler_->begin(pass_);
    }
    ~PassScope() {
        if (profiler_) profiler_->end(pass_);
    }
    PassScope(const PassScope&) = delete;
    PassScope& operator=(const PassScope&) = delete;

private:
    PassProfiler* profiler_;
    Pass pass_;
};
