#include "track/track_test_maps.h"

#include <memory>
#include <tuple>

namespace track_test {

const TrackState& GeneratedTrack(int level, uint32_t seed, int startColumn) {
    static std::map<std::tuple<int, uint32_t, int>, std::unique_ptr<TrackState>> cache;
    auto& slot = cache[{level, seed, startColumn}];
    if (!slot) {
        slot = std::make_unique<TrackState>();
        TRandom random(seed);
        TTrackGenerator generator(*slot, random);
        generator.SetStartColumn(startColumn);
        generator.SetUpLevel(level);
    }
    return *slot;
}

bool IsRoadCode(int code) { return (code >= 1 && code <= 22) || (code >= 33 && code <= 35); }

const std::vector<MapCell>& MapSurvey::CellsOf(int code) const {
    static const std::vector<MapCell> none;
    const auto found = at.find(code);
    return found == at.end() ? none : found->second;
}

MapSurvey SurveyMap(const TTrackMap& map) {
    static const std::array<bool, 256> listed = [] {
        std::array<bool, 256> table{};
        for (const int code : kSurveyedCodes) table[static_cast<size_t>(code + 128)] = true;
        return table;
    }();
    MapSurvey survey;
    survey.runs.resize(kTrackRows + 1);
    const int8_t* cells = map.Data();
    for (int row = 1; row <= kTrackRows; ++row) {
        std::vector<RoadRun>& runs = survey.runs[static_cast<size_t>(row)];
        for (int col = 1; col <= kTrackCols; ++col) {
            const int code = *cells++;
            ++survey.countOf[static_cast<size_t>(code + 128)];
            if (listed[static_cast<size_t>(code + 128)]) survey.at[code].push_back({row, col});
            if (!IsRoadCode(code)) continue;
            if (runs.empty() || runs.back().LastCol() != col - 1) runs.push_back({col, {}});
            runs.back().codes.push_back(code);
        }
    }
    return survey;
}

const MapSurvey& SurveyOf(const TrackState& generated) {
    static std::map<const TrackState*, std::unique_ptr<MapSurvey>> cache;
    auto& slot = cache[&generated];
    if (!slot) slot = std::make_unique<MapSurvey>(SurveyMap(generated.TrackMap));
    return *slot;
}

std::vector<RoadRun> RoadRunsOf(const TTrackMap& map, int row) {
    std::vector<RoadRun> runs;
    for (int col = 1; col <= kTrackCols; ++col) {
        const int code = map.At(row, col);
        if (!IsRoadCode(code)) continue;
        if (runs.empty() || runs.back().LastCol() != col - 1) runs.push_back({col, {}});
        runs.back().codes.push_back(code);
    }
    return runs;
}

}  // namespace track_test
