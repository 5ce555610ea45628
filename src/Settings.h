#pragma once

#include <string>
#include <vector>

class Renderer;

// The file "Save" writes in the working directory and the program reads at start.
constexpr const char* kSettingsFileName = "murkmoor-settings.ini";

// Settings are plain "NAME = VALUE" lines: an effect switch by its --set name and state
// ("doFog = 0"), or a numeric parameter ("bloomThreshold = 1.2", a colour as "r, g, b"). Blank
// lines and lines starting with '#' are skipped.
struct SettingsOutcome {
    bool found = false;  // whether the file could be read
    int applied = 0;     // the lines that set something
    // "FILE:LINE: what is wrong" for each line that was not applied; the other lines still apply.
    std::vector<std::string> problems;
};

// Applies the settings in text, read from `file` (named in the problems), to the renderer.
SettingsOutcome applySettingsText(const std::string& text, const std::string& file,
                                  Renderer& renderer);
SettingsOutcome applySettingsFile(const std::string& file, Renderer& renderer);

// The lines for every switch and parameter whose value differs from its default, in table order.
std::string settingsText(Renderer& renderer);
// Writes settingsText to file under a temporary name, then renames it over the file. False with a
// message in error when it cannot.
bool saveSettings(const std::string& file, Renderer& renderer, std::string& error);

// The program's start: reads kSettingsFileName when it exists and prints one line saying so, and
// a line for each problem. Prints nothing without the file.
void readSettingsAtStart(Renderer& renderer);
