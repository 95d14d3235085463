// The one dispatcher that turns a click (or Enter) on the selected button into the button's
// action: a window's buttons when a window is open, otherwise the current screen's.

#include "persist/web_links.h"
#include "shell/form.h"
#include "sprites/menu_button.h"

namespace {

void ClickMainMenu(TMForm& form, int button) {
    TFrontEnd& menus = form.FrontEnd;
    // Clicks wait until the buttons have all faded in.
    if (form.Screens.IntroRunning) return;
    switch (button) {
        case kEntryStartGame:
            form.CloseMenuScreen();
            menus.StartGame.OpenStartGame();
            break;
        case kEntryHighScores:
            form.CloseMenuScreen();
            form.OpenHighScores();
            break;
        case kEntryWebSite:
            form.OpenLink(MakerHomeAddress(ScoreServerBase()));
            break;
        case kEntryOptions:
            form.CloseMenuScreen();
            menus.OptionsScreen.OpenOptions();
            break;
        case kEntryHelp:
            form.CloseMenuScreen();
            menus.HelpScreen.OpenHelp();
            break;
        case kEntryExit:
            form.OpenWindow(kWindowExitGame);
            break;
        default:
            break;
    }
}

void ClickStartGame(TMForm& form, int button) {
    TStartGameScreen& screen = form.FrontEnd.StartGame;
    // A change of car runs to its end before anything else is taken.
    if (screen.CarChanging) return;
    switch (button) {
        case kStartGamePrevious:
            screen.PreviousCar();
            break;
        case kStartGameNext:
            screen.NextCar();
            break;
        case kStartGameStart:
            // The way to the race passes the main menu, which is gone again at once.
            screen.CloseStartGame();
            form.OpenMainMenu(0, kEntryStartGame, 0);
            form.CloseMenuScreen();
            form.StartRace();
            break;
        case kStartGameBack:
            screen.CloseStartGame();
            form.OpenMainMenu(0, kEntryStartGame, 0);
            break;
        default:
            break;
    }
}

void ClickOptions(TMForm& form, int button) {
    TOptionsScreen& screen = form.FrontEnd.OptionsScreen;
    switch (button) {
        case kOptionsDisplay:
            screen.ToggleFullScreen();
            break;
        case kOptionsMusic:
            screen.ToggleMusic();
            break;
        case kOptionsSound:
            screen.ToggleSound();
            break;
        case kOptionsCountry:
            form.ToggleCountryEdit();
            break;
        case kOptionsBack:
            screen.CloseOptions();
            form.OpenMainMenu(0, kEntryOptions, 0);
            break;
        default:
            break;
    }
}

void ClickHighScores(TMForm& form, int button) {
    switch (button) {
        case kHighScoresClear:
            form.OpenWindow(kWindowClearTable);
            break;
        case kHighScoresView:
            form.OpenLink(OnlineTableAddress(ScoreServerBase()));
            break;
        case kHighScoresBack:
            form.FrontEnd.HighScoreScreen.CloseHighScores();
            form.OpenMainMenu(0, kEntryHighScores, 0);
            break;
        default:
            break;
    }
}

void ClickHelp(TMForm& form, int button) {
    THelpScreen& screen = form.FrontEnd.HelpScreen;
    switch (button) {
        case kHelpPrevious:
            screen.PreviousHelpPage();
            break;
        case kHelpNext:
            screen.NextHelpPage();
            break;
        case kHelpBack:
            screen.CloseHelp();
            form.OpenMainMenu(0, kEntryHelp, 0);
            break;
        default:
            break;
    }
}

}  // namespace

void TMForm::ClickButton(int index) {
    Screens.SelectedButton = index;
    ClickSelected();
}

void TMForm::ClickSelected() {
    if (!(Screens.ScreenState == kScreenRace && Screens.WindowKind == kWindowNone))
        PlaySound(Sound::Button);

    if (Screens.WindowKind != kWindowNone) {
        switch (Screens.WindowKind) {
            case kWindowExitGame:
                if (Screens.SelectedButton == kYesButton) {
                    CloseWindow();
                    CloseMenuScreen();
                    SaveAndQuit();
                } else if (Screens.SelectedButton == kNoButton) {
                    CloseWindow();
                }
                break;
            case kWindowExitToMenu:
                if (Screens.SelectedButton == kYesButton) {
                    CloseWindow();
                    if (HighScores.IsHighScore(Race.Score)) {
                        OpenWindow(kWindowNameEntry);
                    } else {
                        EndRace();
                        OpenMainMenu(0, 1, 1);
                    }
                } else if (Screens.SelectedButton == kNoButton) {
                    CloseWindow();
                }
                break;
            case kWindowClearTable:
                if (Screens.SelectedButton == kYesButton) {
                    CloseWindow();
                    HighScores.ResetTable();
                } else if (Screens.SelectedButton == kNoButton) {
                    CloseWindow();
                }
                break;
            case kWindowNameEntry:
                if (Screens.LastTypedChar == 13) {
                    ConfirmNameEntry();
                } else if (Screens.CheckBox != nullptr && Input.MouseX >= 161 &&
                           Input.MouseX <= 215 && Input.MouseY >= 369 && Input.MouseY <= 414) {
                    Screens.CheckBox->FramePos = Screens.CheckBox->FramePos == 0 ? 1 : 0;
                }
                break;
            default:
                break;
        }
        return;
    }

    const int button = Screens.SelectedButton;
    switch (Screens.ScreenState) {
        case kScreenMainMenu:
            ClickMainMenu(*this, button);
            break;
        case kScreenStartGame:
            ClickStartGame(*this, button);
            break;
        case kScreenOptions:
            ClickOptions(*this, button);
            break;
        case kScreenHighScores:
            ClickHighScores(*this, button);
            break;
        case kScreenHelp:
            ClickHelp(*this, button);
            break;
        default:
            break;  // between screens and in the race there is nothing to click
    }
}

// ---- The screen operations the windows and the race flow lead to ---------------------------

void TMForm::OpenMainMenu(int intro, int selected, int restartMusic) {
    FrontEnd.MainMenu.OpenMainMenu(intro, selected, restartMusic);
}

void TMForm::CloseMenuScreen() {
    FrontEnd.MainMenu.CloseMenuScreen();
}

void TMForm::OpenHighScores() {
    FrontEnd.HighScoreScreen.OpenHighScores();
}
