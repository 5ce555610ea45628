#pragma once

#include <cstddef>
#include <iosfwd>

class Overlay;

// One row for each key of the running program: the keys and what they do, in a few words. The
// overlay's key table and the key list printed once the scene has loaded both read it; a new key
// is a new row.
struct KeyHelp {
    const char* keys;
    const char* action;
};

extern const KeyHelp kKeyHelp[];
extern const size_t kKeyHelpCount;

// The line shown after loading, for a few seconds.
constexpr const char* kKeysHint = "H: overlay and keys";
constexpr double kKeysHintSeconds = 5.0;

// Once the scene has loaded: prints the key list ("Keys: Space pause / fly, ..." in lines of at
// most 100 characters) and shows the hint.
void announceKeys(Overlay& overlay, std::ostream& out);
