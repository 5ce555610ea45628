#include "ToolSettings.h"

#include <cstdio>

#include "Globals.h"
#include "Settings.h"

bool applyToolSettings(const std::string& file, std::string& error) {
    if (file.empty()) return true;
    const SettingsOutcome outcome = applySettingsFile(file, renderer);
    if (!outcome.found) {
        error = "cannot read the settings " + file;
        return false;
    }
    for (const std::string& problem : outcome.problems) std::printf("%s\n", problem.c_str());
    return true;
}
