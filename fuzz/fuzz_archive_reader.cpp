// Feeds arbitrary bytes to the archive readers and to the bitmap and wave decoders they rely on.
// A corrupt archive must end in an ArchiveError: never a crash, an out-of-bounds read or a huge
// allocation.

#include <cstddef>
#include <cstdint>
#include <span>

#include "archive/archive_reader.h"
#include "archive/dib.h"
#include "archive/riff_wave.h"

namespace {

template <class Read>
void Try(Read read) {
    try {
        read();
    } catch (const ArchiveError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    Try([&] { ReadImageArchive(bytes); });
    Try([&] { ReadWaveArchive(bytes); });
    Try([&] { DecodeDib(bytes); });
    Try([&] { ParseRiffWave(bytes); });
    return 0;
}
