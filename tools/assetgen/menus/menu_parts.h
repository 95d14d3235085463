#pragma once
// The pieces of image archive 1, one group per menu screen. BuildMenuImages puts them together in
// the archive's order.

#include <vector>

#include "archive/archive_types.h"

namespace menuart {

// "MMBG", the night backdrop with the game's logo.
ImageEntry BuildBackdrop();
// The main menu's six buttons in their three looks, MM_1_0 … MM_6_I.
void AddMainMenuButtons(std::vector<ImageEntry>& images);
// The dialog panel, the window titles, Yes and No, the name-entry panel, its check box and cursor.
void AddWindowImages(std::vector<ImageEntry>& images);
// The start-game screen: showroom frame, the six car pictures, arrows, Start and Back.
void AddStartGameImages(std::vector<ImageEntry>& images);
// The options screen: the setting rows, their highlight frames, the country field, Back, cursor.
void AddOptionsImages(std::vector<ImageEntry>& images);
// The high-score screen: caption, table and its three buttons.
void AddHighScoreImages(std::vector<ImageEntry>& images);
// The help screen: page arrows and the studio emblem.
void AddHelpImages(std::vector<ImageEntry>& images);
// The controls screen: the options screen's button to it, the row highlight, Defaults.
void AddControlsImages(std::vector<ImageEntry>& images);

// A showroom picture of player car n (1..6), as on the start-game screen.
DecodedPicture DrawShowroomCar(int car, int width, int height);

}  // namespace menuart
