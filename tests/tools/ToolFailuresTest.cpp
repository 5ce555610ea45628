#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "TestFiles.h"

// Every failure of a tool stops it with its status and a message naming the cause, and leaves no
// output file: bad options with status 2 and the usage, before opening a window; for the video
// export an unwritable output, a missing ffmpeg and a start outside the repository root before
// rendering anything, and a failing ffmpeg once it fails.
TEST(Tools, FailuresExitWithTheirCauseAndLeaveNoFile) {
    TempDir dir;
    dir.write("bin/ffmpeg", "#!/bin/sh\necho 'encoder refuses' >&2\nexit 3\n");
    ASSERT_EQ(chmod((dir.path() + "/bin/ffmpeg").c_str(), 0755), 0);
    const std::string video = MURKMOOR_VIDEO, capture = MURKMOOR_CAPTURE, bench = MURKMOOR_BENCH;
    const std::string out = dir.path() + "/clip.mp4";
    const std::string failing = "PATH=" + dir.path() + "/bin:$PATH ";
    // Recorded paths that cannot be flown, refused before a context opens (the fake display).
    const std::string line =
        "m_keyPoints.push_back(KeyPoint(glm::vec3(1, 2, 3), glm::vec3(1 ,2 ,2)));\n";
    const std::string path = " --out " + out + " --path " + dir.path() + "/";
    dir.write("empty.txt", "\n  \n");
    // A recording flown from the folder it was made in must survive the tools that read it.
    const std::string recording = "\n" + line + "\n";
    dir.write("recorded/filename.txt", recording);
    const std::string inRecorded = "cd " + dir.path() + "/recorded && ";
    dir.write("typo.txt", line + "\n" + line.substr(0, 42) + ";" + line.substr(43));
    dir.write("blind.txt",
              line + "m_keyPoints.push_back(KeyPoint(glm::vec3(1, 2, 3), glm::vec3(1, 2, 3)));\n");
    dir.write(
        "nan.txt",
        line + "m_keyPoints.push_back(KeyPoint(glm::vec3(1, nan, 3), glm::vec3(1, 2, 2)));\n");
    const std::string noDisplay = "DISPLAY=:999 __EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json ";
    const struct {
        std::string command;
        int exitCode;
        std::vector<std::string> messages;
        bool renders = false;
    } cases[] = {
        // clang-format off
        {video + " --size 161x96 --out " + out, 2, {"even"}},
        {video + " --from 5 --to 4 --out " + out, 2, {"--to"}},
        {video + " --to 1 --out /nonexistent/clip.mp4", 1, {"cannot write /nonexistent/clip.mp4"}},
        {"PATH=" + dir.path() + " " + video + " --to 1 --out " + out, 1, {"cannot run ffmpeg"}},
        {failing + video + " --to 0.5 --size 16x16 --out " + out, 1,
         {"encoder refuses", "murkmoor-video: ffmpeg"}, true},
        {"cd " + dir.path() + " && " + video + " --to 1 --out clip.mp4", 1, {"missing res/"}},
        {capture + " --size 0x192 --out " + out, 2, {"bad value for --size: 0x192"}},
        {capture + " --key 91 --out " + out, 2, {"no key point 91: the path has 91"}},
        {capture + " --key 1 --key 95 --out " + out, 2, {"no key point 95"}},
        {"__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json " + capture + " --headless --out " + out,
         1, {"no headless OpenGL 4.3 core context"}},
        {noDisplay + capture + path + "empty.txt", 1, {"empty.txt: no key points"}},
        {inRecorded + noDisplay + capture + " --out " + out + " --path filename.txt", 1,
         {"filename.txt: only one key point"}},
        {noDisplay + capture + path + "typo.txt", 1, {"typo.txt:3: expected \",\" at column 43"}},
        {noDisplay + capture + path + "blind.txt", 1, {"blind.txt:2: the eye and the point it looks at"}},
        {noDisplay + capture + path + "nan.txt --headless", 1, {"nan.txt:2: a number is not finite"}},
        {noDisplay + video + path + "missing.txt", 1, {"cannot read the path file " + dir.path() + "/missing.txt"}},
        {inRecorded + noDisplay + video + " --out " + out + " --path filename.txt --to 1", 1,
         {"filename.txt: only one key point"}},
        {std::string(MURKMOOR_PATH_TOOL) + " " + dir.path() + "/typo.txt", 1, {"typo.txt:3: expected"}},
        {bench + " --size 8x8 --json " + out, 2, {"bad size 8x8"}},
        {bench + " --size 8193x16", 2, {"bad size"}}, {bench + " --size 640", 2, {"bad size"}},
        {inRecorded + bench + " --spots 0", 2, {"bad number of spots 0"}},
        {bench + " --spots 101", 2, {"bad number of spots"}},
        {bench + " --spots 2x", 2, {"bad number of spots"}},
        {bench + " --warmup -1", 2, {"bad warm-up -1"}}, {bench + " --warmup 1e9", 2, {"bad warm-up"}},
        {bench + " --json", 2, {"missing value after --json"}},
        {bench + " --speed 2", 2, {"unknown option --speed"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        const ProcessResult run = runProcess(c.command, "");
        EXPECT_EQ(run.exitCode, c.exitCode) << c.command;
        for (const std::string& message : c.messages)
            EXPECT_NE(run.err.find(message), std::string::npos) << c.command << "\n" << run.err;
        EXPECT_TRUE(c.exitCode != 2 || run.err.find("usage: murkmoor-") != std::string::npos)
            << run.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.command;
        EXPECT_TRUE(c.renders || run.out.find("frame") == std::string::npos) << c.command;
    }
    EXPECT_EQ(readFile(dir.path() + "/recorded/filename.txt"), recording);
}

// Asked for help, every tool prints its usage on standard output and exits with 0, before it
// opens a window or reads a file; "-h" is the same.
TEST(Tools, HelpAnswersWithTheUsageAndExitsWithZero) {
    const std::string tools[] = {MURKMOOR_CAPTURE,   MURKMOOR_VIDEO,   MURKMOOR_BENCH,
                                 MURKMOOR_PATH_TOOL, MURKMOOR_COMPARE, MURKMOOR_ASSETGEN,
                                 MURKMOOR_SOUNDGEN};
    for (const std::string& tool : tools) {
        const std::string name = tool.substr(tool.find_last_of('/') + 1);
        for (const char* flag : {" --help", " -h"}) {
            const ProcessResult run = runProcess("DISPLAY=:999 " + tool + flag, "");
            EXPECT_EQ(run.exitCode, 0) << name << flag << "\n" << run.err;
            EXPECT_EQ(run.out.rfind("usage: " + name + " ", 0), 0u) << name << flag << "\n"
                                                                    << run.out;
            EXPECT_EQ(run.err, "") << name << flag;
        }
    }
}
