// Feeds arbitrary bytes to the wave file reader alone: the chunk walk, the format checks and the
// measure the archive budget takes of a sound. Every file must read or end in an ArchiveError.

#include <cstddef>
#include <cstdint>
#include <span>

#include "archive/riff_wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    try {
        const RiffWave wave = ParseRiffWave(bytes);
        // A file that reads is measured too, and its sample data lies inside it.
        if (MixerFramesAtMost(bytes) < 0 || wave.samples.size() > size) __builtin_trap();
    } catch (const ArchiveError&) {
    }
    return 0;
}
