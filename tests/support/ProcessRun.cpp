#include "ProcessRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "TestFiles.h"

namespace {
std::string readAll(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
}  // namespace

ProcessResult runProcess(const std::string& command, const std::string& input) {
    TempDir dir;
    const std::string in = dir.write("in.txt", input);
    const std::string out = dir.path() + "/out.txt";
    const std::string err = dir.path() + "/err.txt";
    const std::string full = "(" + command + ") <" + in + " >" + out + " 2>" + err;
    const int status = std::system(full.c_str());
    ProcessResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readAll(out);
    result.err = readAll(err);
    return result;
}
