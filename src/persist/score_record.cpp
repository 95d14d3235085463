#include "persist/score_record.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

static_assert(kScoreAlphabet.size() == 32);

// The 5-bit value of each alphabet symbol, -1 for every other byte.
constexpr std::array<int8_t, 256> kSymbolValues = [] {
    std::array<int8_t, 256> values{};
    values.fill(-1);
    for (std::size_t i = 0; i < kScoreAlphabet.size(); ++i)
        values[static_cast<unsigned char>(kScoreAlphabet[i])] = static_cast<int8_t>(i);
    return values;
}();

}  // namespace

std::string ScoreRecord(std::string_view name, int score, std::string_view country) {
    std::string record = "type=0";
    record += "|name=";
    record += name;
    record += "|score=";
    record += std::to_string(score);
    record += "|key=X";
    record += "|p=";
    record += "|add=";
    record += country;
    record += "|z=";
    while (record.size() % 5 != 0) record += '0';
    return record;
}

std::string EncodeScoreRecord(std::string_view record) {
    const std::size_t bits = record.size() * 8;
    const std::size_t fill = (5 - bits % 5) % 5;  // "0" bits put in front of the first byte
    std::string encoded;
    encoded.reserve((bits + fill) / 5);
    uint32_t pending = 0;  // bits not yet written, the oldest highest
    std::size_t pendingCount = fill;
    for (const char c : record) {
        pending = (pending << 8) | static_cast<unsigned char>(c);
        pendingCount += 8;
        while (pendingCount >= 5) {
            pendingCount -= 5;
            encoded += kScoreAlphabet[(pending >> pendingCount) & 31];
        }
        pending &= (1u << pendingCount) - 1;
    }
    return encoded;
}

std::optional<std::string> DecodeScoreRecord(std::string_view encoded) {
    const std::size_t bits = encoded.size() * 5;
    std::size_t skip = bits % 8;  // the "0" bits the encoder put in front
    if (skip >= 5) return std::nullopt;
    std::string record;
    record.reserve(bits / 8);
    uint32_t pending = 0;
    std::size_t pendingCount = 0;
    for (const char c : encoded) {
        const int value = kSymbolValues[static_cast<unsigned char>(c)];
        if (value < 0) return std::nullopt;
        pending = (pending << 5) | static_cast<uint32_t>(value);
        pendingCount += 5;
        if (skip > 0) {
            if ((pending >> (pendingCount - skip)) != 0) return std::nullopt;
            pendingCount -= skip;
            pending &= (1u << pendingCount) - 1;
            skip = 0;
        }
        if (pendingCount >= 8) {
            pendingCount -= 8;
            record += static_cast<char>((pending >> pendingCount) & 255);
            pending &= (1u << pendingCount) - 1;
        }
    }
    return record;
}
