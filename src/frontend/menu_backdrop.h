#pragma once
// What every menu screen shares: the full-screen picture under it and the big screen title.

#include <string>

class MenuHost;

// The picture "MMBG" on a background of one cell at (0, 0), layer 2, which never moves; it
// becomes the screen's MenuBackground. The screen kills it when it closes.
void CreateMenuBackground(MenuHost& host);

// "OPTIONS" or "HELP" in the title style, centred on (563, 148), the spot the high-score screen's
// title picture also centres on.
void DrawScreenTitle(MenuHost& host, const std::string& title);
