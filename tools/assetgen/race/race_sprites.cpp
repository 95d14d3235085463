// Image archive 2 apart from the road tiles: every race picture, in the order the archive lists
// them (player car and its attachments, weapons, traffic, pedestrians, roadside, HUD).

#include "assetgen/asset_parts.h"
#include "assetgen/race/race_parts.h"

std::vector<ImageEntry> BuildRaceSprites() {
    std::vector<ImageEntry> images;
    auto append = [&images](std::vector<ImageEntry> part) {
        for (ImageEntry& entry : part) images.push_back(std::move(entry));
    };
    append(raceart::BuildPlayerCars());
    append(raceart::BuildCarEffects());
    append(raceart::BuildWeapons());
    append(raceart::BuildTraffic());
    append(raceart::BuildPedestrians());
    append(raceart::BuildRoadside());
    append(raceart::BuildHud());
    return images;
}
