#pragma once
// Which screen is shown and which modal window lies over it. The numbers are the game's own:
// screens, windows and the actors that open windows (the car opens the banner, time-over and
// game-over windows) all speak them, and the replay runner reports them.

#include <iosfwd>

enum class GameScreen : int {
    None = 0,
    MainMenu = 1,
    StartGame = 2,
    Options = 3,
    HighScores = 4,
    Help = 5,
    Race = 6,
    // The game's own addition: the race's controls, reached from the options screen.
    Controls = 7,
};

enum class ModalWindow : int {
    None = 0,
    ExitGame = 1,
    ExitToMenu = 2,
    TimeOver = 3,
    ClearTable = 4,
    Pause = 5,
    LevelBanner = 6,
    GameOver = 7,
    NameEntry = 8,
    Sending = 9,
    // The game's own addition: the controls screen's question before the defaults come back.
    DefaultControls = 10,
};

// Written as their numbers (the replay runner's reports, the tests' messages).
std::ostream& operator<<(std::ostream& out, GameScreen screen);
std::ostream& operator<<(std::ostream& out, ModalWindow window);
