#include "track/tile_patterns.h"

#include "track/map_codes.h"

namespace {

// The wedge's asphalt reaches across the shared edge only into open ground or the road.
bool AsphaltAcross(int code) {
    return code == MapCode::Ground || IsRoadCode(code);
}

}  // namespace

int TilePatternAt(const TTrackMap& map, int row, int col) {
    const int code = map.At(row, col);
    // The two sides each corner's wedge touches, as row and column steps.
    int dr = 0;
    int dc = 0;
    switch (static_cast<MapCode>(code)) {
        case MapCode::VergeCornerTopLeft:
            dr = -1;
            dc = -1;
            break;
        case MapCode::VergeCornerTopRight:
            dr = -1;
            dc = 1;
            break;
        case MapCode::VergeCornerBottomRight:
            dr = 1;
            dc = 1;
            break;
        case MapCode::VergeCornerBottomLeft:
            dr = 1;
            dc = -1;
            break;
        default:
            return code;
    }
    if (AsphaltAcross(map.At(row + dr, col)) && AsphaltAcross(map.At(row, col + dc))) return code;
    return CodeOf(MapCode::VergeStrip);
}
