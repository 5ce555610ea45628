#include "Shell.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>

#include "Camera.h"
#include "Globals.h"

void askWindowSettings(WindowSettings& settings, std::istream& in, std::ostream& out) {
    out << "Enter Width " << std::endl;
    in >> settings.width;
    out << "Enter Height " << std::endl;
    in >> settings.height;
    out << "Fullscreen: Yes = 'y', NO = everything else!" << std::endl;
    in >> settings.fullScreenAnswer;
    settings.fullScreen = settings.fullScreenAnswer == 'y';
}

ArgumentError applyArguments(int argc, const char* const* argv, WindowSettings& settings,
                             std::ostream& out) {
    if (argc < 3) return ArgumentError::None;
    out << "You are executing '" << argv[0] << "'" << std::endl;

    std::istringstream width(argv[1]);
    width >> settings.width;
    if (width.bad() || width.fail()) return ArgumentError::First;

    std::istringstream height(argv[2]);
    height >> settings.height;
    if (height.bad() || height.fail()) return ArgumentError::Second;

    if (argc >= 4) {
        std::istringstream fullScreen(argv[3]);
        fullScreen >> settings.fullScreen;
        if (fullScreen.bad() || fullScreen.fail()) return ArgumentError::Third;
    }
    return ArgumentError::None;
}

const char* argumentErrorMessage(ArgumentError error) {
    switch (error) {
        case ArgumentError::First:
            return "ERROR: Could not parse first command-line-argument as integer.";
        case ArgumentError::Second:
            return "ERROR: Could not parse second command-line-argument as integer.";
        case ArgumentError::Third:
            return "ERROR: Could not parse third command-line-argument as boolean.";
        case ArgumentError::None: break;
    }
    return "";
}

void failOnArgument(ArgumentError error) {
    failOnCommandLine(argumentErrorMessage(error));
}

void failOnCommandLine(const char* message) {
    std::cerr << message << std::endl;
    // There is no "PAUSE" command here: wait for Enter, or return at once at the end of input.
    std::string line;
    std::cin.clear();
    std::getline(std::cin, line);
    std::exit(1);
}

bool windowSizeRepresentable(const WindowSettings& settings) {
    const auto fits = [](float value) {
        return std::isfinite(value) &&
               value > static_cast<float>(std::numeric_limits<int>::min()) &&
               value < static_cast<float>(std::numeric_limits<int>::max());
    };
    return fits(settings.width) && fits(settings.height);
}

void failureEnding(const char* message) {
    std::cout << message << std::endl << "Press enter to exit." << std::flush;
    std::cin.clear();
    std::cin.get();
}

void applyFreeFly(Camera& camera, float dt) {
    if (!keyHeld) return;
    const float step =
        kFlySpeed * (slowMovement ? kSlowFlyShare : 1.0f) * std::min(dt, kLongestFlyStep);
    switch (lastKey) {
        case GLFW_KEY_A: camera.move(step, 0.0f, 0.0f); break;
        case GLFW_KEY_D: camera.move(-step, 0.0f, 0.0f); break;
        case GLFW_KEY_E: camera.move(0.0f, -step, 0.0f); break;
        case GLFW_KEY_Q: camera.move(0.0f, step, 0.0f); break;
        case GLFW_KEY_S: camera.move(0.0f, 0.0f, -step); break;
        case GLFW_KEY_W: camera.move(0.0f, 0.0f, step); break;
        default: break;
    }
}

void applyMouseLook(Camera& camera, double cursorX, double cursorY, bool pathFlying) {
    const double dx = cursorX - lastCursorX;
    const double dy = cursorY - lastCursorY;
    if (!pathFlying && (dx != 0.0 || dy != 0.0)) {
        // Whole pixels only: a sub-pixel movement turns nothing.
        camera.rotate(static_cast<float>(static_cast<int>(dy)) / 500.0f,
                      static_cast<float>(static_cast<int>(dx)) / 500.0f);
    }
    lastCursorX = cursorX;
    lastCursorY = cursorY;
}

void onGlfwError(int code, const char* description) {
    std::cout << "GLFW error " << code << std::endl << description << std::endl;
}

void onWindowSize(GLFWwindow*, int width, int height) {
    // Only the final output follows the window; a minimised one reports 0 x 0.
    renderer.viewportWidth = std::max(0, width);
    renderer.viewportHeight = std::max(0, height);
}
