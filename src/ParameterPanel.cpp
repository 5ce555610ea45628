#include "ParameterPanel.h"

#include <GLFW/glfw3.h>
#include <imgui.h>

#include <cfloat>
#include <cstdio>

#include "EffectSwitches.h"
#include "Parameters.h"
#include "Renderer.h"
#include "Settings.h"

namespace {
constexpr float kMargin = 8.0f;
constexpr float kWidthShare = 0.45f;  // of the window, at the right

// The keys a text field needs, as GLFW names them.
void mapTextKeys(ImGuiIO& io) {
    io.KeyMap[ImGuiKey_Tab] = GLFW_KEY_TAB;
    io.KeyMap[ImGuiKey_LeftArrow] = GLFW_KEY_LEFT;
    io.KeyMap[ImGuiKey_RightArrow] = GLFW_KEY_RIGHT;
    io.KeyMap[ImGuiKey_Home] = GLFW_KEY_HOME;
    io.KeyMap[ImGuiKey_End] = GLFW_KEY_END;
    io.KeyMap[ImGuiKey_Delete] = GLFW_KEY_DELETE;
    io.KeyMap[ImGuiKey_Backspace] = GLFW_KEY_BACKSPACE;
    io.KeyMap[ImGuiKey_Enter] = GLFW_KEY_ENTER;
    io.KeyMap[ImGuiKey_Escape] = GLFW_KEY_ESCAPE;
}

bool stateLabel(void* data, int index, const char** text) {
    *text = static_cast<const EffectSwitch*>(data)->states[index];
    return true;
}

void switchRow(Renderer& renderer, const EffectSwitch& entry) {
    ImGui::PushID(entry.name);
    int value = entry.get(renderer);
    ImGui::TextUnformatted(entry.label);
    if (ImGui::SmallButton("default")) value = entry.start;
    ImGui::SameLine();
    ImGui::SetNextItemWidth(-1.0f);
    ImGui::Combo("", &value, stateLabel, const_cast<EffectSwitch*>(&entry), entry.stateCount());
    if (value != entry.get(renderer)) renderer.setSwitch(entry.name, value);
    ImGui::PopID();
}

void parameterRow(Renderer& renderer, const NumericParameter& entry) {
    ImGui::PushID(entry.name);
    float values[NumericParameter::kMostComponents];
    entry.get(renderer, values);
    bool changed = false;
    ImGui::Text("%s (%s)", entry.label, entry.unit[0] ? entry.unit : "factor");
    if (ImGui::SmallButton("default")) {
        entry.set(renderer, entry.defaults());
        entry.get(renderer, values);
    }
    ImGui::SameLine();
    ImGui::SetNextItemWidth(-1.0f);
    char format[48];
    std::snprintf(format, sizeof format, "%s %s", entry.integer ? "%d" : "%.3g", entry.unit);
    if (entry.integer) {
        int whole = static_cast<int>(values[0]);
        changed = ImGui::SliderInt("", &whole, static_cast<int>(entry.smallest),
                                   static_cast<int>(entry.largest), format);
        values[0] = static_cast<float>(whole);
    } else if (entry.components == 3) {
        changed = ImGui::SliderFloat3("", values, entry.smallest, entry.largest, "%.2f");
    } else {
        changed = ImGui::SliderFloat("", values, entry.smallest, entry.largest, format);
    }
    if (changed) entry.set(renderer, values);
    ImGui::PopID();
}
}  // namespace

bool ParameterPanel::toggle(bool overlayShown) {
    if (!overlayShown) return false;
    if (editing) {
        stop();
        return true;
    }
    editing = true;
    if (GLFWwindow* window = glfwGetCurrentContext()) {
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    }
    return true;
}

void ParameterPanel::stop() {
    if (!editing) return;
    editing = false;
    if (GLFWwindow* window = glfwGetCurrentContext()) {
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    }
    // The overlay's own panel sees no mouse again.
    if (ImGui::GetCurrentContext()) {
        ImGui::GetIO().MouseDown[0] = false;
        ImGui::GetIO().MousePos = ImVec2(-FLT_MAX, -FLT_MAX);
    }
}

void ParameterPanel::feedMouse(double x, double y, bool leftDown) {
    if (!ImGui::GetCurrentContext()) return;
    ImGuiIO& io = ImGui::GetIO();
    io.MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
    io.MouseDown[0] = leftDown || pressed_;
    pressed_ = false;
}

void ParameterPanel::feedWheel(double offset) {
    if (ImGui::GetCurrentContext()) ImGui::GetIO().MouseWheel += static_cast<float>(offset);
}

bool ParameterPanel::takesKeys() const {
    return editing && ImGui::GetCurrentContext() && ImGui::GetIO().WantTextInput;
}

void ParameterPanel::feedKey(int key, bool down) {
    if (!editing || !ImGui::GetCurrentContext() || key < 0 || key >= 512) return;
    ImGuiIO& io = ImGui::GetIO();
    mapTextKeys(io);
    io.KeysDown[key] = down;
}

void ParameterPanel::feedCharacter(unsigned int character) {
    if (ImGui::GetCurrentContext()) ImGui::GetIO().AddInputCharacter(character);
}

void ParameterPanel::build(Renderer& renderer, int width, int height) {
    const float panelWidth = static_cast<float>(width) * kWidthShare;
    ImGui::SetNextWindowPos(ImVec2(static_cast<float>(width) - panelWidth - kMargin, kMargin));
    ImGui::SetNextWindowSize(ImVec2(panelWidth, static_cast<float>(height) - 2.0f * kMargin));
    ImGui::SetNextWindowBgAlpha(0.85f);
    ImGui::Begin("Parameters", nullptr,
                 ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse |
                     ImGuiWindowFlags_NoSavedSettings);
    ImGui::TextUnformatted("Tab: the mouse back to the view");
    if (ImGui::Button("Save")) save(renderer);
    if (!saved_.empty()) {
        ImGui::SameLine();
        ImGui::TextUnformatted(saved_.c_str());
    }
    for (size_t i = 0; i < kEffectSwitchCount; ++i) switchRow(renderer, kEffectSwitches[i]);
    ImGui::Separator();
    for (size_t i = 0; i < kNumericParameterCount; ++i)
        parameterRow(renderer, kNumericParameters[i]);
    ImGui::End();
}

std::string ParameterPanel::save(Renderer& renderer) {
    std::string error;
    saved_ = saveSettings(kSettingsFileName, renderer, error)
                 ? std::string("Saved ") + kSettingsFileName
                 : error;
    std::printf("%s\n", saved_.c_str());
    return saved_;
}

ParameterPanel parameterPanel;

void onPanelCharacter(GLFWwindow*, unsigned int character) {
    if (parameterPanel.takesKeys()) parameterPanel.feedCharacter(character);
}
