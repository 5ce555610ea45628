#pragma once

#include <chrono>
#include <string>

#include "FrameStats.h"
#include "LatePassTimer.h"
#include "PathDrawing.h"
#include "PathTimeline.h"

class Renderer;
class CameraPath;
struct FlightLoop;
struct ImFont;
struct ImGuiContext;

// What the frame knows about itself, drawn over it with Dear ImGui (H shows and hides it): the GL
// driver, the target and window sizes, the frame rate and frame times with their graph, every
// pass's GPU time, the flight, the F1 to F10 switches and the view; beside it the keys and the
// flight's timeline, or below it in a narrow window, or alone where neither fits (320 x 192).
// While it is hidden, a view
// other than the final frame is named in the window's corner instead. Dear ImGui is fed the
// window's size and the time only: no key or mouse event reaches it. The renderer draws it at the
// end of every frame; hidden, with the final frame shown, it makes no GL call.
class Overlay {
public:
    bool visible = false;
    FrameStats frames;
    // The loop that the timeline marks, where there is one.
    const FlightLoop* loop = nullptr;
    // The camera path drawn over the picture, under the panels (P).
    PathDrawing path;

    // Notes the frame's duration, then draws the panel or the view's name into the renderer's
    // output at the window's size. While the panel shows, the renderer's passes are timed.
    void draw(Renderer& renderer);

    // Shows `text` in the window's bottom left corner for `seconds` while the panel is hidden: what
    // a key just did. A later notice replaces it.
    void notify(std::string text, double seconds = 2.0);
    // The notice shown now, or an empty string.
    const std::string& notice() const;

    // A rectangle of window pixels, origin at the top left.
    struct Rect {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };
    // What the last draw covered: the panels, the view's name and the notice, or nothing.
    Rect drawnRect() const { return drawn_; }
    // The pass times the panel shows: none measured until the first figures arrive.
    const LatePassTimer::Means& shownPassTimes() const { return shownTimes_; }

    // The text's height in pixels for a window: the font's own 13 in a window of 960 x 576 or
    // more, less in a smaller one (the panel keeps its share of the window) down to the smallest
    // that still reads, 8.
    static int fontPixelsFor(int width, int height);

private:
    using Clock = std::chrono::steady_clock;

    void open();
    // Bakes the panel's font at this height (the name's stays 13) and scales its spacing with it.
    void useFontPixels(int pixels);
    void timePasses(Renderer& renderer, Clock::time_point now);
    void buildPanel(const Renderer& renderer);
    // The key table and the timeline, or the timeline alone, in a panel of their own with its top
    // left corner at x, y.
    void buildKeysPanel(const Renderer& renderer, float x, float y, bool withTable);
    // The timeline's panel without the key table: its height in the panel's font.
    float timelinePanelHeight() const;
    // Notes what the keys panel covers (and its size, with the key table), and ends it.
    void finishKeysPanel(bool withTable);
    void drawTimeline(const CameraPath& path, float width);
    void drawPath(const Renderer& renderer);
    void buildLabel(const Renderer& renderer);
    void buildNotice(int height);
    // Adds a line of text on a dark box at `corner` to the foreground and to drawn_.
    void drawBoxedText(const char* text, float x, float y);
    void addDrawn(Rect box);

    ImGuiContext* context_ = nullptr;
    int fontPixels_ = 0;
    ImFont* labelFont_ = nullptr;
    ImFont* panelFont_ = nullptr;
    bool panelLaidOut_ = false;
    bool framed_ = false;
    Clock::time_point lastFrame_;
    double lastFrameSeconds_ = 0.0;
    LatePassTimer passTimes_;
    LatePassTimer::Means shownTimes_;
    Clock::time_point shownSince_;
    Rect drawn_;
    // The panels' sizes when last laid out: whether both fit side by side or one below the other.
    float panelWidth_ = 0.0f;
    float panelHeight_ = 0.0f;
    float keysPanelWidth_ = 0.0f;
    float keysPanelHeight_ = 0.0f;
    PathTimeline timeline_;
    std::string notice_;
    Clock::time_point noticeUntil_;
};
