#include "ShaderErrorBox.h"

#include <imgui.h>

#include <algorithm>

namespace {
constexpr float kMargin = 8.0f;
constexpr float kPadding = 6.0f;
constexpr int kMostLines = 12;

// The first kMostLines lines of the log, and a note of how many more there are.
std::string shownLines(const std::string& log) {
    size_t end = 0;
    int lines = 0;
    while (lines < kMostLines && end < log.size()) {
        const size_t next = log.find('\n', end);
        end = next == std::string::npos ? log.size() : next + 1;
        ++lines;
    }
    std::string shown =
        "Shader error (the last good programs keep running):\n" + log.substr(0, end);
    if (end < log.size()) shown += "...\n";
    return shown;
}
}  // namespace

void buildShaderErrorBox(const std::string& log, int width, int height) {
    const std::string text = shownLines(log);
    const float wrap = static_cast<float>(width) - 2.0f * (kMargin + kPadding);
    ImFont* font = ImGui::GetFont();
    const float fontSize = ImGui::GetFontSize();
    const ImVec2 size = font->CalcTextSizeA(fontSize, wrap, wrap, text.c_str());
    const ImVec2 corner(kMargin, kMargin);
    const ImVec2 end(corner.x + size.x + 2.0f * kPadding,
                     std::min(corner.y + size.y + 2.0f * kPadding, static_cast<float>(height)));
    ImDrawList* draw = ImGui::GetForegroundDrawList();
    draw->AddRectFilled(corner, end, IM_COL32(120, 10, 10, 220));
    draw->AddText(font, fontSize, ImVec2(corner.x + kPadding, corner.y + kPadding), IM_COL32_WHITE,
                  text.c_str(), nullptr, wrap);
}
