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
        // A generator whose road starts elsewhere than the game's, to show that a road near a
        // side of the map never runs off it.
        class MovedStartGenerator : public TTrackGenerator {
        public:
            MovedStartGenerator(TrackState& state, TRandom& random, int column)
                : TTrackGenerator(state, random), column_(column) {}

        protected:
            int StartColumn() const override { return column_; }

        private:
            int column_;
        };
        MovedStartGenerator generator(*slot, random, startColumn);
        generator.SetUpLevel(level);
    }
    return *slot;
}

bool IsRoadCode(int code) {
    return (code >= 1 && code <= 22) || (code >= 33 && code <= 35);
}

// Every row of road the pieces can leave behind, from the road's left edge: the plain road, the
// two phases of each drift, the twin, six-cell and five-cell roads, and the rows the splits,
// merges, widenings and narrowings stamp on their way.
const std::set<std::vector<int>>& ValidRoadRows() {
    static const std::set<std::vector<int>> rows = {
        {1, 2, 3, 4},                     // straight
        {5, 6, 7, 8},                     // drift right, first phase
        {9, 10, 11, 12},                  // drift right, second phase
        {16, 15, 14, 13},                 // drift left, first phase
        {20, 19, 18, 17},                 // drift left, second phase
        {1, 2, 3, 4, 1, 2, 3, 4},         // twin road
        {1, 2, 21, 22, 3, 4},             // six-cell road
        {1, 34, 22, 3, 4},                // five-cell road widened to the right
        {1, 2, 21, 35, 4},                // five-cell road widened to the left
        {16, 15, 7, 8},                   // split and six-cell widening
        {20, 19, 18, 10, 11, 12},         //
        {16, 15, 14, 6, 7, 8},            // split
        {20, 19, 18, 17, 9, 10, 11, 12},  //
        {5, 6, 7, 8, 16, 15, 14, 13},     // merge
        {9, 10, 11, 19, 18, 17},          //
        {5, 6, 7, 15, 14, 13},            // merge and six-cell narrowing
        {9, 10, 18, 17},                  //
        {1, 33, 7, 8},                    // widening to the right
        {1, 33, 10, 11, 12},              //
        {1, 33, 15, 14, 13},              // narrowing from the right
        {1, 33, 18, 17},                  //
        {16, 15, 33, 4},                  // widening to the left
        {20, 19, 18, 33, 4},              //
        {5, 6, 7, 33, 4},                 // narrowing from the left
        {9, 10, 33, 4},                   //
    };
    return rows;
}

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
