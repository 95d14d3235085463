#pragma once
// The road generator: grows a continuous road up from the start stretch with a small state
// machine of road pieces, lines it with verges, fills the land with blocks, yards, parks and lots,
// and turns what is left into plain ground. The random draws happen in a fixed order, so a seed
// always gives the same map.

#include "track/random.h"
#include "track/track_map.h"

// Everything the generator sets: the map, the level parameters and the view origin.
struct TrackState {
    TTrackMap TrackMap;
    LevelParams Level;
    int ViewCol = 318;  // map column shown in the background window's cell (0, 0)
    int ViewRow = 1488;
};

class TTrackGenerator {
public:
    TTrackGenerator(TrackState& state, TRandom& random) : state_(state), random_(random) {}

    // Sets the level parameters of level L, then BuildTrack.
    void SetUpLevel(int level);
    // Fills the whole map for the current TrackLength and sets ViewCol/ViewRow to their start.
    // (The caller refreshes the background window afterwards.)
    void BuildTrack();

    void SetPiece(int kind);
    // True when rows row+1..row+nrows, columns col..col+ncols-1 are all empty (-1); cells outside
    // the grid count as not empty. An empty range is true.
    bool IsAreaEmpty(int col, int row, int ncols, int nrows) const;

    int PieceKind() const { return pieceKind_; }
    int PieceRows() const { return pieceRows_; }

private:
    TrackState& state_;
    TRandom& random_;
    int pieceKind_ = 1;
    int pieceRows_ = 0;
};
