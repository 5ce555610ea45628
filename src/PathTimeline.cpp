#include "PathTimeline.h"

#include <algorithm>

#include "CameraPath.h"

void layOutPath(const CameraPath& path, PathTimeline& timeline) {
    timeline.keyPointSeconds.clear();
    timeline.firesEvent.clear();
    timeline.nowSeconds = 0.0;
    const std::vector<KeyPoint>& points = path.m_keyPoints;
    double metres = 0.0;
    for (size_t i = 0; i < points.size(); ++i) {
        if (i > 0) metres += glm::length(points[i].position - points[i - 1].position);
        timeline.keyPointSeconds.push_back(metres / kDefaultPathSpeed);
        timeline.firesEvent.push_back(CameraPath::firesEvent(points[i]));
    }
    // The segment flown starts on the key point before `next`'s.
    const int from = path.next - 2;
    if (from >= 0 && from < static_cast<int>(points.size())) {
        timeline.nowSeconds = timeline.keyPointSeconds[from] + path.travelled / kDefaultPathSpeed;
    }
    timeline.nowSeconds = std::min(timeline.nowSeconds, timeline.lengthSeconds());
}
