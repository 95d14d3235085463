#pragma once
// Which screen is shown and which modal window lies over it. The numbers are the game's own:
// screens, windows and the actors that open windows (the car opens the banner, time-over and
// game-over windows) all speak them.

enum ScreenStateValue {
    kScreenNone = 0,
    kScreenMainMenu = 1,
    kScreenStartGame = 2,
    kScreenOptions = 3,
    kScreenHighScores = 4,
    kScreenHelp = 5,
    kScreenRace = 6,
};

enum WindowKindValue {
    kWindowNone = 0,
    kWindowExitGame = 1,
    kWindowExitToMenu = 2,
    kWindowTimeOver = 3,
    kWindowClearTable = 4,
    kWindowPause = 5,
    kWindowLevelBanner = 6,
    kWindowGameOver = 7,
    kWindowNameEntry = 8,
    kWindowSending = 9,
};
