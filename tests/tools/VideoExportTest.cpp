#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "FlightTimeline.h"
#include "ProcessRun.h"
#include "SceneSounds.h"
#include "TestFiles.h"
#include "VideoTestSupport.h"

// The export tool run as the user runs it, from the repository root.
namespace {
ProcessResult exportVideo(const std::string& arguments, const std::string& environment = "") {
    return runProcess(environment + " " + MURKMOOR_VIDEO + " " + arguments, "");
}

bool exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}
}  // namespace

TEST(VideoExport, AShortRangeBecomesAnH264AndAacMp4OfItsSizeFramesAndLength) {
    TempDir dir;
    const std::string out = dir.path() + "/clip.mp4";
    const ProcessResult run =
        exportVideo("--from 0 --to 1 --size 160x96 --fps 10 --out " + shellQuote(out));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\rframe 10 of 10 (100%)"), std::string::npos);
    EXPECT_NE(run.out.find("Wrote " + out + ": 1.00 s"), std::string::npos) << run.out;

    const auto streams = probeStreams(out);
    ASSERT_EQ(streams.size(), 2u);
    const auto video = std::find_if(streams.begin(), streams.end(),
                                    [](const auto& s) { return s.at("codec_type") == "video"; });
    const auto audio = std::find_if(streams.begin(), streams.end(),
                                    [](const auto& s) { return s.at("codec_type") == "audio"; });
    ASSERT_NE(video, streams.end());
    ASSERT_NE(audio, streams.end());
    EXPECT_EQ(video->at("codec_name"), "h264");
    EXPECT_EQ(video->at("width"), "160");
    EXPECT_EQ(video->at("height"), "96");
    EXPECT_EQ(video->at("pix_fmt"), "yuv420p");
    EXPECT_EQ(video->at("nb_read_frames"), "10");
    EXPECT_EQ(audio->at("codec_name"), "aac");
    EXPECT_NEAR(std::atof(audio->at("duration").c_str()), 1.0, 0.05);
    // The music plays from the start.
    EXPECT_GT(rmsOfFrames(decodeStereo(out), 0, 44100), 100.0);

    // The last frame is the picture that the capture tool takes after as many steps: upright,
    // in its colours, at its moment.
    const std::string still = dir.path() + "/still.png";
    const ProcessResult capture =
        runProcess(std::string(MURKMOOR_CAPTURE) + " --size 160x96 --fps 10 --time 0.9 --out " +
                       shellQuote(still),
                   "");
    ASSERT_EQ(capture.exitCode, 0) << capture.err;
    const std::vector<uint8_t> frame = decodeRgbFrame(out, 9);
    const std::vector<uint8_t> expected = decodeRgbFrame(still, 0);
    ASSERT_EQ(frame.size(), 160u * 96 * 3);
    ASSERT_EQ(expected.size(), frame.size());
    double difference = 0.0;
    for (size_t i = 0; i < frame.size(); ++i) difference += std::abs(frame[i] - expected[i]);
    // At this size the encoding alone differs by about 5 levels a byte; a neighbouring moment by
    // 11, a picture upside down by about 60.
    EXPECT_LT(difference / static_cast<double>(frame.size()), 8.0);
}

// The mix minus the music alone leaves the effects: nothing before the gate's step, the gate
// right after it.
TEST(VideoExport, TheGateIsHeardFromTheStepThatReachesItsKeyPoint) {
    TempDir dir;
    const std::string out = dir.path() + "/gate.mp4";
    const double from = 2.0;
    const double fps = 5.0;
    const ProcessResult run = exportVideo("--from 2 --to 3.6 --size 160x96 --fps 5 --out " + out);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const double gate = traceFlight(fps).sounds.at(0).time;
    ASSERT_GT(gate, from + 0.5);
    ASSERT_LT(gate, 3.6 - 0.5);
    const std::vector<int16_t> mix = decodeStereo(out);
    const std::vector<int16_t> music = decodeStereo(
        kMusicFile, "atrim=start_sample=" + std::to_string(static_cast<long>(from * 44100)) +
                        ",asetpts=PTS-STARTPTS");
    ASSERT_GE(mix.size(), 2u * 44100 * 3 / 2);
    std::vector<int16_t> effects(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) effects[i] = static_cast<int16_t>(mix[i] - music[i]);

    const long onset = static_cast<long>((gate - from) * 44100);
    const long window = 2205;  // 50 ms
    double before = 0.0;
    for (long at = 0; at + window <= onset; at += window) {
        before = std::max(before, rmsOfFrames(effects, at, at + window));
    }
    double after = 0.0;
    for (long at = onset; at < onset + 10 * window; at += window) {
        after = std::max(after, rmsOfFrames(effects, at, at + window));
    }
    EXPECT_GT(after, 4.0 * before) << "before " << before << " after " << after;
    EXPECT_GT(after, 300.0);
}

TEST(VideoExport, BadArgumentsFailAtOnceWithTheUsage) {
    const ProcessResult odd = exportVideo("--size 161x96");
    EXPECT_EQ(odd.exitCode, 2);
    EXPECT_NE(odd.err.find("even"), std::string::npos);
    EXPECT_NE(odd.err.find("usage: murkmoor-video"), std::string::npos);
    const ProcessResult backwards = exportVideo("--from 5 --to 4");
    EXPECT_EQ(backwards.exitCode, 2);
    EXPECT_NE(backwards.err.find("--to"), std::string::npos);
}

TEST(VideoExport, AnUnwritableOutputFailsBeforeRendering) {
    const ProcessResult run = exportVideo("--to 1 --size 160x96 --out /nonexistent-dir/clip.mp4");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot write /nonexistent-dir/clip.mp4"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("frame"), std::string::npos);
}

TEST(VideoExport, AMissingFfmpegIsNamed) {
    TempDir dir;
    const std::string out = dir.path() + "/clip.mp4";
    const ProcessResult run =
        exportVideo("--to 1 --size 160x96 --out " + out, "PATH=" + dir.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot run ffmpeg"), std::string::npos) << run.err;
    EXPECT_FALSE(exists(out));
}

TEST(VideoExport, AFailingFfmpegEndsTheExportWithAnErrorAndNoFile) {
    TempDir dir;
    dir.write("bin/ffmpeg", "#!/bin/sh\necho 'encoder refuses' >&2\nexit 3\n");
    ASSERT_EQ(chmod((dir.path() + "/bin/ffmpeg").c_str(), 0755), 0);
    const std::string out = dir.path() + "/clip.mp4";
    const ProcessResult run = exportVideo("--to 0.3 --size 160x96 --fps 10 --out " + out,
                                          "PATH=" + dir.path() + "/bin:$PATH");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("encoder refuses"), std::string::npos);
    EXPECT_NE(run.err.find("murkmoor-video: ffmpeg"), std::string::npos) << run.err;
    EXPECT_FALSE(exists(out));
}

TEST(VideoExport, OutsideTheRepositoryRootItSaysWhatIsMissing) {
    TempDir dir;
    const ProcessResult run = runProcess(
        "cd " + shellQuote(dir.path()) + " && " + MURKMOOR_VIDEO + " --to 1 --out clip.mp4", "");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("missing res/"), std::string::npos) << run.err;
    EXPECT_FALSE(exists(dir.path() + "/clip.mp4"));
}
