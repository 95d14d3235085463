#pragma once
// The cell codes of the road map, named once. A code is also the pattern of its tile in the
// picture "Tiles". The road is four cells wide, from its left edge to its right edge; a drifting
// road moves one column every two rows, in a first phase that keeps the columns of the road below
// it and a second phase one column over. The road drifting left is laid out right to left, so its
// first code is its right edge.

#include <cstdint>

enum class MapCode : int8_t {
    Empty = -1,  // only while the map is generated
    Ground = 0,  // plain ground, and the corners of walled blocks and barrier strips

    // The straight road.
    LeftEdge = 1,
    LeftLane = 2,
    RightLane = 3,
    RightEdge = 4,
    // The road drifting right, first and second phase.
    DriftingRightLeftEdge = 5,
    DriftingRightLeftLane = 6,
    DriftingRightRightLane = 7,
    DriftingRightRightEdge = 8,
    DriftedRightLeftEdge = 9,
    DriftedRightLeftLane = 10,
    DriftedRightRightLane = 11,
    DriftedRightRightEdge = 12,
    // The road drifting left, first and second phase.
    DriftingLeftRightEdge = 13,
    DriftingLeftRightLane = 14,
    DriftingLeftLeftLane = 15,
    DriftingLeftLeftEdge = 16,
    DriftedLeftRightEdge = 17,
    DriftedLeftRightLane = 18,
    DriftedLeftLeftLane = 19,
    DriftedLeftLeftEdge = 20,
    // The two inner lanes of the six-cell road 1 2 21 22 3 4.
    SixCellInnerLeft = 21,
    SixCellInnerRight = 22,

    // The verges: the pavements the pedestrians walk.
    VerticalVerge = 23,  // beside a straight road's outer edges, and the sides of parks
    VergeStrip = 24,     // beside the rows of a drifting road, the tops and bottoms of parks
    DriftVerge = 25,     // next to a drifting edge
    VergeCornerTopLeft = 26,
    VergeCornerTopRight = 27,
    VergeCornerBottomRight = 28,
    VergeCornerBottomLeft = 29,
    Filler = 30,  // three variants: park interiors, gaps between verge strips
    FillerVariant = 31,
    FillerStripMiddle = 32,  // also the middle of a barrier strip

    // The five-cell road's transitions: 1 34 22 3 4 widened to the right, 1 2 21 35 4 to the left.
    FiveCellJoin = 33,
    WidenedRightSecond = 34,
    WidenedLeftFourth = 35,

    // The land.
    CornerTop = 36,  // a corner group: 36 above 37, 38 right of 37
    CornerBottom = 37,
    CornerSide = 38,
    LeftBarrier = 39,  // solid: a barrier strip on the left of a road
    WallTop = 40,      // solid: the walls of a walled block
    WallLeft = 41,
    WallBottom = 42,
    WallBottomRight = 43,
    WallRight = 44,
    LotTopLeft = 45,  // a 2 by 2 lot
    LotTopRight = 46,
    LotBottomLeft = 47,
    LotBottomRight = 48,
    YardTopLeft = 49,  // a 3 by 3 yard
    YardTop = 50,
    YardTopRight = 51,
    YardLeft = 52,
    YardMiddle = 53,
    YardRight = 54,
    YardBottomLeft = 55,
    YardBottom = 56,
    YardBottomRight = 57,
    LeftStreetMouth = 58,  // a side street in the left verge of a road
    RightBarrier = 59,     // solid: a barrier strip on the right of a road
    RightStreetMouth = 60,
};

// The code as the map stores it.
constexpr int8_t CodeOf(MapCode code) {
    return static_cast<int8_t>(code);
}

// A map cell (or a code read from one) compared with a named code.
constexpr bool operator==(int cell, MapCode code) {
    return cell == static_cast<int>(code);
}

// The road the cars drive on: the straight, drifting and six-cell road and the five-cell
// transitions.
constexpr bool IsRoadCode(int code) {
    return (code >= CodeOf(MapCode::LeftEdge) && code <= CodeOf(MapCode::SixCellInnerRight)) ||
           (code >= CodeOf(MapCode::FiveCellJoin) && code <= CodeOf(MapCode::WidenedLeftFourth));
}

// The road's left and right edge cells, straight and drifting: where the verges and the street
// lamps stand.
constexpr bool IsLeftEdgeCode(int code) {
    return code == MapCode::LeftEdge || code == MapCode::DriftingRightLeftEdge ||
           code == MapCode::DriftedRightLeftEdge || code == MapCode::DriftingLeftLeftEdge ||
           code == MapCode::DriftedLeftLeftEdge;
}
constexpr bool IsRightEdgeCode(int code) {
    return code == MapCode::RightEdge || code == MapCode::DriftingRightRightEdge ||
           code == MapCode::DriftedRightRightEdge || code == MapCode::DriftingLeftRightEdge ||
           code == MapCode::DriftedLeftRightEdge;
}
