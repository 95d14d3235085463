// Feeds arbitrary bytes to the bitmap decoder alone, with the budget an archive load starts with.
// Every bitmap must decode or end in an ArchiveError: never a crash, a read outside the bytes or
// an allocation beyond the pixel budget.

#include <cstddef>
#include <cstdint>
#include <span>

#include "archive/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PixelBudget budget;
    try {
        const DecodedPicture picture = DecodeDib(std::span<const uint8_t>(data, size), budget);
        // What the decoder returns is what the image list trusts.
        if (picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height) {
            __builtin_trap();
        }
    } catch (const ArchiveError&) {
    }
    return 0;
}
