#include "PassProfiler.h"

#include "SoftwareRenderer.h"

namespace {
const char* const kNames[kPassCount] = {
    "shadow",      "g-buffer",  "smoke faces", "ssao",         "lighting",
    "sky",         "fire",      "rain",        "smoke march",  "tone map / bright pass",
    "bloom blur",  "composite", "smoke step",  "tone adaption", "fire step",
    "rain step"};
}  // namespace

const char* passName(Pass pass) { return kNames[static_cast<int>(pass)]; }

PassProfiler::PassProfiler(Method method) : method_(method) {
    if (method_ == Method::TimerQueries) glGenQueries(static_cast<GLsizei>(queries_.size()), queries_.data());
    reset();
}

PassProfiler::Method PassProfiler::methodForDriver(const char* renderer) {
    return isSoftwareRenderer(renderer) ? Method::WallClock : Method::TimerQueries;
}

void PassProfiler::begin(Pass pass) {
    const int i = static_cast<int>(pass);
    ranThisFrame_[i] = true;
    if (method_ == Method::TimerQueries) {
        glQueryCounter(queries_[i * 2], GL_TIMESTAMP);
    } else {
        glFinish();
        started_ = std::chrono::steady_clock::now();
    }
}

void PassProfiler::end(Pass pass) {
    const int i = static_cast<int>(pass);
    if (method_ == Method::TimerQueries) {
        glQueryCounter(queries_[i * 2 + 1], GL_TIMESTAMP);
    } else {
        glFinish();
        frameMs_[i] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                              started_)
                          .count();
    }
}

void PassProfiler::endFrame() {
    for (int i = 0; i < kPassCount; ++i) {
        if (!ranThisFrame_[i]) continue;
        if (method_ == Method::TimerQueries) {
            GLuint64 start = 0;
            GLuint64 stop = 0;
            glGetQueryObjectui64v(queries_[i * 2], GL_QUERY_RESULT, &start);
            glGetQueryObjectui64v(queries_[i * 2 + 1], GL_QUERY_RESULT, &stop);
            frameMs_[i] = static_cast<double>(stop - start) / 1.0e6;
        }
        totalMs_[i] += frameMs_[i];
        ++counts_[i];
        ranThisFrame_[i] = false;
    }
}

void PassProfiler::reset() {
    ranThisFrame_.fill(false);
    frameMs_.fill(0.0);
    totalMs_.fill(0.0);
    counts_.fill(0);
}

double PassProfiler::meanMs(Pass pass) const {
    const int i = static_cast<int>(pass);
    return counts_[i] > 0 ? totalMs_[i] / counts_[i] : 0.0;
}
