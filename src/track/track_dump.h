#pragma once
// A plain-text picture of a generated level for tools and bug reports: one JSON line with the
// level parameters and the view origin, then the map's rows, row 1 first, each row its 650 cell
// codes separated by single spaces.

#include <string>

#include "track/track_generator.h"

std::string DumpTrack(const TrackState& state);
