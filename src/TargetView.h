#pragma once

#include <string>

// What the window shows: the final frame, or one of the frame's render targets made readable
// (V steps forward through them, shift+V back).
enum class TargetView {
    Final,
    Albedo,
    Specular,
    Normal,
    Position,
    Depth,
    OcclusionRaw,
    OcclusionBlurred,
    Shadow,
    Lit,
    Bright,
    Bloom,
    SmokeEntry,
    SmokeExit,
    SmokeDensity,
    Count
};

constexpr int kTargetViewCount = static_cast<int>(TargetView::Count);

// The view's name on the command line, e.g. "normal" or "smoke-density".
const char* viewName(TargetView view);
// What it shows, in words: its label on screen, e.g. "world normal".
const char* viewTitle(TargetView view);
// The view `steps` places on, wrapping round at both ends.
TargetView stepView(TargetView view, int steps);
// False when no view has the name.
bool viewByName(const std::string& name, TargetView& view);
