#include "RunningProgram.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>

#include <cstdlib>
#include <fstream>

#include "ProcessRun.h"
#include "TestFiles.h"

RunningProgram::RunningProgram(const std::string& directory, const std::string& arguments,
                               const std::string& answers)
    : dir(directory) {
    std::ofstream(dir + "/answers.txt") << answers;
    // The subshell records the exit code once the program ends.
    const std::string command = "cd '" + dir + "' && ( " + MURKMOOR_BINARY + " " + arguments +
                                " <answers.txt >out.txt 2>err.txt; echo $? >code.txt ) "
                                ">/dev/null 2>&1 & echo $! >'" +
                                dir + "/pid.txt'";
    std::system(command.c_str());
    pid = std::atoi(readFile(dir + "/pid.txt").c_str());
}

RunningProgram::~RunningProgram() {
    if (!ended && pid > 0) {
        std::system(("pkill -P " + std::to_string(pid)).c_str());
        kill(pid, SIGKILL);
    }
}

bool RunningProgram::waitForWindow(double seconds) {
    // Tests may run side by side on one display: find this program's own window by its process.
    std::string programPid;
    const std::string pgrep = "pgrep -P " + std::to_string(pid);
    waitUntil([&] { return !(programPid = runProcess(pgrep, "").out).empty(); }, seconds);
    programPid = std::to_string(std::atoi(programPid.c_str()));
    const ProcessResult search =
        runProcess("timeout " + std::to_string(seconds) + " xdotool search --all --sync --pid " +
                       programPid + " --name '^Murkmoor!$'",
                   "");
    window = search.out.substr(0, search.out.find_first_of(" \n"));
    return !window.empty();
}

bool RunningProgram::waitForFrameLoop(double seconds) {
    // A middle click only prints: clicking until its line shows changes no state.
    return waitUntil(
        [&] {
            xdotool("click --window $W 2");
            return waitForOutput("Mouse middle click\n", 2.0);
        },
        seconds);
}

void RunningProgram::xdotool(const std::string& arguments) const {
    std::system(("W=" + window + "; timeout 20 xdotool " + arguments + " >/dev/null 2>&1").c_str());
}

std::vector<uint8_t> RunningProgram::windowPixels(int width, int height) const {
    std::vector<uint8_t> pixels;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return pixels;
    const Window target = std::strtoul(window.c_str(), nullptr, 10);
    XImage* image = XGetImage(display, target, 0, 0, width, height, AllPlanes, ZPixmap);
    if (image) {
        const unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const unsigned long value = XGetPixel(image, x, y);
                // Each channel scaled from its mask's bits to a byte.
                for (const unsigned long mask : masks) {
                    pixels.push_back(static_cast<uint8_t>((value & mask) * 255 / mask));
                }
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return pixels;
}

void RunningProgram::requestClose() const {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return;
    const Window target = std::strtoul(window.c_str(), nullptr, 10);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, target, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

bool RunningProgram::waitForOutput(const std::string& text, double seconds, size_t from) const {
    return waitUntil([&] { return out().find(text, from) != std::string::npos; }, seconds);
}

bool RunningProgram::pressUntilOutput(const std::string& key, const std::string& text,
                                      double seconds) const {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const size_t mark = out().size();
        xdotool("windowfocus --sync $W key --window $W " + key);
        if (waitForOutput(text, seconds / 3, mark)) return true;
    }
    return false;
}

bool RunningProgram::waitForFrames(int frames, double seconds) const {
    const auto count = [&] {
        const std::string output = out();
        int n = 0;
        for (size_t at = 0; (at = output.find("FPS: ", at)) != std::string::npos; ++at) ++n;
        return n;
    };
    const int start = count();
    return waitUntil([&] { return count() >= start + frames; }, seconds);
}

int RunningProgram::waitForExit(double seconds) {
    if (!waitUntil([&] { return !readFile(dir + "/code.txt").empty(); }, seconds)) return -1;
    ended = true;
    return std::atoi(readFile(dir + "/code.txt").c_str());
}

std::string RunningProgram::out() const {
    return readFile(dir + "/out.txt");
}
std::string RunningProgram::err() const {
    return readFile(dir + "/err.txt");
}
