#pragma once
// The local top-ten table: slots 1..10 in descending score order, and slot 11 where a new entry
// waits before the table is re-sorted.

#include <array>
#include <string>

struct THighScore {
    std::string Name;
    int Score = 0;
};

class THighScoreTable {
public:
    THighScoreTable() { ResetTable(); }

    // Ten "ANONYMOUS" entries from 5000 down to 500.
    void ResetTable();
    // True when the score beats at least one of slots 1..10.
    bool IsHighScore(int score) const;
    // Bubble sort over slots 1..11; equal scores keep their order, so a new entry in slot 11
    // ends below every entry with the same score, and whatever ends in slot 11 drops out.
    void SortTable();

    THighScore& Slot(int index) { return slots_[index]; }
    const THighScore& Slot(int index) const { return slots_[index]; }

private:
    std::array<THighScore, 12> slots_{};  // 1..11 used
};
