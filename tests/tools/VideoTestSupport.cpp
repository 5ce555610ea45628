#include "VideoTestSupport.h"

#include <cmath>
#include <cstring>

#include "ProcessRun.h"
#include "TestFiles.h"

std::string shellCommand(const std::vector<std::string>& arguments) {
    std::string command;
    for (const std::string& argument : arguments) {
        command += "'";
        for (char c : argument) command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        command += "' ";
    }
    return command;
}

std::vector<int16_t> decodeStereo(const std::string& file, const std::string& filter) {
    TempDir dir;
    std::vector<std::string> command = {"ffmpeg", "-v", "error", "-i", file, "-map", "0:a"};
    if (!filter.empty()) command.insert(command.end(), {"-af", filter});
    command.insert(command.end(), {"-f", "s16le", "-ac", "2", "-ar", "44100", dir.path() + "/a"});
    if (runProcess(shellCommand(command), "").exitCode != 0) return {};
    const std::string bytes = readFile(dir.path() + "/a");
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

double frameDifference(const std::string& video, int index, const std::string& image) {
    TempDir dir;
    const auto decode = [&](const std::string& file, const std::string& select) {
        const std::string raw = dir.path() + "/frame.rgb";
        runProcess(shellCommand({"ffmpeg", "-v", "error", "-y", "-i", file, "-vf", select,
                                 "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", raw}),
                   "");
        return readFile(raw);
    };
    const std::string a = decode(video, "select=eq(n\\," + std::to_string(index) + ")");
    const std::string b = decode(image, "null");
    if (a.empty() || a.size() != b.size()) return -1.0;
    double sum = 0.0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += std::abs(static_cast<uint8_t>(a[i]) - static_cast<uint8_t>(b[i]));
    return sum / static_cast<double>(a.size());
}

std::string decodeFrames(const std::string& video) {
    TempDir dir;
    const std::string raw = dir.path() + "/frames.rgb";
    runProcess(shellCommand({"ffmpeg", "-v", "error", "-i", video, "-f", "rawvideo", "-pix_fmt",
                             "rgb24", raw}),
               "");
    return readFile(raw);
}

double rmsOfFrames(const std::vector<int16_t>& samples, long first, long last) {
    double sum = 0.0;
    long count = 0;
    for (long i = 2 * first; i < 2 * last && i < static_cast<long>(samples.size()); ++i, ++count)
        sum += static_cast<double>(samples[i]) * samples[i];
    return count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

std::string probe(const std::string& file, const std::string& streams, const std::string& entries) {
    std::vector<std::string> command = {"ffprobe", "-v", "error", "-count_frames"};
    if (!streams.empty()) command.insert(command.end(), {"-select_streams", streams});
    command.insert(command.end(), {"-show_entries", "stream=" + entries, "-of", "csv=p=0", file});
    std::string out = runProcess(shellCommand(command), "").out;
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}
