#pragma once

#include <string>

// An OpenGL 4.3 core context from EGL with no window system at all, for machines with no display:
// the EGL device platform on a GPU, Mesa's surfaceless platform where no GPU device is offered.
// The tools draw into framebuffers of their own, so the context has no surface (or a 1x1
// pbuffer where the driver cannot make a context current without one).
struct HeadlessContext {
    void* display = nullptr;  // EGLDisplay
    void* context = nullptr;  // EGLContext
    void* surface = nullptr;  // EGLSurface; null when current without one
    std::string platform;     // how the display was found, for the tools' reports
};

// Opens the context, makes it current and loads the GL entry points. A debug context when
// asked. False with the reason in error when no platform gives a 4.3 core context.
bool openHeadlessContext(HeadlessContext& headless, bool debug, std::string& error);

// Releases and destroys the context and terminates its display.
void closeHeadlessContext(HeadlessContext& headless);
