#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "FlashCounter.h"
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

// The second thunder's strike, exported and measured by the general flash threshold: one flash,
// within the limit of two with margin; with the soft flash switch no flash at all, yet light.
// 15 frames a second resolve any flicker up to 7.5 Hz, twice the rate at which flashes start to
// count, and show main's three strokes as two flashes; the softened light is one smooth swell of
// 0.8 s, whose depth 5 frames a second catch. Without the bloom: at this size it makes
// quarter-field swings of a tenth of its own from the glints of thin highlights, lightning or not.
TEST(VideoExport, TheLightningFlashesOncePerStrikeAndSoftenedNotAtAll) {
    constexpr int kWidth = 320, kHeight = 192;
    constexpr size_t kFrameBytes = 3 * kWidth * kHeight;
    TempDir dir;
    // From the step before the first light to the strike's end: 12 frames at 15 a second.
    const auto measure = [&](int softFlash, int fps) {
        const std::string out = dir.path() + "/strike.mp4";
        const ProcessResult run = runProcess(
            std::string(MURKMOOR_VIDEO) + " --from 132.05 --to 132.85 --size 320x192 --fps " +
                std::to_string(fps) +
                " --set softFlash=" + std::to_string(softFlash) + " --out " + out,
            "");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const std::string frames = decodeFrames(out);
        EXPECT_EQ(frames.size(), static_cast<size_t>(0.8 * fps) * kFrameBytes);
        FlashCounter counter(kWidth, kHeight, fps);
        double darkest = 255.0, brightest = 0.0;  // frame means of their bytes
        for (size_t at = 0; at + kFrameBytes <= frames.size(); at += kFrameBytes) {
            const auto* rgb = reinterpret_cast<const uint8_t*>(frames.data() + at);
            counter.add(rgb);
            double sum = 0.0;
            for (size_t i = 0; i < kFrameBytes; ++i) sum += rgb[i];
            darkest = std::min(darkest, sum / kFrameBytes);
            brightest = std::max(brightest, sum / kFrameBytes);
        }
        return std::make_pair(counter, brightest - darkest);
    };
    const auto [full, fullRise] = measure(0, 15);
    EXPECT_EQ(full.worstSecond(), 1) << "0: the lightning is gone";
    const auto [soft, softRise] = measure(1, 5);
    EXPECT_EQ(soft.worstSecond(), 0);
    EXPECT_LT(soft.largestSwing(), FlashCounter::kChange);
    EXPECT_GT(softRise, 0.2 * fullRise) << "the softened lightning shows no light";
}
