#include "Controls.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "Camera.h"
#include "EffectSwitches.h"
#include "FlightKeys.h"
#include "Globals.h"
#include "KeyPoint.h"
#include "ParameterPanel.h"
#include "RecordedFlight.h"
#include "ShaderWatcher.h"

void onKey(GLFWwindow* window, int key, int scancode, int action, int mods) {
    // While a text field of the parameter panel has the focus, the keys are its.
    parameterPanel.feedKey(key, action != GLFW_RELEASE);
    if (parameterPanel.takesKeys()) return;
    if (key == GLFW_KEY_ESCAPE) {
        running = false;
    } else if (action == GLFW_RELEASE) {
        keyHeld = false;
    } else if (action == GLFW_PRESS) {
        // Any release ends a movement, so this stays right for as long as the key moves.
        slowMovement = (mods & (GLFW_MOD_SHIFT | GLFW_MOD_CONTROL)) != 0;
        if (key == GLFW_KEY_F11) {
            showFps = !showFps;
            overlay.notify(showFps ? "Frame rate printed" : "Frame rate no longer printed");
        } else if (!handleFrameStudyKey(key, mods) && !handleFlightKey(key, mods)) {
            handleKeyPress(window, key, scancode, action);
        }
    }
}

namespace {
void notifyPathSpeed() {
    char text[48];
    std::snprintf(text, sizeof text, "Path speed %.1f m/s", renderer.cameraPath.speed);
    overlay.notify(text);
}

// After the pose's line: which line of the file it became, or that the file cannot be written.
void noteRecordedKeyPoint(bool written) {
    const std::string file = keyPointFileName ? keyPointFileName : "the key-point file";
    if (!written) {
        overlay.notify("Key point not recorded: " + file + " cannot be written");
        return;
    }
    const std::string text =
        "Key point " + std::to_string(recordedFlight.recorded.size()) + " appended to " + file;
    printf("%s\n", text.c_str());
    overlay.notify(text);
}

void say(const std::string& text) {
    printf("%s\n", text.c_str());
    overlay.notify(text);
}
}  // namespace

void handleKeyPress(GLFWwindow*, int key, int, int) {
    if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F10) {
        renderer.toggleEffect(key - GLFW_KEY_F1 + 1);
        return;
    }
    if (key >= GLFW_KEY_A && key <= GLFW_KEY_Z) {
        // A letter key's row has the letter's capital, which is GLFW's code for the key.
        if (const EffectSwitch* entry = effectSwitchForKey(key)) {
            renderer.cycleSwitch(*entry);
            return;
        }
    }
    switch (key) {
        case GLFW_KEY_C: {
            const bool written = recordKeyPoint(renderer.camera, keyPointFile);
            if (written) recordedFlight.note(renderer.camera);
            noteRecordedKeyPoint(written);
            lastKey = key;
            keyHeld = true;
            break;
        }
        case GLFW_KEY_K:
            say(jumpInFlight() ? "Not while a jump flies"
                               : recordedFlight.toggle(renderer, flightJumps.loop));
            break;
        case GLFW_KEY_BACKSPACE:
            if (keyPointFileName) say(recordedFlight.takeBackLast(keyPointFileName, keyPointFile));
            break;
        case GLFW_KEY_SPACE:
            renderer.cameraPath.active = !renderer.cameraPath.active;
            overlay.notify(renderer.cameraPath.active ? "Flying" : "Paused: keys and mouse move");
            break;
        case GLFW_KEY_R:
            overlay.notify(shaderWatcher.reloadAll(), kReloadNoticeSeconds);
            break;
        case GLFW_KEY_TAB:
            parameterPanel.toggle(overlay.visible);
            break;
        case GLFW_KEY_U:
            renderer.cameraPath.speed += 0.5f;
            printf("Path speed increased: +0.5f\n");
            notifyPathSpeed();
            break;
        case GLFW_KEY_I:
            renderer.cameraPath.speed -= 0.5f;
            printf("Path speed reduced: -0.5f\n");
            notifyPathSpeed();
            break;
        default:
            lastKey = key;
            keyHeld = true;
            break;
    }
}

bool handleFrameStudyKey(int key, int mods) {
    switch (key) {
        case GLFW_KEY_H:
            overlay.visible = !overlay.visible;
            printf("Overlay: %s\n", overlay.visible ? "ON" : "OFF");
            return true;
        case GLFW_KEY_V:
            renderer.view = stepView(renderer.view, (mods & GLFW_MOD_SHIFT) ? -1 : 1);
            printf("View: %s\n", viewTitle(renderer.view));
            return true;
        case GLFW_KEY_F12:
            screenshotAsked = true;
            return true;
        case GLFW_KEY_P:
            overlay.path.shown = !overlay.path.shown;
            printf("Path: %s\n", overlay.path.shown ? "SHOWN" : "HIDDEN");
            overlay.notify(overlay.path.shown ? "Path shown: key points, events, loop"
                                              : "Path hidden");
            return true;
        default:
            return false;
    }
}

void onMouseButton(GLFWwindow*, int button, int action, int) {
    if (parameterPanel.editing && action == GLFW_PRESS && button == GLFW_MOUSE_BUTTON_LEFT) {
        parameterPanel.notePress();
    }
    if (action == GLFW_PRESS && button == GLFW_MOUSE_BUTTON_MIDDLE) printf("Mouse middle click\n");
}

void onScroll(GLFWwindow*, double, double yoffset) {
    if (yoffset != 0.0) printf("Mouse wheel scrolled: %f\n", yoffset);
    if (parameterPanel.editing) parameterPanel.feedWheel(yoffset);
}

bool recordKeyPoint(const Camera& camera, std::ostream& file) {
    const glm::vec3 p = camera.getPosition();
    const glm::vec3 d = camera.getDirection();
    printf("Camera position: %.3f, %.3f, %.3f | Camera direction: %.3f, %.3f, %.3f\n", p.x, p.y,
           p.z, d.x, d.y, d.z);
    const std::string line = keyPointLine(p, p + d);
    if (file.fail()) {
        fflush(stdout);
        std::cerr << "Error writing to ..." << std::endl;
        return false;
    }
    file << line;
    // Recorded poses survive a crash or a killed process.
    file.flush();
    return !file.fail();
}
