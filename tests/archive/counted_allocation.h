#pragma once
// This test program counts the bytes that operator new hands out, so that a test can say how
// much memory a piece of code asked for at most, exactly and on every build (a limit on the
// address space would not work under AddressSanitizer, which reserves terabytes).

#include <cstddef>

namespace media_test {

// Bytes allocated with operator new and not yet freed.
size_t AllocatedBytes();
// The most that AllocatedBytes() reached since the last ResetAllocationPeak().
size_t PeakAllocatedBytes();
void ResetAllocationPeak();

}  // namespace media_test
