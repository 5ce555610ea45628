#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "TestFiles.h"

namespace fs = std::filesystem;

namespace {
// The names in a folder, sorted, one a line.
std::string folderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string list;
    for (const std::string& name : names) list += name + "\n";
    return list;
}

// Starts a tool in the background, its output streams in out.txt and err.txt of the folder, and
// sends it the signal once its standard output holds `cue`. Its exit status; -1 when it ended
// otherwise or the cue did not come.
int stopOnCue(const std::string& command, const std::string& folder, const std::string& cue,
              int signal) {
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open((folder + "/out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open((folder + "/err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const bool cued = waitUntil(
        [&] { return readFile(folder + "/out.txt").find(cue) != std::string::npos; }, 60.0);
    kill(pid, cued ? signal : SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    return cued && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace

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
    // A line that never ends and a file of more key points than anyone records are refused at once.
    dir.write("long.txt", line + line.substr(0, line.size() - 1) + std::string(1000, ' ') + "\n");
    std::string many;
    while (many.size() <= (1u << 20)) many += line;
    dir.write("many.txt", many);
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
        {std::string(MURKMOOR_PATH_TOOL) + " /dev/zero", 1, {"/dev/zero:1: longer than 1024 characters"}},
        {std::string(MURKMOOR_PATH_TOOL) + " " + dir.path() + "/long.txt", 1, {"long.txt:2: longer than 1024"}},
        {noDisplay + video + path + "many.txt", 1, {"many.txt: larger than 1 MiB"}},
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

// Stopped on the way, a tool leaves the file it was making as it was and no temporary beside it,
// says so in one line and exits as a shell reports the signal: the video with its encoder at work
// (SIGINT, 130), the capture on its way to the moment (SIGTERM, 143).
TEST(Tools, AStoppedToolLeavesThePreviousFileWhole) {
    TempDir dir;
    const std::string clip = dir.write("out/clip.mp4", "a complete earlier video");
    const std::string still = dir.write("out/still.png", "a complete earlier frame");
    const std::string before = folderNames(dir.path() + "/out");
    EXPECT_EQ(stopOnCue(std::string(MURKMOOR_VIDEO) +
                            " --from 0 --to 60 --size 32x32 --fps 10 --out " + clip,
                        dir.path(), "frame 1 of", SIGINT),
              130);
    EXPECT_NE(readFile(dir.path() + "/err.txt")
                  .find("murkmoor-video: interrupted; the previous " + clip + " is untouched\n"),
              std::string::npos)
        << readFile(dir.path() + "/err.txt");
    EXPECT_EQ(stopOnCue(std::string(MURKMOOR_CAPTURE) + " --size 32x32 --time 60 --out " + still,
                        dir.path(), "Flying to", SIGTERM),
              143);
    EXPECT_NE(readFile(dir.path() + "/err.txt").find("the previous " + still + " is untouched"),
              std::string::npos);
    EXPECT_EQ(readFile(clip), "a complete earlier video");
    EXPECT_EQ(readFile(still), "a complete earlier frame");
    EXPECT_EQ(folderNames(dir.path() + "/out"), before);
}

// A scene with a file missing is not drawn: the tool names the file in one line, writes nothing
// and never waits for input, though its standard input stays open (a pipe with no writer end
// closed). The shader in the video, whose encoder has started by then; the model in the capture.
TEST(Tools, AnIncompleteSceneStopsTheToolsBeforeAnythingIsWritten) {
    TempDir dir;
    const std::string source = MURKMOOR_SOURCE_DIR;
    fs::create_directory(dir.path() + "/no-shader");
    fs::copy(source + "/shaders", dir.path() + "/no-shader/shaders", fs::copy_options::recursive);
    fs::remove(dir.path() + "/no-shader/shaders/lighting.frag");
    fs::create_directory_symlink(source + "/res", dir.path() + "/no-shader/res");
    // The model's folder holds links to all but the model; res/ links to all but that folder.
    const std::string noModel = dir.path() + "/no-model";
    fs::create_directories(noModel + "/res/myhouse");
    fs::create_directory_symlink(source + "/shaders", noModel + "/shaders");
    for (const char* folder : {"/res", "/res/myhouse"}) {
        for (const auto& entry : fs::directory_iterator(source + folder)) {
            const std::string name = entry.path().filename().string();
            if (name == "myhouse" || name == "myhouse.obj") continue;
            fs::create_symlink(entry.path(), noModel + folder + "/" + name);
        }
    }
    ASSERT_EQ(mkfifo((dir.path() + "/input").c_str(), 0600), 0);
    const std::string capture = std::string(MURKMOOR_CAPTURE) + " --out frame.png";
    const std::string video = std::string(MURKMOOR_VIDEO) + " --to 1 --out clip.mp4";
    const struct {
        std::string folder, tool, file;
    } cases[] = {
        {"no-shader", video, "shaders/lighting.frag cannot be opened"},
        {"no-model", capture, "res/myhouse/myhouse.obj cannot be loaded"},
    };
    for (const auto& c : cases) {
        const std::string program = c.tool.substr(0, c.tool.find(' '));
        const std::string name = program.substr(program.find_last_of('/') + 1);
        // Opened for reading and writing, the pipe never ends: a read would wait for good.
        const ProcessResult run =
            runProcess("cd " + dir.path() + "/" + c.folder + " && timeout 60 " + c.tool +
                           " --size 32x32 0<>" + dir.path() + "/input",
                       "");
        EXPECT_EQ(run.exitCode, 1) << name << "\n" << run.err;
        EXPECT_NE(run.err.find(name + ": " + c.file + ": the scene is incomplete"),
                  std::string::npos)
            << name << "\n"
            << run.err;
        EXPECT_EQ(folderNames(dir.path() + "/" + c.folder), "res\nshaders\n") << name;
    }
}
