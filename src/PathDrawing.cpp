#include "PathDrawing.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "Camera.h"
#include "CameraPath.h"
#include "FlightLoop.h"

namespace {
// The timeline's colours: events yellow, the loop blue.
constexpr ImU32 kLineColour = IM_COL32(235, 235, 235, 255);
constexpr ImU32 kFlownColour = IM_COL32(90, 230, 120, 255);
constexpr ImU32 kLoopColour = IM_COL32(60, 110, 220, 255);
constexpr ImU32 kEventColour = IM_COL32(250, 210, 60, 255);
constexpr ImU32 kPlateColour = IM_COL32(15, 15, 15, 200);
constexpr ImU32 kDarkText = IM_COL32(15, 15, 15, 255);

ImVec2 toImVec(glm::vec2 v) {
    return ImVec2(v.x, v.y);
}

// A point in clip space in front of the eye, in the picture's window pixels.
glm::vec2 toWindow(const glm::vec4& clip, const PathDrawing::Area& picture) {
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return {picture.x + (ndc.x * 0.5f + 0.5f) * picture.width,
            picture.y + (0.5f - ndc.y * 0.5f) * picture.height};
}
}  // namespace

bool PathDrawing::project(const glm::mat4& viewProjection, glm::vec3 point, Area picture,
                          glm::vec2& at) {
    const glm::vec4 clip = viewProjection * glm::vec4(point, 1.0f);
    if (clip.z < -clip.w || clip.w <= 0.0f) return false;
    if (std::abs(clip.x) > clip.w || std::abs(clip.y) > clip.w) return false;
    at = toWindow(clip, picture);
    return true;
}

void PathDrawing::build(ImDrawList& draw, const CameraPath& path, const Camera& camera,
                        const FlightLoop* loop, Area picture) {
    const std::vector<KeyPoint>& points = path.m_keyPoints;
    if (points.empty()) return;
    viewProjection_ = camera.projection * camera.view;
    picture_ = picture;
    draw.PushClipRect(ImVec2(picture.x, picture.y),
                      ImVec2(picture.x + picture.width, picture.y + picture.height), true);

    layOutPath(path, timeline_);
    if (loop && loop->startMarked()) {
        const double end = loop->looping() ? loop->end : loop->start;
        drawStretch(draw, path, loop->start, end, kLoopColour, 6.0f);
        glm::vec2 at;
        if (project(viewProjection_, pointAt(path, loop->start), picture, at)) {
            draw.AddCircle(toImVec(at), 7.0f, kLoopColour, 0, 2.5f);
        }
    }
    for (size_t i = 1; i < points.size(); ++i) {
        drawLine(draw, points[i - 1].position, points[i].position, kLineColour, 1.5f);
    }
    const size_t flown = static_cast<size_t>(std::max(path.keyPointReached(), 0));
    if (flown + 1 < points.size()) {
        drawLine(draw, points[flown].position, points[flown + 1].position, kFlownColour, 3.0f);
    }

    // The far markers first, so that the near ones read on top of them.
    markers_.clear();
    for (size_t i = 0; i < points.size(); ++i) {
        glm::vec2 at;
        if (!project(viewProjection_, points[i].position, picture, at)) continue;
        const float depth = (viewProjection_ * glm::vec4(points[i].position, 1.0f)).w;
        markers_.push_back({at, depth, static_cast<int>(i)});
    }
    std::sort(markers_.begin(), markers_.end(),
              [](const Marker& a, const Marker& b) { return a.depth > b.depth; });
    const ImVec2 padding(3.0f, 1.0f);
    for (const Marker& marker : markers_) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", marker.index);
        const ImVec2 size = ImGui::CalcTextSize(number);
        const ImVec2 corner(marker.at.x - size.x * 0.5f - padding.x,
                            marker.at.y - size.y * 0.5f - padding.y);
        const ImVec2 end(corner.x + size.x + 2.0f * padding.x,
                         corner.y + size.y + 2.0f * padding.y);
        const std::string_view event = CameraPath::eventName(points[marker.index]);
        draw.AddRectFilled(corner, end, event.empty() ? kPlateColour : kEventColour, 3.0f);
        draw.AddText(ImVec2(corner.x + padding.x, corner.y + padding.y),
                     event.empty() ? IM_COL32_WHITE : kDarkText, number);
        if (event.empty()) continue;
        const char* text = event.data();
        const ImVec2 eventSize = ImGui::CalcTextSize(text, text + event.size());
        const ImVec2 eventCorner(end.x + 2.0f, corner.y);
        draw.AddRectFilled(eventCorner,
                           ImVec2(eventCorner.x + eventSize.x + 2.0f * padding.x, end.y),
                           kPlateColour, 3.0f);
        draw.AddText(ImVec2(eventCorner.x + padding.x, eventCorner.y + padding.y), kEventColour,
                     text, text + event.size());
    }
    draw.PopClipRect();
}

void PathDrawing::drawStretch(ImDrawList& draw, const CameraPath& path, double fromSeconds,
                              double toSeconds, unsigned colour, float thickness) const {
    const std::vector<KeyPoint>& points = path.m_keyPoints;
    glm::vec3 last = pointAt(path, fromSeconds);
    for (size_t i = 0; i < points.size(); ++i) {
        const double seconds = timeline_.keyPointSeconds[i];
        if (seconds <= fromSeconds || seconds >= toSeconds) continue;
        drawLine(draw, last, points[i].position, colour, thickness);
        last = points[i].position;
    }
    drawLine(draw, last, pointAt(path, toSeconds), colour, thickness);
}

glm::vec3 PathDrawing::pointAt(const CameraPath& path, double seconds) const {
    const std::vector<double>& times = timeline_.keyPointSeconds;
    const std::vector<KeyPoint>& points = path.m_keyPoints;
    for (size_t i = 1; i < times.size(); ++i) {
        if (seconds > times[i]) continue;
        const double span = times[i] - times[i - 1];
        const float share = span > 0.0 ? static_cast<float>((seconds - times[i - 1]) / span) : 0.0f;
        return glm::mix(points[i - 1].position, points[i].position, std::clamp(share, 0.0f, 1.0f));
    }
    return points.back().position;
}

void PathDrawing::drawLine(ImDrawList& draw, glm::vec3 a, glm::vec3 b, unsigned colour,
                           float thickness) const {
    glm::vec2 from, to;
    if (projectSegment(viewProjection_, a, b, picture_, from, to)) {
        draw.AddLine(toImVec(from), toImVec(to), colour, thickness);
    }
}

// Cut at the near plane (z = -w in clip space), where the part behind the eye would fold over.
bool PathDrawing::projectSegment(const glm::mat4& viewProjection, glm::vec3 a, glm::vec3 b,
                                 Area picture, glm::vec2& from, glm::vec2& to) {
    glm::vec4 clipA = viewProjection * glm::vec4(a, 1.0f);
    glm::vec4 clipB = viewProjection * glm::vec4(b, 1.0f);
    const float inA = clipA.z + clipA.w;
    const float inB = clipB.z + clipB.w;
    if (inA < 0.0f && inB < 0.0f) return false;
    if (inA < 0.0f) clipA = glm::mix(clipA, clipB, inA / (inA - inB));
    if (inB < 0.0f) clipB = glm::mix(clipB, clipA, inB / (inB - inA));
    from = toWindow(clipA, picture);
    to = toWindow(clipB, picture);
    return true;
}
