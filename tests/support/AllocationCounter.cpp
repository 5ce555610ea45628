#include "AllocationCounter.h"

#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

// Every form of new and delete is replaced, on malloc and free: a block of a form left to the
// runtime (llvmpipe uses the nothrow one) freed by a replaced delete stops AddressSanitizer.

namespace {
std::atomic<size_t> allocations{0};

void* block(std::size_t size) noexcept {
    ++allocations;
    return std::malloc(size ? size : 1);
}

void* alignedBlock(std::size_t size, std::align_val_t alignment) noexcept {
    ++allocations;
    void* result = nullptr;
    const std::size_t align = std::max(static_cast<std::size_t>(alignment), sizeof(void*));
    return posix_memalign(&result, align, size ? size : 1) == 0 ? result : nullptr;
}

void* orThrow(void* result) {
    if (!result) throw std::bad_alloc();
    return result;
}
}  // namespace

// clang-format off
size_t heapAllocations() { return allocations.load(); }
void* operator new(std::size_t n) { return orThrow(block(n)); }
void* operator new[](std::size_t n) { return orThrow(block(n)); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return block(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return block(n); }
void* operator new(std::size_t n, std::align_val_t a) { return orThrow(alignedBlock(n, a)); }
void* operator new[](std::size_t n, std::align_val_t a) { return orThrow(alignedBlock(n, a)); }
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept { return alignedBlock(n, a); }
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept { return alignedBlock(n, a); }

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
// clang-format on
