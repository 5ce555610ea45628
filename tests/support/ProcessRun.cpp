#include "ProcessRun.h"

#include <sys/wait.h>

#include <cstdlib>

#include "TestFiles.h"

ProcessResult runProcess(const std::string& command, const std::string& input) {
    TempDir dir;
    const std::string in = dir.write("in.txt", input);
    const std::string out = dir.path() + "/out.txt";
    const std::string err = dir.path() + "/err.txt";
    const std::string full = "(" + command + ") <" + in + " >" + out + " 2>" + err;
    const int status = std::system(full.c_str());
    ProcessResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(out);
    result.err = readFile(err);
    return result;
}
