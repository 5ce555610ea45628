#include "LoadFailures.h"

namespace {
std::vector<LoadFailure> failures;
bool waitForEnter = true;
}  // namespace

void noteLoadFailure(const std::string& file, const std::string& what) {
    failures.push_back({file, what});
}

const std::vector<LoadFailure>& loadFailures() {
    return failures;
}

void setMissingShaderWaitsForEnter(bool wait) {
    waitForEnter = wait;
}

bool missingShaderWaitsForEnter() {
    return waitForEnter;
}
