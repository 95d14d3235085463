// Image archive 1: everything the menu screens and the windows show.

#include "assetgen/asset_parts.h"
#include "assetgen/menus/menu_parts.h"

std::vector<ImageEntry> BuildMenuImages() {
    std::vector<ImageEntry> images;
    images.push_back(menuart::BuildBackdrop());
    menuart::AddMainMenuButtons(images);
    menuart::AddWindowImages(images);
    menuart::AddStartGameImages(images);
    menuart::AddOptionsImages(images);
    menuart::AddHighScoreImages(images);
    menuart::AddHelpImages(images);
    menuart::AddControlsImages(images);
    return images;
}
