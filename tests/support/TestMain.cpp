#include <gtest/gtest.h>

#include <cstdio>

#include "GlTestFixture.h"
#include "Globals.h"

// The suite's processes record nowhere: they start side by side in one folder, where each would
// keep the others' recordings under new names.
const char* const keyPointFileName = "/dev/null";

int main(int argc, char** argv) {
    // Loaders that wait for Enter after a missing file must not block a test run.
    if (!std::freopen("/dev/null", "r", stdin)) return 2;
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    closeSharedContext();
    return result;
}
