#pragma once

#include <cstddef>

class Renderer;

// One row for each number that the parameter panel and the settings file change: its settings
// name, what the panel calls it and its unit, its range, and where the value lives in the renderer
// (one float, three for a colour, or an int) with what must follow a change. The default of each is
// the value the renderer has after init, before any setting (rememberParameterDefaults).
struct NumericParameter {
    static constexpr int kMostComponents = 3;

    const char* name;   // the settings file's NAME = VALUE
    const char* label;  // the panel's name for it
    const char* unit;   // shown after the value; empty for a plain number
    float smallest;
    float largest;
    int components;  // 1, or 3 for a colour (red, green, blue)
    // Where the value lives: floats (components of them), or (null floats) one int.
    float* (*floats)(Renderer& renderer);
    int* (*integer)(Renderer& renderer);
    // Brings uniforms in line with the value; null where the frame reads it directly.
    void (*apply)(Renderer& renderer);

    // Reads the value into values[0..components).
    void get(Renderer& renderer, float* values) const;
    // Stores values clamped to the range (an int rounded) and applies them.
    void set(Renderer& renderer, const float* values) const;
    // The value before any setting, known once rememberParameterDefaults has run.
    const float* defaults() const;
    bool isDefault(Renderer& renderer) const;
};

extern const NumericParameter kNumericParameters[];
extern const size_t kNumericParameterCount;

// The row of a settings name; null where there is none.
const NumericParameter* numericParameterNamed(const char* name);

// Notes every parameter's present value as its default: called once the renderer's effects exist.
void rememberParameterDefaults(Renderer& renderer);
