// The frame study's parts that need no GL: the frame statistics, the views' names, the
// screenshot's file name.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <set>

#include "FrameStats.h"
#include "Screenshot.h"
#include "TargetView.h"

// A frame belongs to the last second when it ended in it, the newest always; the graph holds the
// frames of the last five seconds, oldest first.
TEST(FrameStats, TheLastSecondHoldsTheFramesThatEndedInItAndTheGraphTheLastFiveSeconds) {
    FrameStats stats;
    EXPECT_EQ(stats.lastSecond().frames, 0);
    EXPECT_TRUE(stats.graphMs().empty());
    stats.add(3.0);  // a stall: alone, it is the whole last second
    EXPECT_EQ(stats.lastSecond().frames, 1);
    EXPECT_NEAR(stats.lastSecond().fps, 1.0 / 3.0, 1e-9);

    for (int i = 0; i < 100; ++i) stats.add(0.010);
    for (int i = 0; i < 20; ++i) stats.add(0.030);
    stats.add(0.260);
    for (int i = 0; i < 10; ++i) stats.add(0.030);
    // Newest first: ten frames end within 0.27 s, the long one at 0.30 s, fifteen more of the
    // twenty by 0.98 s; the sixteenth ended 1.01 s ago.
    const FrameStats::Summary second = stats.lastSecond();
    EXPECT_EQ(second.frames, 26);
    EXPECT_NEAR(second.fps, 26 / 1.01, 1e-6);
    EXPECT_NEAR(second.meanMs, 1010.0 / 26, 1e-6);
    EXPECT_NEAR(second.shortestMs, 30.0, 1e-9);
    EXPECT_NEAR(second.longestMs, 260.0, 1e-9);
    std::vector<float> graph = stats.graphMs();
    ASSERT_EQ(graph.size(), 132u);  // the stall too: it ended 2.16 s ago
    EXPECT_FLOAT_EQ(graph.front(), 3000.0f);
    EXPECT_FLOAT_EQ(graph.back(), 30.0f);

    for (int i = 0; i < 300; ++i) stats.add(0.030);
    graph = stats.graphMs();
    EXPECT_EQ(graph.size(), 167u);  // the newest, and those ending up to 4.98 s before it
    stats.add(-1.0);                // taken as no time at all
    EXPECT_FLOAT_EQ(stats.graphMs().back(), 0.0f);
}

// V steps through every view and round, shift+V back; each view has a name of its own that
// --view reads back, and a title of its own.
TEST(TargetView, StepsWrapRoundAndEveryNameReadsBackAsItsView) {
    EXPECT_EQ(stepView(TargetView::Final, 1), TargetView::Albedo);
    EXPECT_EQ(stepView(TargetView::Final, -1), TargetView::SmokeDensity);
    EXPECT_EQ(stepView(TargetView::SmokeDensity, 1), TargetView::Final);
    EXPECT_EQ(stepView(TargetView::Normal, kTargetViewCount), TargetView::Normal);
    EXPECT_EQ(stepView(TargetView::Normal, -2 * kTargetViewCount - 1), TargetView::Specular);
    std::set<std::string> names;
    std::set<std::string> titles;
    for (int i = 0; i < kTargetViewCount; ++i) {
        const TargetView view = static_cast<TargetView>(i);
        TargetView read = TargetView::Count;
        EXPECT_TRUE(viewByName(viewName(view), read) && read == view) << viewName(view);
        names.insert(viewName(view));
        titles.insert(viewTitle(view));
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kTargetViewCount));
    EXPECT_EQ(titles.size(), static_cast<size_t>(kTargetViewCount));
    TargetView unchanged = TargetView::Depth;
    EXPECT_FALSE(viewByName("normals", unchanged));
    EXPECT_FALSE(viewByName("", unchanged));
    EXPECT_EQ(unchanged, TargetView::Depth);
}

// Local date and time to the millisecond, so that two screenshots a second apart do not collide.
TEST(Screenshot, IsNamedForItsMomentToTheMillisecond) {
    const char* zone = std::getenv("TZ");
    const std::string previous = zone ? zone : "";
    setenv("TZ", "UTC", 1);
    tzset();
    const auto moment = std::chrono::system_clock::time_point(
        std::chrono::milliseconds(1700000000123LL));  // 2023-11-14 22:13:20.123 UTC
    EXPECT_EQ(screenshotFileName(moment), "murkmoor-2023-11-14_22-13-20-123.png");
    EXPECT_EQ(screenshotFileName(moment + std::chrono::milliseconds(877)),
              "murkmoor-2023-11-14_22-13-21-000.png");
    zone ? setenv("TZ", previous.c_str(), 1) : unsetenv("TZ");
    tzset();
}
