#pragma once
// The level's road map: 1500 rows by 650 columns of signed cell codes, rows and columns numbered
// from 1. Row 1 is the far end of the track (top of the screen); the player drives towards
// smaller row numbers. Every code is also the pattern of its tile in the picture "Tiles".

#include <array>
#include <cstddef>
#include <cstdint>

constexpr int kTrackRows = 1500;
constexpr int kTrackCols = 650;
constexpr int kCellSize = 72;  // world pixels per cell

// The map cell under a world coordinate: Round(v) div 72 (halves to even).
int MapIndexOf(double v);

class TTrackMap {
public:
    static bool Inside(int row, int col) {
        return row >= 1 && row <= kTrackRows && col >= 1 && col <= kTrackCols;
    }
    // Cells outside the grid read as `outside` and ignore writes. Departs from the original rules,
    // which read a neighbour without asking whether it lies on the map (docs/departures.md).
    int8_t At(int row, int col, int8_t outside = 0) const {
        return Inside(row, col) ? cells_[Index(row, col)] : outside;
    }
    void Set(int row, int col, int8_t code) {
        if (Inside(row, col)) cells_[Index(row, col)] = code;
    }
    void Fill(int8_t code) { cells_.fill(code); }
    // Every cell holding `from` gets `to`.
    void Replace(int8_t from, int8_t to) {
        for (int8_t& cell : cells_) cell = cell == from ? to : cell;
    }
    const int8_t* Data() const { return cells_.data(); }
    // Column 1 of a row inside the grid; for passes that write whole runs of cells they know to
    // lie inside.
    int8_t* Row(int row) { return cells_.data() + static_cast<size_t>(row - 1) * kTrackCols; }

private:
    static size_t Index(int row, int col) {
        return static_cast<size_t>(row - 1) * kTrackCols + static_cast<size_t>(col - 1);
    }
    std::array<int8_t, static_cast<size_t>(kTrackRows) * kTrackCols> cells_{};
};

// The map code under a world point: the cell at row MapIndexOf(y), column MapIndexOf(x); 0
// outside the map. The traffic steers by it and the pedestrians walk by it.
int MapCodeAt(const TTrackMap& map, double x, double y);

// The level parameters that follow from the level number.
struct LevelParams {
    int LevelNumber = 0;
    int TrackLength = 0;  // rows of road, counted up from row 1499
    int TimeLeft = 0;     // milliseconds
    int BonusCount = 0;
    int CarCount = 0;
};

LevelParams LevelParamsFor(int level);
