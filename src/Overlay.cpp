#include "Overlay.h"

#include <imgui.h>
#include <imgui_impl_opengl3.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "EffectSwitches.h"
#include "FlightLoop.h"
#include "GlLabels.h"
#include "KeyHelp.h"
#include "LetterboxQuad.h"
#include "ParameterPanel.h"
#include "PathTimeline.h"
#include "Renderer.h"
#include "ShaderErrorBox.h"
#include "ShaderWatcher.h"

namespace {
// The panel's own size: the default font's 13 pixels in a window of 960 x 576. It shrinks with a
// smaller window (a quarter of a 640 x 384 frame), never below 8 pixels, which keep a 320 x 192
// window's panel whole and readable.
constexpr int kFontPixels = 13;
constexpr int kSmallestFontPixels = 8;
constexpr float kFullSizeWidth = 960.0f;
constexpr float kFullSizeHeight = 576.0f;
constexpr float kMargin = 8.0f;  // pixels between the window's corner and the panel, at full size
const ImVec2 kWindowPadding(6.0f, 4.0f);
constexpr ImGuiWindowFlags kFixedWindow =
    ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoInputs |
    ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoFocusOnAppearing | ImGuiWindowFlags_NoNav;

const char* glText(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

// Runs while the back-end draws, with its program and buffers bound: names them for debuggers.
void labelBoundBackendObjects(const ImDrawList*, const ImDrawCmd*) {
    GLint program = 0, vertices = 0, indices = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &vertices);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &indices);
    labelGlObject(GL_PROGRAM, static_cast<GLuint>(program), "overlay (Dear ImGui)");
    labelGlObject(GL_BUFFER, static_cast<GLuint>(vertices), "overlay vertices");
    labelGlObject(GL_BUFFER, static_cast<GLuint>(indices), "overlay indices");
}
}  // namespace

void Overlay::draw(Renderer& renderer) {
    const Clock::time_point now = Clock::now();
    if (framed_) {
        lastFrameSeconds_ = std::chrono::duration<double>(now - lastFrame_).count();
        frames.add(lastFrameSeconds_);
    }
    framed_ = true;
    lastFrame_ = now;
    timePasses(renderer, now);

    drawn_ = Rect();
    const bool named = renderer.view != TargetView::Final;
    const bool noticed = !notice().empty();
    const bool shaderError = !shaderWatcher.error().empty();
    const int width = renderer.viewportWidth;
    const int height = renderer.viewportHeight;
    if ((!visible && !named && !noticed && !shaderError && !path.shown) || width <= 0 ||
        height <= 0) {
        return;
    }

    openDebugGroup("overlay");
    const bool opening = !context_;
    if (opening) open();
    ImGui::SetCurrentContext(context_);
    const int fontPixels = fontPixelsFor(width, height);
    if (fontPixels != fontPixels_) useFontPixels(fontPixels);
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
    io.DeltaTime = static_cast<float>(std::max(lastFrameSeconds_, 1.0e-4));
    ImGui_ImplOpenGL3_NewFrame();
    // A window is sized on the frame it first appears and shown from the next, and the panels'
    // places follow from their sizes: their first frame is laid out three times, so that they show
    // in place on it already.
    const bool panelAppears = visible && !panelLaidOut_;
    panelLaidOut_ = panelLaidOut_ || visible;
    for (int pass = panelAppears ? 3 : 1; pass > 0; --pass) {
        drawn_ = Rect();
        ImGui::NewFrame();
        if (path.shown) drawPath(renderer);
        if (visible) {
            const float scale = static_cast<float>(fontPixels_) / kFontPixels;
            const float margin = kMargin * scale;
            // The figures always; beside them or below them the keys with the timeline, or where
            // those do not fit the timeline alone below them (the console lists the keys).
            buildPanel(renderer);
            const float keysRight = static_cast<float>(width) - margin - keysPanelWidth_;
            if (panelWidth_ + keysPanelWidth_ + 3.0f * margin <= static_cast<float>(width)) {
                buildKeysPanel(renderer, keysRight, margin, true);
            } else if (panelHeight_ + keysPanelHeight_ + 3.0f * margin <=
                       static_cast<float>(height)) {
                buildKeysPanel(renderer, margin, 2.0f * margin + panelHeight_, true);
            } else if (panelHeight_ + timelinePanelHeight() + 3.0f * margin <=
                       static_cast<float>(height)) {
                buildKeysPanel(renderer, margin, 2.0f * margin + panelHeight_, false);
            }
        } else {
            if (named) buildLabel(renderer);
            if (noticed) buildNotice(height);
        }
        if (visible && parameterPanel.editing) parameterPanel.build(renderer, width, height);
        if (shaderError) buildShaderErrorBox(shaderWatcher.error(), width, height);
        if (pass > 1) ImGui::EndFrame();
    }
    if (opening) ImGui::GetBackgroundDrawList()->AddCallback(labelBoundBackendObjects, nullptr);
    ImGui::Render();
    glBindFramebuffer(GL_FRAMEBUFFER, renderer.outputFramebuffer);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    closeDebugGroup();
}

void Overlay::open() {
    IMGUI_CHECKVERSION();
    context_ = ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // Nothing is written to the working folder.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    ImGui_ImplOpenGL3_Init("#version 430 core");
    ImGui_ImplOpenGL3_CreateDeviceObjects();
}

int Overlay::fontPixelsFor(int width, int height) {
    const float share = std::min(static_cast<float>(width) / kFullSizeWidth,
                                 static_cast<float>(height) / kFullSizeHeight);
    return std::clamp(static_cast<int>(std::lround(kFontPixels * share)), kSmallestFontPixels,
                      kFontPixels);
}

void Overlay::useFontPixels(int pixels) {
    fontPixels_ = pixels;
    ImGuiIO& io = ImGui::GetIO();
    ImGui_ImplOpenGL3_DestroyFontsTexture();
    io.Fonts->Clear();
    // The view's name keeps the full size: one short line, it fits any window.
    labelFont_ = io.Fonts->AddFontDefault();
    panelFont_ = labelFont_;
    if (pixels != kFontPixels) {
        ImFontConfig font;
        font.SizePixels = static_cast<float>(pixels);
        // The font is drawn for 13 pixels: smaller, its one-pixel strokes blur into greys.
        // Brightened, they read as white again.
        font.RasterizerMultiply = 1.6f;
        panelFont_ = io.Fonts->AddFontDefault(&font);
    }
    ImGui_ImplOpenGL3_CreateFontsTexture();
    labelGlObject(GL_TEXTURE, static_cast<GLuint>(reinterpret_cast<intptr_t>(io.Fonts->TexID)),
                  "overlay font");
    // Tight lines, scaled with the text.
    ImGuiStyle& style = ImGui::GetStyle();
    style = ImGuiStyle();
    ImGui::StyleColorsDark(&style);
    style.WindowPadding = kWindowPadding;
    style.ItemSpacing = ImVec2(8.0f, 1.0f);
    style.CellPadding = ImVec2(4.0f, 0.0f);
    style.ScaleAllSizes(static_cast<float>(pixels) / kFontPixels);
    panelLaidOut_ = false;  // laid out again at the new size
}

// The timer listens to the passes while the panel shows; the panel shows each pass's mean over
// about a second.
void Overlay::timePasses(Renderer& renderer, Clock::time_point now) {
    if (renderer.profiler == &passTimes_) {
        passTimes_.endFrame();
        if (!visible) {
            // Shown again, the panel measures afresh: nothing from the frames drawn before.
            renderer.profiler = nullptr;
            passTimes_.forget();
            shownTimes_ = LatePassTimer::Means();
        }
    } else if (visible && !renderer.profiler) {
        renderer.profiler = &passTimes_;
    }
    const bool shownAny = std::any_of(shownTimes_.measured.begin(), shownTimes_.measured.end(),
                                      [](bool measured) { return measured; });
    if (shownAny && now - shownSince_ < std::chrono::seconds(1)) return;
    const LatePassTimer::Means means = passTimes_.takeMeans();
    if (std::none_of(means.measured.begin(), means.measured.end(), [](bool m) { return m; })) {
        return;
    }
    shownTimes_ = means;
    shownSince_ = now;
}

void Overlay::buildPanel(const Renderer& renderer) {
    const float scale = static_cast<float>(fontPixels_) / kFontPixels;
    ImGui::PushFont(panelFont_);
    ImGui::SetNextWindowPos(ImVec2(kMargin * scale, kMargin * scale));
    ImGui::SetNextWindowBgAlpha(0.8f);
    ImGui::Begin("Murkmoor overlay", nullptr, kFixedWindow);
    ImGui::TextUnformatted(glText(GL_RENDERER));
    ImGui::Text("OpenGL %s", glText(GL_VERSION));
    ImGui::Text("target %d x %d, window %d x %d", renderer.targetWidth, renderer.targetHeight,
                renderer.viewportWidth, renderer.viewportHeight);

    ImGui::Separator();
    const FrameStats::Summary second = frames.lastSecond();
    if (second.frames > 0) {
        ImGui::Text("%.1f fps, frame %.1f ms (%.1f to %.1f), last second", second.fps,
                    second.meanMs, second.shortestMs, second.longestMs);
    } else {
        ImGui::TextUnformatted("fps: after the second frame");
    }
    const std::vector<float> graph = frames.graphMs();
    ImGui::PlotLines("##frames", graph.data(), static_cast<int>(graph.size()), 0,
                     "frame times, last 5 s", 0.0f, FLT_MAX, ImVec2(0.0f, 20.0f * scale));

    ImGui::Separator();
    ImGui::TextUnformatted("GPU time per pass, ms (timer queries)");
    // Until the first figures arrive, a few frames after H; "-" for a pass that did not run.
    const bool measuring = std::none_of(shownTimes_.measured.begin(), shownTimes_.measured.end(),
                                        [](bool measured) { return measured; });
    // Two passes to a row, the first half of the frame on the left.
    const int rows = (kPassCount + 1) / 2;
    if (ImGui::BeginTable("passes", 4, ImGuiTableFlags_SizingFixedFit)) {
        for (int row = 0; row < rows; ++row) {
            ImGui::TableNextRow();
            for (int i = row; i < kPassCount; i += rows) {
                ImGui::TableNextColumn();
                ImGui::TextUnformatted(passName(static_cast<Pass>(i)));
                ImGui::TableNextColumn();
                if (shownTimes_.measured[i]) {
                    ImGui::Text("%8.3f", shownTimes_.ms[i]);
                } else if (measuring) {
                    ImGui::TextUnformatted("measuring");
                } else {
                    ImGui::TextUnformatted("       -");
                }
            }
        }
        ImGui::EndTable();
    }

    ImGui::Separator();
    const CameraPath& path = renderer.cameraPath;
    ImGui::Text("flight %.1f s, key point %d of %d, speed %.1f m/s, %s", path.flownSeconds,
                path.keyPointReached(), static_cast<int>(path.m_keyPoints.size()) - 1, path.speed,
                path.active ? "flying" : "paused");

    ImGui::Separator();
    // The first half of the switches on the left, the rest on the right.
    const int switchCount = static_cast<int>(kEffectSwitchCount);
    const int switchRows = (switchCount + 1) / 2;
    if (ImGui::BeginTable("switches", 6, ImGuiTableFlags_SizingFixedFit)) {
        for (int row = 0; row < switchRows; ++row) {
            ImGui::TableNextRow();
            for (int i = row; i < switchCount; i += switchRows) {
                const EffectSwitch& entry = kEffectSwitches[i];
                ImGui::TableNextColumn();
                ImGui::TextUnformatted(entry.keyName().c_str());
                ImGui::TableNextColumn();
                ImGui::TextUnformatted(entry.label);
                ImGui::TableNextColumn();
                ImGui::TextUnformatted(entry.stateLabel(entry.get(renderer)));
            }
        }
        ImGui::EndTable();
    }

    ImGui::Separator();
    ImGui::Text("view: %s (V, shift+V)", viewTitle(renderer.view));
    const ImVec2 at = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    panelWidth_ = size.x;
    panelHeight_ = size.y;
    addDrawn({static_cast<int>(at.x), static_cast<int>(at.y), static_cast<int>(size.x),
              static_cast<int>(size.y)});
    ImGui::End();
    ImGui::PopFont();
}

void Overlay::buildKeysPanel(const Renderer& renderer, float x, float y, bool withTable) {
    ImGui::PushFont(panelFont_);
    ImGui::SetNextWindowPos(ImVec2(x, y));
    ImGui::SetNextWindowBgAlpha(0.8f);
    ImGui::Begin(withTable ? "Murkmoor keys" : "Murkmoor timeline", nullptr, kFixedWindow);
    if (!withTable) {
        // As wide as the figures' panel, so that it reads as its last line.
        drawTimeline(renderer.cameraPath,
                     std::max(panelWidth_ - 2.0f * ImGui::GetStyle().WindowPadding.x, 1.0f));
        finishKeysPanel(false);
        return;
    }
    // Two keys to a row, the first half of the table on the left.
    const int keyCount = static_cast<int>(kKeyHelpCount);
    const int rows = (keyCount + 1) / 2;
    if (ImGui::BeginTable("keys", 4, ImGuiTableFlags_SizingFixedFit)) {
        for (int row = 0; row < rows; ++row) {
            ImGui::TableNextRow();
            for (int i = row; i < keyCount; i += rows) {
                ImGui::TableNextColumn();
                ImGui::TextUnformatted(kKeyHelp[i].keys);
                ImGui::TableNextColumn();
                ImGui::TextUnformatted(kKeyHelp[i].action);
            }
        }
        ImGui::EndTable();
    }
    const float tableWidth = ImGui::GetItemRectSize().x;
    ImGui::Separator();
    drawTimeline(renderer.cameraPath, tableWidth);
    finishKeysPanel(true);
}

float Overlay::timelinePanelHeight() const {
    // Its text line and its bar, each a line high, and the window's padding.
    const ImGuiStyle& style = ImGui::GetStyle();
    return 2.0f * static_cast<float>(fontPixels_) + style.ItemSpacing.y +
           2.0f * style.WindowPadding.y;
}

void Overlay::finishKeysPanel(bool withTable) {
    const ImVec2 at = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    if (withTable) {
        keysPanelWidth_ = size.x;
        keysPanelHeight_ = size.y;
    }
    addDrawn({static_cast<int>(at.x), static_cast<int>(at.y), static_cast<int>(size.x),
              static_cast<int>(size.y)});
    ImGui::End();
    ImGui::PopFont();
}

// The flight from its first key point to its last: a tick for every key point, a tall yellow one
// for each that fires an event, the loop as a blue band and where the camera is as a white line.
void Overlay::drawTimeline(const CameraPath& path, float width) {
    PathTimeline& timeline = timeline_;
    layOutPath(path, timeline);
    const double length = timeline.lengthSeconds();
    if (loop && loop->looping()) {
        ImGui::Text("flight %.1f of %.1f s, loop %.1f to %.1f s", timeline.nowSeconds, length,
                    loop->start, loop->end);
    } else if (loop && loop->startMarked()) {
        ImGui::Text("flight %.1f of %.1f s, loop from %.1f s", timeline.nowSeconds, length,
                    loop->start);
    } else {
        ImGui::Text("flight %.1f of %.1f s, events in yellow", timeline.nowSeconds, length);
    }
    const float height = ImGui::GetTextLineHeight();
    const ImVec2 start = ImGui::GetCursorScreenPos();
    ImGui::Dummy(ImVec2(width, height));
    if (length <= 0.0) return;
    const auto xOf = [&](double seconds) {
        return start.x + static_cast<float>(std::clamp(seconds / length, 0.0, 1.0)) * width;
    };
    const float bottom = start.y + height;
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddRectFilled(ImVec2(start.x, start.y + height * 0.5f), ImVec2(start.x + width, bottom),
                        IM_COL32(60, 60, 60, 255));
    if (loop && loop->startMarked()) {
        // Its start alone is a line until its end is marked.
        const double end = loop->looping() ? loop->end : loop->start;
        draw->AddRectFilled(ImVec2(xOf(loop->start), start.y),
                            ImVec2(std::max(xOf(end), xOf(loop->start) + 1.0f), bottom),
                            IM_COL32(60, 110, 220, 200));
    }
    for (size_t i = 0; i < timeline.keyPointSeconds.size(); ++i) {
        const float tickX = xOf(timeline.keyPointSeconds[i]);
        const bool event = timeline.firesEvent[i];
        draw->AddLine(ImVec2(tickX, event ? start.y : start.y + height * 0.5f),
                      ImVec2(tickX, bottom),
                      event ? IM_COL32(250, 210, 60, 255) : IM_COL32(150, 150, 150, 255));
    }
    const float nowX = xOf(timeline.nowSeconds);
    draw->AddRectFilled(ImVec2(nowX - 1.0f, start.y), ImVec2(nowX + 1.0f, bottom), IM_COL32_WHITE);
}

// Under every panel, over the picture alone where the window letter-boxes it.
void Overlay::drawPath(const Renderer& renderer) {
    const PixelRect picture = letterboxRect(renderer.viewportWidth, renderer.viewportHeight,
                                            renderer.targetWidth, renderer.targetHeight);
    const PathDrawing::Area area{
        static_cast<float>(picture.x),
        static_cast<float>(renderer.viewportHeight - picture.y - picture.height),
        static_cast<float>(picture.width), static_cast<float>(picture.height)};
    ImGui::PushFont(labelFont_);
    path.build(*ImGui::GetBackgroundDrawList(), renderer.cameraPath, renderer.camera, loop, area);
    ImGui::PopFont();
}

// Drawn straight into the foreground, not as a window: a window takes its size from the frame
// before, and the name changes with every V.
void Overlay::buildLabel(const Renderer& renderer) {
    drawBoxedText(viewTitle(renderer.view), kMargin, kMargin);
}

void Overlay::notify(std::string text, double seconds) {
    notice_ = std::move(text);
    noticeUntil_ = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>(seconds));
}

const std::string& Overlay::notice() const {
    static const std::string none;
    return !visible && Clock::now() < noticeUntil_ ? notice_ : none;
}

void Overlay::buildNotice(int height) {
    const float boxHeight = ImGui::GetTextLineHeight() + 2.0f * kWindowPadding.y;
    drawBoxedText(notice_.c_str(), kMargin, static_cast<float>(height) - kMargin - boxHeight);
}

void Overlay::drawBoxedText(const char* text, float x, float y) {
    const ImVec2 padding = kWindowPadding;
    const ImVec2 size = ImGui::CalcTextSize(text);
    const ImVec2 corner(x, y);
    const ImVec2 end(corner.x + size.x + 2.0f * padding.x, corner.y + size.y + 2.0f * padding.y);
    ImDrawList* draw = ImGui::GetForegroundDrawList();
    draw->AddRectFilled(corner, end, IM_COL32(15, 15, 15, 170));
    draw->AddText(ImVec2(corner.x + padding.x, corner.y + padding.y), IM_COL32_WHITE, text);
    addDrawn({static_cast<int>(corner.x), static_cast<int>(corner.y),
              static_cast<int>(end.x - corner.x + 1.0f),
              static_cast<int>(end.y - corner.y + 1.0f)});
}

void Overlay::addDrawn(Rect box) {
    if (drawn_.width == 0) {
        drawn_ = box;
        return;
    }
    const int right = std::max(drawn_.x + drawn_.width, box.x + box.width);
    const int bottom = std::max(drawn_.y + drawn_.height, box.y + box.height);
    drawn_.x = std::min(drawn_.x, box.x);
    drawn_.y = std::min(drawn_.y, box.y);
    drawn_.width = right - drawn_.x;
    drawn_.height = bottom - drawn_.y;
}
