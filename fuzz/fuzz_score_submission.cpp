// Feeds arbitrary bytes to the score server's decoder and validator, as the "inf" parameter and
// as a decoded record. Nothing may crash; what is accepted must be exactly what the game would
// have sent for that entry, and every decodable text must encode back to itself.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persist/score_record.h"
#include "submission.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (const auto entry = ParseSubmission(text)) {
        if (EncodeScoreRecord(ScoreRecord(entry->Name, entry->Score, entry->Country)) != text)
            __builtin_trap();
    }
    if (const auto entry = ParseScoreRecord(text)) {
        if (ScoreRecord(entry->Name, entry->Score, entry->Country) != text) __builtin_trap();
    }
    if (const auto record = DecodeScoreRecord(text)) {
        if (EncodeScoreRecord(*record) != text) __builtin_trap();
    }
    return 0;
}
