#pragma once

#include <iosfwd>

struct GLFWwindow;
class Camera;

// Window settings chosen at the console prompts and on the command line.
struct WindowSettings {
    float width = 1280.0f;
    float height = 768.0f;
    bool fullScreen = false;
    char fullScreenAnswer = 'c';
};

enum class ArgumentError { None, First, Second, Third };

// Asks the three prompts. Failed reads leave the stream failed and the defaults in place.
void askWindowSettings(WindowSettings& settings, std::istream& in, std::ostream& out);
// With two or more arguments they override the typed width, height and full-screen answer.
ArgumentError applyArguments(int argc, const char* const* argv, WindowSettings& settings,
                             std::ostream& out);
const char* argumentErrorMessage(ArgumentError error);
// Prints the message on standard error, waits for Enter (or end of input) and exits with code 1.
[[noreturn]] void failOnArgument(ArgumentError error);
// The same for any message about the command line.
[[noreturn]] void failOnCommandLine(const char* message);
// True when both sizes are finite and within the range of an int, so they may be converted.
bool windowSizeRepresentable(const WindowSettings& settings);

// Prints the message and "Press enter to exit.", then waits for one character.
void failureEnding(const char* message);

// Metres a second that a held movement key flies the camera, and the share of it with Shift or
// Ctrl held.
constexpr float kFlySpeed = 10.0f;
constexpr float kSlowFlyShare = 0.1f;
// The longest frame time a movement step uses: at a few frames a second (a software renderer) a
// held key moves at most 1 metre a frame, a tenth of that with Shift or Ctrl, so the eye cannot
// jump through a wall between two pictures. The path's timing does not use it.
constexpr float kLongestFlyStep = 0.1f;

// Frame-loop steps: free-fly movement for the held key (dt counted up to kLongestFlyStep) and mouse
// look from the cursor motion. The mouse turns the camera only while the path is paused (the path
// places the camera otherwise); the motion is taken all the same, so that none of it waits to turn
// the view later.
void applyFreeFly(Camera& camera, float dt);
void applyMouseLook(Camera& camera, double cursorX, double cursorY, bool pathFlying);

// GLFW callbacks.
void onGlfwError(int code, const char* description);
void onWindowSize(GLFWwindow* window, int width, int height);
