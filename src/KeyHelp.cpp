#include "KeyHelp.h"

#include <ostream>
#include <string>

#include "Overlay.h"

const KeyHelp kKeyHelp[] = {
    {"Space", "pause / fly"},
    {"W A S D Q E", "move (Shift: slowly)"},
    {"mouse", "look while paused"},
    {"U / I", "path speed + / -"},
    {"C", "record key point"},
    {"K / Backspace", "fly / undo recording"},
    {"F1-F10", "effects"},
    {"F", "soft lightning flash"},
    {"F11", "print frame rate"},
    {"H", "overlay and keys"},
    {"V, Shift+V", "views"},
    {"F12", "screenshot"},
    {"P", "the path"},
    {"Left / Right", "-5 / +5 s (Shift: 30)"},
    {"PgUp / PgDn", "event before / after"},
    {"Home / End", "start / end"},
    {". / ,", "step when paused"},
    {"L", "loop start, end, clear"},
    {"R", "reload the shaders"},
    {"Tab", "settings (with H)"},
    {"Escape", "quit"},
};
const size_t kKeyHelpCount = sizeof(kKeyHelp) / sizeof(kKeyHelp[0]);

namespace {
constexpr size_t kLineLength = 100;
}  // namespace

void announceKeys(Overlay& overlay, std::ostream& out) {
    std::string line = "Keys:";
    for (size_t i = 0; i < kKeyHelpCount; ++i) {
        const std::string entry = std::string(" ") + kKeyHelp[i].keys + " " + kKeyHelp[i].action +
                                  (i + 1 < kKeyHelpCount ? "," : "");
        if (line.size() + entry.size() > kLineLength) {
            out << line << '\n';
            line = " ";
        }
        line += entry;
    }
    out << line << std::endl;
    overlay.notify(kKeysHint, kKeysHintSeconds);
}
