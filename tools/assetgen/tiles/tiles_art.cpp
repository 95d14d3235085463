// "Tiles": the 61 patterns of the road map, one per cell code, side by side in one row.

#include <vector>

#include "assetgen/asset_parts.h"
#include "assetgen/canvas.h"
#include "assetgen/tiles/tiles_art.h"

ImageEntry BuildTiles() {
    using namespace tiles;
    const Materials materials;
    std::vector<DecodedPicture> patterns(kTileCount);
    DrawLandTiles(materials, patterns);
    for (int code = 0; code < kTileCount; ++code) {
        if (!patterns[code].pixels.empty()) continue;
        Canvas canvas(Picture::Tiles);
        DrawRoadTile(canvas.Cr(), code, materials);
        patterns[code] = canvas.ToPicture(SeeThrough(Picture::Tiles));
    }
    return MakeImage(Picture::Tiles, patterns);
}
