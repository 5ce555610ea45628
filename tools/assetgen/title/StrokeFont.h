#pragma once

#include <glm/glm.hpp>
#include <vector>

// A small built-in font of straight strokes, capitals only (and the full stop). Glyphs live in a
// box 0.7 wide and 1 high, y up; unknown characters are blank.
struct Stroke {
    glm::vec2 from;
    glm::vec2 to;
};

std::vector<Stroke> glyphStrokes(char c);
constexpr float kGlyphWidth = 0.7f;
