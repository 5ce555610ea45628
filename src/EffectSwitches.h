#pragma once

#include <cstddef>
#include <string>

class Renderer;
struct MappingSwitches;

// One row for each effect switch: the key that cycles it, the name that the tools' --set takes,
// what the overlay lists and the console prints, its states and the value it starts at, and what
// changes with it. The renderer's key handler, printed lines, --set and overlay all read this
// table; a new switch is a new row.
struct EffectSwitch {
    static constexpr int kMostStates = 4;
    static constexpr int kLastFunctionKey = 10;  // F1 to F10 switch effects

    int key;                          // F1 to F10 as 1 to 10, a letter key as its capital
    const char* name;                 // --set NAME=VALUE, from 0 to the last state
    const char* label;                // the overlay's name for it
    const char* format;               // printed at each press, with the new state's label
    const char* states[kMostStates];  // labels of the values 0, 1...; null after the last
    int start;                        // the value before any key or --set
    // Where the value lives: a renderer's int, or (null value) a material map's flag.
    int Renderer::*value;
    bool MappingSwitches::*map;
    // Brings uniforms and effects in line with the value; null where the passes read it directly.
    void (*apply)(Renderer& renderer);

    // What the overlay shows for the key: "F3", "F".
    std::string keyName() const;
    int get(const Renderer& renderer) const;
    // Stores the value as given (a map's flag is on when it is not 0), without applying it.
    void set(Renderer& renderer, int to) const;
    int stateCount() const;
    // The label of a value: a value past the last state shows as the last.
    const char* stateLabel(int of) const;
    // The value a press gives: the next state, after the last the first.
    int next(int after) const;
};

extern const EffectSwitch kEffectSwitches[];
extern const size_t kEffectSwitchCount;

// The row for key 1 to 10 or a letter key's capital, or for a --set name; null where there is none.
const EffectSwitch* effectSwitchForKey(int key);
const EffectSwitch* effectSwitchNamed(const char* name);
