#include "persist/high_score_table.h"

#include <utility>

void THighScoreTable::ResetTable() {
    for (int i = 1; i <= 10; ++i) {
        slots_[i].Name = "ANONYMOUS";
        slots_[i].Score = 5500 - 500 * i;
    }
}

bool THighScoreTable::IsHighScore(int score) const {
    for (int i = 1; i <= 10; ++i)
        if (score > slots_[i].Score) return true;
    return false;
}

void THighScoreTable::SortTable() {
    for (int pass = 1; pass <= 10; ++pass)
        for (int s = 1; s <= 11 - pass; ++s)
            if (slots_[s].Score < slots_[s + 1].Score) std::swap(slots_[s], slots_[s + 1]);
}
