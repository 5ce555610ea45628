#pragma once

#include <string>

struct GLFWwindow;
class Renderer;

// The overlay's edit mode (Tab while the overlay shows): a window of every effect switch and
// numeric parameter, each with its value and unit and a button back to its default, and "Save",
// which writes the settings file. While editing, the mouse drives the window (mouse look pauses)
// and the keys keep their meaning unless a text field (Ctrl+click on a slider) has the focus.
class ParameterPanel {
public:
    bool editing = false;

    // Tab: starts or ends editing, with the current window's cursor shown or captured again. Only
    // while the overlay shows; false when it does not.
    bool toggle(bool overlayShown);
    // Ends editing, as hiding the overlay does.
    void stop();

    // The mouse for the panel's next frame: the cursor in window pixels and the left button.
    void feedMouse(double x, double y, bool leftDown);
    // A press of the left button: held down for the next frame at least, so that a click quicker
    // than a frame still reaches the panel.
    void notePress() { pressed_ = true; }
    void feedWheel(double offset);
    // Whether the keys go to a text field of the panel rather than to the program.
    bool takesKeys() const;
    // A key's press or release while editing.
    void feedKey(int key, bool down);
    void feedCharacter(unsigned int character);

    // Inside the overlay's frame: the window, at the right of a window of this width and height.
    void build(Renderer& renderer, int width, int height);
    // Writes the settings file in the working directory; returns the line it shows.
    std::string save(Renderer& renderer);
    const std::string& saved() const { return saved_; }

private:
    std::string saved_;
    bool pressed_ = false;
};

extern ParameterPanel parameterPanel;

// GLFW's character callback: typed text for the panel's text field.
void onPanelCharacter(GLFWwindow* window, unsigned int character);
