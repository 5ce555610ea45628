#include "RecordedFlight.h"

#include <filesystem>
#include <sstream>
#include <system_error>

#include "Camera.h"
#include "FileReplacement.h"
#include "FlightLoop.h"
#include "Renderer.h"

RecordedFlight recordedFlight;

namespace {
void flyFromStart(Renderer& renderer, std::vector<KeyPoint> keyPoints, FlightLoop& loop) {
    renderer.cameraPath.m_keyPoints = std::move(keyPoints);
    loop.clear();
    renderer.restartFlight();
    renderer.cameraPath.active = true;
}
}  // namespace

void RecordedFlight::note(const Camera& camera) {
    // Read back from the line written, so that the numbers are the file's to the last bit.
    const glm::vec3 eye = camera.getPosition();
    KeyPoint keyPoint;
    std::string expected;
    size_t column = 0;
    std::string line = keyPointLine(eye, eye + camera.getDirection());
    line.pop_back();  // the line break
    if (parseKeyPointLine(line, keyPoint, expected, column)) {
        recorded.push_back(keyPoint);
    }
}

std::string RecordedFlight::toggle(Renderer& renderer, FlightLoop& loop) {
    if (flyingRecording) {
        flyingRecording = false;
        flyFromStart(renderer, pathBefore, loop);
        return "Back to the path flown before the recording";
    }
    if (recorded.size() < 2) {
        return "Record two key points at least (C) to fly them; " +
               std::to_string(recorded.size()) + " recorded";
    }
    pathBefore = renderer.cameraPath.m_keyPoints;
    flyingRecording = true;
    flyFromStart(renderer, recorded, loop);
    return "Flying the " + std::to_string(recorded.size()) + " key points recorded";
}

std::string RecordedFlight::takeBackLast(const std::string& file, std::ofstream& out) {
    if (recorded.empty()) return "No key point recorded in this run to take back";
    std::error_code code;
    if (!std::filesystem::is_regular_file(file, code)) {
        return "Key point not taken back: " + file + " is not a file";
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    std::string text = read.str();
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (text.empty()) return "Key point not taken back: " + file + " is empty";
    const size_t lastLine = text.rfind('\n');
    text.resize(lastLine == std::string::npos ? 0 : lastLine + 1);

    out.close();
    std::string error;
    const bool written = writeFileReplacing(
        file, [&](const std::string& temporary) { return writeTextFile(temporary, text); }, error);
    out.open(file, std::ios::app);
    if (!written) return "Key point not taken back: " + error;
    recorded.pop_back();
    return "Key point " + std::to_string(recorded.size() + 1) + " taken back out of " + file;
}
