#pragma once
// The road generator: grows a continuous road up from the start stretch with a small state
// machine of road pieces, lines it with verges, fills the land with blocks, yards, parks and lots,
// and turns what is left into plain ground. The random draws happen in a fixed order, so a seed
// always gives the same map.

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

#include "core/random.h"
#include "track/map_codes.h"
#include "track/track_map.h"

// The road pieces the generator lays, numbered as in the game's piece table: the straight road,
// the two drifts, and the twin road, the six-cell road and the road widened to the right or to
// the left, each followed by its closing.
enum class RoadPiece : int {
    Straight = 1,
    DriftLeft = 2,
    DriftRight = 3,
    TwinRoad = 4,
    TwinRoadClosing = 5,
    SixCellRoad = 6,
    SixCellRoadClosing = 7,
    WidenedRight = 8,
    WidenedRightClosing = 9,
    WidenedLeft = 10,
    WidenedLeftClosing = 11,
};

// Everything the generator sets: the map, the level parameters and the view origin.
struct TrackState {
    TTrackMap TrackMap;
    LevelParams Level;
    int ViewCol = 318;  // map column shown in the background window's cell (0, 0)
    int ViewRow = 1488;
};

class TTrackGenerator {
public:
    // The start stretch: rows 1480 to 1499 hold a straight road whose left edge is this column.
    static constexpr int kStartColumn = 321;
    static constexpr int kStartRow = 1480;
    // The view of a level's start: the start stretch in the middle of the window's fourth and
    // seventh columns, its last rows at the bottom of the screen.
    static constexpr int kStartViewCol = kStartColumn - 3;
    static constexpr int kStartViewRow = kStartRow + 8;
    // When a piece is chosen while the road lies within this many columns of a side of the map,
    // a piece that would carry it further towards that side is laid as a straight piece instead.
    static constexpr int kEdgeMargin = 20;

    TTrackGenerator(TrackState& state, TRandom& random) : state_(state), random_(random) {}
    virtual ~TTrackGenerator() = default;

    // Sets the level parameters of level L, then BuildTrack.
    void SetUpLevel(int level);
    // Fills the whole map for the current TrackLength and sets ViewCol/ViewRow to their start.
    // (The caller refreshes the background window afterwards.)
    void BuildTrack();

    // A piece outside the table changes nothing.
    void SetPiece(RoadPiece kind);
    // True when rows row+1..row+nrows, columns col..col+ncols-1 are all empty (-1); cells outside
    // the grid count as not empty. An empty range is true.
    bool IsAreaEmpty(int col, int row, int ncols, int nrows) const;

    RoadPiece PieceKind() const { return pieceKind_; }
    int PieceRows() const { return pieceRows_; }

protected:
    // The column of the start stretch's left edge; the game's road always starts at
    // kStartColumn. Any other value is clamped to the grid.
    virtual int StartColumn() const { return kStartColumn; }

private:
    void ClearAndStart();
    void GrowRoad(int trackLength);
    void ChoosePiece(int row);
    void CloseRoad();
    RoadPiece KeepOffEdges(RoadPiece kind, int row) const;
    void ApplyPiece(int& row, int col);
    void CopyRow(int row, int col);
    void StampTwin(int& row, int col);
    void StampTwinClosing(int& row, int col);
    void StampSixCell(int& row, int col);
    void StampSixCellClosing(int& row, int col);
    void StampWideRight(int& row, int col);
    void StampWideRightClosing(int& row, int col);
    void StampWideLeft(int& row, int col);
    void StampWideLeftClosing(int& row, int col);
    void LineRoadside(int trackLength);
    void LineRoadsideRow(int i);
    void LineVerge(int i, int j);
    void FillVergeGap(int i, int j);
    // k is the block's draw, Random(3), already taken.
    void PlaceRoadsideBlock(int i, int j, int k);
    void PlaceParks(int trackLength);
    void PlaceLots(int trackLength);
    void FillGround();

    int8_t Cell(int row, int col) const { return state_.TrackMap.At(row, col, kOutside); }
    bool IsEmpty(int row, int col) const { return Cell(row, col) == kEmpty; }
    // Every write of the generator comes here, so that the columns in use are known per row.
    void Put(int row, int col, int code) {
        if (!TTrackMap::Inside(row, col)) return;
        state_.TrackMap.Set(row, col, static_cast<int8_t>(code));
        if (col < usedFrom_[row]) {
            usedFrom_[row] = static_cast<int16_t>(col);
            ++rangeChanges_;
        }
        if (col > usedTo_[row]) {
            usedTo_[row] = static_cast<int16_t>(col);
            ++rangeChanges_;
        }
    }
    // Writes codes into one row from `col` to the right.
    void PutCodes(int row, int col, std::initializer_list<int> codes);
    // The first and last column written in a row, or kTrackCols + 1 and 0 when none (or when
    // the row lies outside the grid).
    int UsedFrom(int row) const {
        return TTrackMap::Inside(row, 1) ? usedFrom_[row] : kTrackCols + 1;
    }
    int UsedTo(int row) const { return TTrackMap::Inside(row, 1) ? usedTo_[row] : 0; }

    static constexpr int8_t kEmpty = CodeOf(MapCode::Empty);
    // What a read beyond the grid answers: no road code and not empty.
    static constexpr int8_t kOutside = CodeOf(MapCode::Ground);

    TrackState& state_;
    TRandom& random_;
    RoadPiece pieceKind_ = RoadPiece::Straight;
    int pieceRows_ = 0;
    int startColumn_ = kStartColumn;
    // Counts the widenings of any row's used range, so that a pass can tell when its view of
    // the ranges went stale.
    uint32_t rangeChanges_ = 0;
    std::array<int16_t, kTrackRows + 1> usedFrom_{};
    std::array<int16_t, kTrackRows + 1> usedTo_{};
};
