#include <gtest/gtest.h>

#include <cstdio>

#include "GlTestFixture.h"
#include "Globals.h"

// Like the program, each test process records into the folder it runs in (a scratch folder).
const char* const keyPointFileName = "filename.txt";

int main(int argc, char** argv) {
    // Loaders that wait for Enter after a missing file must not block a test run.
    if (!std::freopen("/dev/null", "r", stdin)) return 2;
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    closeSharedContext();
    return result;
}
