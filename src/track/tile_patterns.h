#pragma once
// Which pattern of "Tiles" the road shows for a map cell. Every code shows its own pattern, with
// one exception: the four corner cells 26 to 29 carry an asphalt wedge with a kerb, which is the
// road's edge where a drifting road passes through them and a chamfered corner where a park or a
// pavement corner meets open ground. Where the wedge would face pavement, grass or a building
// instead (stacked parks, the corner left beside a drift, a park against a verge), the cell shows
// plain pavement. The map keeps its codes: the walkers, the traffic and the bonuses still read
// them, only the picture changes.

#include "track/track_map.h"

int TilePatternAt(const TTrackMap& map, int row, int col);
