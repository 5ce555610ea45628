#pragma once

#include <cstddef>

// Counts the C++ heap allocations of the test process (every form of operator new is replaced for
// the whole test binary), so that a test can check that a stretch of code allocates nothing.
size_t heapAllocations();
