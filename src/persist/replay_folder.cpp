#include "persist/replay_folder.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <system_error>

#include "persist/small_file.h"

namespace {

constexpr std::string_view kPrefix = "race-";
constexpr std::string_view kSuffix = ".zvr";
constexpr std::string_view kSaving = ".saving";

// The number of a recording's file name, or none for a name that is not one.
std::optional<uint64_t> NumberOf(std::string_view name) {
    if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix))
        return std::nullopt;
    const std::string_view digits =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (digits.size() > 18) return std::nullopt;
    uint64_t number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    return number;
}

std::string NameFor(uint64_t number) {
    char name[48];
    std::snprintf(name, sizeof name, "race-%06llu.zvr", static_cast<unsigned long long>(number));
    return name;
}

}  // namespace

std::vector<StoredReplay> ListReplays(const std::filesystem::path& folder) {
    std::vector<StoredReplay> replays;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return replays;
    for (const auto& entry : entries) {
        const std::optional<uint64_t> number = NumberOf(entry.path().filename().string());
        if (!number) continue;
        StoredReplay replay;
        replay.Path = entry.path();
        replay.Number = *number;
        std::string ignored;
        if (auto recording = ReadReplayFile(entry.path().string(), ignored))
            replay.Header = std::move(recording->Header);
        replays.push_back(std::move(replay));
    }
    std::sort(replays.begin(), replays.end(),
              [](const StoredReplay& a, const StoredReplay& b) { return a.Number < b.Number; });
    return replays;
}

std::array<int, 11> MatchTableRows(const std::vector<StoredReplay>& replays,
                                   const THighScoreTable& table) {
    std::array<int, 11> rows;
    rows.fill(-1);
    std::vector<bool> taken(replays.size(), false);
    for (int slot = 1; slot <= 10; ++slot) {
        const THighScore& entry = table.Slot(slot);
        // The newest one first: a name and score met twice were entered by the later race too.
        for (size_t i = replays.size(); i-- > 0;) {
            const std::optional<ReplayHeader>& header = replays[i].Header;
            if (taken[i] || !header || !header->EnteredTable) continue;
            if (header->EnteredName != entry.Name || header->FinalScore != entry.Score) continue;
            taken[i] = true;
            rows[slot] = static_cast<int>(i);
            break;
        }
    }
    return rows;
}

void PruneReplays(const std::filesystem::path& folder, const THighScoreTable& table) {
    const std::vector<StoredReplay> replays = ListReplays(folder);
    std::set<size_t> kept;
    for (size_t i = replays.size() > kKeptRaces ? replays.size() - kKeptRaces : 0;
         i < replays.size(); ++i)
        kept.insert(i);
    for (int index : MatchTableRows(replays, table))
        if (index >= 0) kept.insert(static_cast<size_t>(index));
    std::error_code ignored;
    for (size_t i = 0; i < replays.size(); ++i)
        if (kept.count(i) == 0) std::filesystem::remove(replays[i].Path, ignored);

    // A store cut off before its rename leaves "race-N.zvr.saving"; nothing is being stored now.
    std::filesystem::directory_iterator entries(folder, ignored);
    if (ignored) return;
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(kSaving) &&
            NumberOf(std::string_view(name).substr(0, name.size() - kSaving.size())))
            std::filesystem::remove(entry.path(), ignored);
    }
}

std::optional<std::filesystem::path> StoreReplay(const std::filesystem::path& folder,
                                                 std::string_view bytes,
                                                 const THighScoreTable& table, std::string& error) {
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    if (made) {
        error = folder.string() + ": " + made.message();
        return std::nullopt;
    }
    uint64_t next = 1;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        std::string name = entry.path().filename().string();
        if (name.ends_with(kSaving)) name.resize(name.size() - kSaving.size());
        if (const std::optional<uint64_t> number = NumberOf(name))
            next = std::max(next, *number + 1);
    }
    const std::filesystem::path path = folder / NameFor(next);
    if (!WriteSmallFile(path, bytes, error)) return std::nullopt;
    PruneReplays(folder, table);
    return path;
}
