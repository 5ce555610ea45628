// Describes a camera path, the scene's own or one recorded with the C key, without a GL context.
#include <cstdio>
#include <string>

#include "KeyPointFile.h"
#include "OptionValues.h"
#include "PathSummary.h"

namespace {
const char* const kModelFile = "res/myhouse/myhouse.obj";

void usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: murkmoor-path [FILE | -]\n"
                 "Describes a camera path: its key points, length, duration, segments, turns and\n"
                 "how close the eye comes to the house.\n"
                 "  FILE: key points as the C key records them; none or -: the scene's path\n");
}
}  // namespace

int main(int argc, char** argv) {
    const std::string argument = argc > 1 ? argv[1] : "-";
    if (argc == 2 && isHelpFlag(argument)) {
        usage(stdout);
        return 0;
    }
    if (argc > 2 || (argument.size() > 1 && argument[0] == '-')) {
        std::fprintf(stderr, "murkmoor-path: %s\n",
                     argc > 2 ? "one path file at most" : ("unknown option " + argument).c_str());
        usage(stderr);
        return 2;
    }
    std::vector<KeyPoint> keyPoints;
    std::string error;
    if (!loadFlightKeyPoints(argument == "-" ? "" : argument, keyPoints, error)) {
        std::fprintf(stderr, "murkmoor-path: %s\n", error.c_str());
        return 1;
    }
    const std::vector<SceneMesh> meshes = importSceneMeshes(kModelFile);
    if (meshes.empty()) {
        std::fprintf(stderr,
                     "murkmoor-path: cannot read %s (build first, and run from the "
                     "repository root)\n",
                     kModelFile);
        return 1;
    }
    std::printf("%s: %s", argument == "-" ? "the scene's path" : argument.c_str(),
                describePath(keyPoints, meshes).c_str());
    return 0;
}
