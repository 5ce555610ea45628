#include "VideoTestSupport.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ProcessRun.h"
#include "TestFiles.h"

std::string shellQuote(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string shellCommand(const std::vector<std::string>& arguments) {
    std::string command;
    for (const std::string& argument : arguments) command += shellQuote(argument) + " ";
    return command;
}

namespace {
std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
}  // namespace

std::vector<uint8_t> decodeRgbFrame(const std::string& file, int index) {
    TempDir dir;
    const std::string raw = dir.path() + "/frame.rgb";
    const std::string select = "select=eq(n\\," + std::to_string(index) + ")";
    if (runProcess(shellCommand({"ffmpeg", "-v", "error", "-i", file, "-vf", select, "-frames:v",
                                 "1", "-f", "rawvideo", "-pix_fmt", "rgb24", raw}),
                   "")
            .exitCode != 0) {
        return {};
    }
    const std::string bytes = readBytes(raw);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<int16_t> decodeStereo(const std::string& file, const std::string& filter) {
    TempDir dir;
    const std::string raw = dir.path() + "/audio.raw";
    std::vector<std::string> command = {"ffmpeg", "-v", "error", "-i", file, "-map", "0:a"};
    if (!filter.empty()) command.insert(command.end(), {"-af", filter});
    command.insert(command.end(), {"-f", "s16le", "-ac", "2", "-ar", "44100", raw});
    if (runProcess(shellCommand(command), "").exitCode != 0) return {};
    const std::string bytes = readBytes(raw);
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    }
    return samples;
}

double rmsOfFrames(const std::vector<int16_t>& samples, long first, long last) {
    double sum = 0.0;
    long count = 0;
    for (long i = 2 * first; i < 2 * last && i < static_cast<long>(samples.size()); ++i, ++count) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

std::vector<std::map<std::string, std::string>> probeStreams(const std::string& file) {
    const ProcessResult probe = runProcess(
        shellCommand({"ffprobe", "-v", "error", "-count_frames", "-show_entries",
                      "stream=codec_type,codec_name,width,height,pix_fmt,nb_read_frames,duration",
                      "-of", "compact=p=0", file}),
        "");
    std::vector<std::map<std::string, std::string>> streams;
    std::istringstream lines(probe.out);
    for (std::string line; std::getline(lines, line);) {
        std::map<std::string, std::string> stream;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '|');) {
            const size_t equals = field.find('=');
            if (equals != std::string::npos)
                stream[field.substr(0, equals)] = field.substr(equals + 1);
        }
        streams.push_back(stream);
    }
    return streams;
}
