#include "Settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "EffectSwitches.h"
#include "FileReplacement.h"
#include "Parameters.h"
#include "Renderer.h"

namespace {
std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The shortest text that reads back as the same float.
std::string numberText(float value) {
    char text[32];
    for (int digits = 6; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    return text;
}

// count numbers separated by commas, each finite and whole-text.
bool parseNumbers(const std::string& text, int count, float* values) {
    std::stringstream parts(text);
    std::string part;
    int read = 0;
    while (std::getline(parts, part, ',')) {
        part = trimmed(part);
        if (read == count || part.empty()) return false;
        char* end = nullptr;
        errno = 0;
        values[read] = std::strtof(part.c_str(), &end);
        if (*end != '\0' || errno != 0 || !std::isfinite(values[read])) return false;
        ++read;
    }
    return read == count;
}

// Applies one "NAME = VALUE" line, or says what is wrong with it.
std::string applyLine(const std::string& name, const std::string& value, Renderer& renderer) {
    if (const EffectSwitch* entry = effectSwitchNamed(name.c_str())) {
        float state = 0.0f;
        const int largest = entry->stateCount() - 1;
        if (!parseNumbers(value, 1, &state) || state != static_cast<int>(state) || state < 0 ||
            state > largest) {
            return name + " takes 0 to " + std::to_string(largest) + ", not \"" + value + "\"";
        }
        renderer.setSwitch(name, static_cast<int>(state));
        return "";
    }
    if (const NumericParameter* entry = numericParameterNamed(name.c_str())) {
        float values[NumericParameter::kMostComponents];
        if (!parseNumbers(value, entry->components, values)) {
            return name + " takes " + (entry->components == 1 ? "a number" : "three numbers") +
                   ", not \"" + value + "\"";
        }
        for (int i = 0; i < entry->components; ++i) {
            if (values[i] < entry->smallest || values[i] > entry->largest) {
                return name + " takes " + numberText(entry->smallest) + " to " +
                       numberText(entry->largest) + ", not \"" + value + "\"";
            }
        }
        entry->set(renderer, values);
        return "";
    }
    return "unknown setting \"" + name + "\"";
}
}  // namespace

SettingsOutcome applySettingsText(const std::string& text, const std::string& file,
                                  Renderer& renderer) {
    SettingsOutcome outcome;
    outcome.found = true;
    std::stringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        const size_t equals = line.find('=');
        std::string problem = "not a NAME = VALUE line";
        if (equals != std::string::npos) {
            problem = applyLine(trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)),
                                renderer);
        }
        if (problem.empty()) {
            ++outcome.applied;
        } else {
            outcome.problems.push_back(file + ":" + std::to_string(number) + ": " + problem);
        }
    }
    return outcome;
}

SettingsOutcome applySettingsFile(const std::string& file, Renderer& renderer) {
    std::ifstream in(file);
    if (!in) return {};
    std::stringstream text;
    text << in.rdbuf();
    return applySettingsText(text.str(), file, renderer);
}

std::string settingsText(Renderer& renderer) {
    std::string text;
    for (size_t i = 0; i < kEffectSwitchCount; ++i) {
        const EffectSwitch& entry = kEffectSwitches[i];
        const int value = entry.get(renderer);
        if (value != entry.start) {
            text += std::string(entry.name) + " = " + std::to_string(value) + "\n";
        }
    }
    for (size_t i = 0; i < kNumericParameterCount; ++i) {
        const NumericParameter& entry = kNumericParameters[i];
        if (entry.isDefault(renderer)) continue;
        float values[NumericParameter::kMostComponents];
        entry.get(renderer, values);
        text += std::string(entry.name) + " =";
        for (int c = 0; c < entry.components; ++c) {
            text += (c == 0 ? " " : ", ") + numberText(values[c]);
        }
        text += "\n";
    }
    return text;
}

bool saveSettings(const std::string& file, Renderer& renderer, std::string& error) {
    const std::string text = settingsText(renderer);
    return writeFileReplacing(
        file, [&](const std::string& temporary) { return writeTextFile(temporary, text); }, error);
}

void readSettingsAtStart(Renderer& renderer) {
    const SettingsOutcome outcome = applySettingsFile(kSettingsFileName, renderer);
    if (!outcome.found) return;
    std::printf("Settings read from %s: %d applied, %zu refused\n", kSettingsFileName,
                outcome.applied, outcome.problems.size());
    for (const std::string& problem : outcome.problems) std::printf("%s\n", problem.c_str());
}
