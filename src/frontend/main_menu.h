#pragma once
// The main menu: six picture buttons on the menu background, leading to the start-game screen,
// the high scores, the maker's web site, the options, the help and the exit question. On the
// first arrival after start-up the buttons fade in one after another.

class MenuHost;

// The entries of the main menu.
enum MainMenuEntry {
    kEntryStartGame = 1,
    kEntryHighScores = 2,
    kEntryWebSite = 3,
    kEntryOptions = 4,
    kEntryHelp = 5,
    kEntryExit = 6,
};

class TMainMenu {
public:
    explicit TMainMenu(MenuHost& host) : host_(host) {}

    // intro 1: the buttons fade in with the "MenuBegin" sound; selected: the entry highlighted
    // on arrival (the one that led to the screen the player comes back from); restartMusic 1:
    // the menu song starts again (after a race, whose song differs).
    void OpenMainMenu(int intro, int selected, int restartMusic);
    void CloseMenuScreen();
    // The main menu's routine for one frame with no window open.
    void MainMenuFrame();

private:
    // One frame of the opening animation.
    void IntroStep();

    MenuHost& host_;
};
