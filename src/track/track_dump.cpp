#include "track/track_dump.h"

#include <charconv>

std::string DumpTrack(const TrackState& state) {
    const LevelParams& level = state.Level;
    std::string out;
    // Up to three characters and a separator per cell.
    out.reserve(static_cast<size_t>(kTrackRows) * kTrackCols * 4 + 256);
    out += "{\"LevelNumber\":" + std::to_string(level.LevelNumber);
    out += ",\"TrackLength\":" + std::to_string(level.TrackLength);
    out += ",\"TimeLeft\":" + std::to_string(level.TimeLeft);
    out += ",\"BonusCount\":" + std::to_string(level.BonusCount);
    out += ",\"CarCount\":" + std::to_string(level.CarCount);
    out += ",\"ViewCol\":" + std::to_string(state.ViewCol);
    out += ",\"ViewRow\":" + std::to_string(state.ViewRow);
    out += "}\n";
    char digits[8];
    for (int row = 1; row <= kTrackRows; ++row) {
        for (int col = 1; col <= kTrackCols; ++col) {
            if (col > 1) out += ' ';
            const auto result = std::to_chars(digits, digits + sizeof(digits),
                                              static_cast<int>(state.TrackMap.At(row, col)));
            out.append(digits, result.ptr);
        }
        out += '\n';
    }
    return out;
}
