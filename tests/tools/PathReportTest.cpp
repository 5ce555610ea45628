#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "KeyPoint.h"
#include "ProcessRun.h"
#include "TestFiles.h"

using testing::HasSubstr;
using testing::Not;

namespace {
// A key point at `eye` whose view is turned `degrees` from -Z towards +X.
std::string turnedKeyPoint(glm::vec3 eye, float degrees) {
    const float turn = glm::radians(degrees);
    return keyPointLine(eye, eye + glm::vec3(std::sin(turn), 0, -std::cos(turn)));
}
}  // namespace

// A recorded path that flies 9 m straight through the facade, turns its view a right angle and
// slides 2 m along the hall (40 degrees a second), has C pressed twice at one spot after turning
// 153 degrees, then turns 45 degrees more over 0.5 m (81 degrees a second): the report gives its
// figures, a warning for the spot pressed twice, one for each turn too fast to follow, the stretch
// through the wall and a closing warning; the scene's own path, which clears the house and turns
// slowly, gets none.
TEST(PathReport, GivesTheFiguresOfARecordedPathAndWarnsWhereItCannotBeFollowed) {
    TempDir dir;
    const std::string file =
        dir.write("through-the-wall.txt",
                  keyPointLine({4, 0, 6}, {4, 0, 5}) + "\n" + keyPointLine({4, 0, -3}, {5, 0, -3}) +
                      keyPointLine({2, 0, -3}, {2, 0, -4}) + turnedKeyPoint({2, 0, -3}, 153) +
                      turnedKeyPoint({2, 0, -2.5f}, 198));
    const ProcessResult recorded = runProcess(std::string(MURKMOOR_PATH_TOOL) + " " + file, "");
    ASSERT_EQ(recorded.exitCode, 0) << recorded.err;
    for (const char* line :
         {"5 key points, 11.50 m: 12.8 s at 0.9 m/s\n",
          "shortest segment: 0.000 m, key points 2 to 3\n",
          "longest segment: 9.000 m, key points 0 to 1\n",
          "sharpest turn of view: 153.0 degrees, key points 2 to 3\n",
          "warning: key points 2 and 3 are 0.000 m apart, under 0.05 m (C pressed twice at one "
          "spot?): the camera passes from one to the other within a frame or two\n",
          "warning: the view turns 153.0 degrees from key point 2 to 3 in 0.00 s, faster than 60 "
          "degrees a second can be followed\n",
          "warning: the view turns 45.0 degrees from key point 3 to 4 in 0.56 s, faster than 60 "
          "degrees a second can be followed\n",
          "closest approach: 0.0", "warning: within 0.3 m of \"",
          "\" between key points 0 and 1, at ", "the near plane cuts what is ahead open\n"})
        EXPECT_THAT(recorded.out, HasSubstr(line));
    EXPECT_THAT(recorded.out, Not(HasSubstr("key point 1 to 2 in")));
    EXPECT_THAT(recorded.out, Not(HasSubstr("key points 3 and 4 are")));

    const ProcessResult scene = runProcess(MURKMOOR_PATH_TOOL, "");
    ASSERT_EQ(scene.exitCode, 0) << scene.err;
    EXPECT_THAT(scene.out, HasSubstr("the scene's path: 91 key points"));
    EXPECT_THAT(scene.out, Not(HasSubstr("warning")));
}

// make preview's first step: an empty recording (a restart kept the last one aside) names the
// newest kept one by its number, not its name's order, and fails; a recording goes on to the tools.
TEST(PreviewRecording, AnEmptyRecordingNamesTheNewestKeptOneAndHowToPreviewIt) {
    const TempDir dir;
    const std::string file = dir.write("filename.txt", "");
    dir.write("filename-2.txt", "a");
    dir.write("filename-10.txt", "a");
    dir.write("filename-x.txt", "a");
    const std::string script =
        std::string("bash ") + MURKMOOR_SOURCE_DIR + "/scripts/preview-recording.sh ";
    const ProcessResult empty =
        runProcess("cd '" + dir.path() + "' && " + script + "filename.txt", "");
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err,
              "filename.txt holds no key points; the newest recording is filename-10.txt. Preview "
              "it with:\n  make preview PREVIEW_PATH=filename-10.txt\n");
    dir.write("filename.txt", "recorded\n");
    EXPECT_EQ(runProcess(script + file, "").exitCode, 0);
}
