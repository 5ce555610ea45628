#include "KeyHelp.h"

#include <ostream>
#include <string>

#include "Overlay.h"

const KeyHelp kKeyHelp[] = {
    {"Space", "pause / fly"},
    {"W A S D Q E", "move while paused"},
    {"Shift, Ctrl", "move slowly"},
    {"mouse", "look while paused"},
    {"U / I", "path speed + / -"},
    {"C", "record key point"},
    {"K / Backspace", "fly / undo recording"},
    {"F1-F10", "effects"},
    {"F11", "print frame rate"},
    {"H", "overlay and keys"},
    {"V, Shift+V", "next / previous view"},
    {"F12", "screenshot"},
    {"P", "show / hide the path"},
    {"Left / Right", "5 s back / on (Shift: 30 s)"},
    {"PgUp / PgDn", "event before / after"},
    {"Home / End", "start / last key point"},
    {". / ,", "step on / back while paused"},
    {"L", "loop start, end, clear"},
    {"R", "reload the shaders"},
    {"Tab", "edit the settings (overlay shown)"},
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
