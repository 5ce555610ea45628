#include "LatePassTimer.h"

void LatePassTimer::begin(Pass pass) {
    if (!made_) {
        for (auto& set : queries_) glGenQueries(static_cast<GLsizei>(set.size()), set.data());
        made_ = true;
    }
    const int i = static_cast<int>(pass);
    issued_[slot_][i] = true;
    glQueryCounter(queries_[slot_][i * 2], GL_TIMESTAMP);
}

void LatePassTimer::end(Pass pass) {
    glQueryCounter(queries_[slot_][static_cast<int>(pass) * 2 + 1], GL_TIMESTAMP);
}

void LatePassTimer::endFrame() {
    slot_ = (slot_ + 1) % kFramesInFlight;
    collect(slot_);
}

void LatePassTimer::collect(int slot) {
    auto& issued = issued_[slot];
    const auto& queries = queries_[slot];
    // Asking whether a result is there never waits; a frame is taken whole or not at all. Both
    // ends are asked for: a driver may deliver timestamps out of order, and reading one that has
    // not arrived would wait for it.
    for (int i = 0; i < kPassCount * 2; ++i) {
        if (!issued[i / 2]) continue;
        GLint available = GL_FALSE;
        glGetQueryObjectiv(queries[i], GL_QUERY_RESULT_AVAILABLE, &available);
        if (!available) {
            issued.fill(false);
            return;
        }
    }
    for (int i = 0; i < kPassCount; ++i) {
        if (!issued[i]) continue;
        GLuint64 start = 0;
        GLuint64 stop = 0;
        glGetQueryObjectui64v(queries[i * 2], GL_QUERY_RESULT, &start);
        glGetQueryObjectui64v(queries[i * 2 + 1], GL_QUERY_RESULT, &stop);
        totalMs_[i] += static_cast<double>(stop - start) / 1.0e6;
        ++counts_[i];
    }
    issued.fill(false);
}

void LatePassTimer::forget() {
    for (auto& issued : issued_) issued.fill(false);
    totalMs_.fill(0.0);
    counts_.fill(0);
}

LatePassTimer::Means LatePassTimer::takeMeans() {
    Means means;
    for (int i = 0; i < kPassCount; ++i) {
        means.measured[i] = counts_[i] > 0;
        means.ms[i] = counts_[i] > 0 ? totalMs_[i] / counts_[i] : 0.0;
    }
    totalMs_.fill(0.0);
    counts_.fill(0);
    return means;
}
