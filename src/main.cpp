#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <iostream>

#include "Controls.h"
#include "FlightKeys.h"
#include "Globals.h"
#include "KeyHelp.h"
#include "KeyPointFile.h"
#include "ParameterPanel.h"
#include "Screenshot.h"
#include "Settings.h"
#include "ShaderWatcher.h"
#include "Shell.h"
#include "ProgramOptions.h"
#include "WindowSize.h"

const char* const keyPointFileName = "filename.txt";

int main(int argc, char** argv) {
    // The console is the program's interface: every line shows at once, also through a pipe.
    setvbuf(stdout, nullptr, _IOLBF, 0);
    glfwSetErrorCallback(onGlfwError);
    if (!glfwInit()) {
        failureEnding("GLFW could not be initialized. :(");
        return 1;
    }

    WindowSettings settings;
    lastCursorX = 640.0;
    lastCursorY = 384.0;
    const StartTime startTime = takeStartTime(argc, argv);
    const PathFileOption pathFile = takePathFile(argc, argv);
    askWindowSettings(settings, std::cin, std::cout);
    const ArgumentError argumentError = applyArguments(argc, argv, settings, std::cout);
    if (argumentError != ArgumentError::None) failOnArgument(argumentError);
    if (!startTime.valid) failOnCommandLine(kStartTimeError);
    if (!pathFile.valid) failOnCommandLine(kPathFileError);
    // A path that cannot be flown is refused before the window opens, as the tools refuse it.
    std::vector<KeyPoint> pathKeyPoints;
    std::string pathError;
    if (pathFile.given && !readKeyPointFile(pathFile.file, pathKeyPoints, pathError)) {
        failOnCommandLine(("ERROR: " + pathError).c_str());
    }

    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_TRUE);
    GLFWmonitor* monitor = nullptr;
    if (settings.fullScreen) {
        monitor = glfwGetPrimaryMonitor();
        glfwWindowHint(GLFW_REFRESH_RATE, 120);
    }

    // A size that an int cannot hold, or a negative one, is refused here, before any conversion.
    GLFWwindow* window = nullptr;
    if (windowSizeCreatable(settings)) {
        window = glfwCreateWindow(static_cast<int>(settings.width),
                                  static_cast<int>(settings.height), "Murkmoor!", monitor, nullptr);
    }
    if (!window) {
        failureEnding("GLFW could not create window. :(");
        glfwTerminate();
        return 1;
    }

    glfwMakeContextCurrent(window);
    std::cout << "GLFW initialized! OpenGL version: " << glGetString(GL_VERSION) << std::endl;
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        failureEnding("GLEW could not be initialized. :(");
        glfwTerminate();
        return 1;
    }
    // A window larger than the GL can draw into would take the process down at the first frame.
    if (!windowSizeRenderable(static_cast<int>(settings.width),
                              static_cast<int>(settings.height))) {
        failureEnding("GLFW could not create window. :(");
        glfwTerminate();
        return 1;
    }

    renderer.init(settings.width, settings.height);
    glfwSwapBuffers(window);
    renderer.loadScene();
    readSettingsAtStart(renderer);
    shaderWatcher.start();
    announceKeys(overlay, std::cout);

    glfwSetWindowSizeCallback(window, onWindowSize);
    glfwSetKeyCallback(window, onKey);
    glfwSetMouseButtonCallback(window, onMouseButton);
    glfwSetScrollCallback(window, onScroll);
    glfwSetCharCallback(window, onPanelCharacter);
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    overlay.loop = &flightJumps.loop;
    if (pathFile.given) renderer.cameraPath.follow(pathKeyPoints);
    if (startTime.given) flightJumps.request(startTime.seconds);

    double previousTime = glfwGetTime();
    while (running) {
        if (glfwWindowShouldClose(window)) break;
        // A jump arrives at its moment: that moment's frame is drawn without a step.
        const bool arrived =
            flyPendingJump(jumpProgressOnScreen(window, flightJumps.pendingTarget()));
        if (!running) break;
        const double now = glfwGetTime();
        const double dt = now - previousTime;
        previousTime = now;
        const float dtf = static_cast<float>(dt);

        applyFreeFly(renderer.camera, dtf);
        const std::string reloaded = shaderWatcher.poll(now);
        if (!reloaded.empty()) overlay.notify(reloaded, kReloadNoticeSeconds);
        if (!arrived) renderer.update(dtf);
        renderer.render();
        if (screenshotAsked) {
            std::string error;
            const std::string file =
                takeScreenshot(renderer.viewportWidth, renderer.viewportHeight, &error);
            overlay.notify(file.empty() ? "Screenshot not written: " + error
                                        : "Screenshot " + file);
            screenshotAsked = false;
        }
        if (showFps) std::cout << "FPS: " << 1.0 / dt << std::endl;

        double cursorX = 0.0;
        double cursorY = 0.0;
        glfwGetCursorPos(window, &cursorX, &cursorY);
        // While the parameter panel is edited the mouse is its, and the view holds still.
        if (!overlay.visible) parameterPanel.stop();
        if (parameterPanel.editing) {
            parameterPanel.feedMouse(
                cursorX, cursorY, glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS);
            lastCursorX = cursorX;
            lastCursorY = cursorY;
        } else {
            applyMouseLook(renderer.camera, cursorX, cursorY, renderer.cameraPath.active);
        }

        glfwSwapBuffers(window);
        glfwPollEvents();
    }
    glfwTerminate();
    return 0;
}
