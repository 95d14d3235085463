#include "track/track_generator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <initializer_list>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int kRowsOfShortPiece = 6;  // straight and drifts
constexpr int kRowsOfLongPiece = 20;  // splits, widenings and their closings

// The codes the roadside and the land passes write, as the numbers the map holds.
constexpr int kGround = CodeOf(MapCode::Ground);
constexpr int kVerticalVerge = CodeOf(MapCode::VerticalVerge);
constexpr int kVergeStrip = CodeOf(MapCode::VergeStrip);
constexpr int kDriftVerge = CodeOf(MapCode::DriftVerge);
constexpr int kCornerTopLeft = CodeOf(MapCode::VergeCornerTopLeft);
constexpr int kCornerTopRight = CodeOf(MapCode::VergeCornerTopRight);
constexpr int kCornerBottomRight = CodeOf(MapCode::VergeCornerBottomRight);
constexpr int kCornerBottomLeft = CodeOf(MapCode::VergeCornerBottomLeft);
constexpr int kFiller = CodeOf(MapCode::Filler);  // and the two variants after it
constexpr int kCornerTop = CodeOf(MapCode::CornerTop);
constexpr int kCornerBottom = CodeOf(MapCode::CornerBottom);
constexpr int kCornerSide = CodeOf(MapCode::CornerSide);
constexpr int kLeftBarrier = CodeOf(MapCode::LeftBarrier);
constexpr int kStripMiddle = CodeOf(MapCode::FillerStripMiddle);
constexpr int kLeftStreetMouth = CodeOf(MapCode::LeftStreetMouth);
constexpr int kRightBarrier = CodeOf(MapCode::RightBarrier);
constexpr int kRightStreetMouth = CodeOf(MapCode::RightStreetMouth);

// The piece that closes a twin road, a six-cell road or a widening: the next in the table.
constexpr RoadPiece ClosingOf(RoadPiece piece) {
    return static_cast<RoadPiece>(static_cast<int>(piece) + 1);
}

bool IsVergeStrip(int code) {
    return code == kVergeStrip || code == kDriftVerge;
}

}  // namespace

void TTrackGenerator::SetUpLevel(int level) {
    state_.Level = LevelParamsFor(level);
    BuildTrack();
}

void TTrackGenerator::SetPiece(RoadPiece kind) {
    const int number = static_cast<int>(kind);
    if (number >= 1 && number <= 3) {
        pieceKind_ = kind;
        pieceRows_ = kRowsOfShortPiece;
    } else if (number >= 4 && number <= 11) {
        pieceKind_ = kind;
        pieceRows_ = kRowsOfLongPiece;
    }
}

bool TTrackGenerator::IsAreaEmpty(int col, int row, int ncols, int nrows) const {
    if (ncols < 1 || nrows < 1) return true;
    // Anything reaching beyond the grid holds a cell that is not empty.
    const int64_t firstRow = static_cast<int64_t>(row) + 1;
    const int64_t lastRow = static_cast<int64_t>(row) + nrows;
    const int64_t lastCol = static_cast<int64_t>(col) + ncols - 1;
    if (firstRow < 1 || lastRow > kTrackRows || col < 1 || lastCol > kTrackCols) return false;
    for (int r = row + 1; r <= row + nrows; ++r) {
        for (int c = col; c < col + ncols; ++c) {
            if (!IsEmpty(r, c)) return false;
        }
    }
    return true;
}

void TTrackGenerator::BuildTrack() {
    // The track never claims more rows than the map has above the start stretch's last row
    // (departs from the original rule, which trusts the length: docs/departures.md).
    const int trackLength = std::clamp(state_.Level.TrackLength, 0, kTrackRows - 1);
    ClearAndStart();
    GrowRoad(trackLength);
    LineRoadside(trackLength);
    PlaceParks(trackLength);
    PlaceLots(trackLength);
    FillGround();
}

void TTrackGenerator::ClearAndStart() {
    state_.ViewCol = kStartViewCol;
    state_.ViewRow = kStartViewRow;
    startColumn_ = std::clamp(StartColumn(), 1, kTrackCols - 3);
    state_.TrackMap.Fill(kEmpty);
    usedFrom_.fill(kTrackCols + 1);
    usedTo_.fill(0);
    for (int row = kStartRow; row <= kTrackRows - 1; ++row) {
        for (int k = 0; k < 4; ++k) Put(row, startColumn_ + k, 1 + k);
    }
    SetPiece(RoadPiece::Straight);
}

// ---------------------------------------------------------------------------------------------
// The road

void TTrackGenerator::GrowRoad(int trackLength) {
    int row = kStartRow;
    while (row > kTrackRows - trackLength) {
        if (pieceRows_ == 0) ChoosePiece(row);
        // The last hundred rows close every piece, so the track ends on a plain straight road.
        if (row < kTrackRows + 100 - trackLength) CloseRoad();
        // The rule is looked up at every column: a closing piece can end in mid-row, and the
        // rest of the row is then copied as straight road.
        for (int col = 1; col <= kTrackCols; ++col) {
            // Every rule starts from a road cell; the empty cells beside the road are skipped.
            // Rules write only above the row, so the row's extent holds while it is scanned.
            col = std::max(col, UsedFrom(row));
            if (col > UsedTo(row)) break;
            ApplyPiece(row, col);
        }
        --row;
        --pieceRows_;
    }
}

void TTrackGenerator::ChoosePiece(int row) {
    switch (pieceKind_) {
        case RoadPiece::Straight: {
            static constexpr RoadPiece kChoices[7] = {
                RoadPiece::Straight,   RoadPiece::DriftLeft,   RoadPiece::DriftRight,
                RoadPiece::TwinRoad,   RoadPiece::SixCellRoad, RoadPiece::WidenedRight,
                RoadPiece::WidenedLeft};
            SetPiece(KeepOffEdges(kChoices[random_.Random(7)], row));
            break;
        }
        case RoadPiece::DriftLeft:
        case RoadPiece::DriftRight:
            // A drift that goes on moves the road further: it is held off the edges too.
            if (random_.Random(2) == 0) {
                SetPiece(KeepOffEdges(pieceKind_, row));
            } else {
                SetPiece(RoadPiece::Straight);
            }
            break;
        case RoadPiece::TwinRoad:
        case RoadPiece::SixCellRoad:
        case RoadPiece::WidenedRight:
        case RoadPiece::WidenedLeft:
            // Laying the same piece again keeps the road where it is; otherwise it closes.
            SetPiece(random_.Random(2) == 0 ? pieceKind_ : ClosingOf(pieceKind_));
            break;
        default:
            break;  // the closing pieces end themselves
    }
}

void TTrackGenerator::CloseRoad() {
    switch (pieceKind_) {
        case RoadPiece::Straight:
        case RoadPiece::DriftLeft:
        case RoadPiece::DriftRight:
            SetPiece(RoadPiece::Straight);
            break;
        case RoadPiece::TwinRoad:
        case RoadPiece::SixCellRoad:
        case RoadPiece::WidenedRight:
        case RoadPiece::WidenedLeft:
            SetPiece(ClosingOf(pieceKind_));
            break;
        default:
            break;
    }
}

// The map has no margin beyond its 650 columns. A road that has wandered within kEdgeMargin
// columns of a side gets a straight piece where it would drift, split or widen towards that
// side. The draws are unchanged, so a road away from the sides is laid exactly as chosen. Departs
// from the original rule, which would lay the road off the map (docs/departures.md).
RoadPiece TTrackGenerator::KeepOffEdges(RoadPiece kind, int row) const {
    bool nearLeft = false;
    bool nearRight = false;
    for (int k = 0; k <= kEdgeMargin; ++k) {
        nearLeft = nearLeft || !IsEmpty(row, 1 + k);
        nearRight = nearRight || !IsEmpty(row, kTrackCols - k);
    }
    // Drift left, split and the six-cell road reach further left; the five-cell road widened to
    // the left too. Drift right, split, six-cell road and the road widened to the right reach
    // further right.
    const bool towardsLeft = kind == RoadPiece::DriftLeft || kind == RoadPiece::TwinRoad ||
                             kind == RoadPiece::SixCellRoad || kind == RoadPiece::WidenedLeft;
    const bool towardsRight = kind == RoadPiece::DriftRight || kind == RoadPiece::TwinRoad ||
                              kind == RoadPiece::SixCellRoad || kind == RoadPiece::WidenedRight;
    if ((nearLeft && towardsLeft) || (nearRight && towardsRight)) return RoadPiece::Straight;
    return kind;
}

void TTrackGenerator::ApplyPiece(int& row, int col) {
    switch (pieceKind_) {
        case RoadPiece::Straight:
        case RoadPiece::DriftLeft:
        case RoadPiece::DriftRight:
            CopyRow(row, col);
            break;
        case RoadPiece::TwinRoad:
            StampTwin(row, col);
            break;
        case RoadPiece::TwinRoadClosing:
            StampTwinClosing(row, col);
            break;
        case RoadPiece::SixCellRoad:
            StampSixCell(row, col);
            break;
        case RoadPiece::SixCellRoadClosing:
            StampSixCellClosing(row, col);
            break;
        case RoadPiece::WidenedRight:
            StampWideRight(row, col);
            break;
        case RoadPiece::WidenedRightClosing:
            StampWideRightClosing(row, col);
            break;
        case RoadPiece::WidenedLeft:
            StampWideLeft(row, col);
            break;
        case RoadPiece::WidenedLeftClosing:
            StampWideLeftClosing(row, col);
            break;
    }
}

// Straight road copies itself; a drift moves the road one column every two rows, the first
// phase in place and the second one column over. The straight piece undoes any phase within
// two rows.
void TTrackGenerator::CopyRow(int row, int col) {
    const int v = Cell(row, col);
    const int above = row - 1;
    if (v < 1 || v > 20) return;
    switch (pieceKind_) {
        case RoadPiece::Straight:
            if (v <= 4) {
                Put(above, col, v);
            } else if (v <= 8) {
                Put(above, col + 1, v + 4);
            } else if (v <= 12) {
                Put(above, col, v - 8);
            } else if (v <= 16) {
                Put(above, col - 1, v + 4);
            } else {
                Put(above, col, 21 - v);
            }
            break;
        case RoadPiece::DriftLeft:
            if (v <= 4) {
                Put(above, col, 17 - v);
            } else if (v >= 13 && v <= 16) {
                Put(above, col - 1, v + 4);
            } else if (v >= 17) {
                Put(above, col, v - 4);
            }
            break;
        case RoadPiece::DriftRight:
            if (v <= 4) {
                Put(above, col, v + 4);
            } else if (v <= 8) {
                Put(above, col + 1, v + 4);
            } else if (v <= 12) {
                Put(above, col, v - 4);
            }
            break;
        default:
            break;
    }
}

void TTrackGenerator::PutCodes(int row, int col, std::initializer_list<int> codes) {
    for (const int code : codes) Put(row, col++, code);
}

// Each stamp tests for a road's left edge (code 1) at col; a stamp that lays a transition moves
// the row counter past it, and the scan goes on along the new row.

void TTrackGenerator::StampTwin(int& row, int col) {
    if (Cell(row, col) == 1 && Cell(row, col + 4) != 1 && Cell(row, col - 4) != 1) {
        PutCodes(row - 1, col, {16, 15, 7, 8});
        PutCodes(row - 2, col - 1, {20, 19, 18, 10, 11, 12});
        PutCodes(row - 3, col - 1, {16, 15, 14, 6, 7, 8});
        PutCodes(row - 4, col - 2, {20, 19, 18, 17, 9, 10, 11, 12});
        PutCodes(row - 5, col - 2, {1, 2, 3, 4, 1, 2, 3, 4});
        row -= 4;
    }
    if (Cell(row, col) == 1 && Cell(row, col + 4) == 1) {
        PutCodes(row - 1, col, {1, 2, 3, 4, 1, 2, 3, 4});
    }
}

void TTrackGenerator::StampTwinClosing(int& row, int col) {
    if (Cell(row, col) == 1 && Cell(row, col + 4) == 1) {
        PutCodes(row - 1, col, {5, 6, 7, 8, 16, 15, 14, 13});
        PutCodes(row - 2, col + 1, {9, 10, 11, 19, 18, 17});
        PutCodes(row - 3, col + 1, {5, 6, 7, 15, 14, 13});
        PutCodes(row - 4, col + 2, {9, 10, 18, 17});
        PutCodes(row - 5, col + 2, {1, 2, 3, 4});
        row -= 4;
    }
    if (Cell(row, col) == 1 && Cell(row, col + 4) != 1 && Cell(row, col - 4) != 1) {
        PutCodes(row - 1, col, {1, 2, 3, 4});
        SetPiece(RoadPiece::Straight);
    }
}

void TTrackGenerator::StampSixCell(int& row, int col) {
    if (Cell(row, col) == 1 && Cell(row, col + 2) == 21) {
        PutCodes(row - 1, col, {1, 2, 21, 22, 3, 4});
    }
    if (Cell(row, col) == 1 && Cell(row, col + 2) != 21) {
        PutCodes(row - 1, col, {16, 15, 7, 8});
        PutCodes(row - 2, col - 1, {20, 19, 18, 10, 11, 12});
        PutCodes(row - 3, col - 1, {1, 2, 21, 22, 3, 4});
        row -= 2;
    }
}

void TTrackGenerator::StampSixCellClosing(int& row, int col) {
    if (Cell(row, col) == 1 && Cell(row, col + 2) != 21) {
        PutCodes(row - 1, col, {1, 2, 3, 4});
        SetPiece(RoadPiece::Straight);
    }
    if (Cell(row, col) == 1 && Cell(row, col + 2) == 21) {
        PutCodes(row - 1, col, {5, 6, 7, 15, 14, 13});
        PutCodes(row - 2, col + 1, {9, 10, 18, 17});
        PutCodes(row - 3, col + 1, {1, 2, 3, 4});
        row -= 2;
    }
}

void TTrackGenerator::StampWideRight(int& row, int col) {
    if (Cell(row, col) == 1 && Cell(row, col + 2) == 22) {
        PutCodes(row - 1, col, {1, 34, 22, 3, 4});
    }
    if (Cell(row, col) == 1 && Cell(row, col + 2) == 3) {
        PutCodes(row - 1, col, {1, 33, 7, 8});
        PutCodes(row - 2, col, {1, 33, 10, 11, 12});
        PutCodes(row - 3, col, {1, 34, 22, 3, 4});
        row -= 2;
    }
}

void TTrackGenerator::StampWideRightClosing(int& row, int col) {
    if (Cell(row, col) == 1 && Cell(row, col + 2) == 3) {
        PutCodes(row - 1, col, {1, 2, 3, 4});
        SetPiece(RoadPiece::Straight);
    }
    if (Cell(row, col) == 1 && Cell(row, col + 2) == 22) {
        PutCodes(row - 1, col, {1, 33, 15, 14, 13});
        PutCodes(row - 2, col, {1, 33, 18, 17});
        PutCodes(row - 3, col, {1, 2, 3, 4});
        row -= 2;
    }
}

void TTrackGenerator::StampWideLeft(int& row, int col) {
    if (Cell(row, col) == 1 && Cell(row, col + 2) == 21) {
        PutCodes(row - 1, col, {1, 2, 21, 35, 4});
    }
    if (Cell(row, col) == 1 && Cell(row, col + 2) == 3) {
        PutCodes(row - 1, col, {16, 15, 33, 4});
        PutCodes(row - 2, col - 1, {20, 19, 18, 33, 4});
        PutCodes(row - 3, col - 1, {1, 2, 21, 35, 4});
        row -= 2;
    }
}

void TTrackGenerator::StampWideLeftClosing(int& row, int col) {
    if (Cell(row, col) == 1 && Cell(row, col + 2) == 3) {
        PutCodes(row - 1, col, {1, 2, 3, 4});
        SetPiece(RoadPiece::Straight);
    }
    if (Cell(row, col) == 1 && Cell(row, col + 2) == 21) {
        PutCodes(row - 1, col, {5, 6, 7, 33, 4});
        PutCodes(row - 2, col + 1, {9, 10, 33, 4});
        PutCodes(row - 3, col + 1, {1, 2, 3, 4});
        row -= 2;
    }
}

// ---------------------------------------------------------------------------------------------
// The roadside

// The steps at (i, j) read rows i to i + 4 (and row i + 5 only once the others found verges),
// columns j - 2 to j + 4. Where all of those are empty nothing can happen but the block draw,
// so the scan only draws there; it works through the band of columns in use around the road.
void TTrackGenerator::LineRoadside(int trackLength) {
    for (int i = kTrackRows - 2; i >= kTrackRows - trackLength; --i) LineRoadsideRow(i);
}

namespace {

// The road edges a verge is laid beside: at the column itself (left edges) or two columns to
// its left (right edges). Indexed by the code as an unsigned byte.
constexpr std::array<bool, 256> EdgeTable(bool (*isEdge)(int)) {
    std::array<bool, 256> table{};
    for (int code = -128; code <= 127; ++code) table[static_cast<uint8_t>(code)] = isEdge(code);
    return table;
}
constexpr std::array<bool, 256> kLeftEdge = EdgeTable(IsLeftEdgeCode);
constexpr std::array<bool, 256> kRightEdge = EdgeTable(IsRightEdgeCode);

}  // namespace

// Most columns of the band do nothing but the block draw, so each step is first asked, on the
// cells it would read, whether it can act at all; only then does it run with its full tests.
void TTrackGenerator::LineRoadsideRow(int i) {
    constexpr int kFirstCol = 3;
    constexpr int kLastCol = kTrackCols - 5;
    const bool drawsBlocks = i < kTrackRows - 5;
    const bool fillsGaps = i < kTrackRows - 3;
    // The row's draws come from a copy of the generator, kept out of memory that the cell
    // writes might alias; the steps that draw for themselves get it back first.
    TRandom random = random_;
    auto skip = [&random, drawsBlocks](int count) {
        if (drawsBlocks && count > 0) random.Skip(static_cast<uint32_t>(count));
    };
    // Rows i and i + 1 are inside the grid (i is at most 1498); each read is of a column from
    // 1 to 649.
    TTrackMap& map = state_.TrackMap;
    const int8_t* row0 = map.Row(i) - 1;  // row0[c] is column c
    const int8_t* row1 = map.Row(i + 1) - 1;
    uint32_t rangesSeen = rangeChanges_ - 1;
    int usedFrom = 0;
    int usedTo = 0;
    int j = kFirstCol;
    while (j <= kLastCol) {
        // The steps widen the rows' used ranges as they write; the band follows.
        if (rangesSeen != rangeChanges_) {
            rangesSeen = rangeChanges_;
            usedFrom = kTrackCols + 1;
            usedTo = 0;
            for (int r = i; r <= i + 4; ++r) {
                usedFrom = std::min(usedFrom, UsedFrom(r));
                usedTo = std::max(usedTo, UsedTo(r));
            }
        }
        if (j + 4 < usedFrom) {
            const int next = std::min(usedFrom - 4, kLastCol + 1);
            skip(next - j);
            j = next;
            continue;
        }
        if (j - 2 > usedTo) {
            skip(kLastCol + 1 - j);
            break;
        }
        if (row0[j - 1] == kEmpty && (kLeftEdge[static_cast<uint8_t>(row0[j])] ||
                                      kRightEdge[static_cast<uint8_t>(row0[j - 2])])) {
            LineVerge(i, j);
        }
        if (fillsGaps &&
            (IsVergeStrip(row1[j]) || row1[j - 1] == kVergeStrip || row1[j + 1] == kVergeStrip)) {
            random_ = random;
            FillVergeGap(i, j);
            random = random_;
        }
        if (drawsBlocks) {
            const int k = random.Random(3);
            // A block needs a straight verge beside it, in the first of its rows at least.
            const int side = k == 2 ? j + 1 : j + 4;
            if (row1[side] == kVerticalVerge || row1[j - 1] == kVerticalVerge) {
                random_ = random;
                PlaceRoadsideBlock(i, j, k);
                random = random_;
            }
        }
        ++j;
    }
    random_ = random;
}

// Verges on the cell left of j: vertical beside straight edges, strips and corners beside the
// rows of a drift. All tests run once the cell was found empty, each reading the grid afresh.
void TTrackGenerator::LineVerge(int i, int j) {
    if (!IsEmpty(i, j - 1)) return;
    // Nothing happens unless a road edge lies at j or at j - 2.
    const int here = Cell(i, j);
    const int twoLeft = Cell(i, j - 2);
    const bool edgeHere = here == 1 || here == 9 || here == 20 || here == 5 || here == 16;
    const bool edgeLeft =
        twoLeft == 4 || twoLeft == 12 || twoLeft == 8 || twoLeft == 17 || twoLeft == 13;
    if (!edgeHere && !edgeLeft) return;

    const int stripFrom = j <= 25 ? 1 : j - 10;
    const int stripTo = j >= 625 ? kTrackCols : j + 10;
    auto strip = [this, i](int from, int to) {
        for (int c = from; c <= to; ++c) Put(i, c, kVergeStrip);
    };
    if (Cell(i, j) == 1) Put(i, j - 1, kVerticalVerge);
    if (Cell(i, j) == 9) {
        Put(i, j - 1, kCornerBottomRight);
        Put(i, j - 2, kCornerTopLeft);
    }
    if (Cell(i, j) == 20) Put(i, j - 1, kVerticalVerge);
    if (Cell(i, j) == 5) {
        Put(i, j - 1, kDriftVerge);
        strip(stripFrom, j - 2);
    }
    if (Cell(i, j) == 16) {
        Put(i, j - 1, kCornerTopRight);
        Put(i, j - 2, kDriftVerge);
        strip(stripFrom, j - 3);
    }
    if (Cell(i, j - 2) == 4) Put(i, j - 1, kVerticalVerge);
    if (Cell(i, j - 2) == 12) Put(i, j - 1, kDriftVerge);
    if (Cell(i, j - 2) == 8) {
        Put(i, j - 1, kCornerTopLeft);
        Put(i, j, kCornerBottomRight);
    }
    if (Cell(i, j - 2) == 17) {
        Put(i, j - 1, kCornerBottomLeft);
        Put(i, j, kCornerTopRight);
    }
    if (Cell(i, j - 2) == 13) {
        Put(i, j - 1, kDriftVerge);
        strip(j, stripTo);
    }
    if (Cell(i, j - 2) == 12) strip(j, stripTo);
}

// Fillers in the gaps between verge strips one row apart, and corner groups where a strip ends.
void TTrackGenerator::FillVergeGap(int i, int j) {
    if (IsVergeStrip(Cell(i + 1, j)) && IsEmpty(i + 2, j) && IsVergeStrip(Cell(i + 3, j))) {
        Put(i + 2, j, kFiller + random_.Random(3));
    }
    if (Cell(i + 1, j + 1) == kVergeStrip && IsEmpty(i + 1, j) && IsEmpty(i + 2, j) &&
        IsEmpty(i + 2, j + 1)) {
        Put(i + 1, j, kCornerTop);
        Put(i + 2, j, kCornerBottom);
        Put(i + 2, j + 1, kCornerSide);
    }
    if (Cell(i + 1, j - 1) == kVergeStrip && IsEmpty(i + 1, j) && IsEmpty(i + 2, j) &&
        IsEmpty(i + 2, j + 1)) {
        Put(i, j, kCornerTop);
        Put(i + 1, j, kCornerBottom);
        Put(i + 1, j + 1, kCornerSide);
    }
}

// Beside four rows of straight verge: a walled block, a yard with an optional side street, or
// a barrier strip, each only on land that is still empty.
void TTrackGenerator::PlaceRoadsideBlock(int i, int j, int k) {
    auto isVerticalVerge = [this, i](int col) {
        for (int r = i + 1; r <= i + 4; ++r) {
            if (Cell(r, col) != kVerticalVerge) return false;
        }
        return true;
    };
    auto streetStrip = [this](int row, int from, int to) {
        for (int c = std::max(from, 1); c <= std::min(to, kTrackCols); ++c) {
            Put(row, c, kVergeStrip);
        }
    };
    if (k == 0 || k == 1) {
        const bool roadRight = isVerticalVerge(j + 4);
        const bool roadLeft = isVerticalVerge(j - 1);
        if (!(roadRight || roadLeft) || !IsAreaEmpty(j, i, 4, 4)) return;
        if (k == 0) {
            static constexpr int kWalledBlock[4][4] = {
                {0, 40, 40, 40}, {41, 45, 46, 44}, {41, 47, 48, 44}, {41, 42, 42, 43}};
            for (int r = 0; r < 4; ++r) {
                for (int c = 0; c < 4; ++c) Put(i + 1 + r, j + c, kWalledBlock[r][c]);
            }
            return;
        }
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) Put(i + 2 + r, j + 1 + c, 49 + 3 * r + c);
        }
        // A side street runs from the yard's top row out through the road's verge.
        if (roadRight && random_.Random(2) == 0) {
            Put(i + 1, j + 4, kLeftStreetMouth);
            streetStrip(i + 1, j - 17, j + 3);
        }
        if (roadLeft && random_.Random(2) == 0) {
            Put(i + 1, j - 1, kRightStreetMouth);
            streetStrip(i + 1, j, j + 20);
        }
        return;
    }
    // The free test comes first in the game; it has no effect of its own, so the cheap verge
    // tests may go before it.
    const bool roadRight = isVerticalVerge(j + 1);
    const bool roadLeft = isVerticalVerge(j - 1);
    if (!(roadRight || roadLeft) || !IsAreaEmpty(j, i, 1, 5)) return;
    if (roadRight) {
        static constexpr int kLeftStrip[5] = {0, kLeftBarrier, kStripMiddle, kLeftBarrier, 0};
        for (int r = 0; r < 5; ++r) Put(i + 1 + r, j, kLeftStrip[r]);
    }
    if (roadLeft) {
        static constexpr int kRightStrip[5] = {0, kRightBarrier, kStripMiddle, kRightBarrier, 0};
        for (int r = 0; r < 5; ++r) Put(i + 1 + r, j, kRightStrip[r]);
    }
}

// ---------------------------------------------------------------------------------------------
// The land

namespace {

// One bit per column of one row of the map: bit c - 1 for column c.
constexpr int kColumnWords = (kTrackCols + 63) / 64;
using ColumnBits = std::array<uint64_t, kColumnWords>;
constexpr int kNoBit = kColumnWords * 64;

// The bits of a word from bit `from` up: all of them for from <= 0, none for from >= 64.
uint64_t BitsFrom(int from) {
    if (from <= 0) return ~uint64_t{0};
    if (from >= 64) return 0;
    return ~uint64_t{0} << from;
}

// The first set bit from bit `from` on, or kNoBit.
int NextSetBit(const ColumnBits& bits, int from) {
    if (from >= kNoBit) return kNoBit;
    int w = from / 64;
    uint64_t word = bits[w] & (~uint64_t{0} << (from % 64));
    while (word == 0) {
        if (++w == kColumnWords) return kNoBit;
        word = bits[w];
    }
    return w * 64 + std::countr_zero(word);
}

// Bit b of the result is bit b + count of the input (0 < count < 64).
ColumnBits ShiftedDown(const ColumnBits& bits, int count) {
    ColumnBits out{};
    for (int w = 0; w < kColumnWords; ++w) {
        uint64_t word = bits[w] >> count;
        if (w + 1 < kColumnWords) word |= bits[w + 1] << (64 - count);
        out[w] = word;
    }
    return out;
}

// Bit k is set when cells[k] is empty (-1), for eight cells at once: a byte is 0xFF exactly when
// its complement is zero, and the zero bytes' flags are gathered into the top byte.
uint64_t EmptyCellsOfEight(const int8_t* cells) {
    uint64_t x = 0;
    std::memcpy(&x, cells, sizeof(x));
    const uint64_t complement = ~x;
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const uint64_t zeroBytes = ~(((complement & kLow7) + kLow7) | complement | kLow7);
    return ((zeroBytes >> 7) * 0x0102040810204080ULL) >> 56;
}

// The parks and lots passes ask "is the block of `Depth` rows below row i and `Width` columns
// from column j empty?" at every cell of the land. This keeps the empty cells of those rows as
// bit rows, so that one row's answers for all columns come from a few word operations.
template <int Depth, int Width>
class EmptyBlocks {
public:
    explicit EmptyBlocks(const TTrackMap& map) : map_(map) {}

    // The block rows of row i are i + 1 to i + Depth.
    void Start(int row) {
        row_ = row;
        for (int r = 0; r < Depth; ++r) rows_[r] = EmptyColumns(row + 1 + r);
    }
    void Advance() {
        ++row_;
        for (int r = 0; r + 1 < Depth; ++r) rows_[r] = rows_[r + 1];
        rows_[Depth - 1] = EmptyColumns(row_ + Depth);
    }
    // Bit j - 1 is set when the block from column j is empty, as IsAreaEmpty(j, row, Width,
    // Depth) would answer; blocks reaching past the last column are never empty.
    ColumnBits EmptyBlockStarts() const {
        ColumnBits all = rows_[0];
        for (int r = 1; r < Depth; ++r) {
            for (int w = 0; w < kColumnWords; ++w) all[w] &= rows_[r][w];
        }
        // Runs of `width` empty columns, found by doubling: runs of 2, of 4, then the rest.
        ColumnBits starts = all;
        int covered = 1;
        while (covered * 2 <= Width) {
            const ColumnBits shifted = ShiftedDown(starts, covered);
            for (int w = 0; w < kColumnWords; ++w) starts[w] &= shifted[w];
            covered *= 2;
        }
        if (covered < Width) {
            const ColumnBits shifted = ShiftedDown(starts, Width - covered);
            for (int w = 0; w < kColumnWords; ++w) starts[w] &= shifted[w];
        }
        return starts;
    }
    // A stamp filled rows row+1+firstRow.. of columns col..col+ncols-1 (at most 64 columns).
    void Fill(int col, int ncols, int firstRow, int nrows) {
        // The run of ncols bits from bit col - 1 lies in one word or straddles two.
        const int bit = col - 1;
        const int w = bit / 64;
        const int offset = bit % 64;
        const uint64_t run = ncols >= 64 ? ~uint64_t{0} : (uint64_t{1} << ncols) - 1;
        const uint64_t low = run << offset;
        const uint64_t high = offset + ncols > 64 ? run >> (64 - offset) : 0;
        for (int r = firstRow; r < firstRow + nrows; ++r) {
            rows_[r][w] &= ~low;
            if (high != 0 && w + 1 < kColumnWords) rows_[r][w + 1] &= ~high;
        }
    }

private:
    // Rows beyond the grid hold no empty cell.
    ColumnBits EmptyColumns(int row) const {
        ColumnBits bits{};
        if (!TTrackMap::Inside(row, 1)) return bits;
        const int8_t* cells = map_.Data() + static_cast<size_t>(row - 1) * kTrackCols;
        int col = 0;  // counted from 0 here
#if defined(__SSE2__)
        // Sixteen cells at a time: their bytes compared with -1, the answers gathered in a mask;
        // four masks make a word.
        const __m128i emptyCode = _mm_set1_epi8(-1);
        auto emptyOfSixteen = [&](int from) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells + from));
            return static_cast<uint64_t>(
                static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, emptyCode))));
        };
        for (; col + 64 <= kTrackCols; col += 64) {
            bits[col / 64] = emptyOfSixteen(col) | emptyOfSixteen(col + 16) << 16 |
                             emptyOfSixteen(col + 32) << 32 | emptyOfSixteen(col + 48) << 48;
        }
#endif
        for (; col + 8 <= kTrackCols; col += 8) {
            bits[col / 64] |= EmptyCellsOfEight(cells + col) << (col % 64);
        }
        for (; col < kTrackCols; ++col) {
            bits[col / 64] |= (cells[col] == -1 ? uint64_t{1} : 0) << (col % 64);
        }
        return bits;
    }

    const TTrackMap& map_;
    int row_ = 0;
    std::array<ColumnBits, Depth> rows_{};
};

}  // namespace

// A park is five by five cells: a verge frame around three rows of grass, trees and ponds. It
// lies in rows i + 1 to i + 5 (i is at most 1495) and columns j to j + 4 (j at most 645), always
// inside the grid, so its rows are written straight.
void TTrackGenerator::PlaceParks(int trackLength) {
    constexpr int kSize = 5;
    constexpr int kLastStartBit = kTrackCols - 6;  // bit j - 1 of the last column j, 645
    // Locals, so that the compiler need not reload them after every cell written.
    TTrackMap& map = state_.TrackMap;
    // A copy of the generator, handed back at the end: the cells are written through byte
    // pointers, which may alias anything, and the compiler would otherwise reload the seed after
    // every cell.
    TRandom random = random_;
    const int firstRow = kTrackRows - 1 - trackLength;
    EmptyBlocks<kSize, kSize> empty(map);
    std::array<int, 9> fillers{};
    for (int i = firstRow; i <= kTrackRows - 5; ++i) {
        if (i == firstRow) {
            empty.Start(i);
        } else {
            empty.Advance();
        }
        // Bit j - 1 stands for the block from column j. The candidates are visited word by
        // word; a park placed takes its columns out of the rest of the row.
        const ColumnBits starts = empty.EmptyBlockStarts();
        int firstFree = 0;  // the lowest bit still open in this row
        for (int w = 0; w < kColumnWords && firstFree <= kLastStartBit; ++w) {
            uint64_t word = starts[w] & BitsFrom(firstFree - w * 64);
            // The last word holds no block past the last column.
            if (w == kLastStartBit / 64) word &= ~BitsFrom(kLastStartBit % 64 + 1);
            while (word != 0) {
                // Where the candidate lies is worked out only for the one in four that is taken.
                const uint64_t candidates = word;
                word &= word - 1;
                if (random.Random(4) != 0) continue;
                const int bit = w * 64 + std::countr_zero(candidates);
                const int j = bit + 1;
                int8_t* cells = map.Row(i + 1) + (j - 1);
                cells[0] = kCornerTopLeft;
                cells[1] = cells[2] = cells[3] = kVergeStrip;
                cells[4] = kCornerTopRight;
                // The nine grass, tree and pond cells, row by row.
                random.RandomRun(3, fillers);
                for (int r = 0; r < 3; ++r) {
                    cells = map.Row(i + 2 + r) + (j - 1);
                    cells[0] = kVerticalVerge;
                    for (int c = 0; c < 3; ++c)
                        cells[1 + c] = static_cast<int8_t>(kFiller + fillers[3 * r + c]);
                    cells[4] = kVerticalVerge;
                }
                cells = map.Row(i + 5) + (j - 1);
                cells[0] = kCornerBottomLeft;
                cells[1] = cells[2] = cells[3] = kVergeStrip;
                cells[4] = kCornerBottomRight;
                empty.Fill(j, kSize, 0, kSize);
                // Every block up to the park's last column now holds park cells.
                firstFree = bit + kSize;
                word &= BitsFrom(firstFree - w * 64);
            }
        }
    }
    random_ = random;
}

// A lot claims the top-left two by two cells of an empty four by four block, so lots stand at
// least two cells apart. Like the parks, lots lie inside the grid.
void TTrackGenerator::PlaceLots(int trackLength) {
    constexpr int kSize = 4;
    TTrackMap& map = state_.TrackMap;
    TRandom random = random_;  // handed back at the end, as in the parks pass
    const int firstRow = kTrackRows - 1 - trackLength;
    EmptyBlocks<kSize, kSize> empty(map);
    for (int i = firstRow; i <= kTrackRows - 5; ++i) {
        if (i == firstRow) {
            empty.Start(i);
        } else {
            empty.Advance();
        }
        const ColumnBits starts = empty.EmptyBlockStarts();
        for (int j = NextSetBit(starts, 0) + 1; j <= kTrackCols - 5;
             j = NextSetBit(starts, j) + 1) {
            int8_t* top = map.Row(i + 1) + (j - 1);
            int8_t* bottom = map.Row(i + 2) + (j - 1);
            if (random.Random(2) == 0) {
                top[0] = 45;
                top[1] = 46;
                bottom[0] = 47;
                bottom[1] = 48;
            } else {
                top[0] = kCornerTop;
                top[1] = static_cast<int8_t>(31 + random.Random(2));
                bottom[0] = kCornerBottom;
                bottom[1] = kCornerSide;
            }
            empty.Fill(j, 2, 0, 2);
            j += 1;  // the next block holds the lot's right column
        }
    }
    random_ = random;
}

void TTrackGenerator::FillGround() {
    state_.TrackMap.Replace(kEmpty, kGround);
}
