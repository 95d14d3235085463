#include "track/track_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <set>
#include <vector>

#include "track/track_test_maps.h"

namespace {

using track_test::FirstRoadRow;
using track_test::GeneratedTrack;
using track_test::MapCell;
using track_test::MapSurvey;
using track_test::RoadRun;
using track_test::SurveyOf;
using track_test::ValidRoadRows;

using Codes = std::vector<int>;

// ------------------------------------------------------------------------------------------------
// One map per level, each from its own seed; levels 6 and beyond all have the full length.

class EveryLevel : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        track_ = &GeneratedTrack(GetParam(), 1000u + GetParam());
        survey_ = &SurveyOf(*track_);
    }
    const TrackState& Track() const { return *track_; }
    const MapSurvey& Survey() const { return *survey_; }
    int At(int row, int col) const { return track_->TrackMap.At(row, col); }
    // The one road run of a road row.
    const RoadRun& RoadOf(int row) const { return survey_->runs[static_cast<size_t>(row)].at(0); }

    // What every generated map shows; each check is described where it is defined.
    void SetsTheLevelParametersAndTheStartView() const;
    void LeavesNoEmptyCell() const;
    void StartsOnTheStraightStretch() const;
    void BottomRowHoldsGroundOrParkBottomsOnly() const;
    void EveryRoadRowIsOneValidRoad() const;
    void ClosingZoneIsPlainStraightRoad() const;
    void RowsBeyondTheTrackArePlainGround() const;
    void RoadRowsJoinUp() const;
    void VergesLineTheRoad() const;
    void SideStreetsLeadToYards() const;
    void StampsAreWhole() const;

private:
    const TrackState* track_ = nullptr;
    const MapSurvey* survey_ = nullptr;
};

void EveryLevel::SetsTheLevelParametersAndTheStartView() const {
    const TrackState& track = Track();
    const LevelParams expected = LevelParamsFor(GetParam());
    EXPECT_EQ(track.Level.LevelNumber, expected.LevelNumber);
    EXPECT_EQ(track.Level.TrackLength, expected.TrackLength);
    EXPECT_EQ(track.Level.TimeLeft, expected.TimeLeft);
    EXPECT_EQ(track.Level.BonusCount, expected.BonusCount);
    EXPECT_EQ(track.Level.CarCount, expected.CarCount);
    EXPECT_EQ(track.ViewCol, 318);
    EXPECT_EQ(track.ViewRow, 1488);
}

void EveryLevel::LeavesNoEmptyCell() const {
    EXPECT_EQ(Survey().Count(-1), 0);
}

void EveryLevel::StartsOnTheStraightStretch() const {
    for (int row = 1480; row <= 1499; ++row) {
        const std::vector<RoadRun>& runs = Survey().runs[row];
        ASSERT_EQ(runs.size(), 1u) << "row " << row;
        EXPECT_EQ(runs[0].firstCol, 321) << "row " << row;
        EXPECT_EQ(runs[0].codes, (Codes{1, 2, 3, 4})) << "row " << row;
    }
}

// Row 1500 lies below the road: plain ground, or the bottom row of a park.
void EveryLevel::BottomRowHoldsGroundOrParkBottomsOnly() const {
    for (int col = 1; col <= kTrackCols; ++col) {
        const int code = At(kTrackRows, col);
        if (code == 0) continue;
        ASSERT_EQ(code, 29) << "column " << col;
        for (int k = 1; k <= 3; ++k) EXPECT_EQ(At(kTrackRows, col + k), 24);
        EXPECT_EQ(At(kTrackRows, col + 4), 28);
        col += 4;
    }
}

void EveryLevel::EveryRoadRowIsOneValidRoad() const {
    const int first = FirstRoadRow(Track());
    for (int row = first; row <= 1499; ++row) {
        const std::vector<RoadRun>& runs = Survey().runs[row];
        ASSERT_EQ(runs.size(), 1u) << "row " << row;
        EXPECT_TRUE(ValidRoadRows().count(runs[0].codes) == 1) << "row " << row;
    }
}

// The track ends on a plain road: the closing zone merges and narrows whatever is open.
void EveryLevel::ClosingZoneIsPlainStraightRoad() const {
    const int first = FirstRoadRow(Track());
    int col = 0;
    for (int row = first; row <= first + 90; ++row) {
        const std::vector<RoadRun>& runs = Survey().runs[row];
        ASSERT_EQ(runs.size(), 1u) << "row " << row;
        EXPECT_EQ(runs[0].codes, (Codes{1, 2, 3, 4})) << "row " << row;
        if (row == first) col = runs[0].firstCol;
        EXPECT_EQ(runs[0].firstCol, col) << "row " << row;
    }
}

// Nothing claims the rows beyond the end of the track.
void EveryLevel::RowsBeyondTheTrackArePlainGround() const {
    const int8_t* cells = Track().TrackMap.Data();
    const int beyond = (FirstRoadRow(Track()) - 1) * kTrackCols;
    EXPECT_EQ(std::count(cells, cells + beyond, 0), beyond);
}

// From one row to the next each side of the road moves by one column at most, also in splits,
// merges and widenings, so the road never breaks.
void EveryLevel::RoadRowsJoinUp() const {
    const int first = FirstRoadRow(Track());
    for (int row = first; row < 1499; ++row) {
        const RoadRun& above = RoadOf(row);
        const RoadRun& below = RoadOf(row + 1);
        EXPECT_LE(std::abs(above.firstCol - below.firstCol), 1) << "row " << row;
        EXPECT_LE(std::abs(above.LastCol() - below.LastCol()), 1) << "row " << row;
    }
}

// The roadside pass lines every road row (not the start row 1499, which it does not visit): a
// vertical verge beside a left or right edge cell, corner and drift verges beside the drift
// phases. A vertical verge may have become a side street's mouth.
void EveryLevel::VergesLineTheRoad() const {
    const int first = FirstRoadRow(Track());
    for (int row = first; row <= 1498; ++row) {
        const RoadRun& run = RoadOf(row);
        const int c = run.firstCol;
        const int e = run.LastCol();
        const int left = At(row, c - 1);
        const int right = At(row, e + 1);
        switch (run.codes.front()) {
            case 1:
                EXPECT_TRUE(left == 23 || left == 58) << "row " << row << " left " << left;
                break;
            case 20:
                EXPECT_EQ(left, 23) << "row " << row;
                break;
            case 5:
                EXPECT_EQ(left, 25) << "row " << row;
                break;
            case 9:
                EXPECT_EQ(left, 28) << "row " << row;
                EXPECT_EQ(At(row, c - 2), 26) << "row " << row;
                break;
            case 16:
                EXPECT_EQ(left, 27) << "row " << row;
                EXPECT_EQ(At(row, c - 2), 25) << "row " << row;
                break;
            default:
                ADD_FAILURE() << "row " << row << " starts with " << run.codes.front();
        }
        switch (run.codes.back()) {
            case 4:
                EXPECT_TRUE(right == 23 || right == 60) << "row " << row << " right " << right;
                break;
            case 12:
            case 13:
                EXPECT_EQ(right, 25) << "row " << row;
                EXPECT_EQ(At(row, e + 2), 24) << "row " << row;
                break;
            case 8:
                EXPECT_EQ(right, 26) << "row " << row;
                EXPECT_EQ(At(row, e + 2), 28) << "row " << row;
                break;
            case 17:
                EXPECT_EQ(right, 29) << "row " << row;
                EXPECT_EQ(At(row, e + 2), 27) << "row " << row;
                break;
            default:
                ADD_FAILURE() << "row " << row << " ends with " << run.codes.back();
        }
    }
}

// A side street's mouth opens from a yard: the yard lies below the street, which runs along the
// mouth's row away from the road.
void EveryLevel::SideStreetsLeadToYards() const {
    for (const int code : {58, 60}) {
        for (const MapCell& mouth : Survey().CellsOf(code)) {
            const int yardCol = code == 58 ? mouth.col - 3 : mouth.col + 2;
            const int streetCol = code == 58 ? mouth.col - 1 : mouth.col + 1;
            EXPECT_EQ(At(mouth.row, streetCol), 24) << mouth.row << "," << mouth.col;
            EXPECT_EQ(At(mouth.row + 1, yardCol), 49) << mouth.row << "," << mouth.col;
        }
    }
}

// Blocks, yards, barrier strips, parks and lots are stamped on empty land and nothing writes over
// them afterwards: every stamp is found whole.
void EveryLevel::StampsAreWhole() const {
    const MapSurvey& survey = Survey();
    // Checked cell by cell; a test failure names the first broken stamp of each kind.
    auto expectWhole = [](const char* kind, const std::vector<MapCell>& broken) {
        EXPECT_TRUE(broken.empty()) << broken.size() << " broken " << kind << ", the first at row "
                                    << broken.front().row << ", column " << broken.front().col;
    };
    auto matches = [this](int row, int col,
                          std::initializer_list<std::initializer_list<int>> rows) {
        for (const auto& codes : rows) {
            int c = col;
            for (const int code : codes) {
                if (At(row, c++) != code) return false;
            }
            ++row;
        }
        return true;
    };

    std::vector<MapCell> broken;
    for (const MapCell& corner : survey.CellsOf(43)) {  // a walled block's bottom-right corner
        if (!matches(corner.row - 3, corner.col - 3,
                     {{0, 40, 40, 40}, {41, 45, 46, 44}, {41, 47, 48, 44}, {41, 42, 42, 43}})) {
            broken.push_back(corner);
        }
    }
    expectWhole("walled blocks", broken);

    broken.clear();
    for (const MapCell& yard : survey.CellsOf(49)) {
        if (!matches(yard.row, yard.col, {{49, 50, 51}, {52, 53, 54}, {55, 56, 57}})) {
            broken.push_back(yard);
        }
    }
    expectWhole("yards", broken);

    // A barrier strip beside the vertical verge of a road: on its left for 39, on its right
    // for 59.
    broken.clear();
    int barriers = 0;
    for (const int code : {39, 59}) {
        for (const MapCell& top : survey.CellsOf(code)) {
            if (At(top.row + 1, top.col) != 32) continue;  // the strip's lower barrier cell
            ++barriers;
            const int vergeCol = code == 39 ? top.col + 1 : top.col - 1;
            bool whole = matches(top.row - 1, top.col, {{0}, {code}, {32}, {code}, {0}});
            for (int r = top.row - 1; r <= top.row + 2; ++r) whole = whole && At(r, vergeCol) == 23;
            if (!whole) broken.push_back(top);
        }
    }
    expectWhole("barrier strips", broken);

    broken.clear();
    int parks = 0;
    for (const MapCell& corner : survey.CellsOf(26)) {
        const int row = corner.row;
        const int col = corner.col;
        if (At(row, col + 1) != 24 || At(row, col + 4) != 27) continue;  // a verge corner
        ++parks;
        bool whole = matches(row, col, {{26, 24, 24, 24, 27}}) &&
                     matches(row + 4, col, {{29, 24, 24, 24, 28}});
        for (int r = 1; r <= 3; ++r) {
            whole = whole && At(row + r, col) == 23 && At(row + r, col + 4) == 23;
            for (int c = 1; c <= 3; ++c) {
                const int filler = At(row + r, col + c);
                whole = whole && filler >= 30 && filler <= 32;
            }
        }
        if (!whole) broken.push_back(corner);
    }
    expectWhole("parks", broken);

    broken.clear();
    for (const MapCell& lot : survey.CellsOf(45)) {  // alone or inside a walled block
        if (!matches(lot.row, lot.col, {{45, 46}, {47, 48}})) broken.push_back(lot);
    }
    expectWhole("lots", broken);

    broken.clear();
    for (const MapCell& group : survey.CellsOf(37)) {  // corner groups and the other lots
        if (!matches(group.row - 1, group.col, {{36}, {37, 38}})) broken.push_back(group);
    }
    expectWhole("corner groups", broken);

    // No stray piece of any stamp.
    const int blocks = survey.Count(43);
    EXPECT_EQ(survey.Count(40), 3 * blocks);
    EXPECT_EQ(survey.Count(41), 3 * blocks);
    EXPECT_EQ(survey.Count(42), 2 * blocks);
    EXPECT_EQ(survey.Count(44), 2 * blocks);
    for (int code = 50; code <= 57; ++code) EXPECT_EQ(survey.Count(code), survey.Count(49));
    EXPECT_EQ(survey.Count(39) + survey.Count(59), 2 * barriers);
    EXPECT_EQ(survey.Count(46), survey.Count(45));
    EXPECT_EQ(survey.Count(47), survey.Count(45));
    EXPECT_EQ(survey.Count(48), survey.Count(45));
    // The land beside every road fills with parks and lots.
    EXPECT_GT(parks, 0);
    EXPECT_GT(survey.Count(45), 0);
}

// Building a full map takes a while in a debug build, and every test runs in a process of its
// own: all the checks of one level's map form one test.
TEST_P(EveryLevel, MapIsWellFormed) {
    {
        SCOPED_TRACE("SetsTheLevelParametersAndTheStartView");
        SetsTheLevelParametersAndTheStartView();
    }
    {
        SCOPED_TRACE("LeavesNoEmptyCell");
        LeavesNoEmptyCell();
    }
    {
        SCOPED_TRACE("StartsOnTheStraightStretch");
        StartsOnTheStraightStretch();
    }
    {
        SCOPED_TRACE("BottomRowHoldsGroundOrParkBottomsOnly");
        BottomRowHoldsGroundOrParkBottomsOnly();
    }
    {
        SCOPED_TRACE("EveryRoadRowIsOneValidRoad");
        EveryRoadRowIsOneValidRoad();
    }
    {
        SCOPED_TRACE("ClosingZoneIsPlainStraightRoad");
        ClosingZoneIsPlainStraightRoad();
    }
    {
        SCOPED_TRACE("RowsBeyondTheTrackArePlainGround");
        RowsBeyondTheTrackArePlainGround();
    }
    {
        SCOPED_TRACE("RoadRowsJoinUp");
        RoadRowsJoinUp();
    }
    {
        SCOPED_TRACE("VergesLineTheRoad");
        VergesLineTheRoad();
    }
    {
        SCOPED_TRACE("SideStreetsLeadToYards");
        SideStreetsLeadToYards();
    }
    {
        SCOPED_TRACE("StampsAreWhole");
        StampsAreWhole();
    }
}

INSTANTIATE_TEST_SUITE_P(Levels1To30, EveryLevel, ::testing::Range(1, 31));

// ------------------------------------------------------------------------------------------------
// Across seeds

// The first piece is chosen at row 1474, after the six rows of the start piece; its first rows
// show which piece the first draw, Random(7), picked. (Short level 1 maps: only their first
// rows matter.)
TEST(TrackGenerator, FirstPieceFollowsTheFirstDraw) {
    // Rows 1473 and 1471 for each choice: the first column and the codes.
    struct Piece {
        int col1473;
        Codes row1473;
        int col1471;
        Codes row1471;
    };
    const Piece pieces[7] = {
        {321, {1, 2, 3, 4}, 321, {1, 2, 3, 4}},          // straight
        {321, {16, 15, 14, 13}, 320, {16, 15, 14, 13}},  // drift left
        {321, {5, 6, 7, 8}, 322, {5, 6, 7, 8}},          // drift right
        {321, {16, 15, 7, 8}, 320, {16, 15, 14, 6, 7, 8}},
        {321, {16, 15, 7, 8}, 320, {1, 2, 21, 22, 3, 4}},
        {321, {1, 33, 7, 8}, 321, {1, 34, 22, 3, 4}},
        {321, {16, 15, 33, 4}, 320, {1, 2, 21, 35, 4}},
    };
    std::set<int> seen;
    for (uint32_t seed = 1; seed <= 31; seed += 3) {
        TRandom random(seed);
        const int choice = random.Random(7);
        seen.insert(choice);
        const MapSurvey& survey = SurveyOf(GeneratedTrack(1, seed));
        const RoadRun& row1473 = survey.runs[1473].at(0);
        const RoadRun& row1471 = survey.runs[1471].at(0);
        EXPECT_EQ(row1473.firstCol, pieces[choice].col1473) << "seed " << seed;
        EXPECT_EQ(row1473.codes, pieces[choice].row1473) << "seed " << seed;
        EXPECT_EQ(row1471.firstCol, pieces[choice].col1471) << "seed " << seed;
        EXPECT_EQ(row1471.codes, pieces[choice].row1471) << "seed " << seed;
        // Six rows of straight road before it.
        for (int row = 1474; row <= 1479; ++row) {
            EXPECT_EQ(survey.runs[row].at(0).codes, (Codes{1, 2, 3, 4}));
        }
    }
    EXPECT_EQ(seen.size(), 7u) << "the seeds should show every first piece";
}

// Every kind of road row occurs on full-length maps (so the checks above meet them all).
TEST(TrackGenerator, MapsShowEveryKindOfRoadRow) {
    std::set<Codes> seen;
    for (const int level : {6, 7}) {
        const TrackState& track = GeneratedTrack(level, 1000u + level);
        for (int row = FirstRoadRow(track); row <= 1499; ++row) {
            seen.insert(SurveyOf(track).runs[row].at(0).codes);
        }
    }
    EXPECT_EQ(seen, ValidRoadRows());
}

TEST(TrackGenerator, SameSeedGivesTheSameMapAndDifferentSeedsDiffer) {
    auto again = std::make_unique<TrackState>();
    TRandom random(1006);
    TTrackGenerator generator(*again, random);
    generator.SetUpLevel(6);
    const TrackState& first = GeneratedTrack(6, 1006);
    EXPECT_TRUE(std::equal(first.TrackMap.Data(), first.TrackMap.Data() + kTrackRows * kTrackCols,
                           again->TrackMap.Data()));

    const TrackState& other = GeneratedTrack(7, 1007);  // same track length, other seed
    EXPECT_FALSE(std::equal(first.TrackMap.Data(), first.TrackMap.Data() + kTrackRows * kTrackCols,
                            other.TrackMap.Data()));
}

// Replays rely on a seed giving the same map in every build: a change of the generator's draws
// shows up here first.
TEST(TrackGenerator, MapFingerprintIsStable) {
    const TrackState& track = GeneratedTrack(1, 1001);
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (int k = 0; k < kTrackRows * kTrackCols; ++k) {
        hash ^= static_cast<uint8_t>(track.TrackMap.Data()[k]);
        hash *= 1099511628211ull;
    }
    EXPECT_EQ(hash, 0x081242b80796833dull) << std::hex << hash;
}

// The same pin over levels of every length and several seeds, with the generator's state after
// the build: the traffic, the crowd and the bonuses draw on from there, so a change in how many
// draws the build takes would change every level's actors too. Any speed-up of the generator
// must keep every one of these.
TEST(TrackGenerator, MapsAndDrawCountsArePinnedAcrossLevelsAndSeeds) {
    struct Pin {
        int level;
        uint32_t seed;
        uint64_t hash;
    };
    const Pin pins[] = {
        {1, 1u, 0xd51d06b6e59a02b0ull},     {1, 2u, 0x3d528b950897e56dull},
        {1, 3u, 0x3b35beb32b4cf3ecull},     {1, 1001u, 0x1f8062b49685a1ccull},
        {1, 4242u, 0x437cd1602e4fa1b1ull},  {2, 1u, 0xc04651821f717087ull},
        {2, 2u, 0x835b0059b2eebeecull},     {2, 3u, 0xe38ec8b3bd985284ull},
        {2, 1001u, 0xc25014916f3c5815ull},  {2, 4242u, 0x707ee0314b2f4f8bull},
        {5, 1u, 0x3e63a55a183c9605ull},     {5, 2u, 0x8b753c5afa512b23ull},
        {5, 3u, 0x8c15848e51c8596bull},     {5, 1001u, 0x403a062130b4c523ull},
        {5, 4242u, 0xa59f4ecfe989757aull},  {6, 1u, 0x10b2e6450731256cull},
        {6, 2u, 0x99b4767e0cf131b3ull},     {6, 3u, 0xfed79532ac4df0acull},
        {6, 1001u, 0xc724dc21dbfc686full},  {6, 4242u, 0x9636b76c331952e2ull},
        {12, 1u, 0x10b2e6450731256cull},    {12, 2u, 0x99b4767e0cf131b3ull},
        {12, 3u, 0xfed79532ac4df0acull},    {12, 1001u, 0xc724dc21dbfc686full},
        {12, 4242u, 0x9636b76c331952e2ull}, {25, 1u, 0x10b2e6450731256cull},
        {25, 2u, 0x99b4767e0cf131b3ull},    {25, 3u, 0xfed79532ac4df0acull},
        {25, 1001u, 0xc724dc21dbfc686full}, {25, 4242u, 0x9636b76c331952e2ull},
    };
    for (const Pin& pin : pins) {
        auto state = std::make_unique<TrackState>();
        TRandom random(pin.seed);
        TTrackGenerator(*state, random).SetUpLevel(pin.level);
        uint64_t hash = 1469598103934665603ull;  // FNV-1a over the map, then the draws' state
        for (int k = 0; k < kTrackRows * kTrackCols; ++k) {
            hash ^= static_cast<uint8_t>(state->TrackMap.Data()[k]);
            hash *= 1099511628211ull;
        }
        hash ^= random.SeedValue();
        hash *= 1099511628211ull;
        EXPECT_EQ(hash, pin.hash) << "level " << pin.level << " seed " << pin.seed << std::hex
                                  << " hash " << hash;
    }
}

TEST(TrackGenerator, RegeneratingReplacesTheWholeMap) {
    auto state = std::make_unique<TrackState>();
    TRandom random(77);
    TTrackGenerator generator(*state, random);
    generator.SetUpLevel(6);
    state->ViewCol = 5;
    state->ViewRow = 5;
    generator.SetUpLevel(1);
    EXPECT_EQ(state->ViewCol, 318);
    EXPECT_EQ(state->ViewRow, 1488);
    // Nothing of the long track survives above the short one.
    const int8_t* cells = state->TrackMap.Data();
    EXPECT_EQ(std::count(cells, cells + 1199 * kTrackCols, 0), 1199 * kTrackCols);
}

// ------------------------------------------------------------------------------------------------
// The piece state and the empty-area test

TEST(TrackGenerator, SetPieceSetsTheRowsOfEachKind) {
    auto state = std::make_unique<TrackState>();
    TRandom random;
    TTrackGenerator generator(*state, random);
    for (int kind = 1; kind <= 11; ++kind) {
        generator.SetPiece(static_cast<RoadPiece>(kind));
        EXPECT_EQ(static_cast<int>(generator.PieceKind()), kind);
        EXPECT_EQ(generator.PieceRows(), kind <= 3 ? 6 : 20);
    }
    generator.SetPiece(RoadPiece::DriftLeft);
    for (int kind : {0, 12, -1, 100}) {
        generator.SetPiece(static_cast<RoadPiece>(kind));
        EXPECT_EQ(generator.PieceKind(), RoadPiece::DriftLeft);
        EXPECT_EQ(generator.PieceRows(), 6);
    }
}

class IsAreaEmptyTest : public ::testing::Test {
protected:
    void SetUp() override { state_->TrackMap.Fill(-1); }

    std::unique_ptr<TrackState> state_ = std::make_unique<TrackState>();
    TRandom random_;
    TTrackGenerator generator_{*state_, random_};
};

TEST_F(IsAreaEmptyTest, AreaBeginsOneRowBelowTheRowGiven) {
    state_->TrackMap.Set(100, 50, 0);
    EXPECT_TRUE(generator_.IsAreaEmpty(50, 100, 4, 4));  // rows 101..104
    EXPECT_FALSE(generator_.IsAreaEmpty(50, 99, 4, 4));  // rows 100..103
    EXPECT_FALSE(generator_.IsAreaEmpty(47, 96, 4, 4));  // rows 97..100, columns 47..50
    EXPECT_TRUE(generator_.IsAreaEmpty(46, 96, 4, 4));   // columns 46..49
    EXPECT_TRUE(generator_.IsAreaEmpty(51, 96, 4, 4));   // columns 51..54
    EXPECT_TRUE(generator_.IsAreaEmpty(50, 95, 4, 4));   // rows 96..99
}

TEST_F(IsAreaEmptyTest, EmptyRangeIsTrueEvenOnFullCells) {
    state_->TrackMap.Fill(0);
    EXPECT_TRUE(generator_.IsAreaEmpty(10, 10, 0, 5));
    EXPECT_TRUE(generator_.IsAreaEmpty(10, 10, 5, 0));
    EXPECT_TRUE(generator_.IsAreaEmpty(10, 10, -3, -3));
    EXPECT_FALSE(generator_.IsAreaEmpty(10, 10, 1, 1));
}

TEST_F(IsAreaEmptyTest, CellsOutsideTheGridAreNotEmpty) {
    EXPECT_TRUE(generator_.IsAreaEmpty(1, 1495, 5, 5));   // down to row 1500
    EXPECT_FALSE(generator_.IsAreaEmpty(1, 1496, 5, 5));  // row 1501
    EXPECT_TRUE(generator_.IsAreaEmpty(646, 0, 5, 5));    // up to column 650, from row 1
    EXPECT_FALSE(generator_.IsAreaEmpty(647, 0, 5, 5));   // column 651
    EXPECT_FALSE(generator_.IsAreaEmpty(0, 10, 5, 5));    // column 0
    EXPECT_FALSE(generator_.IsAreaEmpty(1, -1, 5, 5));    // row 0
    EXPECT_FALSE(generator_.IsAreaEmpty(1, 10, 1, 2147483647));
    EXPECT_FALSE(generator_.IsAreaEmpty(2147483647, 2147483647, 2147483647, 2147483647));
    EXPECT_FALSE(generator_.IsAreaEmpty(-2147483647 - 1, -2147483647 - 1, 5, 5));
}

}  // namespace
