#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaptureOptions.h"

namespace {
bool parse(std::vector<const char*> words, CaptureOptions& options, std::string& error) {
    words.insert(words.begin(), "murkmoor-capture");
    return parseCaptureOptions(static_cast<int>(words.size()), words.data(), options, error);
}
}  // namespace

TEST(CaptureOptions, SwitchesAndTheLargestTimesWithinTheirRangesAreRead) {
    CaptureOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--set", "hdrMode=3", "--set", "bloomMode=0", "--set", "normal=1", "--time",
                       "86400", "--fps", "1000", "--eye", "1e6,-2.5,0", "--look", "0,0,-1"},
                      options, error))
        << error;
    using Switches = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(options.switches, (Switches{{"hdrMode", 3}, {"bloomMode", 0}, {"normal", 1}}));
    EXPECT_EQ(options.time, 86400.0);
    EXPECT_EQ(options.fps, 1000.0);
    EXPECT_EQ(options.eye, glm::vec3(1e6f, -2.5f, 0.0f));
}

// Every number is checked before it is converted: out of range it would overflow an int, a long
// frame count or a float.
TEST(CaptureOptions, MalformedAndAbsurdValuesAreRejectedWithTheirOption) {
    struct Case {
        std::vector<const char*> words;
        const char* named;
    };
    const Case cases[] = {
        {{"--time", "1e300"}, "--time"},
        {{"--time", "86401"}, "--time"},
        {{"--time", "-1"}, "--time"},
        {{"--fps", "0"}, "--fps"},
        {{"--fps", "1e300"}, "--fps"},
        {{"--warmup", "1e300"}, "--warmup"},
        {{"--set", "hdrMode=-2147483648"}, "hdrMode takes 0 to 3"},
        {{"--set", "hdrMode=4"}, "hdrMode takes 0 to 3"},
        {{"--set", "bloomMode=3"}, "bloomMode takes 0 to 2"},
        {{"--set", "doFog=1e10"}, "doFog takes 0 to 1"},
        {{"--set", "doRain=2"}, "doRain takes 0 to 1"},
        {{"--set", "specular=-1"}, "specular takes 0 to 1"},
        {{"--set", "doShadows=0.5"}, "doShadows takes 0 to 1"},
        {{"--set", "doSmoke"}, "doSmoke takes 0 to 1"},
        {{"--set", "fog=1"}, "unknown switch fog"},
        {{"--eye", "1e39,0,0", "--look", "0,0,0"}, "--eye"},
        {{"--eye", "0,0,0", "--look", "0,nan,0"}, "--look"},
        {{"--eye", "0,0", "--look", "0,0,0"}, "--eye"},
        {{"--eye", "0,0,0,0", "--look", "0,0,0"}, "--eye"},
    };
    for (const Case& c : cases) {
        CaptureOptions options;
        std::string error;
        EXPECT_FALSE(parse(c.words, options, error)) << c.words[0] << " " << c.words[1];
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }
}
