#include "FlightKeys.h"

#include <GLFW/glfw3.h>

#include <cstdio>

#include "Globals.h"

namespace {
// How often a jump looks at the window's events, and shows its progress once it shows it.
constexpr double kJumpPollSeconds = 0.05;
constexpr double kJumpProgressSeconds = 0.25;

// The notices of the flight's keys show as long as the other keys'.
void tell(const std::string& text) {
    printf("%s\n", text.c_str());
    overlay.notify(text);
}
}  // namespace

bool handleFlightKey(int key, int mods) {
    const double now = flightJumps.now();
    const double step = 1.0 / flightJumps.stepsPerSecond;
    const double jump = (mods & GLFW_MOD_SHIFT) ? kLongJumpSeconds : kShortJumpSeconds;
    const bool paused = !renderer.cameraPath.active;
    switch (key) {
        case GLFW_KEY_LEFT:
            flightJumps.request(now - jump);
            break;
        case GLFW_KEY_RIGHT:
            flightJumps.request(now + jump);
            break;
        case GLFW_KEY_PAGE_UP:
            flightJumps.request(flightJumps.previousEventTime(now));
            break;
        case GLFW_KEY_PAGE_DOWN:
            flightJumps.request(flightJumps.nextEventTime(now));
            break;
        case GLFW_KEY_HOME:
            flightJumps.request(0.0);
            break;
        case GLFW_KEY_END:
            flightJumps.request(flightJumps.timeline().arrival);
            break;
        case GLFW_KEY_PERIOD:
            if (!paused) return false;
            flightJumps.request(now + step);
            break;
        case GLFW_KEY_COMMA:
            if (!paused) return false;
            flightJumps.request(now - step);
            break;
        case GLFW_KEY_L:
            tell(flightJumps.markLoop());
            break;
        default:
            return false;
    }
    keyHeld = false;
    return true;
}

namespace {
bool flying = false;
}  // namespace

bool jumpInFlight() {
    return flying;
}

bool flyPendingJump(const FlightJumps::Progress& progress) {
    const bool asked = flightJumps.pending();
    flying = true;
    const bool arrived = flightJumps.flyPending(progress);
    flying = false;
    if (!arrived) return false;
    keyHeld = false;
    if (asked && running) tell(flightJumps.timeNotice());
    return true;
}

FlightJumps::Progress jumpProgressOnScreen(GLFWwindow* window, double seconds) {
    const double started = glfwGetTime();
    double shown = started;
    double polled = started;
    return [=](double share) mutable {
        const double now = glfwGetTime();
        if (now - polled < kJumpPollSeconds) return true;
        polled = now;
        if (now - started > kQuietJumpSeconds && now - shown >= kJumpProgressSeconds) {
            shown = now;
            char text[64];
            std::snprintf(text, sizeof text, "Going to %.1f s ... %d %%", seconds,
                          static_cast<int>(share * 100.0));
            GLfloat clear[4];
            glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
            glBindFramebuffer(GL_FRAMEBUFFER, renderer.outputFramebuffer);
            glViewport(0, 0, renderer.viewportWidth, renderer.viewportHeight);
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            glClearColor(clear[0], clear[1], clear[2], clear[3]);
            overlay.notify(text);
            overlay.draw(renderer);
            glfwSwapBuffers(window);
        }
        glfwPollEvents();
        return running && !glfwWindowShouldClose(window);
    };
}
