#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VideoOptions.h"

namespace {
bool parse(std::vector<const char*> words, VideoOptions& options, std::string& error) {
    words.insert(words.begin(), "murkmoor-video");
    return parseVideoOptions(static_cast<int>(words.size()), words.data(), options, error);
}

std::string rejection(std::vector<const char*> words) {
    VideoOptions options;
    std::string error;
    EXPECT_FALSE(parse(words, options, error)) << words.size();
    return error;
}
}  // namespace

TEST(VideoOptions, WithoutArgumentsTheWholeFlightAt720pThirtyFramesIntoMurkmoorMp4) {
    VideoOptions options;
    std::string error;
    ASSERT_TRUE(parse({}, options, error));
    ASSERT_TRUE(resolveVideoRange(options, 123.4, error));
    EXPECT_EQ(options.from, 0.0);
    EXPECT_EQ(options.to, 123.4);
    EXPECT_EQ(options.width, 1280);
    EXPECT_EQ(options.height, 720);
    EXPECT_EQ(options.fps, 30.0);
    EXPECT_EQ(options.out, "murkmoor.mp4");
    EXPECT_EQ(stepsBefore(options), 0);
    EXPECT_EQ(frameCount(options), 3702);
}

TEST(VideoOptions, EveryOptionIsReadAndAGivenEndStays) {
    VideoOptions options;
    std::string error;
    ASSERT_TRUE(parse(
        {"--from", "40", "--to", "60.5", "--size", "640x360", "--fps", "24", "--out", "clip.mp4"},
        options, error))
        << error;
    ASSERT_TRUE(resolveVideoRange(options, 200.0, error));
    EXPECT_EQ(options.to, 60.5);
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 360);
    EXPECT_EQ(options.out, "clip.mp4");
    EXPECT_EQ(stepsBefore(options), 960);
    EXPECT_EQ(frameCount(options), 492);
}

TEST(VideoOptions, NeighbouringRangesShareNoFrameAndLeaveNoGap) {
    VideoOptions first;
    VideoOptions second;
    std::string error;
    ASSERT_TRUE(parse({"--from", "1.01", "--to", "2.02", "--fps", "30"}, first, error));
    ASSERT_TRUE(parse({"--from", "2.02", "--to", "3", "--fps", "30"}, second, error));
    EXPECT_EQ(stepsBefore(first) + frameCount(first), stepsBefore(second));
}

TEST(VideoOptions, ADayAtTheHighestRateIsTheLargestRangeAndCountsEveryFrame) {
    VideoOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--from", "0", "--to", "86400", "--fps", "240"}, options, error)) << error;
    ASSERT_TRUE(resolveVideoRange(options, 139.9, error));
    EXPECT_EQ(frameCount(options), 86400L * 240);
}

TEST(VideoOptions, MalformedAndAbsurdValuesAreRejectedWithTheirOption) {
    struct Case {
        std::vector<const char*> words;
        const char* named;
    };
    const Case cases[] = {
        {{"--from", "-1"}, "--from"},
        {{"--from", "abc"}, "--from"},
        // Times beyond a day, and rates beyond the largest, would give frame counts that no long
        // holds.
        {{"--from", "1e300", "--to", "2e300"}, "--from"},
        {{"--from", "86400.5"}, "--from"},
        {{"--to", "1e300"}, "--to"},
        {{"--to", "9.3e18"}, "--to"},
        {{"--to", "0"}, "--to"},
        {{"--to", "5s"}, "--to"},
        {{"--fps", "0"}, "--fps"},
        {{"--fps", "nan"}, "--fps"},
        {{"--fps", "1e300"}, "--fps"},
        {{"--fps", "-1e300"}, "--fps"},
        {{"--size", "640"}, "--size"},
        {{"--size", "640x360x2"}, "--size"},
        {{"--size", "0x360"}, "--size"},
        // Sides beyond an int are refused, not wrapped round: 2^32 + 64 would read as 64.
        {{"--size", "4294967360x64"}, "--size"},
        {{"--size", "64x-64"}, "--size"},
        {{"--size", " 64x64"}, "--size"},
        {{"--size", "641x360"}, "even"},
        {{"--out", ""}, "--out"},
        {{"--speed", "2"}, "unknown option --speed"},
        {{"--fps"}, "missing value after --fps"},
    };
    for (const Case& c : cases) {
        const std::string error = rejection(c.words);
        EXPECT_NE(error.find(c.named), std::string::npos) << c.words[0] << " " << c.words.back();
    }
}

TEST(VideoOptions, TheEndMustComeAfterTheStart) {
    EXPECT_NE(rejection({"--from", "10", "--to", "10"}).find("--to"), std::string::npos);
    EXPECT_NE(rejection({"--to", "5", "--from", "6"}).find("--to"), std::string::npos);
}

TEST(VideoOptions, ARangeWithoutAFrameIsRefused) {
    VideoOptions options;
    std::string error;
    // Past the flight's end without --to.
    ASSERT_TRUE(parse({"--from", "150"}, options, error));
    EXPECT_FALSE(resolveVideoRange(options, 100.0, error));
    EXPECT_NE(error.find("past the end of the flight (100.0 s)"), std::string::npos) << error;
    // Shorter than a frame.
    VideoOptions brief;
    ASSERT_TRUE(parse({"--from", "1", "--to", "1.01", "--fps", "10"}, brief, error));
    EXPECT_FALSE(resolveVideoRange(brief, 100.0, error));
    EXPECT_NE(error.find("no frame"), std::string::npos) << error;
}
