#pragma once
// Generated maps shared by the track tests (each map is built and surveyed once per test
// program) and the helpers that read a map back: the road codes, the runs of road in each row,
// and where each code lies.

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "track/track_generator.h"

namespace track_test {

// The map of `level` generated from `seed` with the road starting at `startColumn`.
const TrackState& GeneratedTrack(int level, uint32_t seed,
                                 int startColumn = TTrackGenerator::kStartColumn);

// Codes of road cells: the four-cell road and its drift phases, the inner lanes of the wide
// roads and the joins of the five-cell road.
bool IsRoadCode(int code);

struct RoadRun {
    int firstCol = 0;
    std::vector<int> codes;
    int LastCol() const { return firstCol + static_cast<int>(codes.size()) - 1; }
};

struct MapCell {
    int row = 0;
    int col = 0;
};

// The codes whose cells a survey lists: park corners, corner groups, barrier cells, the walled
// block's corner, lots, yards and side-street mouths.
inline constexpr int kSurveyedCodes[] = {26, 37, 39, 43, 45, 49, 58, 59, 60};

// What one pass over a map finds.
struct MapSurvey {
    std::array<int, 256> countOf{};          // cells per code, indexed by code + 128
    std::map<int, std::vector<MapCell>> at;  // the cells of the codes in kSurveyedCodes
    std::vector<std::vector<RoadRun>> runs;  // the road runs of each row, indexed by row

    int Count(int code) const { return countOf[static_cast<size_t>(code + 128)]; }
    const std::vector<MapCell>& CellsOf(int code) const;
};

MapSurvey SurveyMap(const TTrackMap& map);
// The survey of a map returned by GeneratedTrack, made once.
const MapSurvey& SurveyOf(const TrackState& generated);

// Every row of road the pieces can leave behind, from the road's left edge.
const std::set<std::vector<int>>& ValidRoadRows();

// The maximal runs of road cells in one row, left to right.
std::vector<RoadRun> RoadRunsOf(const TTrackMap& map, int row);

// The first row of the level's road.
inline int FirstRoadRow(const TrackState& state) {
    return kTrackRows - state.Level.TrackLength;
}

}  // namespace track_test
