#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "FlightTimeline.h"
#include "ProcessRun.h"
#include "SceneSounds.h"
#include "TestFiles.h"
#include "VideoTestSupport.h"

// A short range around the gate becomes an H.264 and AAC MP4 of its size, frames and length, and
// the mix minus the music leaves nothing before the step that reaches the gate's key point and
// the gate right after it; the clip's sound fades out at its end.
TEST(VideoExport, ARangeBecomesAnMp4WithItsFramesAndTheGateOnItsStep) {
    constexpr double kFps = 1.0, kFrom = 2.0, kTo = 5.0;  // the soundtrack's fade after the gate
    const double gate = traceFlight(kFps).sounds.at(0).time;
    ASSERT_GT(gate, kFrom + 0.5);
    ASSERT_LT(gate, kTo - 0.5);
    TempDir dir;
    const std::string out = dir.path() + "/clip.mp4";
    const ProcessResult run = runProcess(
        std::string(MURKMOOR_VIDEO) + " --from 2 --to 5 --size 64x48 --fps 1 --out " + out, "");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\rframe 3 of 3 (100%)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Wrote " + out + ": 3.00 s"), std::string::npos) << run.out;

    EXPECT_EQ(probe(out, "", "codec_type"), "video\naudio");
    EXPECT_EQ(probe(out, "v", "codec_name,width,height,pix_fmt,nb_read_frames"),
              "h264,64,48,yuv420p,3");
    const std::string audio = probe(out, "a", "codec_name,duration");
    EXPECT_EQ(audio.substr(0, 4), "aac,");
    EXPECT_NEAR(std::atof(audio.c_str() + 4), kTo - kFrom, 0.05) << audio;
    // The last frame is the picture the capture tool takes at its moment: upright, in its colours.
    const std::string still = dir.path() + "/still.png";
    ASSERT_EQ(
        runProcess(std::string(MURKMOOR_CAPTURE) + " --size 64x48 --fps 1 --time 4 --out " + still,
                   "")
            .exitCode,
        0);
    const double difference = frameDifference(out, 2, still);
    EXPECT_GE(difference, 0.0);
    EXPECT_LT(difference, 8.0);  // the encoding alone: 4; a second earlier: 20

    const std::vector<int16_t> mix = decodeStereo(out);
    const std::vector<int16_t> music = decodeStereo(
        kMusicFile, "atrim=start_sample=" + std::to_string(static_cast<long>(kFrom * 44100)) +
                        ",asetpts=PTS-STARTPTS");
    ASSERT_TRUE(mix.size() >= 2u * 44100 * 3 / 2 && music.size() >= mix.size()) << mix.size();
    std::vector<int16_t> effects(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) effects[i] = static_cast<int16_t>(mix[i] - music[i]);
    const long onset = static_cast<long>((gate - kFrom) * 44100), window = 2205;  // 50 ms
    double before = 0.0, after = 0.0;
    for (long at = 0; at + window <= onset; at += window)
        before = std::max(before, rmsOfFrames(effects, at, at + window));
    for (long at = onset; at < onset + 10 * window; at += window)
        after = std::max(after, rmsOfFrames(effects, at, at + window));
    EXPECT_GT(after, 4.0 * before) << "before " << before << " after " << after;
    EXPECT_GT(after, 300.0);
    // The clip ends in the middle of the gate, faded out: its last 20 ms all but silent.
    const long frames = static_cast<long>(mix.size() / 2);
    EXPECT_LT(rmsOfFrames(mix, frames - 882, frames), 0.05 * after);
}
