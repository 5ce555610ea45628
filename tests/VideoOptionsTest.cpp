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

TEST(VideoOptions, MalformedValuesAreRejectedWithTheirOption) {
    EXPECT_NE(rejection({"--from", "-1"}).find("--from"), std::string::npos);
    EXPECT_NE(rejection({"--from", "abc"}).find("--from"), std::string::npos);
    EXPECT_NE(rejection({"--to", "0"}).find("--to"), std::string::npos);
    EXPECT_NE(rejection({"--to", "5s"}).find("--to"), std::string::npos);
    EXPECT_NE(rejection({"--fps", "0"}).find("--fps"), std::string::npos);
    EXPECT_NE(rejection({"--fps", "nan"}).find("--fps"), std::string::npos);
    EXPECT_NE(rejection({"--size", "640"}).find("--size"), std::string::npos);
    EXPECT_NE(rejection({"--size", "640x360x2"}).find("--size"), std::string::npos);
    EXPECT_NE(rejection({"--size", "0x360"}).find("--size"), std::string::npos);
    // Sides beyond an int are refused, not wrapped round: 2^32 + 64 would read as 64.
    EXPECT_NE(rejection({"--size", "4294967360x64"}).find("--size"), std::string::npos);
    EXPECT_NE(rejection({"--size", "64x-64"}).find("--size"), std::string::npos);
    EXPECT_NE(rejection({"--size", " 64x64"}).find("--size"), std::string::npos);
    EXPECT_NE(rejection({"--size", "641x360"}).find("even"), std::string::npos);
    EXPECT_NE(rejection({"--out", ""}).find("--out"), std::string::npos);
    EXPECT_NE(rejection({"--speed", "2"}).find("unknown option --speed"), std::string::npos);
    EXPECT_NE(rejection({"--fps"}).find("missing value after --fps"), std::string::npos);
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
