#pragma once
// Where the road is on the screen, as the road actors need it: the view's map cell at the
// screen's top-left, the scrolling road's sub-cell offsets, and the world point at the screen's
// origin (subtract it from a world point to get its screen point). Also the one question the
// actors ask the sprite engine about the player's car: is it the topmost sprite at a point?

#include "track/track_map.h"

class RaceHost;
class TPlayer;
class TSpriteEngine;

struct RoadView {
    int ViewCol = 0;
    int ViewRow = 0;
    double BackgroundX = 0;
    double BackgroundY = 0;
    // ViewCol x 72 - background X, ViewRow x 72 - background Y.
    double OriginX = 0;
    double OriginY = 0;
};

RoadView RoadViewOf(RaceHost& host);

// True when the sprite engine's point query answers the player's car at the screen point. Only
// a point inside the car's own rectangle can answer it, so the query runs only there.
bool PlayerTopmostAt(TSpriteEngine& engine, const TPlayer* player, int x, int y);
