#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "KeyPoint.h"
#include "ProcessRun.h"
#include "TestFiles.h"

using testing::HasSubstr;
using testing::Not;

// A recorded path that flies 9 m straight through the facade, turns its view a right angle and
// slides 2 m along the hall: the report gives its figures, the stretch through the wall and a
// closing warning; the scene's own path, which clears the house, gets none.
TEST(PathReport, GivesTheFiguresOfARecordedPathAndWarnsWhereItGoesThroughTheHouse) {
    TempDir dir;
    const std::string file =
        dir.write("through-the-wall.txt", keyPointLine({4, 0, 6}, {4, 0, 5}) + "\n" +
                                              keyPointLine({4, 0, -3}, {5, 0, -3}) +
                                              keyPointLine({2, 0, -3}, {2, 0, -4}));
    const ProcessResult recorded = runProcess(std::string(MURKMOOR_PATH_TOOL) + " " + file, "");
    ASSERT_EQ(recorded.exitCode, 0) << recorded.err;
    for (const char* line :
         {"3 key points, 11.00 m: 12.2 s at 0.9 m/s\n",
          "shortest segment: 2.000 m, key points 1 to 2\n",
          "longest segment: 9.000 m, key points 0 to 1\n",
          "sharpest turn of view: 90.0 degrees, key points 0 to 1\n", "closest approach: 0.0",
          "warning: within 0.3 m of \"", "\" between key points 0 and 1, at ",
          "the near plane cuts what is ahead open\n"})
        EXPECT_THAT(recorded.out, HasSubstr(line));

    const ProcessResult scene = runProcess(MURKMOOR_PATH_TOOL, "");
    ASSERT_EQ(scene.exitCode, 0) << scene.err;
    EXPECT_THAT(scene.out, HasSubstr("the scene's path: 91 key points"));
    EXPECT_THAT(scene.out, Not(HasSubstr("warning")));
}
