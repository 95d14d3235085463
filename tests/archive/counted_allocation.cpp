#include "counted_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Each block carries its size in front, so that every form of delete can count it back.
constexpr size_t kHeader = alignof(std::max_align_t);

std::atomic<size_t> allocated{0};
std::atomic<size_t> peak{0};

void* Allocate(size_t size) {
    void* block = std::malloc(size + kHeader);
    if (block == nullptr) return nullptr;
    *static_cast<size_t*>(block) = size;
    const size_t now = allocated.fetch_add(size) + size;
    size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void Free(void* pointer) {
    if (pointer == nullptr) return;
    void* block = static_cast<char*>(pointer) - kHeader;
    allocated.fetch_sub(*static_cast<size_t*>(block));
    std::free(block);
}

void* AllocateOrThrow(size_t size) {
    void* pointer = Allocate(size);
    if (pointer == nullptr) throw std::bad_alloc();
    return pointer;
}

}  // namespace

namespace media_test {

size_t AllocatedBytes() {
    return allocated.load();
}

size_t PeakAllocatedBytes() {
    return peak.load();
}

void ResetAllocationPeak() {
    peak.store(allocated.load());
}

}  // namespace media_test

void* operator new(size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* pointer) noexcept {
    Free(pointer);
}
void operator delete[](void* pointer) noexcept {
    Free(pointer);
}
void operator delete(void* pointer, size_t) noexcept {
    Free(pointer);
}
void operator delete[](void* pointer, size_t) noexcept {
    Free(pointer);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    Free(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    Free(pointer);
}
