#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CameraPath.h"
#include "CaptureOptions.h"
#include "VideoOptions.h"

namespace {
using Words = std::vector<const char*>;

// The video tool's parse, with the range resolved against a flight of the given length.
bool parseVideo(Words words, VideoOptions& options, std::string& error, double flight = 100.0) {
    words.insert(words.begin(), "murkmoor-video");
    return parseVideoOptions(static_cast<int>(words.size()), words.data(), options, error) &&
           resolveVideoRange(options, flight, error);
}

bool parseCapture(Words words, CaptureOptions& options, std::string& error) {
    words.insert(words.begin(), "murkmoor-capture");
    return parseCaptureOptions(static_cast<int>(words.size()), words.data(), options, error);
}

// Each row's words are refused with a message that holds the row's text.
template <typename Options, typename Parse>
void expectRefused(Parse parse, const std::vector<std::pair<Words, const char*>>& rows) {
    for (const auto& [words, named] : rows) {
        Options options;
        std::string error;
        EXPECT_FALSE(parse(words, options, error)) << words[0] << " " << words.back();
        EXPECT_NE(error.find(named), std::string::npos) << error;
    }
}
}  // namespace

// Without arguments the whole flight at 720p and 30 fps into captures/murkmoor.mp4; every option
// is read, a given end stays, and a day at the highest rate is the largest range, every frame
// counted.
TEST(VideoOptions, ValuesAndDefaultsGiveTheirFirstStepAndFrameCount) {
    const struct {
        Words words;
        double flight;
        const char* read;  // range, size, rate, file, then steps flown before and frames
    } cases[] = {
        // clang-format off
        {{}, 123.4, "0-123.4 s 1280x720 30 fps captures/murkmoor.mp4: 0 + 3702"},
        {{"--from", "40", "--to", "60.5", "--size", "640x360", "--fps", "24", "--out", "clip.mp4"},
         200.0, "40-60.5 s 640x360 24 fps clip.mp4: 960 + 492"},
        {{"--to", "86400", "--fps", "240"}, 139.9,
         "0-86400 s 1280x720 240 fps captures/murkmoor.mp4: 0 + 20736000"},
        {{"--set", "doSmoke=0", "--set", "hdrMode=2", "--warmup", "1.5", "--to", "3"}, 100.0,
         "0-3 s 1280x720 30 fps captures/murkmoor.mp4: 0 + 90 doSmoke=0 hdrMode=2 warm-up 1.5"},
        // clang-format on
    };
    for (const auto& c : cases) {
        VideoOptions o;
        std::string error;
        ASSERT_TRUE(parseVideo(c.words, o, error, c.flight)) << error;
        std::ostringstream read;
        read << o.from << "-" << o.to << " s " << o.width << "x" << o.height << " " << o.fps
             << " fps " << o.out << ": " << stepsBefore(o) << " + " << frameCount(o);
        for (const auto& [name, value] : o.switches) read << " " << name << "=" << value;
        if (o.warmup >= 0.0) read << " warm-up " << o.warmup;
        EXPECT_EQ(read.str(), c.read);
    }
    // Ranges that meet share no frame and leave no gap, even where times fall between frames.
    VideoOptions first, second;
    std::string error;
    ASSERT_TRUE(parseVideo({"--from", "1.01", "--to", "2.02", "--fps", "30"}, first, error));
    ASSERT_TRUE(parseVideo({"--from", "2.02", "--to", "3", "--fps", "30"}, second, error));
    EXPECT_EQ(stepsBefore(first) + frameCount(first), stepsBefore(second));
}

// Every number is checked before it is converted: times beyond a day and rates beyond the largest
// would give frame counts that no long holds, sides beyond an int would wrap round (2^32 + 64
// would read as 64). A range must end after it starts and hold a frame of the flight.
TEST(VideoOptions, MalformedAbsurdOrEmptyRangesAreRefusedWithTheirCause) {
    // clang-format off
    const std::vector<std::pair<Words, const char*>> rows = {
        {{"--from", "-1"}, "--from"}, {{"--from", "abc"}, "--from"},
        {{"--from", "86400.5"}, "--from"}, {{"--from", "1e300", "--to", "2e300"}, "--from"},
        {{"--to", "1e300"}, "--to"}, {{"--to", "9.3e18"}, "--to"}, {{"--to", "0"}, "--to"},
        {{"--to", "5s"}, "--to"}, {{"--fps", "0"}, "--fps"}, {{"--fps", "nan"}, "--fps"},
        {{"--fps", "1e300"}, "--fps"}, {{"--fps", "-1e300"}, "--fps"},
        {{"--size", "640"}, "--size"}, {{"--size", "0x360"}, "--size"},
        {{"--size", "640x360x2"}, "--size"}, {{"--size", "4294967360x64"}, "--size"},
        {{"--size", "64x-64"}, "--size"}, {{"--size", " 64x64"}, "--size"},
        {{"--size", "641x360"}, "even"}, {{"--out", ""}, "--out"},
        {{"--speed", "2"}, "unknown option --speed"}, {{"--fps"}, "missing value after --fps"},
        {{"--set", "bloomMode=3"}, "bloomMode takes 0 to 2"}, {{"--set", "fog=1"}, "unknown switch"},
        {{"--from", "10", "--to", "10"}, "--to"}, {{"--to", "5", "--from", "6"}, "--to"},
        {{"--from", "150"}, "past the end of the flight (100.0 s)"},
        {{"--from", "1", "--to", "1.01", "--fps", "10"}, "no frame"},
    };
    // clang-format on
    expectRefused<VideoOptions>(
        [](Words w, VideoOptions& o, std::string& e) { return parseVideo(w, o, e); }, rows);
}

// The switches in their order, the moments, the size and the largest values within their ranges
// are read, and each moment is named after itself unless one --out names its file.
TEST(CaptureOptions, SwitchesMomentsSizeAndTheLargestValuesAreRead) {
    CaptureOptions o;
    std::string error;
    ASSERT_TRUE(parseCapture(
        {"--set", "hdrMode=3", "--set", "bloomMode=0", "--set", "normal=1", "--key", "7", "--time",
         "86400", "--fps", "1000", "--size", "16384x1", "--eye", "1e6,-2.5,0", "--look", "0,0,-1"},
        o, error))
        << error;
    std::ostringstream read;
    for (const auto& [name, value] : o.switches) read << name << "=" << value << " ";
    for (const CaptureMoment& moment : o.moments) read << captureFileName(o, moment) << " ";
    read << o.fps << " fps " << o.width << "x" << o.height << " from " << o.eye.x << "," << o.eye.y
         << "," << o.eye.z << (o.placeCamera ? " placed" : "");
    EXPECT_EQ(read.str(),
              "hdrMode=3 bloomMode=0 normal=1 captures/keypoint-07.png captures/view-86400s.png "
              "1000 fps 16384x1 from 1e+06,-2.5,0 placed");

    CaptureOptions one, two;
    ASSERT_TRUE(parseCapture({"--time", "20.5", "--out", "a.png"}, one, error));
    EXPECT_EQ(captureFileName(one, one.moments.front()), "a.png");
    ASSERT_TRUE(parseCapture({"--time", "20.5", "--key", "3", "--out", "dir"}, two, error));
    EXPECT_EQ(captureFileName(two, two.moments.front()), "dir/frame-20.5s.png");
    // A view, the overlay and the path are in the default names, so that they keep the plain frame.
    const std::vector<std::pair<Words, std::string>> named = {
        {{"--time", "96", "--view", "normal"}, "captures/frame-96s-normal.png"},
        {{"--time", "96", "--overlay"}, "captures/frame-96s-overlay.png"},
        {{"--key", "20", "--view", "normal", "--overlay", "--show-path"},
         "captures/keypoint-20-normal-overlay-path.png"},
        {{"--time", "20", "--show-path"}, "captures/frame-20s-path.png"},
        {{"--time", "96", "--view", "final"}, "captures/frame-96s.png"},
        {{"--time", "96", "--view", "depth", "--out", "o.png"}, "o.png"}};
    for (const auto& [words, name] : named) {
        CaptureOptions o;
        ASSERT_TRUE(parseCapture(words, o, error)) << error;
        EXPECT_EQ(captureFileName(o, o.moments.front()), name);
    }

    // Asked for help, a tool answers with its usage whatever follows on the line.
    for (const char* help : {"--help", "-h"}) {
        CaptureOptions capture;
        VideoOptions video;
        EXPECT_TRUE(parseCapture({"--size", "9x9", help, "--bogus"}, capture, error));
        EXPECT_TRUE(capture.help) << help;
        const Words words = {"murkmoor-video", "--fps", "24", help, "--from"};
        EXPECT_TRUE(parseVideoOptions(static_cast<int>(words.size()), words.data(), video, error));
        EXPECT_TRUE(video.help) << help;
    }
}

// Every value is checked before it is used: out of range it would overflow an int, a long frame
// count or a float, or ask the driver for a framebuffer it cannot make.
TEST(CaptureOptions, MalformedAndAbsurdValuesAreRefusedWithTheirOption) {
    // clang-format off
    const std::vector<std::pair<Words, const char*>> rows = {
        {{"--size", "0x192"}, "--size"}, {{"--size", "320x0"}, "--size"},
        {{"--size", "16385x16"}, "--size"}, {{"--size", "320"}, "--size"},
        {{"--time", "86401"}, "--time"}, {{"--time", "-1"}, "--time"}, {{"--fps", "0"}, "--fps"},
        {{"--fps", "1e300"}, "--fps"}, {{"--warmup", "1e300"}, "--warmup"},
        {{"--set", "hdrMode=-2147483648"}, "hdrMode takes 0 to 3"},
        {{"--set", "hdrMode=4"}, "hdrMode takes 0 to 3"},
        {{"--set", "bloomMode=3"}, "bloomMode takes 0 to 2"},
        {{"--set", "doFog=1e10"}, "doFog takes 0 to 1"},
        {{"--set", "doShadows=0.5"}, "doShadows takes 0 to 1"},
        {{"--set", "doSmoke"}, "doSmoke takes 0 to 1"}, {{"--set", "fog=1"}, "unknown switch fog"},
        {{"--eye", "1e39,0,0", "--look", "0,0,0"}, "--eye"},
        {{"--eye", "0,0,0", "--look", "0,nan,0"}, "--look"},
        {{"--eye", "0,0", "--look", "0,0,0"}, "--eye"},
        {{"--eye", "0,0,0,0", "--look", "0,0,0"}, "--eye"},
        {{"--eye", "0,0,0"}, "--eye and --look go together"},
        {{"--speed", "2"}, "unknown option --speed"}, {{"--out"}, "missing value after --out"},
        {{"--out", ""}, "--out"},
    };
    // clang-format on
    expectRefused<CaptureOptions>(parseCapture, rows);
}

// --view takes a view's name, --overlay stands alone; an unknown view is refused with its option.
TEST(CaptureOptions, ViewAndOverlayAreReadAndAnUnknownViewIsRefused) {
    CaptureOptions o;
    std::string error;
    ASSERT_TRUE(parseCapture({"--overlay", "--view", "smoke-density"}, o, error)) << error;
    EXPECT_EQ(o.view, TargetView::SmokeDensity);
    EXPECT_TRUE(o.overlay);
    expectRefused<CaptureOptions>(parseCapture, {{{"--view", "normals"}, "bad value for --view"},
                                                 {{"--view"}, "missing value after --view"}});
}

// --events captures the twelve key points that fire an event and the last, once each even when
// --key names one of them too, and every moment goes into the order of the flight; a key point
// the path lacks is refused.
TEST(CaptureOptions, EventsAndKeysBecomeMomentsInTheFlightsOrder) {
    CaptureOptions o;
    std::string error;
    ASSERT_TRUE(parseCapture({"--time", "200", "--key", "20", "--events", "--key", "3"}, o, error));
    ASSERT_TRUE(resolveMoments(o, CameraPath::builtInKeyPoints(), error)) << error;
    std::ostringstream read;
    for (const CaptureMoment& moment : o.moments) read << moment.keyPoint << " ";
    EXPECT_EQ(read.str(), "1 3 13 18 20 31 60 69 79 83 84 86 87 90 -1 ");
    for (size_t i = 1; i < o.moments.size(); ++i) {
        EXPECT_LT(o.moments[i - 1].time, o.moments[i].time) << i;
    }
    EXPECT_EQ(o.moments.back().time, 200.0);

    CaptureOptions beyond;
    ASSERT_TRUE(parseCapture({"--key", "91"}, beyond, error));
    EXPECT_FALSE(resolveMoments(beyond, CameraPath::builtInKeyPoints(), error));
    EXPECT_NE(error.find("no key point 91"), std::string::npos) << error;
}
