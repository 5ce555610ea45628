#include <gtest/gtest.h>

#include <string>

#include "PassProfiler.h"
#include "ProcessRun.h"
#include "TestFiles.h"

// The shortest run (one spot of the flight at the smallest size, no warm-up) writes a JSON report
// whose configuration with every effect on times each pass of the renderer's frame, as does its
// table.
TEST(Bench, AShortRunReportsEveryPassOfTheFrame) {
    TempDir dir;
    const std::string json = dir.path() + "/bench.json";
    const ProcessResult run = runProcess(
        std::string(MURKMOOR_BENCH) + " --size 16x16 --spots 1 --warmup 0 --json " + json, "");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string report = readFile(json);
    EXPECT_NE(report.find("{\"width\": 16, \"height\": 16"), std::string::npos) << report;
    const size_t allOn = report.find("{\"config\": \"all on\"");
    ASSERT_NE(allOn, std::string::npos) << report;
    const std::string figures = report.substr(allOn, report.find('\n', allOn) - allOn);
    for (int i = 0; i < kPassCount; ++i) {
        // Eye adaptation runs only in the adaptive tone-map mode, which the bench leaves off.
        if (static_cast<Pass>(i) == Pass::Adapt) continue;
        const std::string name = passName(static_cast<Pass>(i));
        EXPECT_NE(figures.find("\"" + name + "\": "), std::string::npos) << name << "\n" << figures;
        EXPECT_NE(run.out.find("\n" + name + " "), std::string::npos) << name << "\n" << run.out;
    }
}
