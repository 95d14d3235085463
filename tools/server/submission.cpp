#include "submission.h"

#include <cstdint>

#include "persist/score_record.h"

namespace {

bool NameCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ';
}

bool CountryCharacter(char c) {
    return NameCharacter(c) || c == '_';
}

// Takes a fixed piece off the front of the text.
bool Take(std::string_view& text, std::string_view piece) {
    if (text.substr(0, piece.size()) != piece) return false;
    text.remove_prefix(piece.size());
    return true;
}

// Takes the text up to the next "|" when it is short enough and made of allowed characters.
template <class Allowed>
std::optional<std::string_view> TakeField(std::string_view& text, std::size_t limit,
                                          Allowed allowed) {
    const std::size_t end = text.find('|');
    if (end == std::string_view::npos || end > limit) return std::nullopt;
    const std::string_view field = text.substr(0, end);
    for (const char c : field)
        if (!allowed(c)) return std::nullopt;
    text.remove_prefix(end);
    return field;
}

std::optional<int> ParseScore(std::string_view digits) {
    if (digits.empty() || digits.size() > 10) return std::nullopt;
    if (digits.size() > 1 && digits.front() == '0') return std::nullopt;
    int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

std::optional<TScoreEntry> ParseScoreRecord(std::string_view record) {
    if (record.size() % 5 != 0) return std::nullopt;
    std::string_view rest = record;
    TScoreEntry entry;

    if (!Take(rest, "type=0|name=")) return std::nullopt;
    const auto name = TakeField(rest, kNameLimit, NameCharacter);
    if (!name) return std::nullopt;
    entry.Name = std::string(*name);

    if (!Take(rest, "|score=")) return std::nullopt;
    const auto digits = TakeField(rest, 10, [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) return std::nullopt;
    const auto score = ParseScore(*digits);
    if (!score) return std::nullopt;
    entry.Score = *score;

    if (!Take(rest, "|key=X|p=|add=")) return std::nullopt;
    const auto country = TakeField(rest, kCountryLimit, CountryCharacter);
    if (!country) return std::nullopt;
    entry.Country = std::string(*country);

    if (!Take(rest, "|z=")) return std::nullopt;
    // The fill: "0" characters only, fewer than 5 (the record's length is a multiple of 5).
    if (rest.size() >= 5) return std::nullopt;
    for (const char c : rest)
        if (c != '0') return std::nullopt;
    return entry;
}

std::optional<TScoreEntry> ParseSubmission(std::string_view encoded) {
    if (encoded.empty() || encoded.size() > kEncodedRecordLimit || encoded.size() % 8 != 0)
        return std::nullopt;
    const auto record = DecodeScoreRecord(encoded);
    if (!record) return std::nullopt;
    return ParseScoreRecord(*record);
}
