#include <gmock/gmock.h>

#include "ContactSheet.h"
#include "FramePage.h"
#include "TestFiles.h"

using ::testing::HasSubstr;

namespace {
// A run as murkmoor-bench writes it, two configurations, the second with one pass less.
// clang-format off
const char* const kBenchJson = R"json({
  "runs": [
    {"width": 480, "height": 288, "device": "llvmpipe (LLVM 15.0.6, \"256\" bits)", "glVersion": "4.5", "context": "EGL surfaceless", "method": "wall clock",
     "overlay": {"hiddenMs": 89.9, "shownMs": 91.6, "drawMs": 0.263361, "samples": 4},
     "configs": [
       {"config": "all on", "passesMs": {"shadow": 110.049, "g-buffer": 169.973, "tone map / bright pass": 30.9825}, "updateCpuMs": 1.2, "renderCpuMs": 21.6, "frameMs": 1231.54, "fps": 0.81},
       {"config": "-shadows", "passesMs": {"g-buffer": 151.7}, "updateCpuMs": 0.7, "renderCpuMs": 6.4, "frameMs": 1197.3, "fps": 0.83}
     ]}
  ]
}
)json";
// clang-format on
}  // namespace

// The page takes the "all on" figures of the first run: a pass that ran with its milliseconds, one
// that did not as such, the frame, the passes' sum, the overlay's draw and where the figures come
// from; without the overlay's figures, it says so.
TEST(FramePage, PlaceholdersTakeTheAllOnFiguresAndUnknownOnesAreRefused) {
    BenchFigures figures;
    std::string error;
    ASSERT_TRUE(readBenchFigures(kBenchJson, figures, error)) << error;
    std::string page;
    ASSERT_TRUE(
        fillFramePage("{{ms shadow}}, {{ms tone map / bright pass}}, {{ms tone adaption}}, "
                      "{{frame ms}}, {{passes ms}}, {{overlay ms}}; {{bench}}; {{moment}}.",
                      figures, {{"moment", "39 s"}}, page, error))
        << error;
    EXPECT_EQ(page,
              "110.0 ms, 31.0 ms, not run, 1231.5 ms, 311.0 ms, 0.3 ms; 480 x 288 on llvmpipe "
              "(LLVM 15.0.6, "
              "\"256\" bits), every effect on, passes timed by wall clock; 39 s.");

    std::string withoutOverlay = kBenchJson;
    withoutOverlay.erase(withoutOverlay.find("\"overlay\""),
                         withoutOverlay.find("\"configs\"") - withoutOverlay.find("\"overlay\""));
    ASSERT_TRUE(readBenchFigures(withoutOverlay, figures, error)) << error;
    ASSERT_TRUE(fillFramePage("{{overlay ms}}", figures, {}, page, error));
    EXPECT_EQ(page, "not measured");

    for (const char* bad : {"{{ms shadows}}", "{{fps}}", "{{ms shadow"}) {
        EXPECT_FALSE(fillFramePage(bad, figures, {}, page, error)) << bad;
    }
    EXPECT_THAT(error, HasSubstr("not closed"));
    EXPECT_FALSE(readBenchFigures("{\"runs\": []}", figures, error));
    EXPECT_THAT(error, HasSubstr("all on"));

    // The page of the repository fills from its figures and the tool's facts.
    ASSERT_TRUE(readBenchFigures(readSourceFile("docs/anatomy/bench.json"), figures, error))
        << error;
    EXPECT_TRUE(fillFramePage(readSourceFile("tools/anatomy/frame.md.in"), figures,
                              {{"moment", "-"}, {"picture size", "-"}}, page, error))
        << error;
}

// Pictures at half size, each pixel the mean of the four it covers, in rows; a row that is not
// full stays black.
TEST(ContactSheet, HalvesThePicturesIntoRowsAndLeavesMissingTilesBlack) {
    RgbImage checker{4, 2, {}};
    for (int i = 0; i < 8; ++i) {
        const uint8_t v = (i % 4 + i / 4) % 2 ? 200 : 100;  // alternating 100 and 200
        checker.pixels.insert(checker.pixels.end(), {v, v, v});
    }
    RgbImage red{4, 2, std::vector<uint8_t>(24, 0)};
    for (size_t i = 0; i < red.pixels.size(); i += 3) red.pixels[i] = 255;
    const RgbImage sheet = contactSheet({checker, red, checker}, 2);
    ASSERT_EQ(sheet.width, 4);
    ASSERT_EQ(sheet.height, 2);
    const std::vector<uint8_t> expected = {150, 150, 150, 150, 150, 150, 255, 0, 0, 255, 0, 0,
                                           150, 150, 150, 150, 150, 150, 0,   0, 0, 0,   0, 0};
    EXPECT_EQ(sheet.pixels, expected);
}
