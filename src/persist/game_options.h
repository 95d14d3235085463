#pragma once
// The player's options: display mode, music and sound switches and the country sent with online
// scores. They are toggled in place by the options screen and saved when the game ends.

#include <string>

struct TGameOptions {
    int FullScreen = 0;  // 1: full screen 800 x 600, 0: window
    int Music = 1;       // 1: music on
    int Sound = 1;       // 1: sound effects on
    std::string Country = "_______";
};
