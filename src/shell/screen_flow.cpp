// Where the game starts and where the race leads when it ends. The menu screens are not built
// yet: until they are, the main menu is its background picture alone, where Enter or a click
// starts a race with the first car and Esc asks whether to leave the game.

#include "shell/form.h"
#include "sprites/scroll_background.h"

void TMForm::OpenMainMenu(int intro, int selected, int restartMusic) {
    (void)intro;
    (void)selected;
    Screens.ScreenState = kScreenMainMenu;
    if (restartMusic == 1) PlayMusic();
    ShowSystemCursor();
    Screens.FirstButton = 1;
    Screens.LastButton = 0;
    Screens.SelectedButton = 1;
    Screens.IntroRunning = false;
    CurrentBackground = new TScrollBackground(&MDXSpriteEngine, 1, "MMBG", 1, 1);
}

void TMForm::MainMenuFrame() {
    if (KeyHit(kHitEsc)) OpenWindow(kWindowExitGame);
}

void TMForm::CloseMenuScreen() {
    Screens.ScreenState = kScreenNone;
    if (CurrentBackground != nullptr) {
        CurrentBackground->Kill();
        CurrentBackground = nullptr;
    }
    RemoveButtons();
}

void TMForm::OpenHighScores() {
    OpenMainMenu(0, 2, 0);
}

void TMForm::ClickScreenButton() {
    if (Screens.ScreenState == kScreenMainMenu && Screens.SelectedButton == 1) {
        CloseMenuScreen();
        StartRace();
    }
}
